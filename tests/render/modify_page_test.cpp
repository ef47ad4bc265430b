#include "render/modify_page.h"

#include "declaration_nodes.h"
#include "render/brand_catalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const std::array<std::string, 6> kRow{"FA031386.00 DIMPLOMAT 100 BOX 20", "25.0000", "18.75", "100.0000", "0", ""};

// A declaration with every box, "0" but for the two rates, and `rows` copies of kRow.
DeclarationNodes Declaration(int rows = 1)
{
    DeclarationNodes declaration;
    declaration.elements.insert({{"CODIGO_FORMULARIO", "731"}, {"NUMERO_VERSION", "6"},
                                 {"NOMBRE", "TABACALERA DEL NORTE"}});
    for (int id = 2007; id <= 2029; ++id)
        declaration.boxes[id] = "0";
    declaration.boxes[2013] = "0.005";
    declaration.boxes[2014] = "0.0025";
    for (int row = 1; row <= rows; ++row)
        declaration.SetRow(row, kRow);
    return declaration;
}

std::string Build(const DeclarationNodes& declaration)
{
    CPageText page;
    page.Append("left over from an earlier page");
    EXPECT_TRUE(BuildModifyPage(declaration.Nodes(), page));
    return page.str();
}

std::size_t Count(const std::string& text, std::string_view part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The whole tag of the element with that id ("<input ... >"), or "".
std::string Tag(const std::string& page, const std::string& id)
{
    const auto at = page.find("id='" + id + "'");
    if (at == std::string::npos)
        return "";
    const auto start = page.rfind('<', at);
    return page.substr(start, page.find('>', at) - start + 1);
}

// The value attribute of the element with that id; nothing when it has none.
std::optional<std::string> Value(const std::string& page, const std::string& id)
{
    const std::string tag = Tag(page, id);
    const auto at = tag.find(" value='");
    return at == std::string::npos ? std::nullopt : std::optional(tag.substr(at + 8, tag.find('\'', at + 8) - at - 8));
}

} // namespace

TEST(ModifyPage, IsOneCompletePageWithTheFormsScripts)
{
    const std::string page = Build(Declaration());
    std::string head = "<html>\n<link rel='stylesheet' href='res://Formulario7316.exe/#23/#132' type='text/css'>\n";
    for (const char* module : {"133", "134", "135", "136"})
        head += std::string("<script TYPE='text/javascript' src='res://Formulario7316.exe/#23/#") + module +
                "'></script>\n";
    EXPECT_EQ(page.rfind(head + "<head>\n", 0), 0u);
    EXPECT_NE(page.find("<body onload='inicial(); numera_formulario();'>\n<form name='C' METHOD='post'>\n"),
              std::string::npos);
    EXPECT_TRUE(page.ends_with("onclick='if ( (valida_c2021()) && (valida_c2024())) "
                               "validaarchivoanexo();'></p></form></body></html>"));
    for (const auto& [open, close] : {std::pair{"<tr", "</tr>"}, {"<td", "</td>"}, {"<table", "</table>"}})
        EXPECT_EQ(Count(page, open), Count(page, close)) << open;
}

