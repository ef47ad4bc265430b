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
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

// A declaration XML as an independent parser reads it: its error, the CASILLA
// IDs in order, and the texts of elements and boxes (NUMERO: the form number).
struct ParsedDeclaration {
    QString error;
    QStringList ids;
    QHash<QString, QString> texts;
    QString text(const QString& key) const { return texts.value(key, QStringLiteral("<missing>")); }
};

ParsedDeclaration Parse(const QString& xml)
{
    ParsedDeclaration parsed;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = reader.name().toString();
        if (name == QStringLiteral("FORMULARIO")) {
            parsed.texts.insert(QStringLiteral("NUMERO"), reader.attributes().value(QStringLiteral("NUMERO")).toString());
        } else if (name == QStringLiteral("CASILLA")) {
            parsed.ids << reader.attributes().value(QStringLiteral("ID")).toString();
            parsed.texts.insert(parsed.ids.last(), reader.readElementText());
        } else if (name != QStringLiteral("CASILLAS")) {
            parsed.texts.insert(name, reader.readElementText());
        }
    }
    if (reader.hasError())
        parsed.error = reader.errorString();
    return parsed;
}

// The box ids in the order the declaration carries them, with the rows' after box 6.
QStringList BoxIds(const QList<int>& rows)
{
    QStringList ids{QStringLiteral("6")};
    for (int row : rows)
        for (int column = 1; column <= 6; ++column)
            ids << QString::number(10 * (row - 1) + 6 + column);
    for (int box = 2007; box <= 2029; ++box)
        ids << QString::number(box);
    return ids << QStringLiteral("FECPRE") << QStringLiteral("LUGPRE");
}

QString WithoutPresentationDate(QString xml)
{
    return xml.replace(QRegularExpression(QStringLiteral("<CASILLA ID=\"FECPRE\">[^<]*</CASILLA>")), QString());
}

using GenerationTest = FormTest;

