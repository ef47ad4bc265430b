#pragma once

#include <QString>

#include <functional>
#include <string>

class QWebEnginePage;

namespace formulario {

// Writes what `page` shows as a PDF file, whole or not at all (an earlier
// file of that name stays intact when writing fails), then calls `done`
// with whether the file was written.
void ExportPagePdf(QWebEnginePage& page, const QString& path, std::function<void(bool written)> done);

// formulario7316 --pdf: the read-only page of a saved declaration written as
// a PDF, with no window. A refused declaration's message goes to standard
// error and nothing is written. Returns the process's exit code.
int ExportDeclarationPdf(const std::string& declaration, const std::string& output);

}  // namespace formulario
