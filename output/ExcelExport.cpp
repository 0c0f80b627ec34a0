#include "output/ExcelExport.h"

#include "data/Dataset.h"
#include "output/MonthName.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QWidget>

namespace output {

namespace {

QString errorTitle()
{
    return QStringLiteral("Ошибка");
}

QString applicationMissingText()
{
    return QStringLiteral("Невозможно открыть Microsoft Excel!Возможно Excel не установлен на компьютере.");
}

QString workbookFailedText()
{
    return QStringLiteral("Ошибка открытия книги Microsoft Excel!");
}

// Column widths in the spreadsheet's width unit: number, supplier, name, price, average, then
// the twelve month columns whatever the span.
constexpr double kColumnWidths[] = {5.5, 20, 30, 12.3, 16.6, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10};

// The register grid is hidden, with the hourglass, while the rows are walked, and shown again
// with the default cursor however the walk ends.
class HiddenGrid {
public:
    explicit HiddenGrid(QWidget* grid) : grid_(grid)
    {
        if (grid_) {
            grid_->setCursor(Qt::WaitCursor);
            grid_->hide();
        }
    }
    ~HiddenGrid() { restore(); }
    void restore()
    {
        if (grid_) {
            grid_->show();
            grid_->unsetCursor();
        }
        grid_ = nullptr;
    }

private:
    QPointer<QWidget> grid_;
};

// The column of the register a workbook column is read from: numbers straight from the row,
// texts (and lookups) as their text.
struct Source {
    int field = -1;
    bool number = false;
};

} // namespace

ExcelExport::ExcelExport() = default;
ExcelExport::~ExcelExport()
{
    if (sheet_)
        sheet_->discard();
    if (!partPath_.isEmpty())
        QFile::remove(partPath_);
}

QString ExcelExport::folder() const
{
    if (!folder_.isEmpty())
        return folder_;
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

void ExcelExport::ExportOneMonth(QWidget* grid, data::Dataset& query, const QString& monthName)
{
    exportMonths(grid, query, {monthName});
}

void ExcelExport::ExportMonthSpan(QWidget* grid, data::Dataset& query, int firstMonth, int lastMonth)
{
    QStringList months;
    for (int m = firstMonth; m <= lastMonth; ++m)
        months << MonthName(m);
    exportMonths(grid, query, months);
}

void ExcelExport::exportMonths(QWidget* grid, data::Dataset& query, const QStringList& months)
{
    PrepareWorkbook();
    {
        HiddenGrid hidden(grid);
        try {
            PutCell(1, 1, QStringLiteral("№"));
            PutCell(1, 2, QStringLiteral("Поставщик"));
            PutCell(1, 3, QStringLiteral("Наименование"));
            PutCell(1, 4, QStringLiteral("Учётная цена"));
            PutCell(1, 5, QStringLiteral("Ср. расход в мес."));
            for (int i = 0; i < months.size(); ++i)
                PutCell(1, 6 + i, months[i]);
            walkRegister(query, months);
        } catch (...) {
            // The register could not be read: nothing half-written is left behind.
            sheet_.reset();
            QFile::remove(partPath_);
            partPath_.clear();
            throw;
        }
        hidden.restore();
        query.first();
    }
    finishWorkbook();
}

void ExcelExport::walkRegister(data::Dataset& query, const QStringList& months)
{
    query.first();
    const int rows = query.recordCount();

    const QStringList itemFields = {QStringLiteral("post_name"), QStringLiteral("naim_name"),
                                    QStringLiteral("uchot_cena"), QStringLiteral("uchot_sredm")};
    std::vector<Source> sources;
    for (const QString& name : itemFields + months) {
        Source s;
        s.field = name.isEmpty() ? -1 : query.fieldIndex(name);
        s.number = s.field >= 0 && query.field(s.field).isNumeric() && !query.field(s.field).isLookup();
        sources.push_back(s);
    }

    std::unique_ptr<QProgressDialog> progress;
    if (rows >= progressFromRows) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("Экспорт в Excel..."), QString(), 0, rows,
                                                     QApplication::activeWindow());
        progress->setWindowTitle(ui::applicationTitle());
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(500);
        progress->setAutoClose(false);
        progress->setValue(0);
    }

