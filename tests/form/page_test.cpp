// The page as the view loads it and the host around it: the blank form's
// fields and number, the res: scheme, window.external, New, and the
// addresses the view refuses.
#include "form_test.h"

#include "formulario7316_view.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QUdpSocket>

#include <gtest/gtest-spi.h>

using namespace formulario;

namespace {

using HostCall = FormHarness::HostCall;

QString CallFromPage(const HostCall& call)
{
    return "window.external.GeneraArchivo.apply(null, " + JsArray({call.xml, call.number, call.html, call.nit}) + ')';
}

// Texts no conversion may touch: accents, curly quotes, the euro sign, a
// character outside the basic plane, markup, line breaks, a backslash.
const HostCall kAccented{" <FORMULARIO NUMERO=\"14302257\">  <NOMBRE><![CDATA[Peña & Cía “La Única” €]]></NOMBRE> ",
                         "123456797316120314302257", "<td class='izq'>Dirección\r\n\t« perjurio » \\ 🚬</td>",
                         "1234567-9"};

using PageTest = FormTest;

// Each named control as the markup declares it, before any script touches
// it, one a line: name|id|form|type|class|size|maxlength|value|disabled|
// readonly|onblur (onclick of a button)|style, "·" an empty attribute. The
// header prints c1's number once: the clock's HHMMSS and two more digits,
// kept by a second numbering. A person cannot type into a disabled field,
// a field or option that is not there, nor leave a field that takes the
// focus back as it is left (its onblur runs each time).
TEST_F(PageTest, TheFieldsAndTheFormNumberAreAsTheFormNeedsThem)
{
    EXPECT_EQ(js(R"JS((function (markup) {
    function attribute(e, name) { var text = e.getAttribute(name); return text === null ? "" : text || "·"; }
    return Array.from(new DOMParser().parseFromString(markup, "text/html").querySelectorAll("input[name], select[name]"),
        function (e) {
            return [e.name, e.id, e.form ? e.form.name : "", e.type, attribute(e, "class"), attribute(e, "size"),
                    attribute(e, "maxlength"), attribute(e, "value"), e.hasAttribute("disabled"), e.hasAttribute("readonly"),
                    attribute(e, e.type === "button" ? "onclick" : "onblur"), attribute(e, "style")].join("|") + "\n";
        }).join("");
})()JS" + JsArray({FileText(":/form/form7316.html")}) + "[0])").toString(),
              FileText(FORM_TEST_DATA "/blank_form_fields.txt"));

    const QStringList numbers = js("(function (number, clock) {"
                                   "  var count = document.body.innerText.split(number).length - 1, cell = C.c1.parentNode;"
                                   "  C.c1.value = '';"
                                   "  var before = clock(), first = (numera_formulario(), C.c1.value), after = clock();"
                                   "  numera_formulario();"
                                   "  return [number, cell.innerText.trim(), count, before, after, first, C.c1.value];"
                                   "})(C.c1.value, () => new Date().toTimeString().slice(0, 8).replace(/:/g, ''))")
                                    .toStringList();
    ASSERT_EQ(numbers.size(), 7);
    EXPECT_EQ(numbers.mid(1, 2), QStringList({numbers[0], "1"})) << "the header prints the number once";
    for (const QString& number : {numbers[0], numbers[5]})
        EXPECT_TRUE(QRegularExpression("^\\d{8}$").match(number).hasMatch()) << number.toStdString();
    EXPECT_TRUE(numbers[5].left(6) == numbers[3] || numbers[5].left(6) == numbers[4]) << numbers[5].toStdString();
    EXPECT_EQ(numbers[6], numbers[5]) << "a second call keeps the number";

    EXPECT_NONFATAL_FAILURE(form.run("dia_ini=02"), "disabled");
    EXPECT_NONFATAL_FAILURE(form.run("nada=1"), "no field nada");
    EXPECT_NONFATAL_FAILURE(form.run("f11c1=Tercera"), "no option");
    EXPECT_NONFATAL_FAILURE(form.run("c2=12345678|c3=Tabacalera"), "c3 cannot take the focus");  // c2 takes it back
    EXPECT_EQ(alerts(), QStringList(2, Message("nit-check-digit")));
}

