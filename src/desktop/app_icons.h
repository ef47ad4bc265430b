#pragma once

#include <QIcon>

namespace formulario {

// The application's icon, the program's own image.
QIcon ApplicationIcon();

// A tool bar image: the desktop theme's icon of that name, or the program's
// own image of the same name where the theme has none.
QIcon ToolBarIcon(const char* themeName);

}  // namespace formulario
