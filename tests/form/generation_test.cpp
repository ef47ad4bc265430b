// "Generar": the checks before the declaration, the declaration XML, its
// number, the markup copy and the hand-over to the host; then the declaration
// saved, reopened by the real Consult and Modify commands, and generated again.
#include "form_test.h"

#include <QDate>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

QString Today()
{
    return QDate::currentDate().toString("dd/MM/yyyy");
}

// What an independent parser reads in a declaration XML: the form number
// ("NUMERO"), the texts of the elements and of the boxes by ID, the box IDs
// in order ("IDS") and the parser's error ("ERROR", empty when well-formed).
QHash<QString, QString> Parse(const QString& xml)
{
    QHash<QString, QString> texts;
    QStringList ids;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = reader.name().toString(), id = reader.attributes().value("ID").toString();
        if (name == "FORMULARIO")
            texts["NUMERO"] = reader.attributes().value("NUMERO").toString();
        else if (name != "CASILLAS")
            texts[name == "CASILLA" ? (ids << id).last() : name] = reader.readElementText();
    }
    texts["IDS"] = ids.join(QLatin1Char(' '));
    texts["ERROR"] = reader.errorString();
    return texts;
}

using GenerationTest = FormTest;

// The declaration as generated, its form number and date of presentation
// written {number} and {date}; the cleaned NIT, the number and the name,
// markup included, reach the host unchanged.
TEST_F(GenerationTest, TheDeclarationCharacterForCharacter)
{
    for (const QString& golden : {"declaration_without_rows.xml", "declaration_one_row.xml"}) {
        form.reset();
        fillTaxpayer(" 001234567-9", "Tabacos & Hijos <Ñandú> S.A.");
        if (golden.contains("one_row"))
            fillRow(1, 16, "25", "100");
        const FormHarness::HostCall call = generate();
        const QString number = form.value("c1");
        EXPECT_EQ(alerts(), QStringList());
        EXPECT_EQ(QString(call.xml).replace(number, "{number}").replace(Today(), "{date}") + '\n',
                  FileText(FORM_TEST_DATA "/" + golden));
        EXPECT_EQ(Parse(call.xml).value("ERROR"), "");
        EXPECT_EQ(call.number + ' ' + call.nit, "12345679" "7316" "1203" + number + " 12345679");
    }
}

TEST_F(GenerationTest, ARowPricedZeroIsLeftOutAndTheNextKeepsItsIds)
{
    fillTaxpayer();
    fillRow(1, 1, "25", "10");
    fillRow(2, 2, "0", "10");
    fillRow(3, 3, "30", "10");
    EXPECT_EQ(alerts(), QStringList());
    const QHash<QString, QString> xml = Parse(generate().xml);
    EXPECT_TRUE(xml.value("IDS").startsWith("6 7 8 9 10 11 12 27 28 29 30 31 32 2007 ")) << xml.value("IDS").toStdString();
    EXPECT_EQ(QStringList({xml.value("27"), xml.value("28"), xml.value("29")}), QStringList({Brand(3), "30.0000", "22.5"}));
}

// The markup copy shows the filled form disabled, and the form is enabled as
// at start-up afterwards. Generated again, on another day with a NIT whose
// check digit is wrong: the NIT is reported (once, keeping the focus) but
// the declaration is made, with the same form number and the new date.
TEST_F(GenerationTest, TheMarkupCopyAndASecondGeneration)
{
    fillTaxpayer();
    fillRow(1, 42, "25", "100");
    const FormHarness::HostCall first = generate();
    const QString formNumber = form.value("c1");
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
              "c2+ mes_ini+ anio_ini+ validar+ f11c1+ f115c6+ c2021+ dia_ini- dia_fin- mes_fin- anio_fin- c1-r c2010-r c2029-r");
    EXPECT_EQ(form.values("f11c2 trenglon1"), "25.0000|15");

    js("var RealDate = Date; Date = function () {"
       "  return arguments.length ? new RealDate(...arguments) : new RealDate(2026, 11, 5); };");
    form.run("c2:=12345678");
    const FormHarness::HostCall second = generate();
    EXPECT_EQ(alerts(), alert("nit-check-digit"));
    EXPECT_EQ(second.number + ' ' + second.nit, "12345678" "7316" "1203" + formNumber + " 12345678");
    const QHash<QString, QString> xml = Parse(first.xml), again = Parse(second.xml);
    EXPECT_EQ(QStringList({xml.value("FECPRE"), again.value("FECPRE"), again.value("NIT"), again.value("NUMERO")}),
              QStringList({Today(), "05/12/2026", "12345678", formNumber}));
    // Taking the markup copy does not count as leaving the NIT.
    EXPECT_EQ(alerts(), QStringList());
    EXPECT_EQ(form.focused(), "c2");
}

