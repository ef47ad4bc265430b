#pragma once

#include <QDockWidget>
#include <QString>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace formulario {

class CFormulario7316View;

// The page's side of the problems panel: the script that gives pages
// window.external calls PaginaCargada once the page has loaded, and
// CasillaDejada with the field's (or button's) name whenever a field is
// left, a choice changes or a button is pressed. Published on the page's web
// channel as "problemas".
class CProblemsActivity : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE void PaginaCargada() { emit pageLoaded(); }
    Q_INVOKABLE void CasillaDejada(const QString& nombre) { emit fieldLeft(nombre); }

signals:
    void pageLoaded();
    void fieldLeft(const QString& name);
};

// "Problemas de la declaración": a dock listing every problem the form's own
// checks find on the page shown, those that stop "Generar" first, brought up
// to date whenever a field is left or a row added. Each item names its box
// (or the annex's column and row) and what is wrong, with the form's message
// beside it; Enter or a click puts the caret in that box. A "Generar" the
// form refuses opens the panel; a page with nothing to check (a Consult
// page) says so.
class CProblemsPanel : public QDockWidget {
    Q_OBJECT
public:
    CProblemsPanel(CFormulario7316View& view, QWidget* parent);

    // The count for the status bar: "3 problemas", "1 problema",
    // "Sin problemas", or nothing when the page has nothing to check.
    QLabel* StatusPane() const { return m_statusPane; }

    // Reads the problems of the page shown again (a page changed by the
    // program, not by the person, says nothing itself).
    void Refresh();

    // Shows the panel with the focus in its list; hides it when the list
    // has the focus already.
    void ShowOrHide();

    // Puts the focus and the caret in the page's field `name`, scrolled into view.
    void FocusField(const QString& name);

signals:
    // The list shows the problems of the page as last read.
    void refreshed();

private:
    struct Problem {
        QString field, label, message;
        bool stops = true;  // stops "Generar"; otherwise only reported by it or by leaving a box
    };
    void OnFieldLeft(const QString& name);
    void Show(const QVariant& result);
    void ShowProblems(const QList<Problem>& problems);
    void Describe(QListWidgetItem& item, const Problem& problem) const;

    CFormulario7316View& m_view;
    QLabel* m_summary;
    QListWidget* m_list;
    QLabel* m_statusPane;
    unsigned m_pageSerial = 0;     // which page a reading belongs to
    bool m_reading = false;        // a reading has been asked of the page
    bool m_readAgain = false;      // the page changed while it was read
    bool m_openIfStopped = false;  // "Generar" was pressed since the last reading began
};

}  // namespace formulario
