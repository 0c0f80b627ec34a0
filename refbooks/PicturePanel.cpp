#include "refbooks/PicturePanel.h"

#include <QPainter>

namespace refbooks {

PicturePanel::PicturePanel(const QColor& colour, QWidget* parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
}

void PicturePanel::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void PicturePanel::paintEvent(QPaintEvent* event)
{
    if (!picture_.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(contentsRect(), picture_);
    }
    QFrame::paintEvent(event);
}

} // namespace refbooks
