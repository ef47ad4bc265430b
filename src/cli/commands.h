#pragma once

#include "host/reopen.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace formulario {

// The streams a command reads and writes.
struct CommandStreams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

using CommandArguments = std::vector<std::string>;

// Every command takes the arguments after its name and returns the exit status.
using CommandFunction = int (*)(const CommandArguments& arguments, CommandStreams& streams);

// Exit status for a command line that does not fit the command.
inline constexpr int kExitUsage = 64;

int RunSealCommand(const CommandArguments& arguments, CommandStreams& streams);
int RunUnsealCommand(const CommandArguments& arguments, CommandStreams& streams);
int RunVerifyCommand(const CommandArguments& arguments, CommandStreams& streams);
int RunConsultCommand(const CommandArguments& arguments, CommandStreams& streams);
int RunModifyCommand(const CommandArguments& arguments, CommandStreams& streams);
int RunExportCsvCommand(const CommandArguments& arguments, CommandStreams& streams);
int RunListCommand(const CommandArguments& arguments, CommandStreams& streams);

// consult and modify: "[--trace] FILE", the page on the output, the refusal on
// the error stream with status 1.
int RunReopenCommand(ReopenMode mode, const PageBuilder& build, const CommandArguments& arguments,
                     CommandStreams& streams);

}  // namespace formulario
