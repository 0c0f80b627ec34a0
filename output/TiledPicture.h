#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <vector>

class QPainter;

namespace output {

// A background picture laid over a window in tiles from the top left corner. A file that is
// missing or cannot be read gives the picture drawn here instead, so the window still shows.
class TiledPicture {
public:
    // Loads the file; false when the drawn picture had to stand in for it.
    bool load(const QString& path);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

    // The top left corners of the tiles that cover `client`: whole quotients of the client size
    // by the picture size, plus one more column and row for what they leave over.
    static std::vector<QPoint> tileOrigins(QSize client, QSize picture);
    void paint(QPainter& painter, QSize client) const;

    // The picture drawn into the program, with no exactly white pixel.
    static QImage builtIn();

private:
    QImage image_ = builtIn();
};

} // namespace output
