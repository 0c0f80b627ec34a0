#include "output/TiledPicture.h"

#include <QPainter>

namespace output {

bool TiledPicture::load(const QString& path)
{
    QImage loaded;
    if (loaded.load(path) && !loaded.isNull() && loaded.width() > 0 && loaded.height() > 0) {
        image_ = loaded.convertToFormat(QImage::Format_RGB32);
        return true;
    }
    image_ = builtIn();
    return false;
}

void TiledPicture::setImage(const QImage& image)
{
    image_ = image.isNull() || image.width() <= 0 || image.height() <= 0 ? builtIn()
                                                                        : image.convertToFormat(QImage::Format_RGB32);
}

std::vector<QPoint> TiledPicture::tileOrigins(QSize client, QSize picture)
{
    std::vector<QPoint> origins;
    if (picture.width() <= 0 || picture.height() <= 0 || client.width() < 0 || client.height() < 0)
        return origins;
    const int columns = client.width() / picture.width();
    const int rows = client.height() / picture.height();
    origins.reserve(size_t(columns + 1) * size_t(rows + 1));
    for (int i = 0; i <= columns; ++i)
        for (int j = 0; j <= rows; ++j)
            origins.emplace_back(i * picture.width(), j * picture.height());
    return origins;
}

void TiledPicture::paint(QPainter& painter, QSize client) const
{
    for (const QPoint& p : tileOrigins(client, image_.size()))
        painter.drawImage(p, image_);
}

QImage TiledPicture::builtIn()
{
    // A calm blue-grey tile with a faint diagonal weave; dark enough for the blue and black
    // texts of the dialog to stand out, and never pure white.
    constexpr int side = 48;
    QImage img(side, side, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(206, 219, 236));
    p.setPen(QPen(QColor(180, 198, 222), 1));
    p.drawLine(0, side - 1, side - 1, 0);
    p.drawLine(0, 0, side - 1, side - 1);
    p.end();
    return img;
}

} // namespace output