// Rows up to the last one used must be complete: an empty row between used
// rows stops at its base, an incomplete row at its missing cell.
TEST_F(GenerationTest, AnIncompleteOrEmptyRowBeforeTheLastUsedStopsTheGeneration)
{
    const QString taxpayer = "c2=12345679|c3=Tabacalera|mes_ini=3|anio_ini=2012|f11c1=" + Brand(1) + "|f11c2=25|";
    expectCases({{taxpayer + "f11c4=10|f13c1=" + Brand(3) + "|f13c2=25|f13c4=10|!validar", "blank", "f12c3", "", "f12c3"}});
    EXPECT_TRUE(hostCalls(0).isEmpty());
    expectCases({{taxpayer + "!validar", "quantities-blank", "f11c4", "", "f11c4"}});
    EXPECT_TRUE(hostCalls(0).isEmpty());
}

// Consult shows what was generated as text on a read-only page; Modify shows
// it for editing, "Generar" there gives the same declaration again, and rows
// added there keep the saved ones. The name holds a double quote, an
// apostrophe, an ampersand and a tag, each of which the page could take for markup.
TEST_F(GenerationTest, RoundTripThroughConsultAndModify)
{
    const QString name = "Tabacalera \"La Estrella\" & <b>Hijos</b> O'Neill &amp; Cía.";
    fillTaxpayer("12345679", name);
    fillRow(1, 16, "25", "100");
    fillRow(2, 42, "19.99", "40");
    fillRow(3, 51, "10.01", "250");
    form.run("f13c5=2|c2020=123456|c2021=100|c2024=50");
    const QString xml = generate().xml, computed = form.values("c1 c2010 c2029");
    ASSERT_FALSE(xml.isEmpty());

    ASSERT_TRUE(reopen(xml, ReopenMode::Consult));
    const QString shown = js("document.body.innerText").toString();
    for (const QString& value : computed.split('|') + QStringList{"12345679", name, "20120301", "20120331", Brand(16),
                                Brand(42), Brand(51), "25.0000", "18.75", "100.0000", "19.9900", "123456"})
        EXPECT_TRUE(shown.contains(value)) << value.toStdString();
    EXPECT_EQ(js("[document.querySelectorAll('form b').length, cuerpo1.rows.length, document.querySelectorAll("
                 "'input, select, textarea, button').length, document.scripts.length, typeof validaciones,"
                 " document.styleSheets.length, document.styleSheets[0].cssRules.length > 0].join(' ')"),
              "0 3 0 0 undefined 1 true");
    EXPECT_EQ(alerts(), QStringList());

    const QString saved = "c2 c3 dia_ini mes_ini anio_ini dia_fin f11c2 f11c3 f12c2 f13c4 f13c5 c2020 c2021 c2024 f11c1 f12c1 f13c1";
    const QString savedValues = QStringList{"12345679", name, "01", "03", "2012", "31", "25.0000", "18.75", "19.9900",
        "250.0000", "2.0000", "123456", "100.00", "50.00", Brand(16), Brand(42), Brand(51)}.join('|');
    ASSERT_TRUE(reopen(xml, ReopenMode::Modify));
    EXPECT_EQ(form.values("c1 c2010 c2029"), computed);
    EXPECT_EQ(form.values(saved), savedValues);
    EXPECT_EQ(rows(), 3);
    const QRegularExpression date("<CASILLA ID=\"FECPRE\">[^<]*</CASILLA>");
    EXPECT_EQ(generate().xml.remove(date), QString(xml).remove(date));
    EXPECT_EQ(alerts(), QStringList());

    form.run("renglones1:=2|!botonanexo1");
    EXPECT_TRUE(rows() == 5 && exists("f15c6") && !exists("f16c1"));
    EXPECT_EQ(form.values(saved), savedValues);
    fillRow(4, 3, "30", "10");
    const QHash<QString, QString> withRow = Parse(generate().xml);
    EXPECT_EQ(QStringList({withRow.value("37"), withRow.value("38"), withRow.value("27")}),
              QStringList({Brand(3), "30.0000", Brand(51)}));
    EXPECT_EQ(alerts(), QStringList());
}

}  // namespace
