#include "search/SearchPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace search {

namespace {

void drawMagnifier(QPainter& p, const QRectF& box, const QColor& rim, qreal width)
{
    const qreal d = std::min(box.width(), box.height()) * 0.62;
    const QRectF lens(box.topLeft(), QSizeF(d, d));
    p.setPen(QPen(rim, width, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(220, 240, 255, 160));
    p.drawEllipse(lens);
    const QPointF from = lens.center() + QPointF(d * 0.36, d * 0.36);
    const QPointF to(box.left() + std::min(box.width(), box.height()) * 0.95,
                     box.top() + std::min(box.width(), box.height()) * 0.95);
    p.setPen(QPen(QColor(120, 70, 20), width * 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

} // namespace

QIcon findIcon()
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawMagnifier(p, QRectF(1.5, 1.5, 17, 17), QColor(0, 0, 128), 2);
    p.end();
    return QIcon(pm);
}

QIcon helpIcon()
{
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 1.5));
    p.setBrush(QColor(255, 255, 200));
    p.drawEllipse(QRectF(1.5, 1.5, 19, 19));
    QFont f;
    f.setBold(true);
    f.setPixelSize(15);
    p.setFont(f);
    p.drawText(QRectF(1.5, 1.5, 19, 19), Qt::AlignCenter, QStringLiteral("?"));
    p.end();
    return QIcon(pm);
}

QPixmap decorativePicture(QSize size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    // A drill bit lying across, seen through a large magnifier.
    QPainterPath bit;
    bit.moveTo(w * 0.08, h * 0.70);
    bit.lineTo(w * 0.70, h * 0.70);
    bit.lineTo(w * 0.80, h * 0.76);
    bit.lineTo(w * 0.70, h * 0.82);
    bit.lineTo(w * 0.08, h * 0.82);
    bit.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 80), 1.5));
    p.setBrush(QColor(170, 175, 185));
    p.drawPath(bit);
    p.setPen(QPen(QColor(90, 90, 100), 1));
    for (qreal x = w * 0.30; x < w * 0.68; x += w * 0.06)
        p.drawLine(QPointF(x, h * 0.70), QPointF(x + w * 0.04, h * 0.82));
    drawMagnifier(p, QRectF(w * 0.25, h * 0.05, std::min(w, h) * 0.9, std::min(w, h) * 0.9), QColor(0, 0, 128),
                  std::max<qreal>(2, std::min(w, h) / 30));
    p.end();
    return pm;
}

QColor mintGreen()
{
    return QColor(192, 220, 192);
}

QColor skyBlue()
{
    return QColor(166, 202, 240);
}

} // namespace search