TEST(ModifyPage, WritesEveryInputWithItsAttributesAndHandler)
{
    DeclarationNodes declaration = Declaration();
    declaration.boxes[2020] = "7316";
    const std::string page = Build(declaration);
    const struct {
        const char* id;
        std::vector<const char*> parts;
    } cases[] = {
        {"c1", {"type='hidden'", "value='14302257'"}},                {"c6", {"type='hidden'", "value=''"}},
        {"c2", {"size='22'", "maxlength='13'", "style='TEXT-ALIGN: center'",
                "onblur='validaciones(c2);nitsinguion()'", "value='12345679'"}},
        {"c3", {"size='70'", "maxlength='80'", "value='TABACALERA DEL NORTE'"}},
        {"dia_ini", {"class='lectura' disabled", "size='2'", "FONT-SIZE: xx-small;", "onblur='validacionesfecha()'"}},
        {"mes_ini", {"size='2' maxlength='2'", "onblur='validacionesfecha()'"}},
        {"anio_ini", {"size='8' maxlength='4'", "onblur='validacionesfecha()'"}},
        {"renglones1", {"size='5' maxlength='4'"}},
        {"anio_fin", {"class='lectura' disabled size='8' maxlength='4'"}},
        {"botonanexo1", {"value='Agregar renglones'", "onclick='anexa(C.renglones1,1)'"}},
        {"nrenglon1", {"type='hidden'", "value='0'"}},               {"trenglon1", {"type='hidden'", "value='0'"}},
        {"c2007", {"class='lectura'", "readonly disabled", "onblur='validaciones(c2007)'", "size='23'", "maxlength='13'"}},
        {"c2010", {"readonly disabled", "onblur='validaciones(c2010)'", "size='23'"}},
        {"c2013", {"readonly disabled", "value='0.005'"}},
        {"c2020", {"size='23' maxlength='13'", "onblur='validaciones(c2020)'", "value='7316'"}},
        {"c2021", {"onblur='validaciones(c2021); valida_c2021();'"}}, {"c2026", {"onblur='validaciones(c2026)'"}},
        {"c2024", {"onblur='validaciones(c2024); valida_c2024();'"}},
        {"c2029", {"class='resaltado'", "onblur='validaciones(c2029)'"}},
        {"f11c2", {"onblur='validacionesobjetoanexo(this.name,1,poscol(this.name)); "
                   "calculaBaseImponible(1,1); formateacasilla(this); '", "size='9'", "value='25.0000'"}},
        {"f11c3", {"maxlength='14'", "onblur='validacionesobjetoanexo(this.name,1,poscol("
                   "this.name));verificaBaseImponible(1,1); formateacasilla2(this);'"}},
        {"f11c6", {"maxlength='14'", "onblur='validacionesobjetoanexo(this.name,1,poscol("
                   "this.name)); formateacasilla(this); actualizaTotales()'", "value=''"}},
    };
    for (const auto& expected : cases) {
        const std::string tag = Tag(page, expected.id);
        ASSERT_FALSE(tag.empty()) << expected.id;
        EXPECT_NE(tag.find(std::string("name='") + expected.id + "'"), std::string::npos) << tag;
        for (const char* part : expected.parts)
            EXPECT_NE(tag.find(part), std::string::npos) << expected.id << " lacks " << part;
    }
    EXPECT_EQ(Tag(page, "c3").find("onblur"), std::string::npos);
    EXPECT_EQ(Tag(page, "c2010").find("maxlength"), std::string::npos);
    EXPECT_EQ(Tag(page, "mes_ini").find("disabled"), std::string::npos);
    EXPECT_EQ(Value(page, "renglones1"), std::nullopt);
}

TEST(ModifyPage, AnnexRowsCarryTheirSnippetAndCellsUpToTheFirstGapAndAtMost103)
{
    DeclarationNodes declaration = Declaration();
    declaration.SetRow(2, {"FA030807.00 LIDER KS SOF 21", "10.0000", "7.50", "5.0000", "1.0000", "2.0000"});
    const std::string page = Build(declaration);
    EXPECT_NE(page.find("    <tbody id='cuerpo1'>\n  <tr><td width='3%'>1</td>\n<td width='15%'>"
                        "<script language='JavaScript'> VANEXOSINICIALES[1] = 1; ANEXO[1]=1 </script>\n"
                        "<select name='f11c1' id='f11c1' onblur='validacionesobjetoanexo(this.name,1,"
                        "poscol(this.name)); validamarca(this);' ><option value=''></option>\n"
                        "<option value='FA030807.00 LIDER KS SOF 21'>"),
              std::string::npos);
    EXPECT_NE(page.find("<script language='JavaScript'> VANEXOSINICIALES[1] = 2; ANEXO[1]=2 "), std::string::npos);
    EXPECT_EQ(Count(page, "VANEXOSINICIALES"), 2u);
    EXPECT_EQ(Value(page, "f12c2"), "10.0000");
    EXPECT_EQ(Value(page, "f12c5"), "1.0000");
    EXPECT_EQ(Value(page, "f12c6"), "2.0000");
    EXPECT_EQ(Tag(page, "f13c1"), "");

    const std::string empty = Build(Declaration(0));
    EXPECT_NE(empty.find("    <tbody id='cuerpo1'>\n  </tbody>\n"), std::string::npos);
    EXPECT_EQ(empty.find("VANEXOSINICIALES"), std::string::npos);
    EXPECT_EQ(empty.find("<select"), std::string::npos);

    DeclarationNodes gap = Declaration();
    gap.SetRow(3, kRow);
    EXPECT_EQ(Count(Build(gap), "<select"), 1u);

    const std::string full = Build(Declaration(104));
    EXPECT_EQ(Count(full, "<select"), 103u);
    EXPECT_NE(Tag(full, "f1103c6"), "");
    EXPECT_NE(full.find("VANEXOSINICIALES[1] = 103; ANEXO[1]=103 "), std::string::npos);
}

