#include "ui/program_icon.h"

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

QIcon serialPortIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A nine-pin connector shell with its cable.
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.5));
    p.setBrush(QColor(0xc8, 0xc8, 0xd0));
    const QPointF shell[] = {{3, 8}, {29, 8}, {25, 22}, {7, 22}};
    p.drawPolygon(shell, 4);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF(7.5 + i * 4.25, 12.5), 1.4, 1.4);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(9.6 + i * 4.25, 17.5), 1.4, 1.4);
    p.setBrush(QColor(0x2f, 0x4f, 0x7f));
    p.drawRect(14, 22, 4, 8);
    return QIcon(pixmap);
}

}  // namespace quelvar