TEST_F(GenerationTest, TheDeclarationCharacterForCharacter)
{
    const struct {
        bool row;      // one row: brand 16 at 25, 100 packages
        QString boxes;  // boxes 6, the row's, and 2007-2029
        const char* total;
    } cases[] = {
        {false, "46|0|0|0|0|0|0|0.005|0.0025|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0", "0"},
        {true, "46|<![CDATA[FA033775.00 MARLBORO GOLD ORIGINAL KS BOX 20]]>|25.0000|18.75|100.0000|||100.00|0|0|1875.00|"
               "0|0|0.005|0.0025|9.38|4.69|0|0|1875.00|0|0|1875.00|0|0|0|0|1875.00|0|1875.00", "1875.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        form.reset();
        fillTaxpayer();
        if (c.row)
            fillRow(1, 16, QStringLiteral("25"), QStringLiteral("100"));
        const FormHarness::HostCall call = generateOnce();
        EXPECT_EQ(alerts(), QStringList());
        const QStringList values = c.boxes.split(QLatin1Char('|'));
        const QStringList ids = BoxIds(c.row ? QList<int>{1} : QList<int>{});
        QString boxes;
        for (int i = 0; i < values.size(); ++i)
            boxes += QStringLiteral("  <CASILLA ID=\"%1\">%2</CASILLA>").arg(ids[i], values[i]);
        EXPECT_EQ(call.xml,
            QStringLiteral(" <FORMULARIO NUMERO=\"%1\">  <SOURCE>TRAMIXPC</SOURCE>  <REALSOURCE>TRAMIXLIGHT</REALSOURCE>"
                           " <VERSION>2.0</VERSION>  <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO>"
                           "  <NUMERO_VERSION>6</NUMERO_VERSION>  <ID_CAMBIO>1.5</ID_CAMBIO>  <NIT>12345679</NIT>"
                           "  <PERIODO_DESDE>20120301</PERIODO_DESDE>  <PERIODO_HASTA>20120331</PERIODO_HASTA>"
                           "  <ANEXOS>0</ANEXOS>  <NOMBRE><![CDATA[Tabacalera Ejemplo]]></NOMBRE>"
                           "  <DIRECCION></DIRECCION>  <CONTADOR>0</CONTADOR>  <CASILLAS>%2 "
                           "<CASILLA ID=\"FECPRE\">%3</CASILLA><CASILLA ID=\"LUGPRE\">----------</CASILLA>"
                           " </CASILLAS>  <MONTO>%4</MONTO>  </FORMULARIO> ")
                .arg(form.value(QStringLiteral("c1")), boxes, Today(), QLatin1String(c.total)));
        EXPECT_EQ(Parse(call.xml).error, QString());
    }
}

TEST_F(GenerationTest, ARowPricedZeroIsLeftOutAndTheNextKeepsItsIds)
{
    fillTaxpayer();
    fillRow(1, 1, QStringLiteral("25"), QStringLiteral("10"));
    fillRow(2, 2, QStringLiteral("0"), QStringLiteral("10"));
    fillRow(3, 3, QStringLiteral("30"), QStringLiteral("10"));
    EXPECT_EQ(alerts(), QStringList());
    const ParsedDeclaration xml = Parse(generateOnce().xml);
    ASSERT_EQ(xml.error, QString());
    EXPECT_EQ(xml.ids, BoxIds({1, 3}));
    EXPECT_EQ(xml.text(QStringLiteral("27")), Brand(3));
    EXPECT_EQ(xml.text(QStringLiteral("28")), QStringLiteral("30.0000"));
    EXPECT_EQ(xml.text(QStringLiteral("29")), QStringLiteral("22.5"));
}

// The number, the cleaned NIT and the name reach the host unchanged; the
// markup copy shows the filled form disabled, and the form is enabled as at
// start-up afterwards. Generated again, on another day with a NIT whose
// check digit is wrong: the NIT is reported (once, keeping the focus) but
// the declaration is made, with the same form number and the new date.
TEST_F(GenerationTest, TheNumberNitNameAndMarkupCopyReachTheHost)
{
    const QString name = QStringLiteral("Tabacos & Hijos <Ñandú> S.A.");
    fillTaxpayer(QStringLiteral(" 001234567-9"), name);
    fillRow(1, 42, QStringLiteral("25"), QStringLiteral("100"));
    const FormHarness::HostCall first = generateOnce();
    EXPECT_EQ(alerts(), QStringList());
    const QString formNumber = form.value(QStringLiteral("c1"));
    const ParsedDeclaration xml = Parse(first.xml);
    ASSERT_EQ(xml.error, QString());
    EXPECT_EQ(formNumber.size(), 8);
    EXPECT_EQ(first.number, QStringLiteral("12345679") + QStringLiteral("7316") + QStringLiteral("1203") + formNumber);
    EXPECT_EQ(first.nit, QStringLiteral("12345679"));
    EXPECT_EQ(xml.text(QStringLiteral("NIT")), QStringLiteral("12345679"));
    EXPECT_EQ(xml.text(QStringLiteral("NUMERO")), formNumber);
    EXPECT_TRUE(first.xml.contains(QStringLiteral(" <NOMBRE><![CDATA[") + name + QStringLiteral("]]></NOMBRE> ")));
    EXPECT_EQ(xml.text(QStringLiteral("NOMBRE")), name);

    const auto tag = [&first](const QString& field) {
        return QRegularExpression(QStringLiteral("<(input|select)[^>]*name=\"%1\"[^>]*>").arg(field)).match(first.html).captured(0);
    };
    for (const QString& field : QStringLiteral("c2 mes_ini c2010 validar f11c1 f11c2 f115c6").split(QLatin1Char(' ')))
        EXPECT_TRUE(tag(field).contains(QStringLiteral("disabled"))) << field.toStdString();
    EXPECT_TRUE(tag(QStringLiteral("c2")).contains(QStringLiteral("value=\"12345679\"")));
    EXPECT_TRUE(tag(QStringLiteral("f11c2")).contains(QStringLiteral("value=\"25.0000\"")));
    EXPECT_TRUE(first.html.contains(
        QStringLiteral("<option value=\"FA035127.00 L&amp;M ETIQUETA VERDE MNT KS BOX 20\" selected=\"\">")));
    EXPECT_EQ(js(QStringLiteral(
                  "['c2', 'mes_ini', 'anio_ini', 'validar', 'f11c1', 'f115c6', 'c2021', 'dia_ini', 'dia_fin', 'mes_fin',"
                  " 'anio_fin', 'c1', 'c2010', 'c2029'].map(function (n) {"
                  "  return n + (C[n].disabled ? '-' : '+') + (C[n].readOnly ? 'r' : ''); }).join(' ')")).toString(),
              QStringLiteral("c2+ mes_ini+ anio_ini+ validar+ f11c1+ f115c6+ c2021+ dia_ini- dia_fin- mes_fin- anio_fin-"
                             " c1-r c2010-r c2029-r"));
    EXPECT_EQ(form.values(QStringLiteral("f11c2 trenglon1")), QStringLiteral("25.0000|15"));

    js(QStringLiteral("var RealDate = Date; Date = function () {"
                      "  return arguments.length ? new RealDate(...arguments) : new RealDate(2026, 11, 5); };"));
    form.run(QStringLiteral("c2:=12345678"));
    const FormHarness::HostCall second = generateOnce();
    EXPECT_EQ(alerts(), QStringList{QStringLiteral("Error:\nEl NIT posee un dígito verificador inválido.\n"
                                                   "Por favor escríbalo correctamente")});
    EXPECT_EQ(second.nit, QStringLiteral("12345678"));
    EXPECT_EQ(second.number, QStringLiteral("12345678") + QStringLiteral("7316") + QStringLiteral("1203") + formNumber);
    EXPECT_EQ(Parse(second.xml).text(QStringLiteral("NIT")), QStringLiteral("12345678"));
    EXPECT_EQ(Parse(second.xml).text(QStringLiteral("NUMERO")), formNumber);
    EXPECT_EQ(xml.text(QStringLiteral("FECPRE")), Today());
    EXPECT_EQ(Parse(second.xml).text(QStringLiteral("FECPRE")), QStringLiteral("05/12/2026"));
    // Taking the markup copy does not count as leaving the NIT.
    EXPECT_EQ(alerts(), QStringList());
    EXPECT_EQ(form.focused(), QStringLiteral("c2"));
}

// Rows up to the last one used must be complete: an empty row between used
// rows stops at its base, an incomplete row at its missing cell.
TEST_F(GenerationTest, AnIncompleteOrEmptyRowBeforeTheLastUsedStopsTheGeneration)
{
    const struct {
        QString steps, message, focus;
    } cases[] = {
        {QStringLiteral("f11c1=%1|f11c2=25|f11c4=10|f13c1=%2|f13c2=25|f13c4=10").arg(Brand(1), Brand(3)),
         "Error:\nLa casilla está en blanco. Por favor llénela", "f12c3"},
        {QStringLiteral("f11c1=%1|f11c2=25").arg(Brand(1)),
         "Error:\nAl menos una de las casillas de “Fabricados” y “Deducciones A y B” ha quedado en blanco.\n"
         "Por favor complete la casilla en blanco", "f11c4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps.toStdString());
        form.reset();
        fillTaxpayer();
        form.run(c.steps);
        EXPECT_EQ(alerts(), QStringList());
        EXPECT_TRUE(generate(0).isEmpty());
        EXPECT_EQ(alerts(), QStringList{c.message});
        EXPECT_EQ(form.focused(), c.focus);
    }
}

// Consult shows what was generated as text on a read-only page; Modify shows
// it for editing, "Generar" there gives the same declaration again, and rows
// added there keep the saved ones. The name holds a double quote, an
// apostrophe, an ampersand and a tag, each of which the page could take for markup.
TEST_F(GenerationTest, RoundTripThroughConsultAndModify)
{
    const QString name = QStringLiteral("Tabacalera \"La Estrella\" & <b>Hijos</b> O'Neill &amp; Cía.");
    fillTaxpayer(QStringLiteral("12345679"), name);
    fillRow(1, 16, QStringLiteral("25"), QStringLiteral("100"));
    fillRow(2, 42, QStringLiteral("19.99"), QStringLiteral("40"));
    fillRow(3, 51, QStringLiteral("10.01"), QStringLiteral("250"));
    form.run(QStringLiteral("f13c5=2|c2020=123456|c2021=100|c2024=50"));
    const QString xml = generateOnce().xml;
    ASSERT_FALSE(xml.isEmpty());
    const QStringList computed = form.values(QStringLiteral("c1 c2010 c2029")).split(QLatin1Char('|'));
    ASSERT_FALSE(computed[1].isEmpty());

    ASSERT_TRUE(reopen(xml, ReopenMode::Consult));
    const QString shown = js(QStringLiteral("document.body.innerText")).toString();
    for (const QString& value : computed + QStringList{"12345679", name, "20120301", "20120331", Brand(16), Brand(42),
                                                       Brand(51), "25.0000", "18.75", "100.0000", "19.9900", "123456"})
        EXPECT_TRUE(shown.contains(value)) << value.toStdString();
    EXPECT_EQ(js(QStringLiteral("[document.querySelectorAll('form b').length, cuerpo1.rows.length,"
                                " document.querySelectorAll('input, select, textarea, button').length,"
                                " document.scripts.length, typeof validaciones, document.styleSheets.length,"
                                " document.styleSheets[0].cssRules.length > 0].join(' ')")).toString(),
              QStringLiteral("0 3 0 0 undefined 1 true"));
    EXPECT_EQ(alerts(), QStringList());

    const QString savedFields = QStringLiteral(
        "c2 c3 dia_ini mes_ini anio_ini dia_fin f11c2 f11c3 f12c2 f13c4 f13c5 c2020 c2021 c2024 f11c1 f12c1 f13c1");
    const QString savedValues = QStringList{"12345679", name, "01", "03", "2012", "31", "25.0000", "18.75", "19.9900",
        "250.0000", "2.0000", "123456", "100.00", "50.00", Brand(16), Brand(42), Brand(51)}.join(QLatin1Char('|'));
    ASSERT_TRUE(reopen(xml, ReopenMode::Modify));
    EXPECT_EQ(alerts(), QStringList());
    EXPECT_EQ(form.values(QStringLiteral("c1 c2010 c2029")), computed.join(QLatin1Char('|')));
    EXPECT_EQ(form.values(savedFields), savedValues);
    EXPECT_EQ(rows(), 3);
    const QString again = generateOnce().xml;
    EXPECT_EQ(alerts(), QStringList());
    EXPECT_EQ(WithoutPresentationDate(again), WithoutPresentationDate(xml));
    EXPECT_TRUE(again.contains(QStringLiteral("<NOMBRE><![CDATA[") + name + QStringLiteral("]]></NOMBRE>")));

    form.run(QStringLiteral("renglones1:=2|!botonanexo1"));
    EXPECT_EQ(alerts(), QStringList());
    EXPECT_EQ(rows(), 5);
    EXPECT_TRUE(exists(Cell(5, 6)));
    EXPECT_FALSE(exists(Cell(6, 1)));
    EXPECT_EQ(form.values(savedFields), savedValues);
    fillRow(4, 3, QStringLiteral("30"), QStringLiteral("10"));
    const QString withRow = generateOnce().xml;
    EXPECT_TRUE(withRow.contains(QStringLiteral("<CASILLA ID=\"37\"><![CDATA[") + Brand(3)));
    EXPECT_TRUE(withRow.contains(QStringLiteral("<CASILLA ID=\"38\">30.0000</CASILLA>")));
    EXPECT_TRUE(withRow.contains(QStringLiteral("<CASILLA ID=\"27\"><![CDATA[") + Brand(51)));
}

}  // namespace