TEST(ModifyPage, SelectsOnlyTheCatalogueEntryEqualToTheSavedBrand)
{
    const std::string entry24(kBrandCatalogue[23]);
    ASSERT_EQ(entry24, "FA031386.00 DIMPLOMAT 100 BOX 20");
    const std::string escaped = "FA035127.00 L&amp;M ETIQUETA VERDE MNT KS BOX 20";
    const struct {
        std::string saved;
        std::string selectedOption; // "" when nothing is selected
    } cases[] = {
        {entry24, "<option value='" + entry24 + "' selected>" + entry24 + "</option>\n"},
        {"FA035127.00 L&M ETIQUETA VERDE MNT KS BOX 20",
         "<option value='" + escaped + "' selected>" + escaped + "</option>"},
        {entry24 + " ", ""},
        {"fa031386.00 dimplomat 100 box 20", ""},
        {"FA031386.00", ""},
        {"", ""},
    };
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.saved);
        DeclarationNodes declaration = Declaration();
        declaration.boxes[AnnexCellId(1, 1)] = expected.saved;
        const std::string page = Build(declaration);
        EXPECT_EQ(Count(page, " selected"), expected.selectedOption.empty() ? 0u : 1u);
        EXPECT_EQ(Count(page, "<option "), kBrandCatalogue.size()) << "empty option and 77 entries";
        if (!expected.selectedOption.empty())
            EXPECT_NE(page.find(expected.selectedOption), std::string::npos);
        EXPECT_EQ(page.find("L&M"), std::string::npos);
    }
}

TEST(ModifyPage, ZeroIsSuppressedOnlyInBoxes)
{
    DeclarationNodes declaration = Declaration();
    declaration.boxes[2010] = declaration.boxes[2025] = "0.00";
    declaration.boxes[2029] = "1875.00";
    const std::string page = Build(declaration);
    for (const auto& [id, value] : {std::pair{"c2007", ""}, {"c2010", "0.00"}, {"c2024", ""},
                                    {"c2025", "0.00"}, {"c2029", "1875.00"}, {"f11c5", "0"}})
        EXPECT_EQ(Value(page, id), value) << id;
}

TEST(ModifyPage, SplitsThePeriodIntoItsFields)
{
    const struct {
        const char* from;
        const char* to;
        std::vector<std::pair<const char*, const char*>> values;
    } cases[] = {
        {"20120301", "20120331", {{"dia_ini", "01"}, {"mes_ini", "03"}, {"anio_ini", "2012"}, {"dia_fin", "31"},
                                  {"mes_fin", "03"}, {"anio_fin", "2012"}, {"c4", "01/03/2012"}, {"c5", "31/03/2012"}}},
        {"201203", "2012", {{"dia_ini", ""}, {"mes_ini", "03"}, {"anio_ini", "2012"}, {"c4", "/03/2012"},
                            {"dia_fin", ""}, {"mes_fin", ""}, {"c5", "//2012"}}},
        {"", "201212319", {{"anio_ini", ""}, {"c4", "//"}, {"c5", "31/12/2012"}}},
    };
    for (const auto& expected : cases) {
        DeclarationNodes declaration = Declaration();
        declaration.elements["PERIODO_DESDE"] = expected.from;
        declaration.elements["PERIODO_HASTA"] = expected.to;
        const std::string page = Build(declaration);
        for (const auto& [id, value] : expected.values)
            EXPECT_EQ(Value(page, id), value) << expected.from << " " << id;
    }
}

