#include "problems_panel.h"

#include "formulario7316_view.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace formulario {

namespace {

const QString kTitle = QStringLiteral("Problemas de la declaración");
const QString kListName = QStringLiteral("Lista de problemas de la declaración");
const QString kNothingToCheck = QStringLiteral("La página mostrada es de consulta: no hay nada que revisar.");
const QString kDoesNotStop = QStringLiteral("No impide generar. ");

// The problems of the page shown, each [field, the field's accessible name,
// message, stops "Generar"]; null for a page without the form's checks (a
// Consult page) or one still loading.
const QString kReadScript = QStringLiteral(
    "(function () {"
    " if (document.readyState != 'complete' || typeof problemasdeclaracion != 'function') return null;"
    " return problemasdeclaracion().map(function (p) {"
    "  var campo = p.campo ? document.getElementById(p.campo) : null;"
    "  return [p.campo, (campo && campo.getAttribute('aria-label')) || p.campo, p.mensaje, p.detiene]; });"
    "})()");

// Focuses the field, caret at its end and scrolled into view, once the page
// has the focus: a field focused in a page without it would take the focus
// from the one being typed in without that one's leave handler running.
const QString kFocusScript =
    QStringLiteral("(function (nombre) {"
                   " var campo = document.getElementById(nombre); if (!campo) return false;"
                   " var enfoca = function () {"
                   "  campo.scrollIntoView({ block: 'center' }); campo.focus();"
                   "  if (campo.setSelectionRange) campo.setSelectionRange(campo.value.length, campo.value.length); };"
                   " if (document.hasFocus()) enfoca(); else window.addEventListener('focus', enfoca, { once: true });"
                   " return true; })");

// The form's message on one line, without its "Error:" line.
QString OneLine(const QString& message)
{
    QString text = message;
    text.remove(QRegularExpression(QStringLiteral("^Error:\\s*")));
    return text.replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
}

// What is wrong, in the message's own words: its first statement, before
// the line break or the request that follows ("Por favor ...").
QString WhatIsWrong(const QString& message)
{
    QString text = message;
    text.remove(QRegularExpression(QStringLiteral("^Error:\\s*")));
    qsizetype end = text.indexOf(QLatin1Char('\n'));
    const qsizetype request = text.indexOf(QRegularExpression(QStringLiteral("[.,]?\\s*[Pp]or favor")));
    if (end < 0 || (request >= 0 && request < end))
        end = request;
    text = text.left(end < 0 ? text.size() : end).trimmed();
    while (text.endsWith(QLatin1Char(',')))
        text.chop(1);
    return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

QString CountText(qsizetype count)
{
    if (count == 0)
        return QStringLiteral("Sin problemas");
    return count == 1 ? QStringLiteral("1 problema") : QStringLiteral("%1 problemas").arg(count);
}

}  // namespace

CProblemsPanel::CProblemsPanel(CFormulario7316View& view, QWidget* parent)
    : QDockWidget(kTitle, parent), m_view(view), m_summary(new QLabel), m_list(new QListWidget),
      m_statusPane(new QLabel)
{
    setObjectName(QStringLiteral("problemsPanel"));
    setAccessibleName(kTitle);
    m_list->setAccessibleName(kListName);
    m_list->setWordWrap(true);
    m_list->setTextElideMode(Qt::ElideNone);
    m_summary->setWordWrap(true);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(m_summary);
    layout->addWidget(m_list);
    setWidget(content);

    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { FocusField(item->data(Qt::UserRole).toString()); });
    connect(m_list, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { FocusField(item->data(Qt::UserRole).toString()); });
    new QShortcut(
        QKeySequence(Qt::Key_Escape), m_list, [this] { m_view.setFocus(); }, Qt::WidgetShortcut);

    auto* activity = new CProblemsActivity(this);
    m_view.page()->webChannel()->registerObject(QStringLiteral("problemas"), activity);
    connect(activity, &CProblemsActivity::pageLoaded, this, &CProblemsPanel::Refresh);
    connect(activity, &CProblemsActivity::fieldLeft, this, &CProblemsPanel::OnFieldLeft);
    connect(m_view.page(), &QWebEnginePage::loadStarted, this, [this] {
        ++m_pageSerial;  // readings of the page before are of no use now
        m_readAgain = false;
        ShowProblems({});
        m_summary->clear();
        m_statusPane->clear();
    });
}

