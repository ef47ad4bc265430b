#pragma once

#include <QString>

namespace formulario {

// The text of one of the program's own compiled-in resources, as UTF-8; a
// missing one ends the program, since the build put it there.
QString ReadResourceText(const QString& path);

}  // namespace formulario