TEST(ModifyPage, ValuesAreEscapedSoTheyComeBackUnchanged)
{
    DeclarationNodes declaration = Declaration();
    declaration.elements["NOMBRE"] = "LA \"ESTRELLA\" & <HIJOS> D'ARCY";
    declaration.boxes[AnnexCellId(1, 2)] = "25'0";
    declaration.numero = "\"1'2\"";
    const std::string page = Build(declaration);
    EXPECT_EQ(Value(page, "c3"), "LA &quot;ESTRELLA&quot; &amp; &lt;HIJOS&gt; D&#39;ARCY");
    EXPECT_EQ(Value(page, "f11c2"), "25&#39;0");
    EXPECT_EQ(Value(page, "c1"), "1&#39;2");
    EXPECT_NE(page.find("<strong>1&#39;2</strong>"), std::string::npos);

    declaration.numero = "";
    EXPECT_EQ(Value(Build(declaration), "c1"), "") << "a short FORMULARIO attribute";
}

TEST(ModifyPage, ResultRowsShowThePayOrTheFavourVariant)
{
    const struct {
        const char* pay;
        const char* favour;
        bool favourShown;
    } cases[] = {{"1500.00", "0", false}, {"0", "250.00", true},  {"0.00", "250.00", true},
                 {"0", "0", false},       {"", "abc", false},     {"1500.00", "250.00", false},
                 {"  12", "250.00", false}};
    for (const auto& expected : cases) {
        SCOPED_TRACE(std::string(expected.pay) + " / " + expected.favour);
        DeclarationNodes declaration = Declaration();
        declaration.boxes[2022] = declaration.boxes[2027] = expected.pay;
        declaration.boxes[2023] = declaration.boxes[2028] = expected.favour;
        const std::string page = Build(declaration);
        const bool favour = expected.favourShown;
        const std::string shown = favour ? expected.favour : expected.pay;
        EXPECT_EQ(Count(page, "id='lyr2'"), 1u);
        EXPECT_EQ(Count(page, "id='c2022'"), 1u);
        EXPECT_NE(page.find(favour ? "(=) Valor a favor del contribuyente"
                                   : "(=) Valor a ingresar (impuesto a pagar menos valor ingresado)&nbsp;"),
                  std::string::npos);
        EXPECT_NE(page.find(favour ? "(=) Saldo a favor del contribuyente"
                                   : "(=) Saldo a pagar (valor a ingresar más multa, intereses y mora)&nbsp;"),
                  std::string::npos);
        for (const auto& [id, favourBox] : {std::pair{"c2022", false}, {"c2027", false}, {"c2023", true}, {"c2028", true}})
            EXPECT_EQ(Value(page, id), favourBox == favour ? std::optional(shown) : std::nullopt) << id;
        EXPECT_EQ(Value(page, "v2"), shown);
        EXPECT_EQ(Value(page, "v3"), shown);
    }
}

TEST(ModifyPage, RefusesADeclarationThatLacksARequiredValue)
{
    const struct {
        const char* element;
        int box;
    } cases[] = {{"FORMULARIO", 0},     {"NIT", 0}, {"NOMBRE", 0}, {"PERIODO_DESDE", 0}, {"PERIODO_HASTA", 0},
                 {"", AnnexCellId(1, 4)}, {"", 2007}, {"", 2016},   {"", 2023},           {"", 2028}, {"", 2029}};
    for (const auto& missing : cases) {
        SCOPED_TRACE(std::string(missing.element) + std::to_string(missing.box));
        DeclarationNodes declaration = Declaration();
        if (missing.element == std::string("FORMULARIO"))
            declaration.numero.reset();
        declaration.elements.erase(missing.element);
        declaration.boxes.erase(missing.box);
        CPageText page;
        EXPECT_FALSE(BuildModifyPage(declaration.Nodes(), page));
    }
}
