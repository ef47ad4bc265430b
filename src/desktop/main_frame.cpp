#include "main_frame.h"

#include "about_dialog.h"
#include "app_icons.h"
#include "brand_row_transfer.h"
#include "draft_keeper.h"
#include "formulario7316_view.h"
#include "lock_keys.h"
#include "next_period_start.h"
#include "pdf_export.h"
#include "problems_panel.h"
#include "qt_host_ui.h"
#include "register_folders.h"
#include "register_window.h"

#include "render/consult_page.h"
#include "render/modify_page.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace formulario {

namespace {

using Command = CMainFrame::Command;

constexpr char kCaption[] = "Formulario7316 - Tramix Razuv";
constexpr char kIdlePrompt[] = "Preparado";

struct LockIndicator {
    LockKey key;
    const char* text;
};
const LockIndicator kLockIndicators[] = {
    {LockKey::kCapsLock, "MAY"}, {LockKey::kNumLock, "NUM"}, {LockKey::kScrollLock, "DESP"}};

}  // namespace

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), m_view(new CFormulario7316View(this)),
      m_drafts(new CDraftKeeper(*m_view, m_hostUi, this)),  // asks through m_hostUi only later
      m_hostUi(this, [this](const QString& html) { m_view->ShowPage(html); }),
      m_generation(m_hostUi, PlatformOutputPlace()),
      m_nextPeriod(new CNextPeriodStart(*m_view, *m_drafts, m_hostUi, this)),
      m_brandRows(new CBrandRowTransfer(*m_view, *m_drafts, m_hostUi, this)),
      m_problems(new CProblemsPanel(*m_view, this))
{
    // The engine starts on the blank form while the window is built.
    m_drafts->BeginBlankForm();
    m_view->LoadBlankForm();
    setWindowTitle(QString::fromUtf8(kCaption));
    setWindowIcon(ApplicationIcon());
    setCentralWidget(m_view);
    addDockWidget(Qt::RightDockWidgetArea, m_problems);
    m_problems->hide();
    ConnectCommands();
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    qApp->installEventFilter(this);
    connect(m_drafts, &CDraftKeeper::problem, this,
            [this](const QString& text) { statusBar()->showMessage(text, 10000); });
}

// The handler of each command. Consult, Modify and Save are connected here
// by the commands that build them.
void CMainFrame::ConnectCommands()
{
    m_handlers[Command::kNew] = [this] {
        if (!m_drafts->MayDiscard())
            return;
        m_drafts->BeginBlankForm();
        m_view->LoadBlankForm();
    };
    m_handlers[Command::kConsult] = [this] { OnReopen(ReopenMode::kConsult); };
    m_handlers[Command::kModify] = [this] { OnReopen(ReopenMode::kModify); };
    m_handlers[Command::kRegister] = [this] { OnRegister(); };
    m_handlers[Command::kPrint] = [this] { m_view->PrintPage(); };
    m_handlers[Command::kPrintPreview] = [this] { m_view->PreviewPage(); };
    m_handlers[Command::kExportPdf] = [this] { OnExportPdf(); };
    m_handlers[Command::kSave] = [this] { m_generation.OnFileSave(); };
    connect(m_view, &CFormulario7316View::generaArchivo, this,
            [this](const QString& xml, const QString& number, const QString& html, const QString& nit) {
                if (m_generation.GeneraArchivo(xml.toStdString(), number.toStdString(), html.toStdString(),
                                               nit.toStdString())) {
                    m_drafts->Generated();
                    RememberRegisterFolder(QFileInfo(QString::fromStdString(m_generation.LastDataFile())).path());
                }
            });
    m_handlers[Command::kNextPeriod] = [this] { OnNextPeriod(); };
    m_handlers[Command::kImportBrands] = [this] { m_brandRows->Import(); };
    m_handlers[Command::kExportBrands] = [this] { m_brandRows->Export(); };
    m_handlers[Command::kProblems] = [this] { m_problems->ShowOrHide(); };
    // Changes the program makes to the form, which the page does not report.
    connect(m_drafts, &CDraftKeeper::recovered, m_problems, &CProblemsPanel::Refresh);
    connect(m_nextPeriod, &CNextPeriodStart::started, m_problems, &CProblemsPanel::Refresh);
    connect(m_brandRows, &CBrandRowTransfer::imported, m_problems, &CProblemsPanel::Refresh);
    m_handlers[Command::kAbout] = [this] { OnAppAbout(); };
    m_handlers[Command::kExit] = [this] { close(); };
}

// When no page is shown in the end, the working form stays and is drafted on.
bool CMainFrame::OnReopen(ReopenMode mode, const std::optional<std::string>& file)
{
    if (!m_drafts->MayDiscard())
        return false;
    const std::string path = file ? *file : m_hostUi.ChooseFile().value_or(std::string());
    const bool modify = mode == ReopenMode::kModify;
    if (!Reopen(mode, modify ? PageBuilder(BuildModifyPage) : PageBuilder(BuildConsultPage), path, m_hostUi, m_page)) {
        m_drafts->KeepDrafting();
        return false;
    }
    if (modify)
        m_drafts->BeginModifyPage(path);
    else
        m_drafts->EndWorkingForm();
    return true;
}

