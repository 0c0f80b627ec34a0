#pragma once

#include "output/DesktopWorkbookOpener.h"
#include "output/ExcelWorkbook.h"

#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace data {
class Dataset;
}

namespace output {

// The register, as its query holds it now, written to a new workbook: a heading row, then one
// numbered row per register row with supplier, name, price, average and the chosen months.
// The workbook goes to a new file named by the date and time in the export folder (the user's
// documents unless set), and is then opened with the desktop's spreadsheet application.
class ExcelExport {
public:
    ExcelExport();
    ~ExcelExport();

    // Where workbooks are written; empty (the default) means the user's documents folder.
    void setFolder(const QString& folder) { folder_ = folder; }
    QString folder() const;
    // Who opens the written workbook; nullptr brings back the desktop's application.
    void setOpener(WorkbookOpener* opener) { opener_ = opener ? opener : &desktop_; }
    // The file of the last workbook written completely (empty when none was).
    QString lastWorkbook() const { return lastWorkbook_; }

    // The five item columns and the one month column named monthName.
    void ExportOneMonth(QWidget* grid, data::Dataset& query, const QString& monthName);
    // The five item columns and the months firstMonth..lastMonth (none when first > last).
    void ExportMonthSpan(QWidget* grid, data::Dataset& query, int firstMonth, int lastMonth);

    // Starts the workbook and sets the column widths; says so when it cannot.
    void PrepareWorkbook();
    // One text into one cell, formatted; a cell that cannot be written is left out silently.
    void PutCell(int row, int column, const QString& text);

    // How many register rows make the export show its progress.
    static constexpr int progressFromRows = 5000;

private:
    void exportMonths(QWidget* grid, data::Dataset& query, const QStringList& months);
    void walkRegister(data::Dataset& query, const QStringList& months);
    void finishWorkbook();
    QString freeName(const QString& dir) const;

    QString folder_;
    DesktopWorkbookOpener desktop_;
    WorkbookOpener* opener_ = &desktop_;
    std::unique_ptr<ExcelWorkbook> sheet_;   // set between PrepareWorkbook and the end of an export
    QString targetDir_;
    QString partPath_;
    QString lastWorkbook_;
};

} // namespace output
