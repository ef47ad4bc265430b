#include "form_harness.h"

#include "formulario7316_view.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

#include <gtest/gtest.h>

using namespace formulario;

namespace {

// Runs the steps of run(); answers "" when all were done, or why the first
// that could not be done failed.
constexpr char kRun[] = R"JS((function (steps) {
    for (var s = 0; s < steps.length; s++) {
        var step = /^(!?)([^:=]*)(:?=?)([^]*)$/.exec(steps[s]), name = step[2], text = step[4];
        var field = document.getElementById(name) || document.getElementsByName(name)[0], before = field && field.value;
        if (!field) return "there is no field " + name;
        if (step[3] == ":=") { field.value = text; continue; }
        if (field.disabled) return "the field " + name + " is disabled";
        field.focus();
        if (step[1]) { field.click(); continue; }
        if (document.activeElement !== field) return "the field " + name + " cannot take the focus";
        if (step[3] && field.options) {
            field.selectedIndex = Array.from(field.options).findIndex(o => o.text == text || o.value == text);
            if (field.selectedIndex < 0) return "the list " + name + " has no option " + text;
        } else if (step[3]) {
            field.value = text;
            field.dispatchEvent(new Event("input", { bubbles: true }));
        }
        if (field.value !== before) field.dispatchEvent(new Event("change", { bubbles: true }));
        field.blur();
    }
    return "";
}))JS";

// Keeps a copy of the blank form's body (its fields hold their values, its
// scripts do not run again), its focus and the script state that changes as
// the form is used; kRestore puts them back.
constexpr char kKeep[] = R"JS(window.blankForm = { body: document.body.cloneNode(true), focus: document.activeElement.id,
    anexo: ANEXO.slice(), iniciales: VANEXOSINICIALES.slice(), Date: window.Date, alert: window.alert })JS";

constexpr char kRestore[] = R"JS((function (blank) {
    if (!blank) return false;
    var quiet = function (event) { event.stopPropagation(); };
    window.addEventListener("blur", quiet, true);  // leaving the focused field now is no leave
    document.activeElement.blur();
    document.body.replaceWith(blank.body.cloneNode(true));
    window.removeEventListener("blur", quiet, true);
    ANEXO = blank.anexo.slice(), VANEXOSINICIALES = blank.iniciales.slice();
    window.Date = blank.Date, window.alert = blank.alert;
    if (blank.focus) document.getElementById(blank.focus).focus();
    return true;
})(window.blankForm))JS";

}  // namespace

QString JsArray(const QStringList& texts)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(texts)).toJson(QJsonDocument::Compact));
}

FormHarness::FormHarness()
    : m_view(std::make_unique<CFormulario7316View>())
{
    m_view->SetAlertPresenter([this](const QString& text) { m_alerts.append(text); });
    QObject::connect(m_view.get(), &CFormulario7316View::generaArchivo, m_view.get(),
                     [this](QString xml, QString number, QString html, QString nit) {
                         m_hostCalls.append({xml, number, html, nit});
                     });
    // The engine fires focus and blur events only in a page that has the
    // focus, so the view is shown, its window activated and the view focused.
    m_view->resize(1280, 960);
    m_view->show();
    m_view->activateWindow();
    m_view->setFocus();
    if (!WaitFor([this] { return m_view->isActiveWindow(); }))
        ADD_FAILURE() << "the form view's window did not become active";
    loadBlankForm();
}

FormHarness::~FormHarness() = default;

void FormHarness::loadBlankForm()
{
    waitForPage([this] { m_view->LoadBlankForm(); });
    js(kKeep);
}

void FormHarness::showPage(const QString& html)
{
    waitForPage([this, &html] { m_view->ShowPage(html); });
}

void FormHarness::reset()
{
    if (!js(kRestore).toBool())
        loadBlankForm();
    // A refused navigation can leave the page without the focus while the
    // view has it, and then no focus or blur event would fire.
    if (!js("document.hasFocus()").toBool()) {
        m_view->clearFocus();
        QCoreApplication::processEvents();
        m_view->setFocus();
    }
    if (!WaitFor([this] { return js("document.hasFocus()").toBool(); }))
        ADD_FAILURE() << "the page did not get the focus";
    m_alerts.clear();
    m_hostCalls.clear();
}

void FormHarness::waitForPage(const std::function<void()>& startLoading)
{
    QObject context;  // ends both connections when the wait is over
    std::optional<bool> loaded;
    bool bridged = false;
    QObject::connect(m_view.get(), &QWebEngineView::loadFinished, &context, [&loaded](bool ok) { loaded = ok; });
    QObject::connect(m_view.get(), &CFormulario7316View::bridgeReady, &context, [&bridged] { bridged = true; });
    startLoading();
    // A page of over a megabyte takes the engine well over 20 s on a loaded machine.
    if (!WaitFor([&] { return loaded.has_value() && bridged; }, 60000))
        ADD_FAILURE() << "the page did not finish loading (loaded: " << loaded.has_value()
                      << ", window.external connected: " << bridged << ')';
    else if (!*loaded)
        ADD_FAILURE() << "the page failed to load";
}

QVariant FormHarness::js(const QString& script)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    m_view->page()->runJavaScript(script, [result](const QVariant& value) { *result = value; });
    if (!WaitFor([&] { return result->has_value(); }))
        ADD_FAILURE() << "the script did not finish: " << script.left(200).toStdString();
    return result->value_or(QVariant());
}

void FormHarness::run(const QString& steps)
{
    const QVariant reason = js(QString::fromLatin1(kRun) + '(' + JsArray(steps.split('|', Qt::SkipEmptyParts)) + ')');
    if (!reason.isValid() || !reason.toString().isEmpty())
        ADD_FAILURE() << (steps + ": " + (reason.isValid() ? reason.toString() : "a step threw")).toStdString();
}

QString FormHarness::values(const QString& names)
{
    return js(JsArray(names.split(' ')) + ".map(function (name) {"
              "  var field = document.getElementById(name) || document.getElementsByName(name)[0];"
              "  try { return String(field ? field.value : eval(name)); } catch (e) { return '<no field ' + name + '>'; }"
              "}).join('|')").toString();
}

QString FormHarness::focused()
{
    return js("document.activeElement ? document.activeElement.id || document.activeElement.name || '' : ''").toString();
}

QList<FormHarness::HostCall> FormHarness::takeHostCalls(int expected)
{
    // With none expected, the wait gives a wrong call time to arrive.
    static_cast<void>(WaitFor([&] { return expected > 0 && m_hostCalls.size() >= expected; }, expected > 0 ? 10000 : 300));
    return std::exchange(m_hostCalls, {});
}

// One harness (one engine, one view) serves every test of the program, and
// is gone before the application is.
static std::unique_ptr<FormHarness> harness;

FormHarness& TheForm()
{
    return harness ? *harness : *(harness = std::make_unique<FormHarness>());
}

namespace {

struct HarnessEnvironment : testing::Environment {
    void TearDown() override { harness.reset(); }
};

[[maybe_unused]] testing::Environment* const kHarnessEnvironment =
    testing::AddGlobalTestEnvironment(new HarnessEnvironment);

}  // namespace
