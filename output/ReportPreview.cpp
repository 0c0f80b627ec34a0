#include "output/ReportPreview.h"

#include "output/ReportLayout.h"
#include "output/ReportPageView.h"
#include "output/ReportPainter.h"
#include "output/ReportPdf.h"
#include "output/ReportPreviewChoices.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace output {

namespace {
constexpr std::array<int, 7> zoomPercents = {50, 75, 100, 125, 150, 200, 300};
constexpr int fixedZoomItems = 2;   // "page width" and "whole page" come before the percentages
} // namespace

ReportPreview::ReportPreview(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , platformChoices_(std::make_unique<QtReportPreviewChoices>())
    , choices_(platformChoices_.get())
{
    setWindowTitle(QStringLiteral("Предварительный просмотр"));
    setObjectName(QStringLiteral("ReportPreview"));

    auto* bar = new QToolBar(this);
    buildToolBar(bar);

    scroll_ = new QScrollArea(this);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setWidgetResizable(false);
    view_ = new ReportPageView;
    scroll_->setWidget(view_);
    scroll_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(scroll_, 1);

    resize(1000, 720);
    updateControls();
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::buildToolBar(QToolBar* bar)
{
    firstAction_ = bar->addAction(QStringLiteral("|<"), this, &ReportPreview::firstPage);
    firstAction_->setToolTip(QStringLiteral("Первая страница"));
    firstAction_->setShortcut(Qt::CTRL | Qt::Key_Home);
    priorAction_ = bar->addAction(QStringLiteral("<"), this, &ReportPreview::priorPage);
    priorAction_->setToolTip(QStringLiteral("Предыдущая страница"));
    priorAction_->setShortcut(Qt::Key_PageUp);

    bar->addWidget(new QLabel(QStringLiteral(" Страница "), bar));
    pageBox_ = new QSpinBox(bar);
    pageBox_->setObjectName(QStringLiteral("pageBox"));
    pageBox_->setKeyboardTracking(false);
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int v) { goToPage(v - 1); });
    bar->addWidget(pageBox_);
    pageCountLabel_ = new QLabel(bar);
    bar->addWidget(pageCountLabel_);

    nextAction_ = bar->addAction(QStringLiteral(">"), this, &ReportPreview::nextPage);
    nextAction_->setToolTip(QStringLiteral("Следующая страница"));
    nextAction_->setShortcut(Qt::Key_PageDown);
    lastAction_ = bar->addAction(QStringLiteral(">|"), this, &ReportPreview::lastPage);
    lastAction_->setToolTip(QStringLiteral("Последняя страница"));
    lastAction_->setShortcut(Qt::CTRL | Qt::Key_End);
    bar->addSeparator();

    QAction* out = bar->addAction(QStringLiteral("−"), this, &ReportPreview::zoomOut);
    out->setToolTip(QStringLiteral("Уменьшить"));
    out->setShortcut(QKeySequence::ZoomOut);
    zoomBox_ = new QComboBox(bar);
    zoomBox_->setObjectName(QStringLiteral("zoomBox"));
    zoomBox_->addItem(QStringLiteral("По ширине страницы"));
    zoomBox_->addItem(QStringLiteral("Страница целиком"));
    for (int percent : zoomPercents)
        zoomBox_->addItem(QStringLiteral("%1%").arg(percent));
    connect(zoomBox_, &QComboBox::activated, this, &ReportPreview::onZoomChosen);
    bar->addWidget(zoomBox_);
    QAction* in = bar->addAction(QStringLiteral("+"), this, &ReportPreview::zoomIn);
    in->setToolTip(QStringLiteral("Увеличить"));
    in->setShortcut(QKeySequence::ZoomIn);
    bar->addSeparator();

    QAction* print = bar->addAction(QStringLiteral("Печать..."), this, &ReportPreview::printReport);
    print->setToolTip(QStringLiteral("Напечатать на выбранном принтере"));
    QAction* pdf = bar->addAction(QStringLiteral("Сохранить в PDF..."), this, &ReportPreview::savePdf);
    pdf->setToolTip(QStringLiteral("Сохранить все страницы в файл PDF"));
    pdf->setShortcut(QKeySequence::Save);
    bar->addSeparator();
    QAction* close = bar->addAction(QStringLiteral("Закрыть"), this, &QWidget::close);
    close->setShortcut(Qt::Key_Escape);
}

void ReportPreview::showReport(std::unique_ptr<ReportPainter> report)
{
    report_ = std::move(report);
    view_->setReport(report_.get());
    applyZoom();
    updateControls();
    show();
    raise();
    activateWindow();
}

void ReportPreview::setChoices(ReportPreviewChoices* choices)
{
    choices_ = choices ? choices : platformChoices_.get();
}

int ReportPreview::currentPage() const
{
    return view_->page();
}

int ReportPreview::pageCount() const
{
    return report_ ? report_->pageCount() : 0;
}

void ReportPreview::goToPage(int index)
{
    if (!report_)
        return;
    const int before = view_->page();
    view_->setPage(std::clamp(index, 0, pageCount() - 1));
    if (view_->page() != before)
        scroll_->verticalScrollBar()->setValue(0);
    updateControls();
}

void ReportPreview::firstPage()
{
    goToPage(0);
}

