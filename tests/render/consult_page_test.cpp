#include "render/consult_page.h"

#include "render/declaration_values.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

// A parsed declaration, as the XML reader leaves it: header elements, then
// the boxes, added in document order.
struct Declaration {
    std::optional<std::string> numero = "\"14302257\""; // nothing: no FORMULARIO
    std::map<std::string, std::string> elements = {
        {"NIT", "12345679"},
        {"NOMBRE", "Tabacalera Rubios & Cía. <S.A.> \"El Sol\""},
        {"PERIODO_DESDE", "20120301"},
        {"PERIODO_HASTA", "20120331"},
    };
    std::map<int, std::string> boxes = {
        {6, "46"},
        {7, "FA016962.08 RUBIOS MNT KS BOX 20"}, {8, "25.0000"}, {9, "18.75"},
        {10, "100.0000"}, {11, ""}, {12, ""},
        {17, "L&M KS BOX 20"}, {18, "30.0000"}, {19, "22.50"},
        {20, "50.0000"}, {21, "1.0000"}, {22, "0"},
        {2007, "150.0000"}, {2008, "1.0000"}, {2009, "0"}, {2010, "3000.00"},
        {2011, "22.50"}, {2012, "0"}, {2013, "0.005"}, {2014, "0.0025"},
        {2015, "15"}, {2016, "7.5"}, {2017, "15.00"}, {2018, "0"}, {2019, "2985.00"},
        {2020, "123456"}, {2021, "985.00"}, {2022, "2000.00"}, {2023, "0"},
        {2024, "0.00"}, {2025, "0"}, {2026, "0"}, {2027, "0"}, {2028, "15.00"},
        {2029, "2000.00"},
    };

    void AddAnnexRow(int row, const std::string& brand)
    {
        boxes[AnnexCellId(row, 1)] = brand;
        for (int column = 2; column <= 6; ++column)
            boxes[AnnexCellId(row, column)] = "1.0000";
    }

    CNodeList Nodes() const
    {
        CNodeList nodes;
        if (numero)
            nodes.Add("FORMULARIO", "", "NUMERO", *numero);
        for (const auto& [name, value] : elements)
            nodes.Add(name, value, "", "");
        nodes.Add("CASILLAS", "", "", "");
        for (const auto& [id, value] : boxes)
            nodes.Add("CASILLA", value, "ID", "\"" + std::to_string(id) + "\"");
        return nodes;
    }

    std::string Page(bool expectComplete = true) const
    {
        CPageText page;
        EXPECT_EQ(BuildConsultPage(Nodes(), page), expectComplete);
        return page.str();
    }
};

// The hand-written page: its runs of text in order, with their line numbers.
struct GoldenRun {
    int line;
    std::string text;
};

std::vector<GoldenRun> ReadGoldenRuns()
{
    std::ifstream file(std::filesystem::path(__FILE__).parent_path() / "consult_page_golden.txt");
    EXPECT_TRUE(file) << "consult_page_golden.txt not found";
    std::vector<GoldenRun> runs;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line.front() == '#')
            continue;
        std::string text;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == 'n' || line[i + 1] == 't'))
                text += line[++i] == 'n' ? '\n' : '\t';
            else
                text += line[i];
        }
        runs.push_back({number, text});
    }
    return runs;
}

TEST(BuildConsultPage, MatchesTheHandWrittenPageRunByRun)
{
    const std::string page = Declaration().Page();
    std::size_t position = 0;
    for (const GoldenRun& run : ReadGoldenRuns()) {
        ASSERT_EQ(page.substr(position, run.text.size()), run.text)
            << "golden line " << run.line << ", page offset " << position;
        position += run.text.size();
    }
    EXPECT_EQ(position, page.size()) << "the page goes on: " << page.substr(position, 200);
}

struct AmountCase {
    const char* title;
    int box;
    std::string saved;
    std::string expected; // the cell as the page shows it
};

class Amounts : public testing::TestWithParam<AmountCase> {};