void CMainFrame::OpenDeclaration(const std::string& path)
{
    if (Reopen(ReopenMode::kConsult, BuildConsultPage, path, m_hostUi, m_page))
        m_drafts->EndWorkingForm();
}

// A new declaration from an earlier one, once typed work may go; when none
// is started, the working form stays and is drafted on.
void CMainFrame::OnNextPeriod(const std::optional<std::string>& file)
{
    if (!m_drafts->MayDiscard())
        return;
    if (!m_nextPeriod->Start(file ? *file : m_hostUi.ChooseFile().value_or(std::string())))
        m_drafts->KeepDrafting();
}

void CMainFrame::StartNextPeriod(const std::string& path)
{
    OnNextPeriod(path);
}

// The register window, made once; its rows open in this window's view.
void CMainFrame::OnRegister()
{
    if (!m_register) {
        const auto reopen = [this](ReopenMode mode, bool pdf) {
            return [this, mode, pdf](const std::string& path) {
                activateWindow();
                if (OnReopen(mode, path) && pdf)  // the PDF of the page once it has loaded
                    connect(
                        m_view, &QWebEngineView::loadFinished, this,
                        [this](bool ok) {
                            if (ok)
                                OnExportPdf();
                        },
                        Qt::SingleShotConnection);
            };
        };
        const auto startNext = [this](const std::string& path) {
            activateWindow();
            StartNextPeriod(path);
        };
        m_register = new CRegisterWindow(this, {reopen(ReopenMode::kConsult, false), reopen(ReopenMode::kModify, false),
                                                startNext, reopen(ReopenMode::kConsult, true)});
    }
    m_register->show();
    m_register->raise();
    m_register->activateWindow();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_drafts->MayDiscard()) {
        event->ignore();
        return;
    }
    m_drafts->EndWorkingForm();
    QMainWindow::closeEvent(event);
}

void CMainFrame::EndWithoutAsking()
{
    m_drafts->KeepForNextStart();
    m_drafts->EndWorkingForm();
    QApplication::exit(0);  // also ends any dialog's loop
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    // The message pane shows an entry's prompt while it is pointed at and
    // "Preparado" the rest of the time.
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(QString::fromUtf8(kIdlePrompt));
    });
    bar->showMessage(QString::fromUtf8(kIdlePrompt));

    bar->addPermanentWidget(m_problems->StatusPane());
    for (const LockIndicator& indicator : kLockIndicators) {
        auto* pane = new QLabel(QString::fromLatin1(indicator.text));
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("DESPX")));
        bar->addPermanentWidget(pane);
        m_lockIndicators[int(indicator.key)] = pane;
    }
    RefreshLockIndicators();

    connect(Action(Command::kViewStatusBar), &QAction::toggled, bar, &QStatusBar::setVisible);
}

// A pane is lit while its lock is on, greyed while it is off or when the
// platform cannot tell.
void CMainFrame::RefreshLockIndicators()
{
    for (const LockIndicator& indicator : kLockIndicators)
        m_lockIndicators[int(indicator.key)]->setEnabled(IsLockOn(indicator.key).value_or(false));
}

QAction* CMainFrame::FrameShortcut(const QKeyEvent& key) const
{
    const QKeySequence keys(key.keyCombination());
    for (QAction* action : actions()) {
        if (action->isEnabled() && action->shortcuts().contains(keys))
            return action;
    }
    return nullptr;
}

// The frame's shortcuts come first, also while the page has the focus: the
// engine would otherwise keep editing keys such as Ctrl+C for itself. The
// key is claimed before the shortcut look-up (which would find the engine's
// own action too) and runs the frame's command instead of reaching the page.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !m_view->isAncestorOf(widget))
            break;
        QAction* action = FrameShortcut(*static_cast<QKeyEvent*>(event));
        if (!action)
            break;
        if (event->type() == QEvent::KeyPress)
            action->trigger();
        event->accept();
        return true;
    }
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
        RefreshLockIndicators();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// Asks where to keep a PDF of the page shown and writes it there, whole or
// not at all.
void CMainFrame::OnExportPdf()
{
    QFileDialog dialog(this, QStringLiteral("Exportar PDF"), QDir::homePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Documentos PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    ExportPagePdf(*m_view->page(), path, [this, path](bool written) {
        if (written)
            statusBar()->showMessage(QStringLiteral("Se guardó %1").arg(QDir::toNativeSeparators(path)), 5000);
        else
            m_hostUi.ShowMessage("Error:\nNo se pudo escribir el archivo " +
                                     QDir::toNativeSeparators(path).toStdString(),
                                 QApplication::applicationName().toStdString());
    });
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

}  // namespace formulario
