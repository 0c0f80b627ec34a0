#pragma once

#include <QString>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace output {

// One workbook being written with libxlsxwriter: its first sheet and the one cell format of the
// export (centred both ways, wrapped). Rows are streamed, so cells must come row by row.
// Rows and columns are numbered from 1, as the spreadsheet numbers them.
class ExcelWorkbook {
public:
    ExcelWorkbook() = default;
    ~ExcelWorkbook();   // a workbook never closed is dropped without writing anything
    ExcelWorkbook(const ExcelWorkbook&) = delete;
    ExcelWorkbook& operator=(const ExcelWorkbook&) = delete;

    // Starts a workbook to be written to `path`; the library's scratch files go to `scratchDir`.
    bool create(const QString& path, const QString& scratchDir);
    bool isOpen() const { return sheet_ != nullptr; }

    bool setColumnWidth(int column, double width);
    // A text that reads as a number goes in as a number, an empty text as a formatted blank.
    bool putCell(int row, int column, const QString& text);
    bool putCell(int row, int column, qint64 value);

    // Writes the file. False when it could not be written completely; `error` says why.
    bool close(QString* error = nullptr);
    void discard();

private:
    bool putText(int row, int column, const QString& text);

    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* format_ = nullptr;
    QByteArray path_;
    QByteArray scratchDir_;
};

} // namespace output
