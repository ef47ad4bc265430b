#pragma once

#include <QApplication>

#include <memory>
#include <string>

class CMainFrame;

// The application: names, the Windows zone-map value, the main window.
class CFormulario7316App : public QApplication {
    Q_OBJECT
public:
    CFormulario7316App(int& argc, char** argv);
    ~CFormulario7316App() override;

    // The start-up steps; false ends the program. A `declaration` path is
    // shown read-only once the window is up; without one, the drafts other
    // programs left behind are offered.
    bool InitInstance(const std::string& declaration = {});

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

private:
    std::unique_ptr<CMainFrame> m_mainFrame;
};
