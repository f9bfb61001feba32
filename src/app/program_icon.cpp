#include "app/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace quelvar {

QIcon programIcon()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Indicator case with a numeric display.
    p.setBrush(QColor(0x2f, 0x4f, 0x7f));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(6, 4, 52, 34, 6, 6);
    p.setBrush(QColor(0x9f, 0xe8, 0x7f));
    p.drawRect(12, 10, 40, 14);
    p.setPen(QColor(0x1f, 0x3f, 0x1f));
    QFont font("Liberation Mono");
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(12, 10, 40, 14), Qt::AlignCenter, "12.50");
    // Load platform.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0x80, 0x80));
    p.drawRect(28, 38, 8, 12);
    p.drawRoundedRect(4, 50, 56, 8, 3, 3);
    return QIcon(pixmap);
}

}  // namespace quelvar
