#include "render/modify_page.h"

#include "render/brand_catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

struct AnnexRow {
    std::string brand, price, base, made, deductionA, deductionB;
};

// The records the XML reader gives for a declaration, built from its values.
struct Declaration {
    std::string formNumber = "14302257";
    std::map<std::string, std::string> header{{"NIT", "12345679"},
                                              {"NOMBRE", "TABACALERA DEL NORTE"},
                                              {"PERIODO_DESDE", "20120301"},
                                              {"PERIODO_HASTA", "20120331"}};
    std::map<int, AnnexRow> rows;
    std::map<int, std::string> boxes;

    Declaration()
    {
        for (int id = 2007; id <= 2029; ++id)
            boxes[id] = "0";
        boxes[2013] = "0.005";
        boxes[2014] = "0.0025";
    }

    CNodeList Nodes() const
    {
        CNodeList nodes;
        nodes.Add("FORMULARIO", "", "NUMERO", "\"" + formNumber + "\"");
        nodes.Add("CODIGO_FORMULARIO", "731", "", "");
        nodes.Add("NUMERO_VERSION", "6", "", "");
        for (const auto& [name, value] : header)
            nodes.Add(name, value, "", "");
        nodes.Add("CASILLA", "46", "ID", "\"6\"");
        for (const auto& [row, cells] : rows) {
            const std::string* values[] = {&cells.brand,      &cells.price,      &cells.base,
                                           &cells.made,       &cells.deductionA, &cells.deductionB};
            for (int column = 1; column <= 6; ++column)
                AddBox(nodes, 10 * row - 4 + column, *values[column - 1]);
        }
        for (const auto& [id, value] : boxes)
            AddBox(nodes, id, value);
        return nodes;
    }

    static void AddBox(CNodeList& nodes, int id, const std::string& value)
    {
        nodes.Add("CASILLA", value, "ID", "\"" + std::to_string(id) + "\"");
    }
};

std::string Build(const Declaration& declaration)
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
    if (at == std::string::npos)
        return std::nullopt;
    const auto start = at + 8;
    return tag.substr(start, tag.find('\'', start) - start);
}

const AnnexRow kRow{"FA031386.00 DIMPLOMAT 100 BOX 20", "25.0000", "18.75", "100.0000", "0", ""};

}  // namespace

TEST(ModifyPage, IsOneCompletePageWithTheFormsScripts)
{
    Declaration declaration;
    declaration.rows[1] = kRow;
    const std::string page = Build(declaration);
    EXPECT_EQ(page.rfind("<html>\n<link rel='stylesheet' href='res://Formulario7316.exe/#23/#132' "
                         "type='text/css'>\n"
                         "<script TYPE='text/javascript' src='res://Formulario7316.exe/#23/#133'>"
                         "</script>\n"
                         "<script TYPE='text/javascript' src='res://Formulario7316.exe/#23/#134'>"
                         "</script>\n"
                         "<script TYPE='text/javascript' src='res://Formulario7316.exe/#23/#135'>"
                         "</script>\n"
                         "<script TYPE='text/javascript' src='res://Formulario7316.exe/#23/#136'>"
                         "</script>\n<head>\n",
                         0),
              0u);
    EXPECT_NE(page.find("<body onload='inicial(); numera_formulario();'>\n"
                        "<form name='C' METHOD='post'>\n"),
              std::string::npos);
    EXPECT_NE(page.find("onclick='if ( (valida_c2021()) && (valida_c2024())) "
                        "validaarchivoanexo();'></p></form></body></html>"),
              std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 7), "</html>");
    EXPECT_EQ(Count(page, "<tr"), Count(page, "</tr>"));
    EXPECT_EQ(Count(page, "<td"), Count(page, "</td>"));
    EXPECT_EQ(Count(page, "<table"), Count(page, "</table>"));
}

