#include "app_icons.h"

namespace formulario {

namespace {

QString OwnImage(const QString& name)
{
    return QStringLiteral(":/desktop/icons/%1.svg").arg(name);
}

}  // namespace

QIcon ApplicationIcon()
{
    return QIcon(OwnImage(QStringLiteral("formulario7316")));
}

QIcon ToolBarIcon(const char* themeName)
{
    const QString name = QString::fromLatin1(themeName);
    return QIcon::fromTheme(name, QIcon(OwnImage(name)));
}

}  // namespace formulario
