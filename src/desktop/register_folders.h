#pragma once

#include <QStringList>

namespace formulario {

// The folders the register lists, kept in the program's settings: each one
// a declaration data file was written to, and those the person added.
QStringList RegisterFolders();
void SetRegisterFolders(const QStringList& folders);

// Adds `folder` to the register's folders when it is not there yet.
void RememberRegisterFolder(const QString& folder);

}  // namespace formulario
