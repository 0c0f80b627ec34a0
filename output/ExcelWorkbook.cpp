#include "output/ExcelWorkbook.h"

#include "output/CellNumber.h"

#include <xlsxwriter.h>

namespace output {

ExcelWorkbook::~ExcelWorkbook()
{
    discard();
}

bool ExcelWorkbook::create(const QString& path, const QString& scratchDir)
{
    discard();
    path_ = path.toUtf8();
    scratchDir_ = scratchDir.toUtf8();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = scratchDir_.isEmpty() ? nullptr : scratchDir_.data();
    book_ = workbook_new_opt(path_.constData(), &options);
    if (!book_)
        return false;
    sheet_ = workbook_add_worksheet(book_, nullptr);
    format_ = workbook_add_format(book_);
    if (!sheet_ || !format_) {
        discard();
        return false;
    }
    format_set_align(format_, LXW_ALIGN_CENTER);
    format_set_align(format_, LXW_ALIGN_VERTICAL_CENTER);
    format_set_text_wrap(format_);
    return true;
}

bool ExcelWorkbook::setColumnWidth(int column, double width)
{
    if (!sheet_ || column < 1)
        return false;
    const auto c = lxw_col_t(column - 1);
    return worksheet_set_column(sheet_, c, c, width, nullptr) == LXW_NO_ERROR;
}

bool ExcelWorkbook::putCell(int row, int column, const QString& text)
{
    if (!sheet_ || row < 1 || column < 1)
        return false;
    if (text.isEmpty())
        return worksheet_write_blank(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 1), format_) == LXW_NO_ERROR;
    if (const auto number = CellNumber(text))
        return worksheet_write_number(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 1), *number, format_)
               == LXW_NO_ERROR;
    return putText(row, column, text);
}

bool ExcelWorkbook::putCell(int row, int column, qint64 value)
{
    if (!sheet_ || row < 1 || column < 1)
        return false;
    if (const auto number = CellNumber(value))
        return worksheet_write_number(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 1), *number, format_)
               == LXW_NO_ERROR;
    return putText(row, column, QString::number(value));
}

bool ExcelWorkbook::putText(int row, int column, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return worksheet_write_string(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 1), utf8.constData(), format_)
           == LXW_NO_ERROR;
}

bool ExcelWorkbook::close(QString* error)
{
    if (!book_) {
        if (error)
            *error = QStringLiteral("no workbook");
        return false;
    }
    const lxw_error result = workbook_close(book_);   // frees the workbook whatever the result
    book_ = nullptr;
    sheet_ = nullptr;
    format_ = nullptr;
    if (result != LXW_NO_ERROR && error)
        *error = QString::fromUtf8(lxw_strerror(result));
    return result == LXW_NO_ERROR;
}

void ExcelWorkbook::discard()
{
    if (book_)
        lxw_workbook_free(book_);
    book_ = nullptr;
    sheet_ = nullptr;
    format_ = nullptr;
}

} // namespace output
