#include "render/consult_page.h"

#include "declaration_sample.h"
#include "render/modify_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

using namespace formulario;

namespace {

// The declaration the hand-written page shows: two annex rows.
SampleDeclaration Sample()
{
    SampleDeclaration declaration(2);
    declaration.values["NOMBRE"] = "Tabacalera Rubios & Cía. <S.A.> \"El Sol\"";
    const char* const cells[] = {"FA016962.08 RUBIOS MNT KS BOX 20", "25.0000", "18.75", "100.0000", "", "",
                                 "L&M KS BOX 20", "30.0000", "22.50", "50.0000", "1.0000", "0"};
    const char* const boxes[] = {"150.0000", "1.0000", "0", "3000.00", "22.50", "0", "0.005", "0.0025", "15", "7.5",
                                 "15.00", "0", "2985.00", "123456", "985.00", "2000.00", "0", "0.00", "0", "0", "0",
                                 "15.00", "2000.00"};
    for (int cell = 0; cell < 12; ++cell)
        declaration.values[SampleDeclaration::Cell(cell / 6 + 1, cell % 6 + 1)] = cells[cell];
    for (int id = kFirstBox; id <= kLastBox; ++id)
        declaration.values[std::to_string(id)] = boxes[id - kFirstBox];
    return declaration;
}

std::string Page(const SampleDeclaration& declaration)
{
    CPageText page;
    EXPECT_TRUE(BuildConsultPage(declaration.Read(), page));
    return page.str();
}

// The hand-written page, one run of text a line ("\n" and "\t" escaped, "#" comments).
TEST(BuildConsultPage, MatchesTheHandWrittenPageRunByRun)
{
    std::ifstream golden(std::filesystem::path(CORE_TEST_DATA) / "render/consult_page_golden.txt");
    ASSERT_TRUE(golden) << "consult_page_golden.txt not found";
    const std::string page = Page(Sample());
    std::size_t position = 0;
    std::string line;
    for (int number = 1; std::getline(golden, line); ++number) {
        if (line.empty() || line.front() == '#')
            continue;
        const std::string run =
            std::regex_replace(std::regex_replace(line, std::regex(R"(\\n)"), "\n"), std::regex(R"(\\t)"), "\t");
        ASSERT_EQ(page.substr(position, run.size()), run) << "golden line " << number << ", page offset " << position;
        position += run.size();
    }
    EXPECT_EQ(position, page.size()) << "the page goes on: " << page.substr(position, 200);
}

// The hand-written page shows the amount to pay on the rectification row and
// the favour on the balance row; here both amounts, only the favour, neither.
TEST(BuildConsultPage, ResultRowsShowThePayOrElseTheFavourOrElseNothing)
{
    const auto row = [](const std::string& label, const std::string& amount) {
        return "<tr><td class='izq' width='70%'>" + label + "</td><td class='der' width='30%'><font size='2'>&nbsp;" +
               amount + "</font>";
    };
    const auto page = [](const char* pay, const char* favour) {
        return Page(Sample().With("2022", pay).With("2023", favour).With("2027", pay).With("2028", favour));
    };
    const std::string both = page("12.50", "3.00"), favour = page("0", "3.00"), neither = page("0", "0");
    EXPECT_NE(both.find(row("(=) Valor a ingresar (impuesto a pagar menos valor ingresado)", "12.50\t")), both.npos);
    EXPECT_NE(both.find(row("(=) Saldo a pagar (valor a ingresar más multa, intereses y mora)", "12.50")), both.npos);
    EXPECT_NE(favour.find(row("(=) Saldo favor del contribuyente", "3.00\t")), std::string::npos);
    EXPECT_TRUE(neither.find(row("", "\t")) != std::string::npos && neither.find(row("", "")) != std::string::npos);
}

// Every row whose brand is there, up to row 103, is shown, numbered one after
// another: the last row shown holds the packages of the last row read.
TEST(PageBuilders, ShowEveryAnnexRowPresentOneAfterAnotherUpTo103)
{
    // 17 and 7: the brands of rows 2 and 1; 1036: the price of row 104, never read.
    const struct {
        const char* name;
        int rows;
        const char* omitted;
        int shown, lastRead;
    } cases[] = {{"no rows", 0, "", 0, 0},
                 {"row 2 without its brand", 3, "17", 2, 3},
                 {"row 1 without its brand", 3, "7", 2, 3},
                 {"a row past the last", 104, "1036", 103, 103}};
    for (const auto& [name, rows, omitted, shown, lastRead] : cases) {
        SCOPED_TRACE(name);
        const SampleDeclaration declaration = SampleDeclaration(rows).Without(omitted);
        const std::string consult = Page(declaration), number = std::to_string(shown), next = std::to_string(shown + 1);
        CPageText modify;
        ASSERT_TRUE(BuildModifyPage(declaration.Read(), modify));
        EXPECT_EQ(consult.find("<td class=izq><strong>" + next + "</strong></td>"), std::string::npos);
        EXPECT_EQ(modify.str().find("<select name='f1" + next + "c1'"), std::string::npos);
        EXPECT_NE(shown ? consult.find("<td class=izq><strong>" + number + "</strong></td>")
                        : consult.find("<tbody id=\"cuerpo1\">\n\n  </tbody>\n"), std::string::npos);
        EXPECT_NE(modify.str().find(shown ? "VANEXOSINICIALES[1] = " + number + "; ANEXO[1]=" + number + " </script>\n"
                                            "<select name='f1" + number + "c1'" : "<tbody id='cuerpo1'>\n  </tbody>\n"),
                  std::string::npos);
        const std::string packages = std::to_string(100 * lastRead) + ".0000";
        EXPECT_TRUE(!shown || modify.str().find("id='f1" + number + "c4' value='" + packages + "'") != std::string::npos)
           ;
    }
}

// Reading names the first header element or cell of a row present that the
// declaration lacks; then each page stops at the first box it needs and
// cannot find: the Consult page reads the favour only when the amount to pay
// is zero, and neither reads box 6.
TEST(PageBuilders, RefuseADeclarationThatLacksAValueTheyRead)
{
    const struct {
        const char* name;
        const char* omitted;
        const char* reason;
        bool consultComplete, modifyComplete;
    } cases[] = {{"the root element", "FORMULARIO", "lacks FORMULARIO", false, false},
                 {"the NIT", "NIT", "lacks NIT", false, false},
                 {"the name", "NOMBRE", "lacks NOMBRE", false, false},
                 {"the period's start", "PERIODO_DESDE", "lacks PERIODO_DESDE", false, false},
                 {"the period's end", "PERIODO_HASTA", "lacks PERIODO_HASTA", false, false},
                 {"a cell of a row present", "10", "lacks CASILLA 10", false, false},
                 {"a cell of the last row", "22", "lacks CASILLA 22", false, false},
                 {"the first total", "2007", "ok", false, false},
                 {"a maximum deduction", "2016", "ok", false, false},
                 {"the total to pay", "2029", "ok", false, false},
                 {"the favour balance", "2028", "ok", false, false},
                 {"the rectification's favour", "2023", "ok", true, false},
                 {"box 6", "6", "ok", true, true}};
    for (const auto& [name, omitted, reason, consultComplete, modifyComplete] : cases) {
        SCOPED_TRACE(name);
        const CResult<Declaration> read = ReadDeclaration(Sample().With("2027", "0").Without(omitted).Nodes());
        EXPECT_EQ(read.status().Describe(), reason);
        CPageText consult, modify;
        EXPECT_EQ(read.ok() && BuildConsultPage(*read, consult), consultComplete);
        EXPECT_EQ(consult.str().ends_with("</html>"), consultComplete);
        EXPECT_EQ(read.ok() && BuildModifyPage(*read, modify), modifyComplete);
    }
}

} // namespace
