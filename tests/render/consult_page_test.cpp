#include "render/consult_page.h"

#include "declaration_nodes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The declaration the hand-written page shows: two annex rows.
DeclarationNodes Declaration()
{
    DeclarationNodes declaration;
    declaration.elements["NOMBRE"] = "Tabacalera Rubios & Cía. <S.A.> \"El Sol\"";
    declaration.SetRow(1, {"FA016962.08 RUBIOS MNT KS BOX 20", "25.0000", "18.75", "100.0000", "", ""});
    declaration.SetRow(2, {"L&M KS BOX 20", "30.0000", "22.50", "50.0000", "1.0000", "0"});
    const char* boxes[] = {"150.0000", "1.0000", "0",      "3000.00", "22.50", "0",    "0.005", "0.0025",
                           "15",       "7.5",    "15.00",  "0",       "2985.00", "123456", "985.00", "2000.00",
                           "0",        "0.00",   "0",      "0",       "0",     "15.00", "2000.00"};
    for (int id = 2007; id <= 2029; ++id)
        declaration.boxes[id] = boxes[id - 2007];
    return declaration;
}

std::string Page(const DeclarationNodes& declaration)
{
    CPageText page;
    EXPECT_TRUE(BuildConsultPage(declaration.Nodes(), page));
    return page.str();
}

bool Shows(const DeclarationNodes& declaration, const std::string& part)
{
    return Page(declaration).find(part) != std::string::npos;
}

// The hand-written page, one run of text a line ("\n" and "\t" escaped, "#" comments).
TEST(BuildConsultPage, MatchesTheHandWrittenPageRunByRun)
{
    std::ifstream golden(std::filesystem::path(__FILE__).parent_path() / "consult_page_golden.txt");
    ASSERT_TRUE(golden) << "consult_page_golden.txt not found";
    const std::string page = Page(Declaration());
    std::size_t position = 0;
    std::string line;
    for (int number = 1; std::getline(golden, line); ++number) {
        if (line.empty() || line.front() == '#')
            continue;
        std::string run;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const bool escape = line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == 'n' || line[i + 1] == 't');
            run += escape ? (line[++i] == 'n' ? '\n' : '\t') : line[i];
        }
        ASSERT_EQ(page.substr(position, run.size()), run) << "golden line " << number << ", page offset " << position;
        position += run.size();
    }
    EXPECT_EQ(position, page.size()) << "the page goes on: " << page.substr(position, 200);
}

TEST(BuildConsultPage, AmountsAreShownAsSavedExceptAPlainZero)
{
    const struct {
        int box;
        const char* saved;
        const char* cell;
    } cases[] = {
        {2010, "0", "<td class='der' width='30%' colspan='2'><font size='2'>&nbsp;</font></td>"},
        {2010, "0.00", "<td class='der' width='30%' colspan='2'><font size='2'>&nbsp;0.00</font></td>"},
        {2029, "0", "<font size='4'><strong></strong></font>"},
        {2020, "0", "<td width='30%'>&nbsp;<font size='2'><strong></strong></font>"},
        {AnnexCellId(1, 6), "0", "<td class=izq><strong>0</strong></td>\n</tr>\n"},
        {2013, "0.005", "<td width='15%'>&nbsp;0.005&nbsp;%</td>"},
    };
    for (const auto& expected : cases) {
        DeclarationNodes declaration = Declaration();
        declaration.boxes[expected.box] = expected.saved;
        EXPECT_TRUE(Shows(declaration, expected.cell)) << expected.box << " " << expected.saved;
    }
}

TEST(BuildConsultPage, ResultRowsShowThePayOrTheFavourOrNothing)
{
    const std::string pay = "(=) Valor a ingresar (impuesto a pagar menos valor ingresado)";
    const std::string balance = "(=) Saldo a pagar (valor a ingresar más multa, intereses y mora)";
    const std::string favour = "(=) Saldo favor del contribuyente";
    const std::string row = "<td class='izq' width='70%'>", cell = "</td><td class='der' width='30%'><font size='2'>&nbsp;";
    const struct {
        const char* pay;
        const char* favour;
        std::string rectificationRow;
        std::string balanceRow;
    } cases[] = {
        {"12.50", "0", row + pay + cell + "12.50\t</font></td>", row + balance + cell + "12.50</font></td>"},
        {"12.50", "3.00", row + pay + cell + "12.50\t</font></td>", row + balance + cell + "12.50</font></td>"},
        {"0", "3.00", row + favour + cell + "3.00\t</font></td>", row + favour + cell + "3.00</font></td>"},
        {"0", "0", "<tr>" + row + cell + "\t</font></td></tr>", "<tr>" + row + cell + "</font></td></tr>"},
    };
    for (const auto& expected : cases) {
        SCOPED_TRACE(std::string(expected.pay) + " / " + expected.favour);
        DeclarationNodes declaration = Declaration();
        declaration.boxes[2022] = declaration.boxes[2027] = expected.pay;
        declaration.boxes[2023] = declaration.boxes[2028] = expected.favour;
        const std::string page = Page(declaration);
        EXPECT_NE(page.find(expected.rectificationRow), std::string::npos);
        EXPECT_NE(page.find(expected.balanceRow), std::string::npos);
    }
}