// Every address the page uses serves its file, addresses that name no
// resource fail, and the page links its stylesheet and four modules in order.
TEST_F(PageTest, TheResSchemeServesEachResourceAtThePagesOwnAddress)
{
    const std::pair<QString, QString> cases[] = {
        {"#23/#131", "form7316.html"}, {"#23/#132", "form7316.css"}, {"#23/#133", "configuracion7316.js"},
        {"#23/#134", "validaciones.js"}, {"#23/#135", "validacionesanexo.js"}, {"#23/#136", "funciones.js"},
        {"#23/#130", ""}, {"#23/#137", ""}, {"#23/#", ""}, {"#22/#132", ""}, {"", ""}, {"x#23/#132", ""}};
    QStringList linked;
    for (const auto& [address, file] : cases) {
        const QStringList reply = js("(function (request) {"
                                     "  try { request.open('GET', 'res://Formulario7316.exe/" + address + "', false);"
                                     "        request.send(); } catch (e) { return ['0', String(e)]; }"
                                     "  return [String(request.status), request.responseText];"
                                     "})(new XMLHttpRequest())").toStringList();
        if (file.isEmpty())
            EXPECT_NE(reply.value(0), "200") << address.toStdString();
        else
            EXPECT_EQ(reply, QStringList({"200", FileText(":/form/" + file)})) << address.toStdString();
        if (!file.isEmpty() && !file.endsWith(".html"))
            linked << "res://Formulario7316.exe/" + address;
    }
    EXPECT_EQ(js("Array.from(document.querySelectorAll('link[rel=stylesheet], script[src]'),"
                 " function (e) { return e.getAttribute('href') || e.getAttribute('src'); })").toStringList(), linked);
    EXPECT_EQ(js("[document.styleSheets[0].cssRules.length, typeof numera_formulario].join(' ')"), "14 function");
}

// window.external offers GeneraArchivo alone, cannot be replaced, gives the
// script no value, and hands its four texts over intact, a megabyte too.
TEST_F(PageTest, WindowExternalHandsFourTextsToTheViewUnchanged)
{
    EXPECT_EQ(js("Object.keys(window.external).join(',') + ' ' + typeof " + CallFromPage(kAccented)),
              "GeneraArchivo undefined");
    HostCall large = kAccented;
    for (int row = 0; large.html.size() < 1024 * 1024; ++row)
        large.html += QStringLiteral("<tr><td>Año %1 “ñ”</td></tr>\n").arg(row);
    js(CallFromPage(large) + "; window.external = null; window.external.GeneraArchivo('a', 'b', 'c', 'd')");
    EXPECT_EQ(form.takeHostCalls(3), (QList<HostCall>{kAccented, large, {"a", "b", "c", "d"}}));
}

// New discards what the blank form held, and what it held before another
// page; a page built in memory is shown whole whatever its size, and calls
// it makes while loading arrive in order; window.external works throughout.
TEST_F(PageTest, NewAndShownPagesKeepWindowExternal)
{
    form.run("c3:=Tabacalera");
    form.loadBlankForm();
    EXPECT_EQ(form.values("c3"), "");
    js(CallFromPage(kAccented));
    EXPECT_EQ(form.takeHostCalls(1), QList<HostCall>{kAccented});

    form.run("c3=Tabacalera");
    const HostCall first{"uno", "1", "<b>1</b>", "1"};
    QString rows;
    for (int row = 1; rows.size() < 1536 * 1024; ++row)
        rows += QStringLiteral("<tr><td>Fila %1 “ñ”</td></tr>\n").arg(row);
    form.showPage("<html><head><title>Grande</title><script>" + CallFromPage(first) + ';' + CallFromPage(kAccented)
                  + "</script></head><body><table id='t'>" + rows + "</table><p id='fin'>fin ñ</p></body></html>");
    EXPECT_EQ(js("[document.title, t.rows.length, fin.textContent].join('|')"),
              QStringLiteral("Grande|%1|fin ñ").arg(rows.count("<tr>")));
    EXPECT_EQ(form.takeHostCalls(2), (QList<HostCall>{first, kAccented}));

    form.loadBlankForm();
    EXPECT_EQ(js("[document.title, C.c3.value, C.c1.value.length].join('|')"), "Zorovirira DRN-No. 7316||8");
    js(CallFromPage(kAccented));
    EXPECT_EQ(form.takeHostCalls(1), QList<HostCall>{kAccented});
}

