// A declaration generated on the blank form, saved sealed, and reopened
// through the real Consult and Modify commands into the real form: Consult
// shows what was generated read-only, Modify shows it for editing, "Generar"
// there gives the same declaration again, and rows added there keep the saved ones.
#include "annex_form.h"

#include <QRegularExpression>

namespace {

// A double quote, an apostrophe, an ampersand and a tag, each of which the
// page could take for markup.
const QString kName = QStringLiteral("Tabacalera \"La Estrella\" & <b>Hijos</b> O'Neill &amp; Cía.");

// The saved values a person checks on a reopened form, by field.
const QList<QPair<QString, QString>> kSavedFields = {
    {QStringLiteral("c2"), QStringLiteral("12345679")},     {QStringLiteral("c3"), kName},
    {QStringLiteral("dia_ini"), QStringLiteral("01")},      {QStringLiteral("mes_ini"), QStringLiteral("03")},
    {QStringLiteral("anio_ini"), QStringLiteral("2012")},   {QStringLiteral("dia_fin"), QStringLiteral("31")},
    {QStringLiteral("f11c2"), QStringLiteral("25.0000")},   {QStringLiteral("f11c3"), QStringLiteral("18.75")},
    {QStringLiteral("f12c2"), QStringLiteral("19.9900")},   {QStringLiteral("f13c4"), QStringLiteral("250.0000")},
    {QStringLiteral("f13c5"), QStringLiteral("2.0000")},    {QStringLiteral("c2020"), QStringLiteral("123456")},
    {QStringLiteral("c2021"), QStringLiteral("100.00")},    {QStringLiteral("c2024"), QStringLiteral("50.00")},
    {QStringLiteral("f11c1"), Brand(16)}, {QStringLiteral("f12c1"), Brand(42)}, {QStringLiteral("f13c1"), Brand(51)},
};

// The XML with the date of presentation taken out.
QString WithoutPresentationDate(QString xml)
{
    return xml.replace(QRegularExpression(QStringLiteral("<CASILLA ID=\"FECPRE\">[^<]*</CASILLA>")),
                       QStringLiteral("<CASILLA ID=\"FECPRE\"></CASILLA>"));
}

class RoundTripTest : public AnnexFormTest {
protected:
    // The blank form filled with three rows, a rectification and a fine, generated.
    QString generateDeclaration()
    {
        fillTaxpayer(QStringLiteral("12345679"), kName);
        fillRow(1, 16, QStringLiteral("25"), QStringLiteral("100"));
        fillRow(2, 42, QStringLiteral("19.99"), QStringLiteral("40"));
        fillRow(3, 51, QStringLiteral("10.01"), QStringLiteral("250"));
        form.type(Cell(3, 5), QStringLiteral("2"));
        form.type(QStringLiteral("c2020"), QStringLiteral("123456"));
        form.type(QStringLiteral("c2021"), QStringLiteral("100"));
        form.type(QStringLiteral("c2024"), QStringLiteral("50"));
        return generateOnce().xml;
    }
    void expectSavedFields()
    {
        for (const auto& [field, value] : kSavedFields)
            EXPECT_EQ(form.value(field), value) << field.toStdString();
    }
};

TEST_F(RoundTripTest, ConsultShowsTheGeneratedValuesAsTextOnAReadOnlyPage)
{
    const QString xml = generateDeclaration();
    ASSERT_FALSE(xml.isEmpty());
    const QString formNumber = form.value(QStringLiteral("c1"));
    const QString total = form.value(QStringLiteral("c2029"));
    const QString tax = form.value(QStringLiteral("c2010"));
    ASSERT_FALSE(tax.isEmpty());
    ASSERT_TRUE(reopen(xml, ReopenMode::Consult));

    // Values appear as text; the name's markup is not markup.
    const QString shown = js(QStringLiteral("document.body.innerText")).toString();
    for (const QString& value : {formNumber, QStringLiteral("12345679"), kName, QStringLiteral("20120301"),
                                 QStringLiteral("20120331"), Brand(16), Brand(42), Brand(51), QStringLiteral("25.0000"),
                                 QStringLiteral("18.75"), QStringLiteral("100.0000"), QStringLiteral("19.9900"), QStringLiteral("123456"),
                                 tax, total})
        EXPECT_TRUE(shown.contains(value)) << value.toStdString();
    EXPECT_EQ(js(QStringLiteral("document.querySelectorAll('form b').length")).toInt(), 0);
    EXPECT_EQ(js(QStringLiteral("document.getElementById('cuerpo1').rows.length")).toInt(), 3);

    // Nothing to type into and no script; the stylesheet is loaded.
    EXPECT_EQ(js(QStringLiteral("document.querySelectorAll('input, select, textarea, button').length")).toInt(), 0);
    EXPECT_EQ(js(QStringLiteral("document.scripts.length")).toInt(), 0);
    EXPECT_EQ(js(QStringLiteral("typeof validaciones")).toString(), QStringLiteral("undefined"));
    EXPECT_EQ(js(QStringLiteral("document.styleSheets.length")).toInt(), 1);
    EXPECT_GT(js(QStringLiteral("document.styleSheets[0].cssRules.length")).toInt(), 0);
    EXPECT_TRUE(form.takeAlerts().isEmpty());
}

TEST_F(RoundTripTest, ModifyShowsTheGeneratedValuesAndGenerarGivesTheSameDeclaration)
{
    const QString first = generateDeclaration();
    ASSERT_FALSE(first.isEmpty());
    const QString formNumber = form.value(QStringLiteral("c1"));
    const QString total = form.value(QStringLiteral("c2029"));
    ASSERT_FALSE(total.isEmpty());
    ASSERT_TRUE(reopen(first, ReopenMode::Modify));
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    EXPECT_EQ(form.value(QStringLiteral("c1")), formNumber);
    expectSavedFields();
    EXPECT_EQ(form.value(QStringLiteral("c2029")), total);
    EXPECT_EQ(rows(), 3);

    const QString again = generateOnce().xml;
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    EXPECT_EQ(WithoutPresentationDate(again), WithoutPresentationDate(first));
    EXPECT_TRUE(again.contains(QStringLiteral("<NOMBRE><![CDATA[") + kName + QStringLiteral("]]></NOMBRE>")));
}

TEST_F(RoundTripTest, RowsAddedOnTheModifyPageKeepTheSavedOnes)
{
    ASSERT_TRUE(reopen(generateDeclaration(), ReopenMode::Modify));
    form.setValue(QStringLiteral("renglones1"), QStringLiteral("2"));
    form.click(QStringLiteral("botonanexo1"));
    EXPECT_TRUE(form.takeAlerts().isEmpty());
    EXPECT_EQ(rows(), 5);
    EXPECT_TRUE(exists(Cell(5, 6)));
    EXPECT_FALSE(exists(Cell(6, 1)));
    expectSavedFields();

    fillRow(4, 3, QStringLiteral("30"), QStringLiteral("10"));
    const QString again = generateOnce().xml;
    EXPECT_TRUE(again.contains(QStringLiteral("<CASILLA ID=\"37\"><![CDATA[") + Brand(3)));
    EXPECT_TRUE(again.contains(QStringLiteral("<CASILLA ID=\"38\">30.0000</CASILLA>")));
    EXPECT_TRUE(again.contains(QStringLiteral("<CASILLA ID=\"27\"><![CDATA[") + Brand(51)));
}

}  // namespace
