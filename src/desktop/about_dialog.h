#pragma once

#include <QDialog>

namespace formulario {

// The About box: the program's name and version, and an OK button.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace formulario
