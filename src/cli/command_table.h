#pragma once

#include "commands.h"

namespace formulario {

// Runs the command line `commandLine` (the words after the program's name):
// --help, --version or one command with its arguments; the exit status.
int RunCommandLine(const CommandArguments& commandLine, CommandStreams& streams);

}  // namespace formulario