TEST(ModifyPage, WritesEveryInputWithItsAttributesAndHandler)
{
    Declaration declaration;
    declaration.rows[1] = kRow;
    declaration.boxes[2020] = "7316";
    const std::string page = Build(declaration);
    const struct {
        const char* id;
        std::vector<const char*> parts;
    } cases[] = {
        {"c1", {"type='hidden'", "value='14302257'"}},
        {"c2", {"size='22'", "maxlength='13'", "style='TEXT-ALIGN: center'",
                "onblur='validaciones(c2);nitsinguion()'", "value='12345679'"}},
        {"c3", {"size='70'", "maxlength='80'", "value='TABACALERA DEL NORTE'"}},
        {"dia_ini", {"class='lectura' disabled", "size='2'", "FONT-SIZE: xx-small;",
                     "onblur='validacionesfecha()'"}},
        {"mes_ini", {"size='2' maxlength='2'", "onblur='validacionesfecha()'"}},
        {"anio_ini", {"size='8' maxlength='4'", "onblur='validacionesfecha()'"}},
        {"anio_fin", {"class='lectura' disabled size='8' maxlength='4'"}},
        {"c6", {"type='hidden'", "value=''"}},
        {"renglones1", {"size='5' maxlength='4'"}},
        {"botonanexo1", {"value='Agregar renglones'", "onclick='anexa(C.renglones1,1)'"}},
        {"nrenglon1", {"type='hidden'", "value='0'"}},
        {"trenglon1", {"type='hidden'", "value='0'"}},
        {"c2007", {"class='lectura'", "readonly disabled", "onblur='validaciones(c2007)'",
                   "size='23'", "maxlength='13'"}},
        {"c2010", {"readonly disabled", "onblur='validaciones(c2010)'", "size='23'"}},
        {"c2013", {"readonly disabled", "value='0.005'"}},
        {"c2020", {"size='23' maxlength='13'", "onblur='validaciones(c2020)'", "value='7316'"}},
        {"c2021", {"onblur='validaciones(c2021); valida_c2021();'"}},
        {"c2024", {"onblur='validaciones(c2024); valida_c2024();'"}},
        {"c2026", {"onblur='validaciones(c2026)'"}},
        {"c2029", {"class='resaltado'", "onblur='validaciones(c2029)'"}},
        {"f11c2", {"onblur='validacionesobjetoanexo(this.name,1,poscol(this.name)); "
                   "calculaBaseImponible(1,1); formateacasilla(this); '",
                   "size='9'", "value='25.0000'"}},
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

TEST(ModifyPage, AnnexRowsCarryTheirNumberSnippetAndCells)
{
    Declaration declaration;
    declaration.rows[1] = kRow;
    declaration.rows[2] = {"FA030807.00 LIDER KS SOF 21", "10.0000", "7.50", "5.0000", "1.0000",
                           "2.0000"};
    const std::string page = Build(declaration);
    EXPECT_NE(page.find("    <tbody id='cuerpo1'>\n  <tr><td width='3%'>1</td>\n<td width='15%'>"
                        "<script language='JavaScript'> VANEXOSINICIALES[1] = 1; ANEXO[1]=1 "
                        "</script>\n<select name='f11c1' id='f11c1' onblur='validacionesobjetoanexo"
                        "(this.name,1,poscol(this.name)); validamarca(this);' ><option value=''>"
                        "</option>\n<option value='FA030807.00 LIDER KS SOF 21'>"),
              std::string::npos);
    EXPECT_NE(page.find("<script language='JavaScript'> VANEXOSINICIALES[1] = 2; ANEXO[1]=2 "),
              std::string::npos);
    EXPECT_EQ(Count(page, "VANEXOSINICIALES"), 2u);
    EXPECT_EQ(Value(page, "f12c2"), "10.0000");
    EXPECT_EQ(Value(page, "f12c5"), "1.0000");
    EXPECT_EQ(Value(page, "f12c6"), "2.0000");
    EXPECT_EQ(Tag(page, "f13c1"), "");
}

TEST(ModifyPage, NoAnnexRowsGiveAnEmptyBodyAndNoSnippet)
{
    const std::string page = Build(Declaration{});
    EXPECT_NE(page.find("    <tbody id='cuerpo1'>\n  </tbody>\n"), std::string::npos);
    EXPECT_EQ(page.find("VANEXOSINICIALES"), std::string::npos);
    EXPECT_EQ(page.find("<select"), std::string::npos);
}

TEST(ModifyPage, RowsAreCountedUpToTheFirstMissingOneAndAtMost103)
{
    Declaration gap;
    gap.rows[1] = kRow;
    gap.rows[3] = kRow;
    EXPECT_EQ(Count(Build(gap), "<select"), 1u);

    Declaration full;
    for (int row = 1; row <= 104; ++row)
        full.rows[row] = kRow;
    const std::string page = Build(full);
    EXPECT_EQ(Count(page, "<select"), 103u);
    EXPECT_NE(Tag(page, "f1103c6"), "");
    EXPECT_NE(page.find("VANEXOSINICIALES[1] = 103; ANEXO[1]=103 "), std::string::npos);
}

TEST(ModifyPage, SelectsOnlyTheCatalogueEntryEqualToTheSavedBrand)
{
    const std::string entry24(kBrandCatalogue[23]);
    ASSERT_EQ(entry24, "FA031386.00 DIMPLOMAT 100 BOX 20");
    const struct {
        std::string saved;
        std::size_t selections;
    } cases[] = {
        {entry24, 1},
        {entry24 + " ", 0},
        {"fa031386.00 dimplomat 100 box 20", 0},
        {"FA031386.00", 0},
        {"", 0},
    };
    for (const auto& expected : cases) {
        Declaration declaration;
        declaration.rows[1] = kRow;
        declaration.rows[1].brand = expected.saved;
        const std::string page = Build(declaration);
        EXPECT_EQ(Count(page, " selected"), expected.selections) << expected.saved;
        EXPECT_EQ(Count(page, "<option "), kBrandCatalogue.size()) << "empty option and 77 entries";
        if (expected.selections == 1) {
            EXPECT_NE(page.find("<option value='" + entry24 + "' selected>" + entry24 +
                                "</option>\n"),
                      std::string::npos);
        }
    }
}

TEST(ModifyPage, CatalogueTextsAreEscapedAndStillSelectable)
{
    Declaration declaration;
    declaration.rows[1] = kRow;
    declaration.rows[1].brand = "FA035127.00 L&M ETIQUETA VERDE MNT KS BOX 20";
    const std::string page = Build(declaration);
    EXPECT_NE(page.find("<option value='FA035127.00 L&amp;M ETIQUETA VERDE MNT KS BOX 20' selected>"
                        "FA035127.00 L&amp;M ETIQUETA VERDE MNT KS BOX 20</option>"),
              std::string::npos);
    EXPECT_EQ(page.find("L&M"), std::string::npos);
}

TEST(ModifyPage, ZeroIsSuppressedOnlyInBoxes)
{
    Declaration declaration;
    declaration.rows[1] = kRow;
    declaration.boxes[2007] = "0";
    declaration.boxes[2010] = "0.00";
    declaration.boxes[2024] = "0";
    declaration.boxes[2025] = "0.00";
    declaration.boxes[2029] = "1875.00";
    const std::string page = Build(declaration);
    const struct {
        const char* id;
        const char* value;
    } cases[] = {{"c2007", ""},  {"c2010", "0.00"}, {"c2024", ""}, {"c2025", "0.00"},
                 {"c2029", "1875.00"}, {"f11c5", "0"}};
    for (const auto& expected : cases)
        EXPECT_EQ(Value(page, expected.id), expected.value) << expected.id;
}

TEST(ModifyPage, SplitsThePeriodIntoItsFields)
{
    const struct {
        const char* from;
        const char* to;
        std::vector<std::pair<const char*, const char*>> values;
    } cases[] = {
        {"20120301", "20120331", {{"dia_ini", "01"}, {"mes_ini", "03"}, {"anio_ini", "2012"},
                                  {"dia_fin", "31"}, {"mes_fin", "03"}, {"anio_fin", "2012"},
                                  {"c4", "01/03/2012"}, {"c5", "31/03/2012"}}},
        {"201203", "2012", {{"dia_ini", ""}, {"mes_ini", "03"}, {"anio_ini", "2012"},
                            {"c4", "/03/2012"}, {"dia_fin", ""}, {"mes_fin", ""},
                            {"c5", "//2012"}}},
        {"", "201212319", {{"anio_ini", ""}, {"c4", "//"}, {"c5", "31/12/2012"}}},
    };
    for (const auto& expected : cases) {
        Declaration declaration;
        declaration.header["PERIODO_DESDE"] = expected.from;
        declaration.header["PERIODO_HASTA"] = expected.to;
        const std::string page = Build(declaration);
        for (const auto& [id, value] : expected.values)
            EXPECT_EQ(Value(page, id), value) << expected.from << " " << id;
    }
}

TEST(ModifyPage, ValuesAreEscapedSoTheyComeBackUnchanged)
{
    Declaration declaration;
    declaration.header["NOMBRE"] = "LA \"ESTRELLA\" & <HIJOS> D'ARCY";
    declaration.rows[1] = kRow;
    declaration.rows[1].price = "25'0";
    declaration.formNumber = "1'2";
    const std::string page = Build(declaration);
    EXPECT_EQ(Value(page, "c3"), "LA &quot;ESTRELLA&quot; &amp; &lt;HIJOS&gt; D&#39;ARCY");
    EXPECT_EQ(Value(page, "f11c2"), "25&#39;0");
    EXPECT_EQ(Value(page, "c1"), "1&#39;2");
    EXPECT_NE(page.find("<strong>1&#39;2</strong>"), std::string::npos);
}

TEST(ModifyPage, ResultRowsShowThePayOrTheFavourVariant)
{
    const std::string payRectification =
        "(=) Valor a ingresar (impuesto a pagar menos valor ingresado)&nbsp;";
    const std::string favourRectification = "(=) Valor a favor del contribuyente";
    const struct {
        const char* pay;
        const char* favour;
        bool favourShown;
    } cases[] = {
        {"1500.00", "0", false},
        {"0", "250.00", true},
        {"0.00", "250.00", true},
        {"0", "0", false},
        {"", "abc", false},
        {"1500.00", "250.00", false},
        {"  12", "250.00", false},
    };
    for (const auto& expected : cases) {
        Declaration declaration;
        declaration.boxes[2022] = expected.pay;
        declaration.boxes[2023] = expected.favour;
        declaration.boxes[2027] = expected.pay;
        declaration.boxes[2028] = expected.favour;
        const std::string page = Build(declaration);
        const std::string shown = expected.favourShown ? expected.favour : expected.pay;
        const std::string trace = std::string(expected.pay) + " / " + expected.favour;
        EXPECT_EQ(Count(page, "id='lyr2'"), 1u) << trace;
        EXPECT_EQ(Count(page, "id='c2022'"), 1u) << trace;
        EXPECT_NE(page.find(expected.favourShown ? favourRectification : payRectification),
                  std::string::npos)
            << trace;
        EXPECT_NE(page.find(expected.favourShown
                                ? "(=) Saldo a favor del contribuyente"
                                : "(=) Saldo a pagar (valor a ingresar más multa, intereses y "
                                  "mora)&nbsp;"),
                  std::string::npos)
            << trace;
        for (const char* display : {"v2", "v3"})
            EXPECT_EQ(Value(page, display), shown) << trace << " " << display;
        const std::optional<std::string> none;
        EXPECT_EQ(Value(page, "c2022"), expected.favourShown ? none : shown) << trace;
        EXPECT_EQ(Value(page, "c2023"), expected.favourShown ? shown : none) << trace;
        EXPECT_EQ(Value(page, "c2027"), expected.favourShown ? none : shown) << trace;
        EXPECT_EQ(Value(page, "c2028"), expected.favourShown ? shown : none) << trace;
    }
}

TEST(ModifyPage, RefusesADeclarationThatLacksARequiredValue)
{
    const struct {
        const char* what;
        void (*remove)(Declaration&);
    } cases[] = {
        {"NIT", [](Declaration& d) { d.header.erase("NIT"); }},
        {"NOMBRE", [](Declaration& d) { d.header.erase("NOMBRE"); }},
        {"PERIODO_DESDE", [](Declaration& d) { d.header.erase("PERIODO_DESDE"); }},
        {"PERIODO_HASTA", [](Declaration& d) { d.header.erase("PERIODO_HASTA"); }},
        {"box 2007", [](Declaration& d) { d.boxes.erase(2007); }},
        {"box 2016", [](Declaration& d) { d.boxes.erase(2016); }},
        {"box 2023", [](Declaration& d) { d.boxes.erase(2023); }},
        {"box 2028", [](Declaration& d) { d.boxes.erase(2028); }},
        {"box 2029", [](Declaration& d) { d.boxes.erase(2029); }},
    };
    for (const auto& expected : cases) {
        Declaration declaration;
        expected.remove(declaration);
        CPageText page;
        EXPECT_FALSE(BuildModifyPage(declaration.Nodes(), page)) << expected.what;
    }

    Declaration withRow;
    withRow.rows[1] = kRow;
    CNodeList nodes = withRow.Nodes();
    CNodeList lacking;
    for (const CNode& node : nodes)
        if (node.attributeValue != "\"10\"")
            lacking.Add(node.name, node.value, node.attributeName, node.attributeValue);
    CPageText page;
    EXPECT_FALSE(BuildModifyPage(lacking, page)) << "annex cell 10";

    CNodeList noForm;
    for (const CNode& node : nodes)
        if (node.name != "FORMULARIO")
            noForm.Add(node.name, node.value, node.attributeName, node.attributeValue);
    EXPECT_FALSE(BuildModifyPage(noForm, page)) << "FORMULARIO";
}

TEST(ModifyPage, AShortFormNumberAttributeGivesAnEmptyNumber)
{
    Declaration declaration;
    CNodeList nodes = declaration.Nodes();
    nodes.Add("FORMULARIO", "", "", "");
    CPageText page;
    ASSERT_TRUE(BuildModifyPage(nodes, page));
    EXPECT_EQ(Value(page.str(), "c1"), "");
}
