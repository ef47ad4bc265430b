#include "resource_text.h"

#include <QFile>

namespace formulario {

QString ReadResourceText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Missing resource %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}

}  // namespace formulario
