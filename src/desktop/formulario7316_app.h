#pragma once

#include <QApplication>

#include <memory>

class CMainFrame;

// The application: names, the Windows zone-map value, the main window.
class CFormulario7316App : public QApplication {
    Q_OBJECT
public:
    CFormulario7316App(int& argc, char** argv);
    ~CFormulario7316App() override;

    // The start-up steps; false ends the program.
    bool InitInstance();

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

private:
    std::unique_ptr<CMainFrame> m_mainFrame;
};