void CProblemsPanel::OnFieldLeft(const QString& name)
{
    if (name == QLatin1String("validar"))
        m_openIfStopped = true;
    Refresh();
}

// One reading at a time: a change meanwhile reads the page again after it.
void CProblemsPanel::Refresh()
{
    if (m_reading) {
        m_readAgain = true;
        return;
    }
    m_reading = true;
    QPointer<CProblemsPanel> self(this);
    const unsigned serial = m_pageSerial;
    m_view.page()->runJavaScript(kReadScript, QWebEngineScript::MainWorld, [self, serial](const QVariant& result) {
        if (!self)
            return;
        self->m_reading = false;
        if (serial == self->m_pageSerial && !self->m_view.IsPageWaiting())
            self->Show(result);
        if (std::exchange(self->m_readAgain, false))
            self->Refresh();
    });
}

void CProblemsPanel::Show(const QVariant& result)
{
    // A press of "Generar" counts for the first reading begun after it.
    const bool openIfStopped = m_openIfStopped && !m_readAgain;
    if (!m_readAgain)
        m_openIfStopped = false;
    if (result.typeId() != QMetaType::QVariantList) {
        ShowProblems({});
        m_summary->setText(kNothingToCheck);
        m_statusPane->clear();
        emit refreshed();
        return;
    }
    QList<Problem> problems;
    for (const QVariant& entry : result.toList()) {
        const QVariantList fields = entry.toList();
        problems.append({fields.value(0).toString(), fields.value(1).toString(), fields.value(2).toString(),
                         fields.value(3).toBool()});
    }
    ShowProblems(problems);
    const bool stopped = std::any_of(problems.cbegin(), problems.cend(), [](const Problem& p) { return p.stops; });
    if (openIfStopped && stopped) {
        show();
        raise();
    }
    emit refreshed();
}

// The items rewritten in place, rows added or taken off at the end, so that
// the list keeps its current row and a screen reader its place in it.
void CProblemsPanel::ShowProblems(const QList<Problem>& problems)
{
    while (m_list->count() > problems.size())
        delete m_list->takeItem(m_list->count() - 1);
    for (qsizetype row = 0; row < problems.size(); ++row) {
        if (row == m_list->count())
            m_list->addItem(new QListWidgetItem);
        Describe(*m_list->item(int(row)), problems[row]);
    }
    m_summary->setText(CountText(problems.size()));
    m_statusPane->setText(CountText(problems.size()));
}

// "<box>: <what is wrong>" over the form's message; a problem that does not
// stop "Generar" says so.
void CProblemsPanel::Describe(QListWidgetItem& item, const Problem& problem) const
{
    const QString heading = problem.label + QStringLiteral(": ") + WhatIsWrong(problem.message);
    const QString detail = (problem.stops ? QString() : kDoesNotStop) + OneLine(problem.message);
    item.setText(heading + QLatin1Char('\n') + detail);
    item.setData(Qt::UserRole, problem.field);
    item.setData(Qt::AccessibleTextRole, heading);
    item.setData(Qt::AccessibleDescriptionRole, detail);
    item.setToolTip(problem.message);
    item.setIcon(
        style()->standardIcon(problem.stops ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation));
}

void CProblemsPanel::ShowOrHide()
{
    if (isVisible() && m_list->hasFocus()) {
        hide();
        m_view.setFocus();
        return;
    }
    show();
    raise();
    m_list->setFocus();
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void CProblemsPanel::FocusField(const QString& name)
{
    if (name.isEmpty())
        return;
    m_view.setFocus();
    const QString script =
        QStringLiteral("%1.apply(null, %2)")
            .arg(kFocusScript, QString::fromUtf8(QJsonDocument(QJsonArray{name}).toJson(QJsonDocument::Compact)));
    m_view.page()->runJavaScript(script, QWebEngineScript::MainWorld);
}

}  // namespace formulario
