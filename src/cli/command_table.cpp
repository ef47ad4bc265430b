// The commands of formulario7316-cli, and how a command line picks one.
#include "command_table.h"

#include <ostream>
#include <string_view>

namespace formulario {

namespace {

struct Command {
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
    CommandFunction run;
};

constexpr Command kCommands[] = {
    {"seal", "seal [XMLFILE]", "seal a UTF-8 declaration XML (a file, or standard input)", RunSealCommand},
    {"unseal", "unseal FILE", "print the declaration XML of a sealed file, in UTF-8", RunUnsealCommand},
    {"verify", "verify FILE...", "check sealed files: one line per file, ok or the reason", RunVerifyCommand},
    {"consult", "consult [--trace] FILE", "print the read-only page of a sealed declaration", RunConsultCommand},
    {"modify", "modify [--trace] FILE", "print the editable page of a sealed declaration", RunModifyCommand},
    {"export-csv", "export-csv FILE", "print the brand rows of a sealed declaration as CSV", RunExportCsvCommand},
    {"list", "list DIR...", "list the declaration files under the folders: a header, then one tab-separated line each",
     RunListCommand},
};

void PrintHelp(std::ostream& out)
{
    out << "usage: formulario7316-cli COMMAND [ARGUMENTS]\n"
           "       formulario7316-cli --help | --version\n\ncommands:\n";
    for (const Command& command : kCommands)
        out << "  " << command.usage << "\n      " << command.summary << '\n';
    out << "\nunseal exits with the unsealing code: 0 ok, 1 check digits do not match,\n"
           "2 too short, 3 no memory, 4 not a sealed text, 5 the file cannot be read.\n"
           "A command line that does not fit exits with "
        << kExitUsage << ".\n";
}

const Command* FindCommand(std::string_view name)
{
    for (const Command& command : kCommands)
        if (command.name == name)
            return &command;
    return nullptr;
}

}  // namespace

int RunCommandLine(const CommandArguments& commandLine, CommandStreams& streams)
{
    const std::string_view first = commandLine.empty() ? "" : commandLine.front();
    if (first == "--help" || first == "-h") {
        PrintHelp(streams.out);
        return 0;
    }
    if (first == "--version") {
        streams.out << "formulario7316-cli " << FORMULARIO_VERSION << '\n';
        return 0;
    }
    const Command* command = FindCommand(first);
    if (!command) {
        if (!first.empty())
            streams.err << "formulario7316-cli: unknown command '" << first << "'\n";
        PrintHelp(streams.err);
        return kExitUsage;
    }
    return command->run(CommandArguments(commandLine.begin() + 1, commandLine.end()), streams);
}

}  // namespace formulario
