#include "ui/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace quelvar {

QIcon programIcon()
{
    // The images the desktop entry and the setup file type show too (dist/icons).
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/icons/quelvar-%1.png").arg(size), QSize(size, size));
    return icon;
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
