#pragma once

#include <QWidget>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QToolBar;

namespace output {

class ReportPageView;
class ReportPainter;
class ReportPreviewChoices;

// The report's preview window: page navigation, zoom, printing on a printer chosen there and
// saving as PDF. It is an ordinary window beside the main window, which stays usable; closing it
// hides it, lets go of the report and sends closed().
class ReportPreview : public QWidget {
    Q_OBJECT
public:
    enum class ZoomMode { PageWidth, WholePage, Factor };

    explicit ReportPreview(QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Shows the report from its first page; the window keeps it until it is closed.
    void showReport(std::unique_ptr<ReportPainter> report);
    const ReportPainter* report() const { return report_.get(); }

    // The print and file dialogs; nullptr brings back the platform's. The caller keeps ownership.
    void setChoices(ReportPreviewChoices* choices);

    int currentPage() const;     // 0-based
    int pageCount() const;
    void goToPage(int index);
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();

    void setZoomMode(ZoomMode mode, double factor = 1.0);
    ZoomMode zoomMode() const { return zoomMode_; }
    void zoomIn();
    void zoomOut();

    // Print on a printer chosen in the print dialog; save every page to a PDF file chosen in a
    // file dialog. A failure is told in an error box. True when the output was made.
    bool printReport();
    bool savePdf();

    ReportPageView* pageView() const { return view_; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar(QToolBar* bar);
    void applyZoom();
    void updateControls();
    void onZoomChosen(int index);

    std::unique_ptr<ReportPainter> report_;
    std::unique_ptr<ReportPreviewChoices> platformChoices_;
    ReportPreviewChoices* choices_ = nullptr;
    ReportPageView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QLabel* pageCountLabel_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QAction* firstAction_ = nullptr;
    QAction* priorAction_ = nullptr;
    QAction* nextAction_ = nullptr;
    QAction* lastAction_ = nullptr;
    ZoomMode zoomMode_ = ZoomMode::PageWidth;
    double zoomFactor_ = 1.0;
};

} // namespace output
