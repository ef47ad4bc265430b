#include "render/modify_page.h"

#include "declaration_sample.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>

using namespace formulario;

namespace {

// The declaration of the expected page: the second row of a brand with an
// ampersand and a zero in its last cell, a computed box of "0.00", an amount
// to pay on the rectification row and a balance in the taxpayer's favour.
SampleDeclaration Sample()
{
    return SampleDeclaration(2).With("17", "FA035127.00 L&M ETIQUETA VERDE MNT KS BOX 20").With("22", "0")
        .With("2010", "0.00").With("2022", "1875.00").With("2028", "250.00").With("2029", "1875.00");
}

std::string Page(const SampleDeclaration& declaration)
{
    CPageText page;
    page.Append("left over from an earlier page");
    EXPECT_TRUE(BuildModifyPage(declaration.Read(), page));
    return page.str();
}

// The value attribute of the element with that id; nothing when it has none.
std::optional<std::string> Value(const std::string& page, const std::string& id)
{
    std::smatch match;
    if (!std::regex_search(page, match, std::regex("id='" + id + "'[^>]*")))
        return std::nullopt;
    const std::string tag = match.str();
    const auto at = tag.find(" value='");
    return at == std::string::npos ? std::nullopt : std::optional(tag.substr(at + 8, tag.find('\'', at + 8) - at - 8));
}

TEST(ModifyPage, MatchesTheExpectedPage)
{
    std::ifstream file(std::filesystem::path(CORE_TEST_DATA) / "render/modify_page_golden.html", std::ios::binary);
    ASSERT_TRUE(file) << "modify_page_golden.html not found";
    const std::string golden{std::istreambuf_iterator<char>(file), {}}, page = Page(Sample());
    std::istringstream expected(golden), built(page);
    std::string want, got;
    for (int line = 1; std::getline(expected, want); ++line) {
        ASSERT_TRUE(std::getline(built, got)) << "the page ends before line " << line;
        ASSERT_EQ(got, want) << "line " << line;
    }
    EXPECT_EQ(page.size(), golden.size()) << page.substr(std::min(page.size(), golden.size()));
}

TEST(ModifyPage, SavedTextsAreEscapedSoTheyComeBackUnchanged)
{
    SampleDeclaration declaration = Sample().With("NOMBRE", "LA \"ESTRELLA\" & <HIJOS> D'ARCY").With("8", "25'0");
    declaration.numero = "\"1'2\"";
    const std::string page = Page(declaration);
    EXPECT_EQ(Value(page, "c3"), "LA &quot;ESTRELLA&quot; &amp; &lt;HIJOS&gt; D&#39;ARCY");
    EXPECT_EQ(Value(page, "f11c2"), "25&#39;0");
    EXPECT_EQ(Value(page, "c1"), "1&#39;2");
    EXPECT_NE(page.find("<strong>1&#39;2</strong>"), std::string::npos);
    declaration.numero = "";
    EXPECT_EQ(Value(Page(declaration), "c1"), "") << "a short FORMULARIO attribute";
}

// The expected page shows the pay variant of one row and the favour variant of
// the other. The pay shows unless it reads as zero (as atof reads it) and the favour does not.
TEST(ModifyPage, ResultRowsShowThePayUnlessOnlyTheFavourIsAnAmount)
{
    const struct {
        const char* name;
        const char* pay;
        const char* favour;
        bool favourShown;
    } cases[] = {{"pay only", "1500.00", "0", false},
                 {"favour only", "0", "250.00", true},
                 {"pay of zero with decimals", "0.00", "250.00", true},
                 {"both zero", "0", "0", false},
                 {"neither a number", "", "abc", false},
                 {"both amounts", "1500.00", "250.00", false},
                 {"pay after blanks", "  12", "250.00", false}};
    for (const auto& [name, pay, favour, favourShown] : cases) {
        SCOPED_TRACE(name);
        const std::string page =
            Page(Sample().With("2022", pay).With("2027", pay).With("2023", favour).With("2028", favour));
        for (const char* display : {"v2", "v3"})
            EXPECT_EQ(Value(page, display), favourShown ? favour : pay);
        EXPECT_EQ(Value(page, "c2023"), favourShown ? std::optional<std::string>(favour) : std::nullopt);
        EXPECT_EQ(page.find("id='v2'", page.find("id='v2'") + 1), std::string::npos);
        EXPECT_NE(page.find(favourShown ? "<div id='lyr2'>\n(=) Valor a favor del contribuyente</div>"
                                        : "<div id='lyr3'>\n(=) Saldo a pagar (valor a ingresar más multa, intereses y "
                                          "mora)&nbsp;</div>"), std::string::npos);
    }
}

// Only the catalogue entry equal to the saved brand, compared whole and
// case-sensitively, is selected.
TEST(ModifyPage, SelectsOnlyTheEntryEqualToTheSavedBrand)
{
    const std::string brand = "FA033775.00 MARLBORO GOLD ORIGINAL KS BOX 20";
    const struct {
        const char* name;
        std::string saved;
    } unselected[] = {{"a blank after it", brand + " "},
                      {"in other case", "fa033775.00 MARLBORO GOLD ORIGINAL KS BOX 20"},
                      {"its code alone", "FA033775.00"},
                      {"no brand", ""}};
    for (const auto& [name, saved] : unselected)
        EXPECT_EQ(Page(SampleDeclaration(1).With("7", saved)).find("' selected>"), std::string::npos) << name;
    EXPECT_NE(Page(SampleDeclaration(1).With("7", brand)).find("value='" + brand + "' selected>"), std::string::npos);
}

} // namespace
