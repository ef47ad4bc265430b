// The page as the view loads it and the host around it: the blank form's
// fields and number, the res: scheme, window.external, New, and the
// addresses the view refuses.
#include "form_test.h"

#include "formulario7316_view.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>

#include <gtest/gtest-spi.h>

namespace {

QString FileText(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

QString JsText(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString CallFromPage(const FormHarness::HostCall& call)
{
    return QStringLiteral("window.external.GeneraArchivo(%1, %2, %3, %4)")
        .arg(JsText(call.xml), JsText(call.number), JsText(call.html), JsText(call.nit));
}

void ExpectSameCalls(const QList<FormHarness::HostCall>& actual, const QList<FormHarness::HostCall>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].xml, expected[i].xml) << i;
        EXPECT_EQ(actual[i].number, expected[i].number) << i;
        EXPECT_EQ(actual[i].html.size(), expected[i].html.size()) << i;
        EXPECT_TRUE(actual[i].html == expected[i].html) << i;
        EXPECT_EQ(actual[i].nit, expected[i].nit) << i;
    }
}

// Texts no conversion may touch: accents, curly quotes, the euro sign, a
// character outside the basic plane, markup, line breaks, a backslash.
const FormHarness::HostCall kAccented{
    QStringLiteral(" <FORMULARIO NUMERO=\"14302257\">  <NOMBRE><![CDATA[Peña & Cía “La Única” €]]></NOMBRE> "),
    QStringLiteral("123456797316120314302257"),
    QStringLiteral("<td class='izq'>Dirección\r\n\t« perjurio » \\ 🚬</td>"), QStringLiteral("1234567-9")};

using PageTest = FormTest;

// Each named control as the markup declares it, before any script touches
// it, one line each: name|id|form|type|class|size|maxlength|value|disabled|
// readonly|onblur (onclick of a button)|style; "·" is an empty attribute.
TEST_F(PageTest, TheMarkupDeclaresEveryFieldAsTheFormNeedsIt)
{
    const QString declared = js(QStringLiteral(R"JS((function (markup) {
    function attribute(e, name) {
        var text = e.getAttribute(name);
        return text === null ? "" : (text === "" ? "·" : text);
    }
    var page = new DOMParser().parseFromString(markup, "text/html");
    return Array.from(page.querySelectorAll("input[name], select[name]")).map(function (e) {
        return [e.name, e.id, e.form ? e.form.name : "", e.type, attribute(e, "class"), attribute(e, "size"),
                attribute(e, "maxlength"), attribute(e, "value"), e.hasAttribute("disabled"), e.hasAttribute("readonly"),
                attribute(e, e.type === "button" ? "onclick" : "onblur"), attribute(e, "style")].join("|") + "\n";
    }).join("");
})(%1))JS").arg(JsText(FileText(QStringLiteral(":/form/form7316.html"))))).toString();
    EXPECT_EQ(declared, FileText(QStringLiteral(FORM_TEST_DATA "/blank_form_fields.txt")));
}

// The header prints c1's number once; the number is the clock's HHMMSS and
// two more digits, and a second numbering keeps it. A person cannot type into
// a disabled field, nor into a field or option that is not there.
TEST_F(PageTest, TheHeaderPrintsTheFormNumberThatC1Holds)
{
    const QRegularExpression eightDigits(QStringLiteral("^\\d{8}$"));
    const QString number = form.value(QStringLiteral("c1"));
    EXPECT_TRUE(eightDigits.match(number).hasMatch()) << number.toStdString();
    EXPECT_EQ(js(QStringLiteral("C.c1.parentNode.innerText.trim()")).toString(), number);
    EXPECT_EQ(js(QStringLiteral("document.body.innerText.split(C.c1.value).length - 1")).toInt(), 1);

    const QStringList run = js(QStringLiteral(
        "(function () {"
        "  function clock() { return new Date().toTimeString().slice(0, 8).replace(/:/g, ''); }"
        "  C.c1.value = '';"
        "  var before = clock();"
        "  numera_formulario();"
        "  var after = clock(), first = C.c1.value;"
        "  numera_formulario();"
        "  return [before, after, first, C.c1.value];"
        "})()")).toStringList();
    ASSERT_EQ(run.size(), 4);
    EXPECT_TRUE(eightDigits.match(run[2]).hasMatch()) << run[2].toStdString();
    EXPECT_TRUE(run[2].left(6) == run[0] || run[2].left(6) == run[1]) << run[2].toStdString();
    EXPECT_EQ(run[3], run[2]) << "a second call keeps the number";

    EXPECT_NONFATAL_FAILURE(form.run(QStringLiteral("dia_ini=02")), "disabled");
    EXPECT_NONFATAL_FAILURE(form.run(QStringLiteral("nada=1")), "no field nada");
    EXPECT_NONFATAL_FAILURE(form.run(QStringLiteral("f11c1=Tercera")), "no option");
}

