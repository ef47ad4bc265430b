#include "register_folders.h"

#include <QDir>
#include <QSettings>

namespace formulario {

namespace {

constexpr char kKey[] = "declaraciones/carpetas";

}  // namespace

QStringList RegisterFolders()
{
    return QSettings().value(QString::fromLatin1(kKey)).toStringList();
}

void SetRegisterFolders(const QStringList& folders)
{
    QSettings().setValue(QString::fromLatin1(kKey), folders);
}

void RememberRegisterFolder(const QString& folder)
{
    QStringList folders = RegisterFolders();
    const QString clean = QDir::cleanPath(folder);
    if (!folders.contains(clean)) {
        folders.append(clean);
        SetRegisterFolders(folders);
    }
}

}  // namespace formulario
