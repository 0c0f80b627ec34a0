#include "output/ReportPainter.h"

#include "output/ReportLayout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <utility>

namespace output {

namespace {

// Millimetres to the units of one device.
class DeviceUnits {
public:
    explicit DeviceUnits(const QPaintDevice& device)
        : x_(device.logicalDpiX() / 25.4)
        , y_(device.logicalDpiY() / 25.4)
    {
    }
    double x(double mm) const { return mm * x_; }
    double y(double mm) const { return mm * y_; }
    QRectF rect(double left, double top, double width, double height) const
    {
        return QRectF(x(left), y(top), x(width), y(height));
    }
    // A thin line, never below one device pixel.
    double pen() const { return std::max(1.0, report::lineWidth * std::min(x_, y_)); }

private:
    double x_;
    double y_;
};

QFont fontFor(const report::TextBox& box)
{
    QFont f(QString::fromLatin1(report::fontFamily));
    f.setPointSizeF(box.pointSize);
    f.setBold(box.bold);
    f.setStyleStrategy(QFont::PreferDefault);
    return f;
}

// One line of text in its box at (bandLeft, bandTop) + the box's offsets. A box without a width
// grows to the right with its text; nothing wraps. A text with a limit (`endBefore`, from the
// band's left) that would pass it is cut short with "…" before it.
void drawText(QPainter& p, const DeviceUnits& u, double bandLeft, double bandTop, const report::TextBox& box,
              QString text, double endBefore = 0)
{
    if (text.isEmpty())
        return;
    p.setFont(fontFor(box));
    const QFontMetricsF fm(p.font(), p.device());
    if (endBefore > 0) {
        constexpr double gap = 0.5;   // mm kept clear of the column line
        text = fm.elidedText(text, Qt::ElideRight, u.x(endBefore - box.left - gap));
    }
    const double width = box.width > 0 ? u.x(box.width) : fm.horizontalAdvance(text) + fm.averageCharWidth();
    const QRectF r(u.x(bandLeft + box.left), u.y(bandTop + box.top), width, fm.height());
    p.drawText(r, int(box.alignment | Qt::AlignTop) | Qt::TextSingleLine | Qt::TextDontClip, text);
}

void paintTitleBand(QPainter& p, const DeviceUnits& u, double left, double top, const QString& dateText)
{
    drawText(p, u, left, top, report::titleCaptionBox(), report::titleCaption());
    drawText(p, u, left, top, report::titleDateBox(), dateText);
    for (const report::Heading& h : report::headings())
        drawText(p, u, left, top, h.box, QString::fromUtf8(h.text));
}

void paintRowBand(QPainter& p, const DeviceUnits& u, double left, double top, const ReportRows& rows, int row)
{
    p.setPen(QPen(Qt::black, u.pen(), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawRect(u.rect(left, top, report::frameWidth, report::frameHeight));
    for (double x : report::columnLines)
        p.drawLine(QPointF(u.x(left + x), u.y(top)), QPointF(u.x(left + x), u.y(top + report::rowBandHeight)));

    for (int c = 0; c < report::columnCount; ++c) {
        const report::ValueColumn& column = report::valueColumns()[size_t(c)];
        drawText(p, u, left, top, column.box, rows.value(row, c).toString(), column.endBefore);
    }
}

} // namespace

ReportPainter::ReportPainter(ReportRows rows, QString dateText)
    : rows_(std::move(rows))
    , pagination_(rows_.rowCount())
    , dateText_(std::move(dateText))
{
}

void ReportPainter::paintPage(QPainter& p, int index) const
{
    const ReportPage page = pagination_.page(index);
    const DeviceUnits u(*p.device());
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    const double left = report::marginLeft;
    double top = report::marginTop;
    if (page.hasTitle) {
        p.setPen(Qt::black);
        paintTitleBand(p, u, left, top, dateText_);
        top += report::titleBandHeight;
    }
    // The bands of an empty register carry no row: their values read empty.
    for (int b = 0; b < page.bandCount; ++b) {
        paintRowBand(p, u, left, top, rows_, page.firstBand + b);
        top += report::rowBandHeight;
    }
    p.restore();
}

bool ReportPainter::paintPages(QPagedPaintDevice& device, int first, int last) const
{
    const int lastPage = pageCount() - 1;
    first = std::clamp(first, 0, lastPage);
    last = last < 0 ? lastPage : std::clamp(last, first, lastPage);
    QPainter p;
    if (!p.begin(&device))
        return false;
    for (int i = first; i <= last; ++i) {
        if (i > first && !device.newPage()) {
            p.end();
            return false;
        }
        paintPage(p, i);
    }
    return p.end();
}

} // namespace output

