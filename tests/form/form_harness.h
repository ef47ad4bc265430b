#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <ostream>

class CFormulario7316View;

// Drives the real form view offscreen, the way a person uses the form: type
// into a field and leave it (its real onblur handler runs), pick options,
// press buttons, and see the alerts and host calls that result. A step a
// person could not do (no such field, a disabled field) fails the running
// test; every wait is bounded and says what did not happen.
class FormHarness {
public:
    // A real view, shown and focused, with the blank form loaded.
    FormHarness();
    ~FormHarness();
    FormHarness(const FormHarness&) = delete;
    FormHarness& operator=(const FormHarness&) = delete;

    // As the New command: loads the blank form again and waits for it.
    void loadBlankForm();
    // As Consult and Modify: shows a page text built in memory and waits for it.
    void showPage(const QString& html);
    // The blank form as it loaded, every field, label and script hook put
    // back in place; the page is loaded again only when that cannot be done
    // (another page, rows added or removed). Alerts and host calls are dropped.
    void reset();

    // Evaluates a script in the page's own scope and returns its result.
    QVariant js(const QString& script);

    // Runs steps separated by '|', each in its own field:
    //   "name=text"   enter, replace the value by text (in a list: pick the
    //                 option with that text or value), leave
    //   "name:=text"  set the value, with no event at all
    //   "name"        enter and leave
    //   "!name"       click, as a person does: focus, click
    void run(const QString& steps);

    // The values of the fields named (separated by blanks), joined by '|'.
    QString values(const QString& names);
    QString value(const QString& field) { return values(field); }
    // The id (or name) of the element with the focus; "" when none has it.
    QString focused();

    // The alert texts shown since the last take, in order.
    QStringList takeAlerts();

    struct HostCall {
        QString xml, number, html, nit;
    };
    // The window.external.GeneraArchivo calls since the last take, in order.
    QList<HostCall> takeHostCalls();

    CFormulario7316View& view() { return *m_view; }

private:
    void waitForPage(const std::function<void()>& startLoading);

    std::unique_ptr<CFormulario7316View> m_view;
    QStringList m_alerts;
    QList<HostCall> m_hostCalls;
};

// Handles events until `done` holds or the time is up; false when it is up.
// It returns as soon as the event that makes `done` hold is handled.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 20000);

// Lets GoogleTest print texts of the page readably in its failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{';
    for (const QString& text : texts)
        *out << '"' << text.toStdString() << "\" ";
    *out << '}';
}
