#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

QPixmap programPixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(250, 250, 235));
    p.drawRect(QRectF(4, 3, 18, 24));
    p.setPen(QPen(QColor(120, 140, 200), 1));
    for (int y = 8; y < 26; y += 4)
        p.drawLine(QPointF(7, y), QPointF(19, y));
    p.setPen(QPen(QColor(30, 30, 90), 1.2));
    p.setBrush(QColor(170, 180, 200));
    QPainterPath bit;
    bit.moveTo(14, 30);
    bit.lineTo(30, 12);
    bit.lineTo(28, 9);
    bit.lineTo(12, 27);
    bit.closeSubpath();
    p.drawPath(bit);
    return pm;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(programPixmap(size));
    return icon;
}

QIcon refreshIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 110, 0), 3));
    p.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 280 * 16);
    p.setBrush(QColor(0, 110, 0));
    p.setPen(Qt::NoPen);
    const QPointF tip[] = {QPointF(20, 2), QPointF(22, 11), QPointF(13, 9)};
    p.drawPolygon(tip, 3);
    return QIcon(pm);
}

QIcon searchIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 120), 2.5));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(3, 3, 12, 12));
    p.setPen(QPen(QColor(90, 60, 20), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 14), QPointF(21, 21));
    return QIcon(pm);
}