TEST(BuildConsultPage, RowsStopAtTheFirstMissingBrandAndAt103)
{
    DeclarationNodes gap = Declaration();
    for (int column = 1; column <= 6; ++column)
        gap.boxes.erase(AnnexCellId(2, column));
    gap.SetRow(3, {"ROW THREE", "1.0000", "1.0000", "1.0000", "1.0000", "1.0000"});
    const std::string page = Page(gap);
    EXPECT_NE(page.find("<td class=izq><strong>1</strong></td>"), std::string::npos);
    EXPECT_EQ(page.find("<td class=izq><strong>3</strong></td>"), std::string::npos);
    EXPECT_EQ(page.find("ROW THREE"), std::string::npos);

    DeclarationNodes full = Declaration();
    for (int row = 1; row <= 104; ++row)
        full.SetRow(row, {"BRAND " + std::to_string(row), "1.0000", "1.0000", "1.0000", "1.0000", "1.0000"});
    full.boxes.erase(AnnexCellId(104, 2)); // never looked up
    const std::string fullPage = Page(full);
    EXPECT_NE(fullPage.find("<td class=izq><strong>103</strong></td>"), std::string::npos);
    EXPECT_NE(fullPage.find("BRAND 103"), std::string::npos);
    EXPECT_EQ(fullPage.find("BRAND 104"), std::string::npos);
    EXPECT_EQ(CountAnnexRows(full.Nodes()), 103);

    DeclarationNodes none = Declaration();
    for (int id = AnnexCellId(1, 1); id <= AnnexCellId(2, 6); ++id)
        none.boxes.erase(id);
    EXPECT_TRUE(Shows(none, "<tbody id=\"cuerpo1\">\n\n  </tbody>\n"));
}

TEST(BuildConsultPage, HeaderShowsThePeriodAsStoredAndAShortFormAttributeAsEmpty)
{
    for (const char* end : {"Del</td><td width='22%' colspan='3'><font size='2'><strong>20120301</strong>",
                            "Al</td><td width='22%' colspan='3'><font size='2'><strong>20120331</strong>"})
        EXPECT_TRUE(Shows(Declaration(), std::string("<td width='5%'>") + end + "</font></td>")) << end;
    for (const std::string numero : {"", "7", "\"\""}) {
        DeclarationNodes declaration = Declaration();
        declaration.numero = numero;
        EXPECT_TRUE(Shows(declaration, "<font size='3'><strong></strong></font>")) << numero;
    }
}

TEST(BuildConsultPage, MissingValuesLeaveThePageIncomplete)
{
    const struct {
        const char* element; // removed from the declaration, with
        int box;             // this box
        bool complete;
    } cases[] = {{"FORMULARIO", 0, false},   {"NIT", 0, false},  {"NOMBRE", 0, false},
                 {"PERIODO_DESDE", 0, false}, {"PERIODO_HASTA", 0, false},
                 {"", AnnexCellId(2, 6), false}, // a cell of a counted row
                 {"", 2007, false},  {"", 2029, false},
                 {"", 2028, false},  // favour when pay is zero
                 {"", 2023, true},   // favour when pay is not zero
                 {"", 6, true}};     // box 6 is not read
    for (const auto& missing : cases) {
        SCOPED_TRACE(std::string(missing.element) + std::to_string(missing.box));
        DeclarationNodes declaration = Declaration();
        declaration.boxes[2027] = "0";
        if (missing.element == std::string("FORMULARIO"))
            declaration.numero.reset();
        declaration.elements.erase(missing.element);
        declaration.boxes.erase(missing.box);
        CPageText page;
        EXPECT_EQ(BuildConsultPage(declaration.Nodes(), page), missing.complete);
        EXPECT_EQ(page.str().ends_with("</html>"), missing.complete);
    }
}

} // namespace
