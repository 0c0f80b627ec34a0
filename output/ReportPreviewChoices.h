#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace output {

// The two choices the preview asks of the user outside the message boxes: the printer (with its
// page range and copies) and the name of a PDF file. The program shows the platform's dialogs;
// tests put a script in their place so that nothing waits for a click.
class ReportPreviewChoices {
public:
    virtual ~ReportPreviewChoices() = default;
    // Lets the user choose and set up the printer; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent) = 0;
    // The file to save the PDF to; empty when cancelled.
    virtual QString choosePdfFile(QWidget* parent, const QString& suggestedPath) = 0;
};

// The platform's print dialog and file dialog.
class QtReportPreviewChoices : public ReportPreviewChoices {
public:
    bool choosePrinter(QPrinter& printer, QWidget* parent) override;
    QString choosePdfFile(QWidget* parent, const QString& suggestedPath) override;
};

} // namespace output