// Every address the page uses serves its file; addresses that name no
// resource fail; the page links its stylesheet and four modules in order.
TEST_F(PageTest, TheResSchemeServesEachResourceAtThePagesOwnAddress)
{
    const std::pair<const char*, const char*> cases[] = {
        {"#23/#131", "form7316.html"}, {"#23/#132", "form7316.css"}, {"#23/#133", "configuracion7316.js"},
        {"#23/#134", "validaciones.js"}, {"#23/#135", "validacionesanexo.js"}, {"#23/#136", "funciones.js"},
        {"#23/#130", nullptr}, {"#23/#137", nullptr}, {"#23/#", nullptr}, {"#22/#132", nullptr}, {"", nullptr},
        {"x#23/#132", nullptr}};
    for (const auto& [address, file] : cases) {
        SCOPED_TRACE(address);
        const QVariantList reply = js(QStringLiteral(
            "(function () {"
            "  var request = new XMLHttpRequest();"
            "  try { request.open('GET', 'res://Formulario7316.exe/%1', false); request.send(); }"
            "  catch (e) { return [0, String(e)]; }"
            "  return [request.status, request.responseText];"
            "})()").arg(QLatin1String(address))).toList();
        ASSERT_EQ(reply.size(), 2);
        if (file) {
            EXPECT_EQ(reply[0].toInt(), 200) << reply[1].toString().toStdString();
            EXPECT_EQ(reply[1].toString(), FileText(QStringLiteral(":/form/") + QLatin1String(file)));
        } else {
            EXPECT_NE(reply[0].toInt(), 200);
        }
    }
    EXPECT_EQ(js(QStringLiteral("Array.from(document.querySelectorAll('link[rel=stylesheet], script[src]'),"
                                " function (e) { return e.getAttribute('href') || e.getAttribute('src'); }).join(' ')")),
              QStringLiteral("res://Formulario7316.exe/#23/#132 res://Formulario7316.exe/#23/#133 "
                             "res://Formulario7316.exe/#23/#134 res://Formulario7316.exe/#23/#135 "
                             "res://Formulario7316.exe/#23/#136"));
    EXPECT_EQ(js(QStringLiteral("document.styleSheets[0].cssRules.length")).toInt(), 14);
    EXPECT_EQ(js(QStringLiteral("typeof numera_formulario")).toString(), QStringLiteral("function"));
}

// window.external offers GeneraArchivo alone, cannot be replaced, gives the
// script no value, and hands its four texts over intact, a megabyte too.
TEST_F(PageTest, WindowExternalHandsFourTextsToTheViewUnchanged)
{
    EXPECT_EQ(js(QStringLiteral("Object.keys(window.external).join(',')")).toString(), QStringLiteral("GeneraArchivo"));
    EXPECT_EQ(js(QStringLiteral("typeof ") + CallFromPage(kAccented)).toString(), QStringLiteral("undefined"));
    QString markup;
    for (int row = 0; markup.size() < 1024 * 1024; ++row)
        markup += QStringLiteral("<tr><td>Año %1 “ñ”</td></tr>\n").arg(row);
    const FormHarness::HostCall large{kAccented.xml, kAccented.number, markup, kAccented.nit};
    js(CallFromPage(large));
    js(QStringLiteral("window.external = null; window.external.GeneraArchivo('a', 'b', 'c', 'd')"));
    ExpectSameCalls(hostCalls(3), {kAccented, large, {"a", "b", "c", "d"}});
}

