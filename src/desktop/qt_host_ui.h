#pragma once

#include "host/host_ui.h"
#include "host/output_directory.h"

#include <QString>

#include <functional>

class QWidget;

namespace formulario {

// The program's person-facing side of the host flows: the output directory
// dialog, the open-file dialog, message boxes over `parent`, and the view
// for pages built in memory.
class CQtHostUi : public HostUi {
public:
    using PageShower = std::function<void(const QString& html)>;

    CQtHostUi(QWidget* parent, PageShower showPage);

    std::optional<std::string> AskDirectory(const std::string& initial) override;
    std::optional<std::string> ChooseFile() override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption, Answer byDefault) override;
    void ShowWarning(const std::string& text) override;
    void ShowPage(const std::string& html) override;

private:
    QWidget* m_parent;
    PageShower m_showPage;
};

// Where declaration files go here: on Windows "C:\" and "\", elsewhere the
// user's home directory followed by "/", and "/".
OutputPlace PlatformOutputPlace();

}  // namespace formulario
