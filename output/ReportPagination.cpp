#include "output/ReportPagination.h"

#include "output/ReportLayout.h"

#include <algorithm>
#include <cmath>

namespace output {

namespace {
// Band fitting in hundredths of a millimetre, so that no rounding of the doubles moves a band.
long hundredths(double mm)
{
    return std::lround(mm * 100.0);
}

int bandsIn(double heightMm)
{
    return int(hundredths(heightMm) / hundredths(report::rowBandHeight));
}
} // namespace

ReportPagination::ReportPagination(int rowCount)
    : rows_(std::max(rowCount, 0))
{
}

int ReportPagination::bandsOnFirstPage()
{
    static const int n = bandsIn(report::printableHeight - report::titleBandHeight);
    return n;
}

int ReportPagination::bandsOnLaterPage()
{
    static const int n = bandsIn(report::printableHeight);
    return n;
}

int ReportPagination::bandCount() const
{
    return std::max(rows_, 1);
}

int ReportPagination::pageCount() const
{
    const int rest = bandCount() - bandsOnFirstPage();
    if (rest <= 0)
        return 1;
    return 1 + (rest + bandsOnLaterPage() - 1) / bandsOnLaterPage();
}

ReportPage ReportPagination::page(int index) const
{
    ReportPage p;
    p.index = std::clamp(index, 0, pageCount() - 1);
    p.hasTitle = p.index == 0;
    p.firstBand = p.index == 0 ? 0 : bandsOnFirstPage() + (p.index - 1) * bandsOnLaterPage();
    const int capacity = p.index == 0 ? bandsOnFirstPage() : bandsOnLaterPage();
    p.bandCount = std::min(capacity, bandCount() - p.firstBand);
    return p;
}

} // namespace output
