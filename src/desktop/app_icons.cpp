#include "app_icons.h"

#include <QPainter>
#include <QPixmap>

namespace {

const QColor kFormBlue(0xa3, 0xc9, 0xff);
const QColor kDarkBlue(0x00, 0x00, 0x8b);

QPixmap DrawMark(int size, const QString& text)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kDarkBlue, qMax(1, size / 16)));
    painter.setBrush(kFormBlue);
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(text.size() > 1 ? size * 3 / 10 : size * 2 / 3);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return pixmap;
}

QIcon DrawnIcon(const QString& text)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(DrawMark(size, text));
    return icon;
}

}  // namespace

QIcon ApplicationIcon()
{
    return DrawnIcon(QStringLiteral("7316"));
}

QIcon ToolBarIcon(const char* themeName, QChar mark)
{
    const QString name = QString::fromLatin1(themeName);
    return QIcon::hasThemeIcon(name) ? QIcon::fromTheme(name) : DrawnIcon(QString(mark));
}