// New discards what the blank form held; a page built in memory is shown
// whole whatever its size, and calls it makes while loading arrive in order;
// New after it shows the blank form with window.external working.
TEST_F(PageTest, NewAndShownPagesKeepWindowExternal)
{
    form.run(QStringLiteral("c3:=Tabacalera"));
    form.loadBlankForm();
    EXPECT_EQ(form.value(QStringLiteral("c3")), QString());
    js(CallFromPage(kAccented));
    ExpectSameCalls(hostCalls(1), {kAccented});

    form.run(QStringLiteral("c3=Tabacalera"));
    const FormHarness::HostCall first{QStringLiteral("uno"), QStringLiteral("1"), QStringLiteral("<b>1</b>"), QStringLiteral("1")};
    QString rows;
    for (int row = 1; rows.size() < 1536 * 1024; ++row)
        rows += QStringLiteral("<tr><td>Fila %1 “ñ”</td></tr>\n").arg(row);
    form.showPage(QStringLiteral("<html><head><title>Grande</title><script>%1; %2;</script></head><body>"
                                 "<table id='t'>%3</table><p id='fin'>fin ñ</p></body></html>")
                      .arg(CallFromPage(first), CallFromPage(kAccented), rows));
    EXPECT_EQ(js(QStringLiteral("document.title")).toString(), QStringLiteral("Grande"));
    EXPECT_EQ(js(QStringLiteral("document.getElementById('t').rows.length")).toInt(), rows.count(QStringLiteral("<tr>")));
    EXPECT_EQ(js(QStringLiteral("document.getElementById('fin').textContent")).toString(), QStringLiteral("fin ñ"));
    ExpectSameCalls(hostCalls(2), {first, kAccented});

    form.loadBlankForm();
    EXPECT_EQ(js(QStringLiteral("document.title")).toString(), QStringLiteral("Zorovirira DRN-No. 7316"));
    EXPECT_EQ(form.value(QStringLiteral("c3")), QString());
    EXPECT_EQ(form.value(QStringLiteral("c1")).size(), 8);
    js(CallFromPage(kAccented));
    ExpectSameCalls(hostCalls(1), {kAccented});
}

// The view shows res: pages only: a link, a file address, a frame and
// requests to other schemes are refused, nothing leaves the program and the
// form stays as it was.
TEST_F(PageTest, EveryOtherSchemeIsRefused)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const QString local = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());
    form.run(QStringLiteral("c3:=sigue aquí"));
    QSignalSpy navigations(&form.view(), &CFormulario7316View::navigationRefused);
    QSignalSpy requests(&form.view(), &CFormulario7316View::requestRefused);
    const auto refused = [&](QSignalSpy& spy, int count) {
        EXPECT_TRUE(WaitFor([&] { return spy.size() >= count; }, 10000)) << "refusal " << count;
        return spy.size() >= count ? spy[count - 1].first().toUrl() : QUrl();
    };
    js(QStringLiteral("location.href = '%1'").arg(local));
    EXPECT_EQ(refused(navigations, 1), QUrl(local));
    form.view().load(QUrl(QStringLiteral("file:///etc/hostname")));
    EXPECT_EQ(refused(navigations, 2).scheme(), QStringLiteral("file"));
    js(QStringLiteral("var frame = document.createElement('iframe'); frame.src = 'data:text/html,<b>fuera</b>';"
                      "document.body.appendChild(frame);"));
    EXPECT_EQ(refused(navigations, 3).scheme(), QStringLiteral("data"));
    js(QStringLiteral("var image = new Image(); image.src = '%1imagen.png';"
                      "var script = document.createElement('script'); script.src = '%1codigo.js';"
                      "document.body.appendChild(script);").arg(local));
    EXPECT_EQ(refused(requests, 1).host(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(refused(requests, 2).host(), QStringLiteral("127.0.0.1"));

    EXPECT_EQ(form.value(QStringLiteral("c3")), QStringLiteral("sigue aquí"));
    EXPECT_EQ(form.view().url().scheme(), QStringLiteral("res"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(server.hasPendingConnections()) << "a request left the program";
}

}  // namespace
