#pragma once

#include <QApplication>

#include <memory>
#include <string>
#include <thread>

namespace formulario {

class CMainFrame;

// The application: names, the Windows zone-map value, the main window.
class CFormulario7316App : public QApplication {
    Q_OBJECT
public:
    CFormulario7316App(int& argc, char** argv);
    ~CFormulario7316App() override;

    // The start-up steps. A `declaration` path is
    // shown read-only once the window is up; without one, the drafts other
    // programs left behind are offered. A `nextPeriodFrom` path starts a new
    // declaration from that one instead, and also leaves the drafts alone.
    void InitInstance(const std::string& declaration = {}, const std::string& nextPeriodFrom = {});

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

private:
    // Reads the font database, which the engine's start and the window's
    // text need, on another core while the engine starts on this one.
    std::jthread m_fontReader;
    std::unique_ptr<CMainFrame> m_mainFrame;
};

}  // namespace formulario
