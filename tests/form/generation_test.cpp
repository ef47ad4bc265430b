// "Generar": the checks before the declaration, the declaration XML, its
// number, the markup copy and the hand-over to the host.
#include "annex_form.h"

#include <QDate>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

QString Today()
{
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

// A declaration XML as an independent parser reads it.
struct ParsedDeclaration {
    QString error;                  // empty when well-formed
    QStringList elements, ids;      // element names and CASILLA IDs, in document order
    QHash<QString, QString> texts;  // elements' texts, boxes' texts by ID; NUMERO: the form number

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
        parsed.elements << name;
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

const QStringList kElementsBeforeBoxes = QStringLiteral(
    "FORMULARIO SOURCE REALSOURCE VERSION CODIGO_FORMULARIO NUMERO_VERSION ID_CAMBIO NIT"
    " PERIODO_DESDE PERIODO_HASTA ANEXOS NOMBRE DIRECCION CONTADOR CASILLAS").split(QLatin1Char(' '));

// The box ids in the order the declaration carries them, with `annexIds` after box 6.
QStringList BoxIds(const QList<int>& annexIds)
{
    QStringList ids{QStringLiteral("6")};
    for (int id : annexIds)
        ids << QString::number(id);
    for (int box = 2007; box <= 2029; ++box)
        ids << QString::number(box);
    return ids << QStringLiteral("FECPRE") << QStringLiteral("LUGPRE");
}

QList<int> RowIds(int row)
{
    QList<int> ids;
    for (int column = 1; column <= 6; ++column)
        ids << 10 * (row - 1) + 6 + column;
    return ids;
}

class GenerationTest : public AnnexFormTest {
protected:
    QString formNumber() { return form.value(QStringLiteral("c1")); }
};

// ---- The declaration XML ----

TEST_F(GenerationTest, WithoutAnnexEveryBoxIsZeroButTheRates)
{
    fillTaxpayer();
    const FormHarness::HostCall call = generateOnce();
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    const ParsedDeclaration xml = Parse(call.xml);
    ASSERT_EQ(xml.error, QString()) << call.xml.toStdString();
    EXPECT_EQ(xml.elements.mid(0, kElementsBeforeBoxes.size()), kElementsBeforeBoxes);
    EXPECT_EQ(xml.ids, BoxIds({}));
    EXPECT_EQ(xml.elements.last(), QStringLiteral("MONTO"));
    for (int box = 2007; box <= 2029; ++box) {
        const QString expected = box == 2013 ? QStringLiteral("0.005")
                               : box == 2014 ? QStringLiteral("0.0025") : QStringLiteral("0");
        EXPECT_EQ(xml.text(QString::number(box)), expected) << box;
    }
    EXPECT_EQ(xml.text(QStringLiteral("6")), QStringLiteral("46"));
    EXPECT_EQ(xml.text(QStringLiteral("MONTO")), QStringLiteral("0"));
    EXPECT_EQ(xml.text(QStringLiteral("PERIODO_DESDE")), QStringLiteral("20120301"));
    EXPECT_EQ(xml.text(QStringLiteral("PERIODO_HASTA")), QStringLiteral("20120331"));
}

TEST_F(GenerationTest, OneRowDeclarationCharacterForCharacter)
{
    fillTaxpayer();
    fillRow(1, 16, QStringLiteral("25"), QStringLiteral("100"));
    const FormHarness::HostCall call = generateOnce();
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    // Boxes 6, 7-12 and 2007-2029, each after two blanks.
    const QStringList values = QStringLiteral(
        "46|<![CDATA[FA033775.00 MARLBORO GOLD ORIGINAL KS BOX 20]]>|25.0000|18.75|100.0000|||"
        "100.00|0|0|1875.00|0|0|0.005|0.0025|9.38|4.69|0|0|1875.00|0|0|1875.00|0|0|0|0|1875.00|0|1875.00")
        .split(QLatin1Char('|'));
    const QStringList ids = BoxIds(RowIds(1));
    QString boxes;
    for (int i = 0; i < values.size(); ++i)
        boxes += QStringLiteral("  <CASILLA ID=\"%1\">%2</CASILLA>").arg(ids[i], values[i]);
    const QString expected =
        QStringLiteral(" <FORMULARIO NUMERO=\"%1\">  <SOURCE>TRAMIXPC</SOURCE>  <REALSOURCE>TRAMIXLIGHT</REALSOURCE>"
                       " <VERSION>2.0</VERSION>  <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO>"
                       "  <NUMERO_VERSION>6</NUMERO_VERSION>  <ID_CAMBIO>1.5</ID_CAMBIO>  <NIT>12345679</NIT>"
                       "  <PERIODO_DESDE>20120301</PERIODO_DESDE>  <PERIODO_HASTA>20120331</PERIODO_HASTA>"
                       "  <ANEXOS>0</ANEXOS>  <NOMBRE><![CDATA[Tabacalera Ejemplo]]></NOMBRE>"
                       "  <DIRECCION></DIRECCION>  <CONTADOR>0</CONTADOR>  <CASILLAS>%2 "
                       "<CASILLA ID=\"FECPRE\">%3</CASILLA><CASILLA ID=\"LUGPRE\">----------</CASILLA>"
                       " </CASILLAS>  <MONTO>1875.00</MONTO>  </FORMULARIO> ")
            .arg(formNumber(), boxes, Today());
    EXPECT_EQ(call.xml, expected);
    EXPECT_EQ(Parse(call.xml).error, QString());
}

TEST_F(GenerationTest, ARowPricedZeroIsLeftOutAndTheNextKeepsItsIds)
{
    fillTaxpayer();
    fillRow(1, 1, QStringLiteral("25"), QStringLiteral("10"));
    fillRow(2, 2, QStringLiteral("0"), QStringLiteral("10"));
    fillRow(3, 3, QStringLiteral("30"), QStringLiteral("10"));
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    const ParsedDeclaration xml = Parse(generateOnce().xml);
    ASSERT_EQ(xml.error, QString());
    EXPECT_EQ(xml.ids, BoxIds(RowIds(1) + RowIds(3)));
    EXPECT_EQ(xml.text(QStringLiteral("27")), Brand(3));
    EXPECT_EQ(xml.text(QStringLiteral("28")), QStringLiteral("30.0000"));
    EXPECT_EQ(xml.text(QStringLiteral("29")), QStringLiteral("22.5"));
}

TEST_F(GenerationTest, TheNumberTheNitAndTheNameReachTheHostUnchanged)
{
    const QString name = QStringLiteral("Tabacos & Hijos <Ñandú> S.A.");
    fillTaxpayer(QStringLiteral(" 001234567-9"), name);
    const FormHarness::HostCall call = generateOnce();
    const ParsedDeclaration xml = Parse(call.xml);
    ASSERT_EQ(xml.error, QString());
    EXPECT_EQ(formNumber().size(), 8);
    EXPECT_EQ(call.number, QStringLiteral("123456797316") + QStringLiteral("1203") + formNumber());
    EXPECT_EQ(call.nit, QStringLiteral("12345679"));
    EXPECT_EQ(xml.text(QStringLiteral("NIT")), QStringLiteral("12345679"));
    EXPECT_EQ(xml.text(QStringLiteral("NUMERO")), formNumber());
    EXPECT_TRUE(call.xml.contains(QStringLiteral(" <NOMBRE><![CDATA[") + name + QStringLiteral("]]></NOMBRE> ")));
    EXPECT_EQ(xml.text(QStringLiteral("NOMBRE")), name);
}

TEST_F(GenerationTest, AWrongCheckDigitIsReportedAndTheDeclarationStillMade)
{
    fillTaxpayer();
    form.setValue(QStringLiteral("c2"), QStringLiteral("12345678"));
    const FormHarness::HostCall call = generateOnce();
    EXPECT_EQ(form.takeAlerts(),
              QStringList{QStringLiteral("Error:\nEl NIT posee un dígito verificador inválido.\n"
                                         "Por favor escríbalo correctamente")});
    EXPECT_EQ(call.nit, QStringLiteral("12345678"));
    EXPECT_EQ(Parse(call.xml).text(QStringLiteral("NIT")), QStringLiteral("12345678"));
    // Taking the markup copy does not count as leaving the NIT: no second
    // message, and the NIT keeps the focus its message gave it.
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    EXPECT_EQ(form.focused(), QStringLiteral("c2"));
}

// ---- Checks that stop the generation ----

TEST_F(GenerationTest, AnEmptyRowBetweenUsedRowsStopsAtItsBase)
{
    fillTaxpayer();
    fillRow(1, 1, QStringLiteral("25"), QStringLiteral("10"));
    fillRow(3, 3, QStringLiteral("25"), QStringLiteral("10"));
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    EXPECT_TRUE(generate(0).isEmpty());
    EXPECT_EQ(form.takeAlerts(), QStringList{QStringLiteral("Error:\nLa casilla está en blanco. Por favor llénela")});
    EXPECT_EQ(form.focused(), Cell(2, 3));
}

TEST_F(GenerationTest, AnIncompleteRowStopsTheGeneration)
{
    fillTaxpayer();
    form.select(Cell(1, 1), Brand(1));
    form.type(Cell(1, 2), QStringLiteral("25"));
    form.takeAlerts();
    EXPECT_TRUE(generate(0).isEmpty());
    EXPECT_EQ(form.takeAlerts().size(), 1);
    EXPECT_EQ(form.focused(), Cell(1, 4));
}

// ---- The markup copy and the form afterwards ----

TEST_F(GenerationTest, TheMarkupCopyShowsTheFilledFormDisabled)
{
    fillTaxpayer();
    fillRow(1, 42, QStringLiteral("25"), QStringLiteral("100"));
    const QString html = generateOnce().html;
    const auto tag = [&html](const QString& name) {
        const QRegularExpression pattern(QStringLiteral("<(input|select)[^>]*name=\"%1\"[^>]*>").arg(name));
        return pattern.match(html).captured(0);
    };
    for (const QString& field : {QStringLiteral("c2"), QStringLiteral("mes_ini"), QStringLiteral("c2010"),
                                 QStringLiteral("validar"), Cell(1, 1), Cell(1, 2), Cell(15, 6)})
        EXPECT_TRUE(tag(field).contains(QStringLiteral("disabled"))) << field.toStdString();
    EXPECT_TRUE(tag(QStringLiteral("c2")).contains(QStringLiteral("value=\"12345679\"")));
    EXPECT_TRUE(tag(Cell(1, 2)).contains(QStringLiteral("value=\"25.0000\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("<option value=\"FA035127.00 L&amp;M ETIQUETA VERDE MNT KS BOX 20\" selected=\"\">")));
}

TEST_F(GenerationTest, AfterwardsTheFormIsEnabledAsAtStartUp)
{
    fillTaxpayer();
    fillRow(1, 1, QStringLiteral("25"), QStringLiteral("100"));
    generateOnce();
    const QString states = js(QStringLiteral(
        "['c2', 'mes_ini', 'anio_ini', 'validar', 'f11c1', 'f115c6', 'c2021',"
        " 'dia_ini', 'dia_fin', 'mes_fin', 'anio_fin', 'c1', 'c2010', 'c2029']"
        ".map(function (n) { return n + (C[n].disabled ? '-' : '+') + (C[n].readOnly ? 'r' : ''); })"
        ".join(' ')")).toString();
    EXPECT_EQ(states, QStringLiteral("c2+ mes_ini+ anio_ini+ validar+ f11c1+ f115c6+ c2021+ dia_ini- dia_fin-"
                                     " mes_fin- anio_fin- c1-r c2010-r c2029-r"));
    EXPECT_EQ(form.value(Cell(1, 2)), QStringLiteral("25.0000"));
    EXPECT_EQ(form.value(QStringLiteral("trenglon1")), QStringLiteral("15"));
}

TEST_F(GenerationTest, ASecondGenerationKeepsTheFormNumberWithANewDate)
{
    fillTaxpayer();
    const FormHarness::HostCall first = generateOnce();
    js(QStringLiteral(
        "var RealDate = Date;"
        "Date = function () { return arguments.length ? new RealDate(...arguments) : new RealDate(2026, 11, 5); };"));
    const FormHarness::HostCall second = generateOnce();
    EXPECT_EQ(Parse(second.xml).text(QStringLiteral("NUMERO")), Parse(first.xml).text(QStringLiteral("NUMERO")));
    EXPECT_EQ(second.number, first.number);
    EXPECT_EQ(Parse(first.xml).text(QStringLiteral("FECPRE")), Today());
    EXPECT_EQ(Parse(second.xml).text(QStringLiteral("FECPRE")), QStringLiteral("05/12/2026"));
}

}  // namespace
