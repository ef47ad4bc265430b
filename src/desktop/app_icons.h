#pragma once

#include <QIcon>

// The application's icon and the tool bar's images, drawn by the program so
// they look the same with or without a desktop icon theme.
QIcon ApplicationIcon();

// A tool bar image: the desktop theme's icon of that name when the theme has
// one, otherwise a drawn square carrying `mark`.
QIcon ToolBarIcon(const char* themeName, QChar mark);
