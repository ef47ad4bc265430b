// formulario7316-cli: the command-line companion of Formulario7316.
#include "commands.h"

#include <iostream>
#include <string_view>

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

} // namespace

int main(int argc, char** argv)
{
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        PrintHelp(std::cout);
        return 0;
    }
    if (first == "--version") {
        std::cout << "formulario7316-cli " << FORMULARIO_VERSION << '\n';
        return 0;
    }
    const Command* command = FindCommand(first);
    if (!command) {
        if (!first.empty())
            std::cerr << "formulario7316-cli: unknown command '" << first << "'\n";
        PrintHelp(std::cerr);
        return kExitUsage;
    }
    const CommandArguments arguments(argv + 2, argv + argc);
    CommandStreams streams{std::cin, std::cout, std::cerr};
    return command->run(arguments, streams);
}
