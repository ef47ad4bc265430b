#pragma once

// Windows gives a program its command line in UTF-16; the commands take UTF-8.

#include "commands.h"

#include <string>

namespace formulario {

// Runs the command line `argv` (the program's name first) as RunCommandLine
// does, its words converted to UTF-8. A word that is not valid UTF-16 (a lone
// surrogate) names no file: the run ends as for a file that cannot be read.
int RunWideCommandLine(int argc, const wchar_t* const* argv, CommandStreams& streams);

}  // namespace formulario
