#include "commands.h"

#include "host/brand_csv.h"
#include "host/file_reader.h"

#include <ostream>

namespace formulario {

// formulario7316-cli export-csv FILE: the annex rows of a sealed declaration
// as the program exports them; the reason, and status 1, when the file is
// refused.
int RunExportCsvCommand(const CommandArguments& arguments, CommandStreams& streams)
{
    if (arguments.size() != 1 || arguments.front().empty()) {
        streams.err << "usage: formulario7316-cli export-csv FILE\n";
        return kExitUsage;
    }
    const std::optional<std::string> sealed = ReadWholeFile(arguments.front());
    if (!sealed) {
        streams.err << arguments.front() << ": cannot be read\n";
        return 1;
    }
    const CResult<Declaration> declaration = ReadSealedDeclaration(*sealed);
    if (!declaration.ok()) {
        streams.err << arguments.front() << ": " << declaration.status().Describe() << '\n';
        return 1;
    }
    std::vector<BrandCells> rows;
    for (const AnnexRow& row : declaration->rows)
        rows.push_back(row.cells);
    streams.out << BrandCsvText(rows);
    return streams.out.good() ? 0 : 1;
}

}  // namespace formulario
