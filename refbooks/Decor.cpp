#include "refbooks/Decor.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace refbooks::decor {

QFont gridFont(bool bold)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    font.setBold(bold);
    return font;
}

QPixmap panelPicture(const QColor& base)
{
    QPixmap pixmap(240, 40);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 240, 0);
    gradient.setColorAt(0.0, base.lighter(150));
    gradient.setColorAt(0.5, base);
    gradient.setColorAt(1.0, base.darker(130));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(base.lighter(170), 1.5));
    for (int x = -40; x < 240; x += 24)
        painter.drawLine(QPointF(x, 40), QPointF(x + 40, 0));
    return pixmap;
}

QIcon bookIcon(const QColor& cover)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(cover.darker(180), 1.5));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9, 5, 19, 23));
    painter.setBrush(cover);
    painter.drawRect(QRectF(5, 3, 19, 23));
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawLine(QPointF(9, 9), QPointF(20, 9));
    painter.drawLine(QPointF(9, 13), QPointF(20, 13));
    return QIcon(pixmap);
}

QIcon refreshIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x10, 0x70, 0x10), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 150 * 16);
    painter.drawArc(QRectF(4, 4, 16, 16), 210 * 16, 150 * 16);
    QPainterPath head;
    head.moveTo(20, 3);
    head.lineTo(21, 10);
    head.lineTo(14, 9);
    head.closeSubpath();
    painter.fillPath(head, QColor(0x10, 0x70, 0x10));
    QPainterPath tail;
    tail.moveTo(4, 21);
    tail.lineTo(3, 14);
    tail.lineTo(10, 15);
    tail.closeSubpath();
    painter.fillPath(tail, QColor(0x10, 0x70, 0x10));
    return QIcon(pixmap);
}

QIcon tickIcon()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x00, 0x90, 0x00), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(3, 11), QPointF(8, 16), QPointF(17, 4)}));
    return QIcon(pixmap);
}

} // namespace refbooks::decor
