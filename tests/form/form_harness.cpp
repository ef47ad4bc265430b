#include "form_harness.h"

#include "formulario7316_view.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <iostream>

namespace {

constexpr int kTimeoutMs = 20000;

// The steps of run(), as [kind, name, text] triples; answers "" when all were
// done, or why the first that could not be done failed.
constexpr char kSteps[] = R"JS((function (steps) {
    for (var s = 0; s < steps.length; s++) {
        var kind = steps[s][0], name = steps[s][1], text = steps[s][2];
        var field = document.getElementById(name) || document.getElementsByName(name)[0];
        if (!field)
            return "there is no field " + name;
        if (kind == "set") {
            field.value = text;
            continue;
        }
        if (field.disabled)
            return "the field " + name + " is disabled";
        field.focus();
        if (kind == "click") {
            field.click();
            continue;
        }
        if (document.activeElement !== field)
            return "the field " + name + " cannot take the focus";
        if (kind == "type" && field.options) {
            var index = Array.prototype.findIndex.call(field.options,
                function (o) { return o.text === text || o.value === text; });
            if (index < 0)
                return "the list " + name + " has no option " + text;
            if (index !== field.selectedIndex) {
                field.selectedIndex = index;
                field.dispatchEvent(new Event("change", { bubbles: true }));
            }
        } else if (kind == "type") {
            var before = field.value;
            field.value = text;
            field.dispatchEvent(new Event("input", { bubbles: true }));
            if (field.value !== before)
                field.dispatchEvent(new Event("change", { bubbles: true }));
        }
        field.blur();
    }
    return "";
}))JS";

// Keeps what the blank form holds once loaded, for kRestore.
constexpr char kKeep[] = R"JS((function () {
    window.blankForm = {
        fields: Array.from(C.elements).map(function (e) {
            return { e: e, value: e.value, initial: e.getAttribute("value"), disabled: e.disabled, readOnly: e.readOnly,
                     style: e.getAttribute("style"), handlers: [e.onblur, e.onclick, e.onchange],
                     selected: e.options ? Array.from(e.options).map(function (o) { return o.defaultSelected; }) : null,
                     index: e.selectedIndex };
        }),
        labels: Array.from(document.querySelectorAll("div[id]")).filter(function (d) {
            return !d.querySelector("input, select");
        }).map(function (d) { return [d, d.innerHTML]; }),
        markup: document.body.innerHTML, rows: ANEXO[1], focus: document.activeElement,
        Date: window.Date, alert: window.alert
    };
}))JS";

// Puts the kept blank form back; false when it cannot be (no kept form, or
// the page's markup differs from it afterwards).
constexpr char kRestore[] = R"JS((function () {
    var blank = window.blankForm;
    if (!blank || ANEXO[1] !== blank.rows || C.elements.length !== blank.fields.length)
        return false;
    window.Date = blank.Date;
    window.alert = blank.alert;
    var quiet = function (event) { event.stopPropagation(); };
    window.addEventListener("blur", quiet, true);  // leaving the field now is no leave
    if (document.activeElement)
        document.activeElement.blur();
    window.removeEventListener("blur", quiet, true);
    for (var i = 0; i < blank.fields.length; i++) {
        var f = blank.fields[i], e = f.e;
        if (C.elements[i] !== e)
            return false;
        if (f.selected)
            f.selected.forEach(function (on, j) { e.options[j].defaultSelected = on; });
        f.initial === null ? e.removeAttribute("value") : e.setAttribute("value", f.initial);
        if (e.value !== f.value)
            e.value = f.value;
        e.selectedIndex = f.index;
        e.disabled = f.disabled;
        e.readOnly = f.readOnly;
        f.style === null ? e.removeAttribute("style") : e.setAttribute("style", f.style);
        e.onblur = f.handlers[0], e.onclick = f.handlers[1], e.onchange = f.handlers[2];
    }
    blank.labels.forEach(function (label) { label[0].innerHTML = label[1]; });
    if (blank.focus && blank.focus !== document.body)
        blank.focus.focus();
    return document.body.innerHTML === blank.markup;
}))JS";

QString JsArgument(const QJsonArray& values)
{
    return QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact));
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer wake;  // so that the wait for more events ends at the deadline
    wake.start(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

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
    if (!js(QStringLiteral("document.hasFocus()")).toBool()) {
        std::cerr << "REFOCUS\n";
        m_view->clearFocus();
        QCoreApplication::processEvents();
        m_view->setFocus();
    }
    if (!WaitFor([this] { return m_view->isActiveWindow(); }))
        ADD_FAILURE() << "the form view's window did not become active";
    loadBlankForm();
}

