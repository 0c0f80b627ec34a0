#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>

// The look the three reference windows share: colours, the grid font, icons and the
// decorative pictures of their bottom panels.
namespace refbooks::decor {

inline const QColor teal{0x00, 0x80, 0x80};
inline const QColor blue{0x00, 0x00, 0xFF};
inline const QColor mint{0xC0, 0xDC, 0xC0};
inline const QColor skyBlue{0xA6, 0xCA, 0xF0};
inline const QColor yellow{0xFF, 0xFF, 0x00};
inline const QColor lime{0x00, 0xFF, 0x00};

// Cells in a 13-pixel sans-serif font; bold: the titles.
QFont gridFont(bool bold = false);

// A picture to stretch over a bottom panel: soft bands shading from the panel's colour.
QPixmap panelPicture(const QColor& base);

// A book in the given colour, for a window's title bar.
QIcon bookIcon(const QColor& cover);
// Two arrows in a circle, for the refresh button.
QIcon refreshIcon();
// A green tick, for the select button.
QIcon tickIcon();

} // namespace refbooks::decor
