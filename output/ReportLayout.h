#pragma once

#include <QPageLayout>
#include <QString>
#include <Qt>
#include <array>

namespace output::report {

// The printed register's layout. Lengths are millimetres, font sizes points; the painter turns
// millimetres into device units of whatever it paints on.

inline constexpr double paperWidth = 297.0;      // A4 landscape
inline constexpr double paperHeight = 210.0;
inline constexpr double marginTop = 5.0;
inline constexpr double marginBottom = 10.0;
inline constexpr double marginLeft = 5.0;
inline constexpr double marginRight = 10.0;
inline constexpr double printableWidth = paperWidth - marginLeft - marginRight;     // 282
inline constexpr double printableHeight = paperHeight - marginTop - marginBottom;   // 195

inline constexpr double titleBandHeight = 21.96;
inline constexpr double rowBandHeight = 9.26;
// The row frame is a little taller than its band, so its bottom edge falls inside the next row,
// whose frame (drawn later, filled white) covers it.
inline constexpr double frameWidth = 282.05;
inline constexpr double frameHeight = 9.79;
inline constexpr double lineWidth = 0.15;        // thin lines of the frame and the columns

inline constexpr std::array<double, 15> columnLines = {
    41.4, 64.7, 94.3, 119.7, 133.0, 146.2, 159.4, 172.6, 185.9, 199.1, 212.3, 225.6, 238.8, 252.0, 265.2};

inline constexpr const char* fontFamily = "Arial";

// One line of text in a band: its box's left edge and top, the box's width when the text is
// right-aligned or centred in it (0: the box grows from the left edge with the text), the font.
struct TextBox {
    double left;
    double top;
    double width;
    double pointSize;
    bool bold;
    Qt::Alignment alignment;
};

struct Heading {
    const char* text;    // UTF-8
    TextBox box;
};

struct ValueColumn {
    const char* field;   // UTF-8 field name of the register query
    TextBox box;
    // Texts that would run over the next cell's value end with "…" before this column line
    // (0: the value is a number and is always printed whole).
    double endBefore = 0;
};

inline constexpr int columnCount = 16;

// The title line's two texts.
const TextBox& titleCaptionBox();
const TextBox& titleDateBox();
QString titleCaption();   // "Состояние на " with its closing blank

// The column headings of the title band and the values of the row band, left to right.
const std::array<Heading, columnCount>& headings();
const std::array<ValueColumn, columnCount>& valueColumns();

// A4 landscape with the report's margins. The painter places everything from the paper's
// corner itself, so the layout is in full-page mode: a printer whose hardware margins exceed
// ours still takes it.
QPageLayout pageLayout();

} // namespace output::report
