#include "output/ReportPageView.h"

#include "output/ReportLayout.h"
#include "output/ReportPainter.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace output {

ReportPageView::ReportPageView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

void ReportPageView::setReport(const ReportPainter* report)
{
    report_ = report;
    page_ = 0;
    dropCache();
    update();
}

void ReportPageView::setPage(int index)
{
    if (report_)
        index = std::clamp(index, 0, report_->pageCount() - 1);
    if (index == page_)
        return;
    page_ = index;
    update();
}

void ReportPageView::setZoom(double zoom)
{
    zoom = std::clamp(zoom, 0.1, 8.0);
    if (std::abs(zoom - zoom_) < 1e-9)
        return;
    zoom_ = zoom;
    resize(sizeHint());
    update();
}

QSize ReportPageView::pageSizeAt(double zoom) const
{
    const double dpiX = logicalDpiX() * zoom / 25.4;
    const double dpiY = logicalDpiY() * zoom / 25.4;
    return QSize(int(std::lround(report::paperWidth * dpiX)), int(std::lround(report::paperHeight * dpiY)));
}

QSize ReportPageView::sizeHint() const
{
    return pageSizeAt(zoom_);
}

qint64 ReportPageView::cacheBytes() const
{
    return cache_.isNull() ? 0 : qint64(cache_.width()) * cache_.height() * cache_.depth() / 8;
}

void ReportPageView::dropCache()
{
    cache_ = QPixmap();
    cachedPage_ = -1;
}

void ReportPageView::render()
{
    const double ratio = devicePixelRatioF();
    const QSize size = pageSizeAt(zoom_) * ratio;
    // The picture's resolution tells the painter how large a millimetre and a point are.
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(logicalDpiX() * zoom_ * ratio / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(logicalDpiY() * zoom_ * ratio / 0.0254)));
    image.fill(Qt::white);
    {
        QPainter p(&image);
        report_->paintPage(p, page_);
    }
    cache_ = QPixmap::fromImage(std::move(image));
    cache_.setDevicePixelRatio(ratio);
    cachedPage_ = page_;
    cachedZoom_ = zoom_;
    cachedRatio_ = ratio;
    ++renderCount_;
}

void ReportPageView::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    if (!report_) {
        p.fillRect(event->rect(), palette().color(QPalette::Window));
        return;
    }
    if (cachedPage_ != page_ || cachedZoom_ != zoom_ || cachedRatio_ != devicePixelRatioF())
        render();
    p.drawPixmap(0, 0, cache_);
    p.setPen(Qt::darkGray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace output
