// formulario7316-cli list over a tree of generated declarations: every file
// a row, the duplicate, the gap and the damaged file marked, and the files'
// values as they are at each run.
#include "commands.h"

#include "host/temporary_directory.h"
#include "register_tree.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace formulario;

namespace {

struct Listing {
    int status;
    std::vector<std::vector<std::string>> lines;  // fields of each line
};

Listing List(const CommandArguments& folders)
{
    std::istringstream in;
    std::ostringstream out, err;
    CommandStreams streams{in, out, err};
    Listing listing{RunListCommand(folders, streams), {}};
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string>& fields = listing.lines.emplace_back();
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');)
            fields.push_back(cell);
        if (line.ends_with('\t'))
            fields.emplace_back();
    }
    return listing;
}

} // namespace

TEST(ListCommand, ListsEveryFileWithTheDuplicateTheGapAndTheDamagedFileMarked)
{
    TemporaryDirectory root;
    RegisterTree::Build(root.path());
    const Listing listing = List({root.str(), root.str() + "/" + RegisterTree::kNits[0]});
    EXPECT_EQ(listing.status, 1);
    ASSERT_EQ(listing.lines.size(), 1u + RegisterTree::kReadable + 2);
    EXPECT_EQ(listing.lines[0], (std::vector<std::string>{"NIT", "Nombre", "Período", "Número de declaración",
                                                          "Número de formulario", "Fecha de presentación",
                                                          "Impuesto a pagar", "Declaración que rectifica", "Archivo",
                                                          "Marca", "Motivo"}));
    std::map<std::string, std::vector<std::string>> marked;  // mark: "NIT period" of each row so marked
    for (const auto& fields : listing.lines) {
        ASSERT_EQ(fields.size(), 11u);
        if (&fields == &listing.lines[0])
            continue;
        if (!fields[9].empty())
            marked[fields[9]].push_back(fields[0] + " " + fields[2] + (fields[10].empty() ? "" : " " + fields[10]));
    }
    const std::map<std::string, std::vector<std::string>> expected = {
        {"Original", {"2000002 03/2011"}},
        {"Corrección 1", {"2000002 03/2011"}},
        {"Falta", {"1000001 06/2011"}},
        {"No se pudo leer", {"  not a sealed declaration text (bits left over after the last byte)"}}};
    EXPECT_EQ(marked, expected);
    const auto& correction = listing.lines[1 + 14 + 3];  // after the header, the first maker's 13 months and gap, two months
    EXPECT_EQ(correction[3], "200000273161103" "11223344");
    EXPECT_EQ(correction[5] + " " + correction[6], "06/03/2012 12.50");

    // A file changed outside the program shows its new values at the next run.
    RegisterTree::Write(root.path(), RegisterTree::kNits[1], 2, "11223344", "07/03/2012", "99.00");
    EXPECT_EQ(List({root.str()}).lines[1 + 14 + 3][6], "99.00");
}

TEST(ListCommand, RefusesAMissingFolderAndAnEmptyCommandLine)
{
    EXPECT_EQ(List({"/nonexistent/folder"}).status, 1);
    EXPECT_EQ(List({"/nonexistent/folder"}).lines.size(), 1u);
    EXPECT_EQ(List({}).status, kExitUsage);
}