TEST_P(Amounts, AreShownAsSavedExceptAPlainZero)
{
    Declaration declaration;
    declaration.boxes[GetParam().box] = GetParam().saved;
    EXPECT_NE(declaration.Page().find(GetParam().expected), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    BuildConsultPage, Amounts,
    testing::Values(
        AmountCase{"ZeroIsEmpty", 2010, "0",
                   "<td class='der' width='30%' colspan='2'><font size='2'>&nbsp;</font></td>"},
        AmountCase{"ZeroWithDecimalsIsKept", 2010, "0.00",
                   "<td class='der' width='30%' colspan='2'><font size='2'>&nbsp;0.00</font></td>"},
        AmountCase{"TotalZeroIsEmpty", 2029, "0", "<font size='4'><strong></strong></font>"},
        AmountCase{"RectifiedNumberZeroIsEmpty", 2020, "0",
                   "<td width='30%'>&nbsp;<font size='2'><strong></strong></font>"},
        AmountCase{"AnnexZeroIsKept", 12, "0", "<td class=izq><strong>0</strong></td>\n</tr>\n"},
        AmountCase{"PercentageAsSaved", 2013, "0.005", "<td width='15%'>&nbsp;0.005&nbsp;%</td>"}),
    [](const auto& info) { return info.param.title; });

struct ResultCase {
    const char* title;
    std::string pay;
    std::string favour;
    std::string rectificationRow;
    std::string balanceRow;
};

class ResultRows : public testing::TestWithParam<ResultCase> {};

TEST_P(ResultRows, ShowThePayOrTheFavourOrNothing)
{
    Declaration declaration;
    declaration.boxes[2022] = declaration.boxes[2027] = GetParam().pay;
    declaration.boxes[2023] = declaration.boxes[2028] = GetParam().favour;
    const std::string page = declaration.Page();
    EXPECT_NE(page.find(GetParam().rectificationRow), std::string::npos);
    EXPECT_NE(page.find(GetParam().balanceRow), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    BuildConsultPage, ResultRows,
    testing::Values(
        ResultCase{"Pay", "12.50", "0",
                   "<td class='izq' width='70%'>(=) Valor a ingresar (impuesto a pagar menos valor "
                   "ingresado)</td><td class='der' width='30%'><font size='2'>&nbsp;12.50\t</font></td>",
                   "<td class='izq' width='70%'>(=) Saldo a pagar (valor a ingresar más multa, intereses "
                   "y mora)</td><td class='der' width='30%'><font size='2'>&nbsp;12.50</font></td>"},
        ResultCase{"PayWinsOverFavour", "12.50", "3.00",
                   "(=) Valor a ingresar (impuesto a pagar menos valor ingresado)</td>"
                   "<td class='der' width='30%'><font size='2'>&nbsp;12.50\t",
                   "(=) Saldo a pagar (valor a ingresar más multa, intereses y mora)</td>"
                   "<td class='der' width='30%'><font size='2'>&nbsp;12.50<"},
        ResultCase{"Favour", "0", "3.00",
                   "<td class='izq' width='70%'>(=) Saldo favor del contribuyente</td>"
                   "<td class='der' width='30%'><font size='2'>&nbsp;3.00\t</font></td>",
                   "<td class='izq' width='70%'>(=) Saldo favor del contribuyente</td>"
                   "<td class='der' width='30%'><font size='2'>&nbsp;3.00</font></td>"},
        ResultCase{"Neither", "0", "0",
                   "<tr><td class='izq' width='70%'></td><td class='der' width='30%'>"
                   "<font size='2'>&nbsp;\t</font></td></tr>",
                   "<tr><td class='izq' width='70%'></td><td class='der' width='30%'>"
                   "<font size='2'>&nbsp;</font></td></tr>"}),
    [](const auto& info) { return info.param.title; });

TEST(BuildConsultPage, RowsStopAtTheFirstMissingBrand)
{
    Declaration declaration;
    for (int column = 1; column <= 6; ++column)
        declaration.boxes.erase(AnnexCellId(2, column));
    declaration.AddAnnexRow(3, "ROW THREE");
    const std::string page = declaration.Page();
    EXPECT_NE(page.find("<td class=izq><strong>1</strong></td>"), std::string::npos);
    EXPECT_EQ(page.find("<td class=izq><strong>3</strong></td>"), std::string::npos);
    EXPECT_EQ(page.find("ROW THREE"), std::string::npos);
}

TEST(BuildConsultPage, ShowsAtMost103Rows)
{
    Declaration declaration;
    for (int row = 1; row <= 104; ++row)
        declaration.AddAnnexRow(row, "BRAND " + std::to_string(row));
    declaration.boxes.erase(AnnexCellId(104, 2)); // never looked up
    const std::string page = declaration.Page();
    EXPECT_NE(page.find("<td class=izq><strong>103</strong></td>"), std::string::npos);
    EXPECT_NE(page.find("BRAND 103"), std::string::npos);
    EXPECT_EQ(page.find("BRAND 104"), std::string::npos);
    EXPECT_EQ(CountAnnexRows(declaration.Nodes()), 103);
}

TEST(BuildConsultPage, WithoutAnnexTheBodyIsEmpty)
{
    Declaration declaration;
    for (int row = 1; row <= 2; ++row)
        for (int column = 1; column <= 6; ++column)
            declaration.boxes.erase(AnnexCellId(row, column));
    EXPECT_NE(declaration.Page().find("<tbody id=\"cuerpo1\">\n\n  </tbody>\n"), std::string::npos);
}

TEST(BuildConsultPage, PeriodShowsTheStoredEightDigits)
{
    const std::string page = Declaration().Page();
    EXPECT_NE(page.find("<td width='5%'>Del</td><td width='22%' colspan='3'><font size='2'><strong>"
                        "20120301</strong></font></td>"),
              std::string::npos);
    EXPECT_NE(page.find("<td width='5%'>Al</td><td width='22%' colspan='3'><font size='2'><strong>"
                        "20120331</strong></font></td>"),
              std::string::npos);
}

TEST(BuildConsultPage, AShortFormAttributeGivesAnEmptyFormNumber)
{
    for (const std::string numero : {"", "7", "\"\""}) {
        Declaration declaration;
        declaration.numero = numero;
        EXPECT_NE(declaration.Page().find("<font size='3'><strong></strong></font>"), std::string::npos)
            << numero;
    }
}

struct MissingCase {
    const char* title;
    std::string element; // removed from the declaration, with
    int box;             // this box
    bool complete;
};

class MissingValues : public testing::TestWithParam<MissingCase> {};

TEST_P(MissingValues, LeaveThePageIncomplete)
{
    Declaration declaration;
    declaration.boxes[2027] = "0";
    if (GetParam().element == "FORMULARIO")
        declaration.numero.reset();
    declaration.elements.erase(GetParam().element);
    declaration.boxes.erase(GetParam().box);
    CPageText page;
    EXPECT_EQ(BuildConsultPage(declaration.Nodes(), page), GetParam().complete);
    EXPECT_EQ(page.str().ends_with("</html>"), GetParam().complete);
}

INSTANTIATE_TEST_SUITE_P(
    BuildConsultPage, MissingValues,
    testing::Values(MissingCase{"Formulario", "FORMULARIO", 0, false},
                    MissingCase{"Nit", "NIT", 0, false},
                    MissingCase{"Nombre", "NOMBRE", 0, false},
                    MissingCase{"PeriodoDesde", "PERIODO_DESDE", 0, false},
                    MissingCase{"PeriodoHasta", "PERIODO_HASTA", 0, false},
                    MissingCase{"AnnexCellOfACountedRow", "", AnnexCellId(2, 6), false},
                    MissingCase{"FirstBox", "", 2007, false},
                    MissingCase{"LastBox", "", 2029, false},
                    MissingCase{"FavourWhenPayIsZero", "", 2028, false},
                    MissingCase{"FavourWhenPayIsNotZero", "", 2023, true},
                    MissingCase{"BoxSixIsNotRead", "", 6, true}),
    [](const auto& info) { return info.param.title; });

} // namespace
