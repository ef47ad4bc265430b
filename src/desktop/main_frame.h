#pragma once

#include "qt_host_ui.h"

#include "host/generation_flow.h"
#include "host/reopen.h"
#include "render/page_text.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QAction;
class QKeyEvent;
class QLabel;
class QToolBar;

namespace formulario {

class CBrandRowTransfer;
class CDraftKeeper;
class CNextPeriodStart;
class CProblemsPanel;
class CRegisterWindow;
class CFormulario7316View;

// The main window: menu, tool bar and status bar around the form view.
// Each command is one row of the command table in main_frame_commands.cpp (its menu
// text, shortcut, status-bar prompt, tool tip and image) and one handler in
// ConnectCommands(), or a toggle of the tool bar or status bar.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum class Command {
        kNew,
        kConsult,
        kModify,
        kPrint,
        kPrintPreview,
        kExportPdf,
        kSave,
        kAbout,
        kExit,
        kViewToolBar,
        kViewStatusBar,
        kNextPeriod,
        kImportBrands,
        kExportBrands,
        kRegister,
        kProblems
    };

    explicit CMainFrame(QWidget* parent = nullptr);

    CFormulario7316View& View() const { return *m_view; }

    // The draft of the working form: kept on disk, offered back at start-up.
    CDraftKeeper& Drafts() const { return *m_drafts; }

    // Shows a saved declaration read-only, as Consult does with the file
    // chosen: the same refusals, and the page shown stays on a refusal. Asks
    // nothing, and leaves any draft where it is.
    void OpenDeclaration(const std::string& path);

    // Ends the program as closing the window does, but without asking:
    // typed work stays as the draft the next start offers.
    void EndWithoutAsking();

    // Starts a new declaration from the saved one at `path`, as
    // "Nueva a partir de una anterior..." does with the file chosen.
    void StartNextPeriod(const std::string& path);

    CNextPeriodStart& NextPeriod() const { return *m_nextPeriod; }
    CBrandRowTransfer& BrandRows() const { return *m_brandRows; }
    CProblemsPanel& Problems() const { return *m_problems; }

    // Consult or Modify of the file chosen, or of `file` when given, once
    // typed work may go. True when its page is shown.
    bool OnReopen(ReopenMode mode, const std::optional<std::string>& file = std::nullopt);

    // The command's action.
    QAction* Action(Command command) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Asks first when typed work would be lost.
    void closeEvent(QCloseEvent* event) override;

private:
    void ConnectCommands();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void AddToMenuOrBar(QWidget* menuOrBar, Command command);
    void RefreshLockIndicators();
    QAction* FrameShortcut(const QKeyEvent& key) const;
    void OnAppAbout();
    void OnExportPdf();
    void OnNextPeriod(const std::optional<std::string>& file = std::nullopt);
    void OnRegister();

    CFormulario7316View* m_view;
    CDraftKeeper* m_drafts;
    std::map<Command, std::function<void()>> m_handlers;
    std::map<Command, QAction*> m_actions;
    QToolBar* m_wndToolBar = nullptr;
    std::map<int, QLabel*> m_lockIndicators;
    CQtHostUi m_hostUi;
    CGenerationFlow m_generation;  // the page's GeneraArchivo, and Save
    CPageText m_page;              // the page Consult or Modify built last
    CNextPeriodStart* m_nextPeriod;
    CBrandRowTransfer* m_brandRows;
    CProblemsPanel* m_problems;
    CRegisterWindow* m_register = nullptr;  // made when first shown
};

}  // namespace formulario