FormHarness::~FormHarness() = default;

void FormHarness::loadBlankForm()
{
    waitForPage([this] { m_view->LoadBlankForm(); });
    js(QString::fromLatin1(kKeep) + QStringLiteral("()"));
}

void FormHarness::showPage(const QString& html)
{
    waitForPage([this, &html] { m_view->ShowPage(html); });
}

void FormHarness::reset()
{
    if (!js(QString::fromLatin1(kRestore) + QStringLiteral("()")).toBool())
        loadBlankForm();
    m_alerts.clear();
    takeHostCalls();
}

void FormHarness::waitForPage(const std::function<void()>& startLoading)
{
    auto loaded = std::make_shared<std::optional<bool>>();
    auto bridged = std::make_shared<bool>(false);
    const auto loadConnection = QObject::connect(m_view.get(), &QWebEngineView::loadFinished,
                                                 [loaded](bool ok) { *loaded = ok; });
    const auto bridgeConnection = QObject::connect(m_view.get(), &CFormulario7316View::bridgeReady,
                                                   [bridged] { *bridged = true; });
    startLoading();
    const bool done = WaitFor([&] { return loaded->has_value() && *bridged; }, kTimeoutMs);
    QObject::disconnect(loadConnection);
    QObject::disconnect(bridgeConnection);
    if (!done)
        ADD_FAILURE() << "the page did not finish loading (loaded: " << loaded->has_value()
                      << ", window.external connected: " << *bridged << ')';
    else if (!**loaded)
        ADD_FAILURE() << "the page failed to load";
    // A refused navigation can leave the page without the focus while the
    // view has it, and without it no focus or blur event fires.
    if (!js(QStringLiteral("document.hasFocus()")).toBool()) {
        m_view->clearFocus();
        QCoreApplication::processEvents();
        m_view->setFocus();
    }
    if (!WaitFor([this] { return js(QStringLiteral("document.hasFocus()")).toBool(); }, kTimeoutMs))
        ADD_FAILURE() << "the page did not get the focus";
}

QVariant FormHarness::js(const QString& script)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    m_view->page()->runJavaScript(script, [result](const QVariant& value) { *result = value; });
    if (!WaitFor([&] { return result->has_value(); }, kTimeoutMs))
        ADD_FAILURE() << "the script did not finish: " << script.left(200).toStdString();
    return result->value_or(QVariant());
}

void FormHarness::run(const QString& steps)
{
    QJsonArray triples;
    for (const QString& step : steps.split(QLatin1Char('|'))) {
        const qsizetype equals = step.indexOf(QLatin1Char('='));
        if (step.startsWith(QLatin1Char('!')))
            triples.append(QJsonArray{QStringLiteral("click"), step.mid(1), QString()});
        else if (equals < 0)
            triples.append(QJsonArray{QStringLiteral("leave"), step, QString()});
        else if (equals > 0 && step[equals - 1] == QLatin1Char(':'))
            triples.append(QJsonArray{QStringLiteral("set"), step.left(equals - 1), step.mid(equals + 1)});
        else
            triples.append(QJsonArray{QStringLiteral("type"), step.left(equals), step.mid(equals + 1)});
    }
    const QVariant reason = js(QString::fromLatin1(kSteps) + QLatin1Char('(') + JsArgument(triples) + QLatin1Char(')'));
    if (!reason.isValid())
        ADD_FAILURE() << steps.toStdString() << ": a step threw";
    else if (!reason.toString().isEmpty())
        ADD_FAILURE() << steps.toStdString() << ": " << reason.toString().toStdString();
}

QString FormHarness::values(const QString& names)
{
    const QVariant result = js(QStringLiteral(
        "%1.map(function (name) {"
        "  var field = document.getElementById(name) || document.getElementsByName(name)[0];"
        "  return field ? String(field.value) : '<no field ' + name + '>';"
        "}).join('|')").arg(JsArgument(QJsonArray::fromStringList(names.split(QLatin1Char(' '))))));
    return result.toString();
}

QString FormHarness::focused()
{
    return js(QStringLiteral(
        "(function (element) {"
        "  if (!element || element === document.body || element === document.documentElement)"
        "    return '';"
        "  return element.id || element.name || '';"
        "})(document.activeElement)")).toString();
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
