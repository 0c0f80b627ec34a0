#include "output/U_rep.h"

#include "output/ReportPainter.h"
#include "output/ReportPreview.h"
#include "output/ReportRows.h"
#include "ui/ShortDateFormat.h"

#include <QDate>
#include <QEventLoop>

TF_QRep* F_QRep = nullptr;

TF_QRep::TF_QRep(data::Dataset& Quchot, QWidget* parent)
    : QWidget(parent)
    , Quchot_(Quchot)
    , preview_(new output::ReportPreview(this))
{
    setObjectName(QStringLiteral("F_QRep"));
    hide();
}

TF_QRep::~TF_QRep()
{
    if (F_QRep == this)
        F_QRep = nullptr;
}

std::unique_ptr<output::ReportPainter> TF_QRep::prepare()
{
    output::ReportRows rows = output::ReportRows::fromDataset(Quchot_);
    return std::make_unique<output::ReportPainter>(std::move(rows), ui::formatShortDate(QDate::currentDate()));
}

void TF_QRep::Preview()
{
    if (inPreview_) {
        preview_->raise();
        preview_->activateWindow();
        return;
    }
    inPreview_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inPreview_};

    preview_->showReport(prepare());
    QEventLoop loop;
    connect(preview_, &output::ReportPreview::closed, &loop, &QEventLoop::quit);
    if (preview_->isVisible())
        loop.exec();
}

void TF_QRep::closePreview()
{
    if (preview_->isVisible())
        preview_->close();
}

bool TF_QRep::isPreviewOpen() const
{
    return inPreview_;
}
