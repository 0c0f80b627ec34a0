#pragma once

#include <QFrame>
#include <QPixmap>

namespace refbooks {

// A panel of one colour with a decorative picture stretched over it; the controls placed on it
// stand on the picture.
class PicturePanel : public QFrame {
    Q_OBJECT
public:
    PicturePanel(const QColor& colour, QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace refbooks
