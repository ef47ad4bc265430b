#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <ostream>

class CFormulario7316View;

// Drives the real form view offscreen, the way a person uses the form: load
// the blank form, type into a field and leave it (its real onblur handler
// runs), pick options, press buttons, and see the alerts and the host calls
// that result. Every step waits until the page has done its work. A step that
// cannot be done (no such field, a disabled field) fails the running test.
class FormHarness {
public:
    // A real view, shown and focused, with the blank form loaded and its load
    // handler done.
    FormHarness();
    ~FormHarness();
    FormHarness(const FormHarness&) = delete;
    FormHarness& operator=(const FormHarness&) = delete;

    // As the New command: loads the blank form again and waits for it.
    void loadBlankForm();
    // As Consult and Modify: shows a page text built in memory and waits for it.
    void showPage(const QString& html);

    // Evaluates a script in the page's own scope and returns its result.
    QVariant js(const QString& script);

    // The value of the field with that name (or id).
    QString value(const QString& field);
    // Sets the value, with no event at all.
    void setValue(const QString& field, const QString& text);
    // Enters the field, replaces its value by `text` and leaves it.
    void type(const QString& field, const QString& text);
    // Enters the field and leaves it.
    void leave(const QString& field);
    // Enters a <select>, picks the option with that text (or value), leaves it.
    void select(const QString& field, const QString& optionText);
    // Clicks the button with that id (or name), as a person does: focus, click.
    void click(const QString& id);

    // The id (or name) of the element with the focus; "" when none has it.
    QString focused();

    // The alert texts shown since the last take, in order.
    QStringList takeAlerts();

    struct HostCall {
        QString xml, number, html, nit;
    };
    // The window.external.GeneraArchivo calls since the last take, in order.
    QList<HostCall> takeHostCalls();

    // The view itself, for tests of the host side.
    CFormulario7316View& view();

private:
    void waitForPage(const std::function<void()>& startLoading);
    void runFieldStep(const QString& step, const QString& field, const QString& text = {});

    std::unique_ptr<CFormulario7316View> m_view;
    QStringList m_alerts;
    QList<HostCall> m_hostCalls;
};

// Lets GoogleTest print texts of the page readably in its failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