void ReportPreview::priorPage()
{
    goToPage(currentPage() - 1);
}

void ReportPreview::nextPage()
{
    goToPage(currentPage() + 1);
}

void ReportPreview::lastPage()
{
    goToPage(pageCount() - 1);
}

void ReportPreview::setZoomMode(ZoomMode mode, double factor)
{
    zoomMode_ = mode;
    if (mode == ZoomMode::Factor)
        zoomFactor_ = std::clamp(factor, 0.1, 8.0);
    applyZoom();
    updateControls();
}

void ReportPreview::zoomIn()
{
    const double now = view_->zoom();
    for (int percent : zoomPercents) {
        if (percent / 100.0 > now + 1e-6) {
            setZoomMode(ZoomMode::Factor, percent / 100.0);
            return;
        }
    }
}

void ReportPreview::zoomOut()
{
    const double now = view_->zoom();
    for (auto it = zoomPercents.rbegin(); it != zoomPercents.rend(); ++it) {
        if (*it / 100.0 < now - 1e-6) {
            setZoomMode(ZoomMode::Factor, *it / 100.0);
            return;
        }
    }
}

void ReportPreview::onZoomChosen(int index)
{
    if (index == 0)
        setZoomMode(ZoomMode::PageWidth);
    else if (index == 1)
        setZoomMode(ZoomMode::WholePage);
    else if (index - fixedZoomItems < int(zoomPercents.size()))
        setZoomMode(ZoomMode::Factor, zoomPercents[size_t(index - fixedZoomItems)] / 100.0);
}

void ReportPreview::applyZoom()
{
    double zoom = zoomFactor_;
    if (zoomMode_ != ZoomMode::Factor) {
        // The zoom at which the paper fills the viewport, leaving room for a scroll bar.
        const QSize real = view_->pageSizeAt(1.0);
        const QSize room = scroll_->viewport()->size() - QSize(scroll_->verticalScrollBar()->sizeHint().width() + 8, 8);
        const double byWidth = double(std::max(room.width(), 50)) / real.width();
        const double byHeight = double(std::max(room.height(), 50)) / real.height();
        zoom = zoomMode_ == ZoomMode::PageWidth ? byWidth : std::min(byWidth, byHeight);
    }
    view_->setZoom(zoom);
}

void ReportPreview::updateControls()
{
    const int pages = pageCount();
    const int page = currentPage();
    {
        const QSignalBlocker block(pageBox_);
        pageBox_->setRange(pages > 0 ? 1 : 0, std::max(pages, 0));
        pageBox_->setValue(pages > 0 ? page + 1 : 0);
    }
    pageCountLabel_->setText(QStringLiteral(" из %1 ").arg(pages));
    firstAction_->setEnabled(pages > 0 && page > 0);
    priorAction_->setEnabled(pages > 0 && page > 0);
    nextAction_->setEnabled(page + 1 < pages);
    lastAction_->setEnabled(page + 1 < pages);

    const QSignalBlocker block(zoomBox_);
    if (zoomMode_ == ZoomMode::PageWidth) {
        zoomBox_->setCurrentIndex(0);
    } else if (zoomMode_ == ZoomMode::WholePage) {
        zoomBox_->setCurrentIndex(1);
    } else {
        const int percent = int(std::lround(view_->zoom() * 100));
        const auto it = std::find(zoomPercents.begin(), zoomPercents.end(), percent);
        zoomBox_->setCurrentIndex(it == zoomPercents.end() ? -1 : fixedZoomItems + int(it - zoomPercents.begin()));
    }
}

bool ReportPreview::printReport()
{
    if (!report_)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    // One copy, both sides off, all pages, the automatic paper bin, A4 landscape.
    if (!printer.setPageLayout(report::pageLayout())) {
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
    }
    printer.setFullPage(true);
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPaperSource(QPrinter::Auto);
    printer.setDocName(QStringLiteral("Состояние на ") + report_->dateText());
    if (!choices_->choosePrinter(printer, this))
        return false;

    int first = 0;
    int last = -1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = std::max(printer.toPage(), printer.fromPage()) - 1;
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        first = last = currentPage();
    }
    if (!report_->paintPages(printer, first, last)) {
        const QString name = printer.outputFormat() == QPrinter::PdfFormat
                                 ? QDir::toNativeSeparators(printer.outputFileName())
                                 : printer.printerName();
        ui::dialogs().error(QStringLiteral("Ошибка"), QStringLiteral("Не удалось напечатать отчёт: %1").arg(name));
        return false;
    }
    return true;
}

bool ReportPreview::savePdf()
{
    if (!report_)
        return false;
    const QString path =
        choices_->choosePdfFile(this, QDir::current().filePath(QStringLiteral("Учёт инструмента.pdf")));
    if (path.isEmpty())
        return false;
    const QString error = saveReportPdf(*report_, path);
    if (!error.isEmpty()) {
        ui::dialogs().error(QStringLiteral("Ошибка"), error);
        return false;
    }
    return true;
}

void ReportPreview::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    view_->setReport(nullptr);
    report_.reset();
    updateControls();
    emit closed();
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize && zoomMode_ != ZoomMode::Factor)
        applyZoom();
    return QWidget::eventFilter(watched, event);
}

} // namespace output