    for (int r = 0; r < rows; ++r) {
        const int k = r + 1;
        const int row = k + 1;
        if (sheet_)
            sheet_->putCell(row, 1, qint64(k));
        if (sheet_) {
            for (size_t c = 0; c < sources.size(); ++c) {
                const Source& s = sources[c];
                const int column = 2 + int(c);
                if (s.field < 0)
                    sheet_->putCell(row, column, QString());
                else if (s.number && !query.isNullAt(r, s.field))
                    sheet_->putCell(row, column, query.intValue(r, s.field));
                else
                    sheet_->putCell(row, column, query.text(r, s.field));
            }
        }
        if (progress && (k & 1023) == 0)
            progress->setValue(k);
    }
}

void ExcelExport::PrepareWorkbook()
{
    sheet_.reset();
    partPath_.clear();
    targetDir_ = folder();

    // The file is written under a scratch name beside its final one and renamed when complete,
    // so the folder never shows a half-written workbook.
    bool ok = QDir().mkpath(targetDir_);
    if (ok) {
        partPath_ = QDir(targetDir_).filePath(
            QStringLiteral(".~export-%1-%2.xlsx.part")
                .arg(QCoreApplication::applicationPid())
                .arg(QDateTime::currentMSecsSinceEpoch()));
        QFile probe(partPath_);
        ok = probe.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    if (ok) {
        sheet_ = std::make_unique<ExcelWorkbook>();
        ok = sheet_->create(partPath_, targetDir_);
        for (int c = 0; ok && c < int(std::size(kColumnWidths)); ++c)
            ok = sheet_->setColumnWidth(c + 1, kColumnWidths[c]);
    }
    if (!ok) {
        sheet_.reset();
        if (!partPath_.isEmpty())
            QFile::remove(partPath_);
        partPath_.clear();
        ui::dialogs().error(errorTitle(), workbookFailedText());
    }
}

void ExcelExport::PutCell(int row, int column, const QString& text)
{
    if (sheet_)
        sheet_->putCell(row, column, text);
}

QString ExcelExport::freeName(const QString& dir) const
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    const QString base = QStringLiteral("Экспорт %1").arg(stamp);
    QString name = base + QStringLiteral(".xlsx");
    for (int n = 2; QFileInfo::exists(QDir(dir).filePath(name)); ++n)
        name = QStringLiteral("%1 (%2).xlsx").arg(base).arg(n);
    return QDir(dir).filePath(name);
}

void ExcelExport::finishWorkbook()
{
    if (!sheet_)
        return;   // already reported by PrepareWorkbook
    const bool written = sheet_->close();
    sheet_.reset();

    QString target;
    if (written) {
        // QFile::rename never replaces an existing file: if the name was taken meanwhile,
        // take the next one.
        for (int attempt = 0; attempt < 100 && target.isEmpty(); ++attempt) {
            const QString candidate = freeName(targetDir_);
            if (QFile::rename(partPath_, candidate))
                target = candidate;
            else if (!QFileInfo::exists(candidate))
                break;
        }
    }
    if (target.isEmpty()) {
        QFile::remove(partPath_);
        partPath_.clear();
        ui::dialogs().error(errorTitle(), workbookFailedText());
        return;
    }
    partPath_.clear();
    lastWorkbook_ = target;

    if (!opener_->open(target)) {
        ui::dialogs().error(errorTitle(), applicationMissingText());
        ui::dialogs().message(QStringLiteral("Книга сохранена в файле:\n%1").arg(QDir::toNativeSeparators(target)));
    }
}

} // namespace output
