#pragma once

#include "output/ReportPagination.h"
#include "output/ReportRows.h"

#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace output {

// Paints the printed register one page at a time. Every page is painted from the rows and the
// pagination on demand, so the preview, the printer and the PDF share one page-indexed routine
// and nothing is built for pages nobody looks at.
class ReportPainter {
public:
    ReportPainter(ReportRows rows, QString dateText);

    const ReportRows& rows() const { return rows_; }
    const ReportPagination& pagination() const { return pagination_; }
    int pageCount() const { return pagination_.pageCount(); }
    const QString& dateText() const { return dateText_; }

    // Paints page `index` with the painter's origin at the paper's top left corner. Millimetres
    // become device units by the device's logical resolution; fonts keep their point sizes.
    void paintPage(QPainter& painter, int index) const;

    // Paints pages first..last (0-based, inclusive; last < 0 means the last page) onto a printer
    // or PDF writer whose page layout is already set. False when painting could not begin.
    bool paintPages(QPagedPaintDevice& device, int first = 0, int last = -1) const;

private:
    ReportRows rows_;
    ReportPagination pagination_;
    QString dateText_;
};

} // namespace output
