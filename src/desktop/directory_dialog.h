#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace formulario {

// The output directory dialog "Directorio Destino": a path to type, or to
// pick with "Buscar". It only collects the text; the generation checks it.
class CDirectorioDestinoDlg : public QDialog {
    Q_OBJECT
public:
    // Shows a folder browser over `parent`, starting at `start`; the folder
    // chosen, or an empty text when none was.
    using FolderBrowser = std::function<QString(QWidget* parent, const QString& start)>;

    explicit CDirectorioDestinoDlg(QWidget* parent = nullptr, FolderBrowser browser = BrowseForFolder);

    // The directory text: put into the box when the dialog opens, read back
    // from it on OK, left as it was on Cancel and the close box.
    QString m_strDirectorio;

    // The platform's folder browser "Seleccione un folder".
    static QString BrowseForFolder(QWidget* parent, const QString& start);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void OnBuscar();

private:
    void PlaceControls();

    FolderBrowser m_browser;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_buscar;
    QLineEdit* m_directorio;
    QLabel* m_prompt;
};

}  // namespace formulario
