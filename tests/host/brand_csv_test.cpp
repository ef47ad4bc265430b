#include "host/brand_csv.h"

#include <gtest/gtest.h>

using namespace formulario;

namespace {

constexpr char kRubios[] = "FA031005.00 RUBIOS MNT KS BOX 20";
constexpr char kFlavor[] = "FA001849.03 RUBIOS FULL FLAVOR BOX 20´S";  // UTF-8

// "line: cell|cell|..." per row, then "line: reason" per refusal.
std::string Shown(const BrandCsv& csv)
{
    std::string shown;
    for (const CsvBrandRow& row : csv.rows) {
        shown += std::to_string(row.line) + ":";
        for (const std::string& cell : row.cells)
            shown += " " + cell + " |";
        shown += "\n";
    }
    for (const CsvRefusal& refusal : csv.refusals)
        shown += std::to_string(refusal.line) + "! " + refusal.reason + "\n";
    return shown;
}

TEST(BrandCsv, ReadsWhatSpreadsheetsWrite)
{
    const struct {
        const char* name;
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"semicolons, decimal commas, CRLF, BOM",
         "\xEF\xBB\xBFMarca;Precio;Base;Fab;A;B\r\nFA031005.00;25,5;;100;1,25;\r\n",
         "2: " + std::string(kRubios) + " | 25.5 |  | 100 | 1.25 |  |\n"},
        {"commas, decimal points, quotes, LF",
         "Marca,Precio,Base,Fab,A,B\n\"" + std::string(kRubios) + "\",\"25.5\",19.2,100,,\n",
         "2: " + std::string(kRubios) + " | 25.5 | 19.2 | 100 |  |  |\n"},
        {"decimal commas in quotes with comma separators",
         "Marca,Precio\n" + std::string(kRubios) + ",\"25,5\"\n",
         "2: " + std::string(kRubios) + " | 25.5 |  |  |  |  |\n"},
        {"Windows-1252 brand text, CR ends, blank lines and cells trimmed",
         "Marca;Precio\r\r FA001849.03 RUBIOS FULL FLAVOR BOX 20\xB4S ; 30 \r;;;\r",
         "3: " + std::string(kFlavor) + " | 30 |  |  |  |  |\n"},
        {"doubled quotes and a line break inside quotes",
         "Marca;Precio\n\"FA031005\n.00\";1\n\"" + std::string(kRubios) + "\";\"2\"\"\"\n",
         "4: " + std::string(kRubios) + " | 2\" |  |  |  |  |\n"
         "2! la marca «FA031005\n.00» no está en el catálogo\n"},
        {"unknown brand, no brand, seven cells, unclosed quote",
         "Marca;Precio\nXX;1\n;1\n" + std::string(kRubios) + ";1;;;;;7\n\"abc;1\n",
         "2! la marca «XX» no está en el catálogo\n3! no tiene marca\n4! tiene más de seis columnas\n"
         "5! tiene comillas sin cerrar\n"},
        {"a first line that is a row, not the headings",
         std::string(kRubios) + ";1\n", "1! la primera línea debe ser la de los títulos\n"},
        {"headings alone", "Marca;Precio\r\n", "0! el archivo no tiene renglones de marcas\n"},
        {"nothing", "", "0! el archivo no tiene renglones de marcas\n"},
    };
    for (const auto& row : cases)
        EXPECT_EQ(Shown(ReadBrandCsv(row.bytes)), row.shown) << row.name;
}

TEST(BrandCsv, RefusesEveryRowPastTheAnnexsMost)
{
    std::string text = "Marca;Precio\n";
    for (int row = 1; row <= 105; ++row)
        text += std::string(kRubios) + ";1\n";
    const BrandCsv csv = ReadBrandCsv(text);
    EXPECT_EQ(csv.rows.size(), 103u);
    ASSERT_EQ(csv.refusals.size(), 2u);
    EXPECT_EQ(csv.refusals[0].line, 105);
    EXPECT_EQ(csv.refusals[1].reason, "el anexo no admite más de 103 renglones");
}

TEST(BrandCsv, WrittenRowsReadBackUnchanged)
{
    const std::vector<BrandCells> rows = {{kRubios, "25.0000", "18.75", "100.0000", "", "2.5000"},
                                          {kFlavor, "30", "22.50", "7", "1", ""}};
    const std::string text = BrandCsvText(rows);
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBFMarca;Precio sugerido;Base imponible;Fabricados;Inciso A;Inciso B\r\n"
                                 "FA031005.00 RUBIOS MNT KS BOX 20;25,0000;18,75;100,0000;;2,5000\r\n"));
    const BrandCsv read = ReadBrandCsv(text);
    ASSERT_TRUE(read.refusals.empty());
    ASSERT_EQ(read.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(read.rows[i].cells, rows[i]) << i;
}

TEST(BrandCsv, OneMessageNamesEveryRefusedLineInOrder)
{
    EXPECT_EQ(RefusalMessage({{12, "la marca «X» no está en el catálogo"}, {7, "b"}}),
              "Error:\nNo se importó ninguna marca; el anexo queda como estaba.\n"
              "Línea 7: b\nLínea 12: la marca «X» no está en el catálogo");
}

} // namespace
