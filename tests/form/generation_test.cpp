// "Generar": the checks before the declaration, the declaration XML, its
// number, the markup copy and the hand-over to the host; then the declaration
// saved, reopened by the real Consult and Modify commands, and generated again.
#include "form_test.h"

#include <QDate>
#include <QRegularExpression>

using namespace formulario;

namespace {

const QString kToday = QDate::currentDate().toString("dd/MM/yyyy");
const QString kTaxpayer = "c2=%1|c3=%2|mes_ini=3|anio_ini=2012|";  // NIT, name, and the period March 2012

// The text of the declaration's box with that ID, or of its element with that name.
QString Text(const QString& xml, const QString& key)
{
    return QRegularExpression("<(?:CASILLA ID=\"" + key + "\"|" + key + ")>(?:<!\\[CDATA\\[)?(.*?)(?:\\]\\]>)?</")
        .match(xml).captured(1);
}

using GenerationTest = FormTest;

// The declaration as generated, its form number and date of presentation
// written {number} and {date}: without rows, and with one. The
// cleaned NIT, the number and the name, markup included, reach the host
// unchanged (the declarations are well-formed XML).
TEST_F(GenerationTest, TheDeclarationCharacterForCharacter)
{
    const std::pair<QString, QString> cases[] = {
        {"declaration_without_rows.xml", ""}, {"declaration_one_row.xml", "f11c1=" + Brand(16) + "|f11c2=25|f11c4=100"}};
    for (const auto& [golden, rows] : cases) {
        form.reset();
        form.run(kTaxpayer.arg(" 001234567-9", "Tabacos & Hijos <Ñandú> S.A.") + rows);
        const FormHarness::HostCall call = generate();
        const QString number = form.values("c1");
        EXPECT_EQ(alerts(), QStringList());
        EXPECT_EQ(QString(call.xml).replace(number, "{number}").replace(kToday, "{date}") + '\n',
                  FileText(FORM_TEST_DATA "/" + golden));
        EXPECT_EQ(call.number + ' ' + call.nit, "12345679" "7316" "1203" + number + " 12345679");
    }
}

// The markup copy shows the filled form disabled, and the form is enabled as
// at start-up afterwards. Generated again, on another day with a NIT whose
// check digit is wrong: the NIT is reported (once, keeping the focus) but
// the declaration is made, with the same form number and the new date.
TEST_F(GenerationTest, TheMarkupCopyAndASecondGeneration)
{
    form.run(kTaxpayer.arg("12345679", "Tabacalera") + "f11c1=" + Brand(42) + "|f11c2=25|f11c4=100");
    const FormHarness::HostCall first = generate();
    const QString number = form.values("c1");
    const auto tag = [&first](const QString& field) {
        return QRegularExpression("<(input|select)[^>]*name=\"" + field + "\"[^>]*>").match(first.html).captured(0);
    };
    for (const QString& field : QString("c2 mes_ini c2010 validar f11c1 f11c2 f115c6").split(' '))
        EXPECT_TRUE(tag(field).contains("disabled")) << field.toStdString();
    EXPECT_TRUE(tag("c2").contains("value=\"12345679\"") && tag("f11c2").contains("value=\"25.0000\""));
    EXPECT_TRUE(first.html.contains("<option value=\"FA035127.00 L&amp;M ETIQUETA VERDE MNT KS BOX 20\" selected=\"\">"));
    EXPECT_EQ(js("['c2', 'mes_ini', 'anio_ini', 'validar', 'f11c1', 'f115c6', 'c2021', 'dia_ini', 'dia_fin', 'mes_fin',"
                 " 'anio_fin', 'c1', 'c2010', 'c2029'].map(function (n) {"
                 "  return n + (C[n].disabled ? '-' : '+') + (C[n].readOnly ? 'r' : ''); }).join(' ')"),
              "c2+ mes_ini+ anio_ini+ validar+ f11c1+ f115c6+ c2021+ dia_ini- dia_fin- mes_fin- anio_fin- c1-r c2010-r"
              " c2029-r");
    EXPECT_EQ(form.values("f11c2 trenglon1"), "25.0000|15");

    js("var RealDate = Date; Date = function () {"
       "  return arguments.length ? new RealDate(...arguments) : new RealDate(2026, 11, 5); };");
    form.run("c2:=12345678");
    const FormHarness::HostCall second = generate();
    EXPECT_EQ(alerts(), alert("nit-check-digit"));
    EXPECT_EQ(second.number + ' ' + second.nit, "12345678" "7316" "1203" + number + " 12345678");
    EXPECT_EQ(QStringList({Text(first.xml, "FECPRE"), Text(second.xml, "FECPRE"), Text(second.xml, "NIT")}),
              QStringList({kToday, "05/12/2026", "12345678"}));
    EXPECT_TRUE(second.xml.startsWith(" <FORMULARIO NUMERO=\"" + number + "\">"));
    // Taking the markup copy does not count as leaving the NIT.
    EXPECT_EQ(alerts(), QStringList());
    EXPECT_EQ(form.focused(), "c2");
}

// A name written to close its element and add a NIT comes back whole, with
// the typed NIT the only one; a NIT holding markup is refused on leaving it
// and at "Generar", where nothing is generated.
TEST_F(GenerationTest, MarkupInTheNameOrTheNitCannotRewriteTheDeclaration)
{
    const QString name = "A]]></NOMBRE> <NIT>99999999</NIT> <NOMBRE><![CDATA[B";
    form.run(kTaxpayer.arg("12345679", name) + "f11c1=" + Brand(16) + "|f11c2=25|f11c4=100");
    const QString xml = generate().xml;
    EXPECT_TRUE(IsSealableDeclaration(xml.toStdString()));
    CXmlReader reader;
    ASSERT_TRUE(reader.Parse(xml.toStdString()));
    const auto named = [&reader](const char* element) {
        QStringList values;
        for (const CNode& node : reader.Nodes())
            if (node.name == element && !node.value.empty())
                values.append(QString::fromStdString(node.value));
        return values.join('|');
    };
    EXPECT_EQ(named("NIT") + ' ' + named("NOMBRE"), "12345679 " + name);
    ASSERT_TRUE(reopen(xml, ReopenMode::kModify));
    EXPECT_EQ(form.values("c2 c3"), "12345679|" + name);
    EXPECT_EQ(alerts(), QStringList());

    const QString taxpayer = kTaxpayer.arg("12345679", "Tabacalera");
    expectCases({{"c2=12&34", "c2", "", "nit-markup", "c2"}, {"c2=\"1234\"", "c2", "", "nit-markup", "c2"},
                 {taxpayer + "c2:=1<2|!validar", "c2", "", "nit-markup", "c2"}});
    EXPECT_TRUE(form.takeHostCalls(0).isEmpty());
}

// Rows up to the last one used must be complete: an empty row between used
// rows stops at its base, a row priced 0 at its price, an incomplete row at
// its missing cell, a taxed row without a brand at its brand.
TEST_F(GenerationTest, AnIncompleteOrEmptyRowBeforeTheLastUsedStopsTheGeneration)
{
    const QString taxpayer = kTaxpayer.arg("12345679", "Tabacalera") + "f11c1=" + Brand(1) + "|f11c2=25|";
    expectCases({{taxpayer + "f11c4=10|f13c1=" + Brand(3) + "|f13c2=25|f13c4=10|!validar", "f12c3", "", "blank", "f12c3"},
                 {taxpayer + "f11c4=10|f12c1=" + Brand(2) + "|f12c2:=0.00004|f12c4=10|!validar", "f12c2", "0.00004",
                  "price-zero", "f12c2"}});
    EXPECT_TRUE(form.takeHostCalls(0).isEmpty());
    expectCases({{taxpayer + "!validar", "f11c4", "", "quantities-blank", "f11c4"},
                 {kTaxpayer.arg("12345679", "Tabacalera") + "f11c2:=25|f11c3:=18.75|f11c4:=100|!validar", "f11c2",
                  "25", "brand-blank", "f11c1"}});
    EXPECT_TRUE(form.takeHostCalls(0).isEmpty());
}

// A file that holds rows 1 and 3 (written by a form that left a row priced 0
// out) shows both rows, one after the other, in Consult and in Modify, and
// "Generar" on the Modify page writes both, with the totals of the rows shown.
TEST_F(GenerationTest, AFileWithRowsOneAndThreeReopensWithBoth)
{
    const QString xml = FileText(FORM_TEST_DATA "/declaration_unpriced_row.xml").trimmed()
                            .replace("{number}", "14302257").replace("{date}", "05/12/2026");
    const QString first = "FA030807.00 LIDER KS SOF 21", third = "FA031003.00 RUBIOS KS SOF 20";
    ASSERT_TRUE(reopen(xml, ReopenMode::kConsult));
    const QString shown = js("document.body.innerText").toString();
    EXPECT_TRUE(shown.contains(first) && shown.contains(third) && shown.contains("30.0000"));
    EXPECT_EQ(js("cuerpo1.rows.length"), 2);

    ASSERT_TRUE(reopen(xml, ReopenMode::kModify));
    EXPECT_EQ(form.values("ANEXO[1] f11c1 f12c1 f12c2"), "2|" + first + '|' + third + "|30.0000");
    const QString again = generate().xml;
    EXPECT_EQ(QStringList({Text(again, "7"), Text(again, "17"), Text(again, "18"), Text(again, "2007"),
                           Text(again, "2010")}),
              QStringList({first, third, "30.0000", "20.00", "412.50"}));
    EXPECT_EQ(alerts(), QStringList());
}

// Consult shows what was generated as text on a read-only page; Modify shows
// it for editing, "Generar" there gives the same declaration again, and rows
// added there keep the saved ones. The name holds a double quote, an
// apostrophe, an ampersand and a tag, each of which the page could take for markup.
TEST_F(GenerationTest, RoundTripThroughConsultAndModify)
{
    const QString name = "Tabacalera \"La Estrella\" & <b>Hijos</b> O'Neill &amp; Cía.";
    form.run(kTaxpayer.arg("12345679", name) + "f11c1=" + Brand(16) + "|f11c2=25|f11c4=100|f12c1=" + Brand(42)
             + "|f12c2=19.99|f12c4=40|f13c1=" + Brand(51) + "|f13c2=10.01|f13c4=250|f13c5=2|c2020=123456|c2021=100"
             + "|c2024=50");
    const QString xml = generate().xml, computed = form.values("c1 c2010 c2029");
    ASSERT_FALSE(xml.isEmpty());

    ASSERT_TRUE(reopen(xml, ReopenMode::kConsult));
    const QString shown = js("document.body.innerText").toString();
    for (const QString& value : computed.split('|') + QStringList{"12345679", name, "20120301", "20120331", Brand(16),
                                Brand(42), Brand(51), "25.0000", "18.75", "100.0000", "19.9900", "123456"})
        EXPECT_TRUE(shown.contains(value)) << value.toStdString();
    EXPECT_EQ(js("[document.querySelectorAll('form b').length, cuerpo1.rows.length, document.querySelectorAll("
                 "'input, select, textarea, button').length, document.scripts.length, typeof validaciones,"
                 " document.styleSheets.length, document.styleSheets[0].cssRules.length > 0].join(' ')"),
              "0 3 0 0 undefined 1 true");
    EXPECT_EQ(alerts(), QStringList());

    const QString saved = "c2 c3 dia_ini mes_ini anio_ini dia_fin f11c2 f11c3 f12c2 f13c4 f13c5 c2020 c2021 c2024"
                          " f11c1 f12c1 f13c1";
    const QString savedValues = QStringList{"12345679", name, "01", "03", "2012", "31", "25.0000", "18.75", "19.9900",
        "250.0000", "2.0000", "123456", "100.00", "50.00", Brand(16), Brand(42), Brand(51)}.join('|');
    ASSERT_TRUE(reopen(xml, ReopenMode::kModify));
    EXPECT_EQ(form.values("c1 c2010 c2029 ANEXO[1]"), computed + "|3");
    EXPECT_EQ(form.values(saved), savedValues);
    const QRegularExpression date("<CASILLA ID=\"FECPRE\">[^<]*</CASILLA>");
    EXPECT_EQ(generate().xml.remove(date), QString(xml).remove(date));
    EXPECT_EQ(alerts(), QStringList());

    form.run("renglones1:=2|!botonanexo1");
    EXPECT_EQ(form.values("ANEXO[1] C.f15c6.id C.f16c1"), "5|f15c6|undefined");
    EXPECT_EQ(form.values(saved), savedValues);
    form.run("f14c1=" + Brand(3) + "|f14c2=30|f14c4=10");
    const QString withRow = generate().xml;
    EXPECT_EQ(QStringList({Text(withRow, "37"), Text(withRow, "38"), Text(withRow, "27")}),
              QStringList({Brand(3), "30.0000", Brand(51)}));
    EXPECT_EQ(alerts(), QStringList());
}

}  // namespace
