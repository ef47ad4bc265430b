#include "commands.h"

#include "host/declaration_files.h"
#include "host/register_columns.h"
#include "host/safe_file_writer.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace formulario {

namespace {

// A cell as one tab-separated field: its tabs and line breaks become blanks.
std::string Field(std::string text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

void PrintRow(std::ostream& out, const RegisterRow* row)
{
    for (std::size_t i = 0; i < kRegisterColumns.size(); ++i) {
        const RegisterColumnSpec& spec = kRegisterColumns[i];
        out << (i ? "\t" : "") << Field(row ? RegisterCell(*row, spec.column) : std::string(spec.title));
    }
    out << '\n';
}

}  // namespace

// formulario7316-cli list DIR...: the register of the declaration files under
// the folders, one header line and one tab-separated line per row, gaps
// included; succeeds only when every file read and every folder is one.
int RunListCommand(const CommandArguments& arguments, CommandStreams& streams)
{
    if (arguments.empty()) {
        streams.err << "usage: formulario7316-cli list DIR...\n";
        return kExitUsage;
    }
    bool allRead = true;
    for (const std::string& folder : arguments) {
        std::error_code error;
        if (!std::filesystem::is_directory(Utf8Path(folder), error)) {
            streams.err << folder << ": not a folder\n";
            allRead = false;
        }
    }
    RegisterProgress progress;
    const std::vector<RegisterRow> rows = MarkRegister(ReadRegisterRows(FindDeclarationFiles(arguments), progress));
    PrintRow(streams.out, nullptr);
    for (const RegisterRow& row : rows) {
        PrintRow(streams.out, &row);
        allRead = allRead && row.mark != RegisterMark::kUnreadable;
    }
    return allRead ? 0 : 1;
}

}  // namespace formulario
