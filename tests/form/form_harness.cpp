#include "form_harness.h"

#include "formulario7316_view.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <gtest/gtest.h>

#include <iostream>

namespace {

constexpr int kTimeoutMs = 20000;

// The page-side steps. Each takes the field name and a text, and answers ""
// when done or the reason it could not be done.
constexpr char kFieldSteps[] = R"JS(
(function (step, name, text) {
    var field = document.getElementById(name) || document.getElementsByName(name)[0];
    if (!field)
        return "there is no field " + name;
    function enter() {
        if (field.disabled)
            return "the field " + name + " is disabled";
        field.focus();
        return document.activeElement === field ? "" : "the field " + name + " cannot take the focus";
    }
    function changeTo(newValue) {
        var before = field.value;
        field.value = newValue;
        field.dispatchEvent(new Event("input", { bubbles: true }));
        if (field.value !== before)
            field.dispatchEvent(new Event("change", { bubbles: true }));
    }
    function optionIndex() {
        for (var i = 0; i < field.options.length; i++) {
            if (field.options[i].text === text || field.options[i].value === text)
                return i;
        }
        return -1;
    }
    var steps = {
        set: function () { field.value = text; return ""; },
        type: function () {
            var refused = enter();
            if (refused) return refused;
            changeTo(text);
            field.blur();
            return "";
        },
        leave: function () {
            var refused = enter();
            if (refused) return refused;
            field.blur();
            return "";
        },
        select: function () {
            if (!field.options)
                return "the field " + name + " is not a list";
            var index = optionIndex();
            if (index < 0)
                return "the list " + name + " has no option " + text;
            var refused = enter();
            if (refused) return refused;
            var before = field.selectedIndex;
            field.selectedIndex = index;
            if (index !== before)
                field.dispatchEvent(new Event("change", { bubbles: true }));
            field.blur();
            return "";
        },
        click: function () {
            if (field.disabled)
                return "the button " + name + " is disabled";
            field.focus();
            field.click();
            return "";
        }
    };
    return steps[step]();
})
)JS";

QString JsArguments(const QStringList& values)
{
    const QByteArray array = QJsonDocument(QJsonArray::fromStringList(values)).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

}  // namespace

FormHarness::FormHarness()
    : m_view(std::make_unique<CFormulario7316View>())
{
    m_view->SetAlertPresenter([this](const QString& text) { m_alerts.append(text); });
    QObject::connect(m_view.get(), &CFormulario7316View::generaArchivo, m_view.get(),
                     [this](QString xml, QString number, QString html, QString nit) {
                         m_hostCalls.append({xml, number, html, nit});
                     });
    QObject::connect(static_cast<CFormPage*>(m_view->page()), &CFormPage::consoleMessage, m_view.get(),
                     [](const QString& text, int line, const QString& source) {
                         std::cerr << "[page] " << source.toStdString() << ':' << line << ": "
                                   << text.toStdString() << '\n';
                     });
    // The engine fires focus and blur events only in a page that has the
    // focus, so the view is shown, its window activated and the view focused.
    m_view->resize(1280, 960);
    m_view->show();
    m_view->activateWindow();
    m_view->setFocus();
    if (!QTest::qWaitForWindowActive(m_view.get(), kTimeoutMs))
        ADD_FAILURE() << "the form view's window did not become active";
    loadBlankForm();
}

FormHarness::~FormHarness() = default;

void FormHarness::loadBlankForm()
{
    waitForPage([this] { m_view->LoadBlankForm(); });
}

void FormHarness::showPage(const QString& html)
{
    waitForPage([this, &html] { m_view->ShowPage(html); });
}

void FormHarness::waitForPage(const std::function<void()>& startLoading)
{
    struct Progress {
        bool loaded = false;
        bool succeeded = false;
        bool bridged = false;
    };
    auto progress = std::make_shared<Progress>();
    const auto loadConnection = QObject::connect(m_view.get(), &QWebEngineView::loadFinished,
        [progress](bool ok) { progress->loaded = true; progress->succeeded = ok; });
    const auto bridgeConnection = QObject::connect(m_view.get(), &CFormulario7316View::bridgeReady,
        [progress] { progress->bridged = true; });
    startLoading();
    const bool done = QTest::qWaitFor([&] { return progress->loaded && progress->bridged; }, kTimeoutMs);
    QObject::disconnect(loadConnection);
    QObject::disconnect(bridgeConnection);
    if (!done)
        ADD_FAILURE() << "the page did not finish loading (loaded: " << progress->loaded
                      << ", window.external connected: " << progress->bridged << ')';
    else if (!progress->succeeded)
        ADD_FAILURE() << "the page failed to load";
}

QVariant FormHarness::js(const QString& script)
{
    struct Outcome {
        bool done = false;
        QVariant result;
    };
    auto outcome = std::make_shared<Outcome>();
    m_view->page()->runJavaScript(script, [outcome](const QVariant& result) {
        outcome->result = result;
        outcome->done = true;
    });
    if (!QTest::qWaitFor([&] { return outcome->done; }, kTimeoutMs))
        ADD_FAILURE() << "the script did not finish: " << script.left(200).toStdString();
    return outcome->result;
}

void FormHarness::runFieldStep(const QString& step, const QString& field, const QString& text)
{
    const QString script = QString::fromLatin1(kFieldSteps) + QLatin1Char('(')
        + JsArguments({step, field, text}) + QLatin1Char(')');
    const QVariant reason = js(script);
    if (!reason.isValid())
        ADD_FAILURE() << step.toStdString() << ' ' << field.toStdString() << ": the step threw";
    else if (!reason.toString().isEmpty())
        ADD_FAILURE() << step.toStdString() << ": " << reason.toString().toStdString();
}

QString FormHarness::value(const QString& field)
{
    const QVariant result = js(QStringLiteral(
        "(function (name) {"
        "  var field = document.getElementById(name) || document.getElementsByName(name)[0];"
        "  return field ? String(field.value) : null;"
        "})(%1)").arg(JsArguments({field})));
    if (result.isNull())
        ADD_FAILURE() << "there is no field " << field.toStdString();
    return result.toString();
}

void FormHarness::setValue(const QString& field, const QString& text)
{
    runFieldStep(QStringLiteral("set"), field, text);
}

void FormHarness::type(const QString& field, const QString& text)
{
    runFieldStep(QStringLiteral("type"), field, text);
}

void FormHarness::leave(const QString& field)
{
    runFieldStep(QStringLiteral("leave"), field);
}

void FormHarness::select(const QString& field, const QString& optionText)
{
    runFieldStep(QStringLiteral("select"), field, optionText);
}

void FormHarness::click(const QString& id)
{
    runFieldStep(QStringLiteral("click"), id);
}

QString FormHarness::focused()
{
    return js(QStringLiteral(
        "(function () {"
        "  var element = document.activeElement;"
        "  if (!element || element === document.body || element === document.documentElement)"
        "    return '';"
        "  return element.id || element.name || '';"
        "})()")).toString();
}

QStringList FormHarness::takeAlerts()
{
    return std::exchange(m_alerts, {});
}

QList<FormHarness::HostCall> FormHarness::takeHostCalls()
{
    QCoreApplication::processEvents();
    return std::exchange(m_hostCalls, {});
}

CFormulario7316View& FormHarness::view()
{
    return *m_view;
}
