#include "qt_host_ui.h"

#include "directory_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace formulario {

CQtHostUi::CQtHostUi(QWidget* parent, PageShower showPage) : m_parent(parent), m_showPage(std::move(showPage)) {}

std::optional<std::string> CQtHostUi::AskDirectory(const std::string& initial)
{
    CDirectorioDestinoDlg dialog(m_parent);
    dialog.m_strDirectorio = QString::fromStdString(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.m_strDirectorio.toStdString();
}

std::optional<std::string> CQtHostUi::ChooseFile()
{
    // A name that does not exist is returned too; reading it reports it.
    QFileDialog dialog(m_parent, QStringLiteral("Buscar Archivo"));
    dialog.setNameFilter(QStringLiteral("Todos los archivos (*)"));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst()).toStdString();
}

void CQtHostUi::ShowMessage(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                    m_parent);
    box.exec();
}

bool CQtHostUi::AskYesNo(const std::string& text, const std::string& caption, Answer byDefault)
{
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::NoButton, m_parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setDefaultButton(byDefault == Answer::kYes ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void CQtHostUi::ShowWarning(const std::string& text)
{
    // Plain text: a warning may quote a file's own words.
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), QString::fromStdString(text),
                    QMessageBox::Ok, m_parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void CQtHostUi::ShowPage(const std::string& html)
{
    m_showPage(QString::fromStdString(html));
}

OutputPlace PlatformOutputPlace()
{
#ifdef Q_OS_WIN
    return {"C:\\", "\\"};
#else
    return {QDir::homePath().toStdString() + "/", "/"};
#endif
}

}  // namespace formulario
