#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace search {

// The pictures of the search dialogs, drawn rather than read from files: a magnifier for the
// search buttons, a question mark for the help buttons, and the large decorative picture.
QIcon findIcon();
QIcon helpIcon();
QPixmap decorativePicture(QSize size);

// The dialogs' colours: mint-green windows, sky-blue groups.
QColor mintGreen();
QColor skyBlue();

} // namespace search
