// window.external.GeneraArchivo: the page's four texts reach the view intact,
// whenever the page calls, and on every page the view shows.
#include "form_harness.h"

#include "formulario7316_view.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

QString JsLiteral(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString CallFromPage(const FormHarness::HostCall& call)
{
    return QStringLiteral("window.external.GeneraArchivo(%1, %2, %3, %4)")
        .arg(JsLiteral(call.xml), JsLiteral(call.number), JsLiteral(call.html), JsLiteral(call.nit));
}

void ExpectSameCalls(const QList<FormHarness::HostCall>& actual,
                     const QList<FormHarness::HostCall>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].xml, expected[i].xml);
        EXPECT_EQ(actual[i].number, expected[i].number);
        EXPECT_EQ(actual[i].html.size(), expected[i].html.size());
        EXPECT_TRUE(actual[i].html == expected[i].html);
        EXPECT_EQ(actual[i].nit, expected[i].nit);
    }
}

// Texts no conversion may touch: accents, curly quotes, the euro sign, a
// character outside the basic plane, markup, line breaks, a backslash.
const FormHarness::HostCall kAccented{
    QStringLiteral(" <FORMULARIO NUMERO=\"14302257\">  <NOMBRE><![CDATA[Peña & Cía “La Única” €]]></NOMBRE> "),
    QStringLiteral("123456797316120314302257"),
    QStringLiteral("<td class='izq'>Dirección\r\n\t« perjurio » \\ 🚬</td>"),
    QStringLiteral("1234567-9")};

TEST(BridgeTest, FourTextsArriveUnchangedAndTheScriptGetsNoValue)
{
    FormHarness form;
    EXPECT_EQ(form.js(QStringLiteral("typeof ") + CallFromPage(kAccented)).toString(),
              QStringLiteral("undefined"));
    ExpectSameCalls(form.takeHostCalls(), {kAccented});
    EXPECT_TRUE(form.takeHostCalls().isEmpty());
}

TEST(BridgeTest, AMegabyteOfMarkupArrivesWhole)
{
    FormHarness form;
    QString markup;
    for (int row = 0; markup.size() < 1024 * 1024; ++row)
        markup += QStringLiteral("<tr><td>Año %1 “ñ”</td></tr>\n").arg(row);
    const FormHarness::HostCall large{kAccented.xml, kAccented.number, markup, kAccented.nit};
    form.js(CallFromPage(large));
    ExpectSameCalls(form.takeHostCalls(), {large});
}

TEST(BridgeTest, CallsMadeWhileThePageLoadsAreDeliveredInOrder)
{
    FormHarness form;
    const FormHarness::HostCall first{QStringLiteral("uno"), QStringLiteral("1"), QStringLiteral("<b>1</b>"), QStringLiteral("1")};
    const FormHarness::HostCall second = kAccented;
    form.showPage(QStringLiteral("<html><head><script>%1; %2;</script></head><body>x</body></html>")
                      .arg(CallFromPage(first), CallFromPage(second)));
    ExpectSameCalls(form.takeHostCalls(), {first, second});
}

TEST(BridgeTest, WindowExternalOffersOnlyGeneraArchivo)
{
    FormHarness form;
    EXPECT_EQ(form.js(QStringLiteral("Object.keys(window.external).join(',')")).toString(),
              QStringLiteral("GeneraArchivo"));
    form.js(QStringLiteral("window.external = null; window.external.GeneraArchivo('a', 'b', 'c', 'd')"));
    EXPECT_EQ(form.takeHostCalls().size(), 1) << "the page cannot replace the host object";
}

TEST(BridgeTest, NewAfterAnotherPageShowsTheBlankFormAndTheBridgeStillWorks)
{
    FormHarness form;
    form.type(QStringLiteral("c3"), QStringLiteral("Tabacalera"));
    form.showPage(QStringLiteral("<html><head><title>Consulta</title></head><body>Consulta ñ</body></html>"));
    EXPECT_EQ(form.js(QStringLiteral("document.title")).toString(), QStringLiteral("Consulta"));
    form.takeAlerts();

    form.loadBlankForm();
    EXPECT_EQ(form.js(QStringLiteral("document.title")).toString(), QStringLiteral("Zorovirira DRN-No. 7316"));
    EXPECT_EQ(form.value(QStringLiteral("c3")), QString());
    EXPECT_EQ(form.value(QStringLiteral("c1")).size(), 8);
    form.js(CallFromPage(kAccented));
    ExpectSameCalls(form.takeHostCalls(), {kAccented});
}

TEST(BridgeTest, NewOnTheBlankFormDiscardsWhatThePageHeld)
{
    FormHarness form;
    form.setValue(QStringLiteral("c3"), QStringLiteral("Tabacalera"));
    form.loadBlankForm();
    EXPECT_EQ(form.value(QStringLiteral("c3")), QString());
    form.js(CallFromPage(kAccented));
    EXPECT_EQ(form.takeHostCalls().size(), 1);
}

}  // namespace
