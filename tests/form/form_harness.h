#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "wait_for.h"

#include <functional>
#include <memory>
#include <ostream>

namespace formulario {
class CFormulario7316View;
}
using namespace formulario;

// Drives the real form view offscreen, the way a person uses the form: type
// into a field and leave it (its real onblur handler runs), pick options,
// press buttons, and see the alerts and host calls that result. A step a
// person could not do (no such field, a disabled field) fails the running
// test; every wait is bounded and says what did not happen.
class FormHarness {
public:
    FormHarness();  // a real view, shown and focused, with the blank form loaded
    ~FormHarness();

    void loadBlankForm();                // as New: loads the blank form and waits for it
    void showPage(const QString& html);  // as Consult and Modify: shows a page text and waits for it
    // The blank form as it loaded, put back in place (loaded again only when
    // another page is shown); alerts and host calls are dropped.
    void reset();
    QVariant js(const QString& script);  // runs a script in the page's own scope, for its result

    // Runs steps separated by '|', each on the field (or button) named:
    //   "name=text"   enter, replace the value by text (in a list: pick the
    //                 option with that text or value), leave
    //   "name:=text"  set the value, with no event at all
    //   "name"        enter and leave
    //   "!name"       click, as a person does: focus, click
    void run(const QString& steps);
    // The values of the fields named (separated by blanks), joined by '|'; a
    // name no field has is a script expression, evaluated in its turn.
    QString values(const QString& names);
    QString focused();  // the id (or name) of the element with the focus; "" when none has it

    QStringList takeAlerts() { return std::exchange(m_alerts, {}); }  // the alerts shown since the last take
    struct HostCall {
        QString xml, number, html, nit;
        bool operator==(const HostCall&) const = default;
    };
    // The window.external.GeneraArchivo calls since the last take, once
    // `expected` have arrived (or a while later, when none are expected).
    QList<HostCall> takeHostCalls(int expected);
    CFormulario7316View& view() { return *m_view; }

private:
    void waitForPage(const std::function<void()>& startLoading);

    std::unique_ptr<CFormulario7316View> m_view;
    QStringList m_alerts;
    QList<HostCall> m_hostCalls;
};

QString JsArray(const QStringList& texts);  // the texts as a script's array literal
FormHarness& TheForm();                     // the test program's one harness, made on first use

// Lets GoogleTest print texts of the page, and host calls, readably.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline void PrintTo(const FormHarness::HostCall& call, std::ostream* out)
{
    *out << "{\"" << call.xml.left(300).toStdString() << "\" \"" << call.number.toStdString() << "\", "
         << call.html.size() << " characters of markup, \"" << call.nit.toStdString() << "\"}";
}
