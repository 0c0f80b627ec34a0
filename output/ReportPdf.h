#pragma once

#include <QString>

namespace output {

class ReportPainter;

// Writes every page of the report into a PDF file. The file appears whole or not at all: it is
// written under a temporary name beside the target and renamed at the end. Returns an empty
// text on success, otherwise the reason in Russian.
QString saveReportPdf(const ReportPainter& report, const QString& path);

} // namespace output