// The view shows res: pages only: a link, a file address, a frame and
// requests to other schemes are refused, nothing leaves the program and the
// form stays as it was.
TEST_F(PageTest, EveryOtherSchemeIsRefused)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const QString local = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());
    form.run("c3:=sigue aquí");
    QSignalSpy navigations(&form.view(), &CFormulario7316View::navigationRefused);
    QSignalSpy requests(&form.view(), &CFormulario7316View::requestRefused);
    QSignalSpy console(static_cast<CFormPage*>(form.view().page()), &CFormPage::consoleMessage);
    const auto refused = [](QSignalSpy& spy, int count) {
        EXPECT_TRUE(WaitFor([&] { return spy.size() >= count; }, 10000)) << "refusal " << count;
        return spy.size() >= count ? spy[count - 1].first().toUrl() : QUrl();
    };
    js("location.href = '" + local + "'");
    EXPECT_EQ(refused(navigations, 1), QUrl(local));
    form.view().load(QUrl("file:///etc/hostname"));
    EXPECT_EQ(refused(navigations, 2).scheme(), "file");
    js("var frame = document.createElement('iframe'); frame.src = 'data:text/html,<b>fuera</b>';"
       "document.body.appendChild(frame);");
    EXPECT_EQ(refused(navigations, 3).scheme(), "data");
    js(QStringLiteral("new Image().src = '%1imagen.png'; var script = document.createElement('script');"
                      "script.src = '%1codigo.js'; document.body.appendChild(script);").arg(local));
    EXPECT_EQ(refused(requests, 1).host() + refused(requests, 2).host(), "127.0.0.1127.0.0.1");
    // The engine serves qrc: itself, with no network to stop it: only the guard does.
    js("var image = new Image(); image.onload = image.onerror = function (e) { console.log('qrc: ' + e.type); };"
       "image.src = 'qrc:/desktop/icons/formulario7316.svg';");
    EXPECT_EQ(refused(requests, 3).scheme(), "qrc");
    EXPECT_TRUE(WaitFor([&] { return !console.isEmpty(); })) << "the qrc: image neither loaded nor failed";
    EXPECT_EQ(console.value(0).value(0).toString(), "qrc: error") << "a request went past the guard";
    EXPECT_EQ(form.values("c3") + ' ' + form.view().url().scheme(), "sigue aquí res");
    // The refusal is signalled whatever the guard does: wait for the connection itself.
    EXPECT_FALSE(WaitFor([&] { return server.hasPendingConnections(); }, 1000)) << "a request left the program";
}

// A peer connection would send its STUN and TURN requests past the request
// guard: none leaves the page, its frames or a window it opens. The page says
// when each connection it made is done gathering, by which time every request
// would have been sent.
TEST_F(PageTest, NoPeerConnectionLeavesThePage)
{
    QUdpSocket stun;
    QTcpServer turn;
    ASSERT_TRUE(stun.bind(QHostAddress::LocalHost, 0) && turn.listen(QHostAddress::LocalHost));
    QString report;
    QObject context;
    QObject::connect(static_cast<CFormPage*>(form.view().page()), &CFormPage::consoleMessage, &context,
                     [&report](const QString& text) {
                         if (text.startsWith("peer channels: "))
                             report = text.mid(15);
                     });
    form.showPage(FileText(FORM_TEST_DATA "/peer_channels.html")
                      .replace("STUN_PORT", QString::number(stun.localPort()))
                      .replace("TURN_PORT", QString::number(turn.serverPort())));
    EXPECT_TRUE(WaitFor([&] { return !report.isEmpty() || stun.hasPendingDatagrams() || turn.hasPendingConnections(); }))
        << "the page did not finish gathering";
    EXPECT_FALSE(stun.hasPendingDatagrams()) << "a STUN request left the program";
    EXPECT_FALSE(turn.hasPendingConnections() || turn.waitForNewConnection(0)) << "a TURN connection left the program";
    EXPECT_EQ(report, R"({"main frame":"gathered","about:blank frame":"gathered","srcdoc frame":"gathered",)"
                      R"("frame in a frame":"gathered","written frame":"gathered","child window":"no frame"})");
}

}  // namespace
