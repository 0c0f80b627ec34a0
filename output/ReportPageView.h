#pragma once

#include <QPixmap>
#include <QWidget>

namespace output {

class ReportPainter;

// Shows one page of the report at a zoom. The page is painted when it is first shown and kept
// as one picture until the page, the zoom or the report changes, so a report of thousands of
// pages costs no more memory than one page.
class ReportPageView : public QWidget {
    Q_OBJECT
public:
    explicit ReportPageView(QWidget* parent = nullptr);

    void setReport(const ReportPainter* report);   // nullptr: nothing to show
    const ReportPainter* report() const { return report_; }

    void setPage(int index);
    int page() const { return page_; }

    // 1.0 shows the paper at its real size on this screen.
    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    QSize pageSizeAt(double zoom) const;

    // How often a page was painted into the picture (the preview's own work, for tests and
    // measurements), and the bytes the picture holds.
    int renderCount() const { return renderCount_; }
    qint64 cacheBytes() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void dropCache();
    void render();

    const ReportPainter* report_ = nullptr;
    int page_ = 0;
    double zoom_ = 1.0;
    QPixmap cache_;
    int cachedPage_ = -1;
    double cachedZoom_ = 0;
    double cachedRatio_ = 0;
    int renderCount_ = 0;
};

} // namespace output
