// The workbook export: what lands in the file, read back from the file itself.

#include "TempDir.h"
#include "test_export_xlsx.h"

#include "data/U_dm.h"
#include "output/CellNumber.h"
#include "output/ExcelExport.h"
#include "output/MonthName.h"
#include "ui/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QWidget>
#include <gtest/gtest.h>

using output::ExcelExport;
using output::MonthName;
using ui::ScriptedDialogs;

namespace {

class RecordingOpener : public output::WorkbookOpener {
public:
    explicit RecordingOpener(bool succeeds = true) : succeeds_(succeeds) {}
    bool open(const QString& path) override
    {
        opened << path;
        return succeeds_;
    }
    QStringList opened;

private:
    bool succeeds_;
};

const QStringList kHeadings = {"№", "Поставщик", "Наименование", "Учётная цена", "Ср. расход в мес."};

// A register with its grid, an export aimed at a folder of the working folder and an opener
// that records instead of launching.
struct ExportFixture {
    explicit ExportFixture(int rows) : wd(rows), dm()
    {
        exporter.setFolder(wd.file(QStringLiteral("Документы")));
        exporter.setOpener(&opener);
        grid.show();
    }
    ~ExportFixture() { grid.close(); }

    QStringList workbooks() const
    {
        return QDir(exporter.folder()).entryList(QDir::Files | QDir::Hidden);
    }
    xlsx::Sheet written() const { return xlsx::read(exporter.lastWorkbook()); }

    WorkDir wd;
    TDM1 dm;
    QWidget grid;
    RecordingOpener opener;
    ExcelExport exporter;
    ui::ScriptedDialogsGuard boxes;
};

// Row k+1 of the sheet holds the k-th row of the register as the query holds it now.
void expectRegisterRows(const xlsx::Sheet& sheet, data::Dataset& q, const QStringList& months)
{
    const QStringList fields = QStringList{"post_name", "naim_name", "uchot_cena", "uchot_sredm"} + months;
    ASSERT_EQ(sheet.rows, q.recordCount() + 1);
    for (int r = 0; r < q.recordCount(); ++r) {
        const QString row = QString::number(r + 2);
        EXPECT_EQ(sheet.text("A" + row), QString::number(r + 1));
        for (int c = 0; c < fields.size(); ++c) {
            const QString ref = xlsx::columnName(c + 2) + row;
            EXPECT_EQ(sheet.text(ref), q.text(r, q.fieldIndex(fields[c]))) << ref.toStdString();
        }
        EXPECT_EQ(sheet.columnsInRow(r + 2), 5 + int(months.size())) << "row " << row.toStdString();
    }
}

TEST(MonthNameTest, NamesTheMonthColumnsAndNothingElse)
{
    const struct {
        int n;
        const char* name;
    } cases[] = {{1, "январь"}, {2, "февраль"}, {3, "март"},     {4, "апрель"},  {5, "май"},     {6, "июнь"},
                 {7, "июль"},   {8, "август"},  {9, "сентябрь"}, {10, "октябрь"}, {11, "ноябрь"}, {12, "декабрь"},
                 {0, ""},       {13, ""},       {-1, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(MonthName(c.n), QString::fromUtf8(c.name)) << c.n;
}

TEST(CellNumberTest, ReadsWhatTheSpreadsheetWouldTurnIntoANumber)
{
    const struct {
        const char* text;
        bool number;
        double value;
    } cases[] = {
        {"12", true, 12},
        {"-3", true, -3},
        {"+5", true, 5},
        {"007", true, 7},
        {"1,5", true, 1.5},
        {"2.25", true, 2.25},
        {",5", true, 0.5},
        {"-0", true, 0},
        {"123456789012345", true, 123456789012345.0},       // 15 digits: exact
        {"0,1000000000000000000", true, 0.1},                // trailing zeros carry nothing
        {"1234567890123456", false, 0},                      // 16 digits: would be rounded
        {"123456789012345678", false, 0},
        {"1,23456789012345678", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {",", false, 0},
        {"1,2,3", false, 0},
        {"1 000", false, 0},
        {" 12", false, 0},
        {"1e5", false, 0},
        {"12a", false, 0},
        {"Ø10", false, 0},
        {"０１", false, 0},   // full-width digits are letters to the spreadsheet
    };
    for (const auto& c : cases) {
        const auto n = output::CellNumber(QString::fromUtf8(c.text));
        EXPECT_EQ(n.has_value(), c.number) << c.text;
        if (n && c.number) {
            EXPECT_DOUBLE_EQ(*n, c.value) << c.text;
        }
    }
    EXPECT_EQ(output::CellNumber(qint64(999'999'999'999'999)), 999'999'999'999'999.0);
    EXPECT_FALSE(output::CellNumber(qint64(1'000'000'000'000'000)).has_value());
    EXPECT_FALSE(output::CellNumber(qint64(-1'000'000'000'000'000)).has_value());
}

TEST(ExcelExportTest, TwelveMonthsOfTheWholeRegister)
{
    ExportFixture f(25);
    data::Dataset& q = f.dm.Quchot;
    q.last();

    f.exporter.ExportMonthSpan(&f.grid, q, 1, 12);

    EXPECT_TRUE(f.boxes.script.shown().empty());
    ASSERT_EQ(f.opener.opened.size(), 1);
    EXPECT_EQ(f.opener.opened[0], f.exporter.lastWorkbook());
    const QFileInfo file(f.exporter.lastWorkbook());
    EXPECT_EQ(file.absolutePath(), QDir(f.exporter.folder()).absolutePath());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Экспорт \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d\\.xlsx$"))
                    .match(file.fileName())
                    .hasMatch())
        << file.fileName().toStdString();
    EXPECT_EQ(f.workbooks(), QStringList{file.fileName()});   // no scratch file left beside it

    const xlsx::Sheet sheet = f.written();
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(sheet.text(xlsx::columnName(c + 1) + "1"), kHeadings[c]);
    QStringList months;
    for (int m = 1; m <= 12; ++m) {
        months << MonthName(m);
        EXPECT_EQ(sheet.text(xlsx::columnName(5 + m) + "1"), MonthName(m));
    }
    EXPECT_EQ(sheet.maxColumn, 17);
    expectRegisterRows(sheet, q, months);

    // Numbers go in as numbers, so the clerk can sum them; names stay texts.
    EXPECT_EQ(sheet.at("A2")->kind, "n");
    EXPECT_EQ(sheet.at("D2")->kind, "n");
    EXPECT_EQ(sheet.at("Q2")->kind, "n");
    EXPECT_EQ(sheet.at("B2")->kind, "str");
    EXPECT_EQ(sheet.at("C2")->kind, "str");
    EXPECT_EQ(sheet.at("A1")->kind, "str");

    const double widths[] = {5.5, 20, 30, 12.3, 16.6, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
    for (int c = 1; c <= 17; ++c)
        EXPECT_DOUBLE_EQ(sheet.widthOf(c), xlsx::fileWidth(widths[c - 1])) << "column " << c;

    // One format on every written cell: centred both ways and wrapped, nothing else.
    for (auto it = sheet.cells.cbegin(); it != sheet.cells.cend(); ++it) {
        ASSERT_LT(size_t(it->style), sheet.styles.size()) << it.key().toStdString();
        const xlsx::Style& s = sheet.styles[size_t(it->style)];
        EXPECT_EQ(s.horizontal, "center") << it.key().toStdString();
        EXPECT_EQ(s.vertical, "center") << it.key().toStdString();
        EXPECT_TRUE(s.wrap) << it.key().toStdString();
        EXPECT_FALSE(s.shrink);
        EXPECT_EQ(s.indent, 0);
        EXPECT_EQ(s.rotation, 0);
    }

    EXPECT_EQ(q.currentRow(), 0);   // the register ends on its first row
    EXPECT_TRUE(f.grid.isVisible());
    EXPECT_EQ(f.grid.cursor().shape(), Qt::ArrowCursor);
}

TEST(ExcelExportTest, OneMonthGivesSixColumns)
{
    ExportFixture f(7);
    f.exporter.ExportOneMonth(&f.grid, f.dm.Quchot, MonthName(5));

    const xlsx::Sheet sheet = f.written();
    EXPECT_EQ(sheet.text("F1"), "май");
    EXPECT_EQ(sheet.maxColumn, 6);
    EXPECT_EQ(sheet.columnsInRow(1), 6);
    expectRegisterRows(sheet, f.dm.Quchot, {"май"});
    EXPECT_DOUBLE_EQ(sheet.widthOf(17), xlsx::fileWidth(10));   // widths are set whatever the span
}

TEST(ExcelExportTest, SpansGiveTheirMonthsInOrder)
{
    const struct {
        int first, last;
        QStringList headings;
    } cases[] = {
        {9, 10, {"сентябрь", "октябрь"}},
        {2, 11, {"февраль", "март", "апрель", "май", "июнь", "июль", "август", "сентябрь", "октябрь", "ноябрь"}},
        {4, 3, {}},   // a reversed span writes no month column
    };
    for (const auto& c : cases) {
        ExportFixture f(3);
        f.exporter.ExportMonthSpan(&f.grid, f.dm.Quchot, c.first, c.last);
        const xlsx::Sheet sheet = f.written();
        EXPECT_EQ(sheet.maxColumn, 5 + c.headings.size()) << c.first << ".." << c.last;
        for (int i = 0; i < c.headings.size(); ++i)
            EXPECT_EQ(sheet.text(xlsx::columnName(6 + i) + "1"), c.headings[i]);
        expectRegisterRows(sheet, f.dm.Quchot, c.headings);
    }
}

TEST(ExcelExportTest, EmptyRegisterGivesTheHeadingRowAloneAndIsOpened)
{
    ExportFixture f(0);
    f.exporter.ExportMonthSpan(&f.grid, f.dm.Quchot, 1, 3);

    const xlsx::Sheet sheet = f.written();
    EXPECT_EQ(sheet.rows, 1);
    EXPECT_EQ(sheet.columnsInRow(1), 8);
    EXPECT_EQ(sheet.text("H1"), "март");
    EXPECT_EQ(f.opener.opened.size(), 1);
    EXPECT_TRUE(f.boxes.script.shown().empty());
}

TEST(ExcelExportTest, FilteredRegisterExportsOnlyItsRowsInItsOrder)
{
    ExportFixture f(40);
    data::Dataset& q = f.dm.Quchot;
    q.close();
    q.setSql(QStringLiteral("select * from uchot where post_kod=3 order by uchot_cena"));
    q.open();
    q.last();
    const int filtered = q.recordCount();
    ASSERT_GT(filtered, 0);
    ASSERT_LT(filtered, 40);

    f.exporter.ExportMonthSpan(&f.grid, q, 1, 12);

    const xlsx::Sheet sheet = f.written();
    QStringList months;
    for (int m = 1; m <= 12; ++m)
        months << MonthName(m);
    expectRegisterRows(sheet, q, months);
    for (int r = 2; r <= filtered + 1; ++r)
        EXPECT_EQ(sheet.text("B" + QString::number(r)), q.text(0, q.fieldIndex("post_name")));
    EXPECT_EQ(q.currentRow(), 0);
}

TEST(ExcelExportTest, EmptyValuesLongNumbersAndNumberLikeNames)
{
    ExportFixture f(0);
    f.wd.exec(QStringLiteral(
        "INSERT INTO postman (post_name) VALUES ('ООО Сталь');"
        // no supplier, no price, no months
        "INSERT INTO uchot (naim_name, uchot_ind) VALUES ('Резец', 1);"
        // a price too long for a double, a name that reads as a number, an unknown supplier code
        "INSERT INTO uchot (naim_name, uchot_cena, uchot_sredm, январь, uchot_ind, post_kod) "
        "VALUES ('0125', 123456789012345678, 4, 7, 2, 99);"
        "INSERT INTO uchot (naim_name, uchot_cena, uchot_sredm, январь, uchot_ind, post_kod) "
        "VALUES ('Фреза 1,5', 1500, 0, 0, 3, 1);"));
    for (data::Dataset* d : {&f.dm.Qqpost, &f.dm.Quchot}) {
        d->close();
        d->open();
    }

    f.exporter.ExportMonthSpan(&f.grid, f.dm.Quchot, 1, 2);
    const xlsx::Sheet sheet = f.written();

    const struct {
        const char* ref;
        const char* kind;
        const char* value;
    } cells[] = {
        {"B2", "blank", ""}, {"C2", "str", "Резец"}, {"D2", "blank", ""}, {"E2", "blank", ""}, {"F2", "blank", ""},
        {"G2", "blank", ""}, {"B3", "blank", ""},    {"C3", "n", "125"},  {"D3", "str", "123456789012345678"},
        {"E3", "n", "4"},    {"F3", "n", "7"},       {"G3", "blank", ""}, {"B4", "str", "ООО Сталь"},
        {"C4", "str", "Фреза 1,5"}, {"D4", "n", "1500"}, {"E4", "n", "0"},
    };
    for (const auto& c : cells) {
        const xlsx::Cell* cell = sheet.at(c.ref);
        ASSERT_NE(cell, nullptr) << c.ref;   // every cell is written, empty ones too, with the format
        EXPECT_EQ(cell->kind, c.kind) << c.ref;
        EXPECT_EQ(cell->value, QString::fromUtf8(c.value)) << c.ref;
        EXPECT_EQ(sheet.styles[size_t(cell->style)].horizontal, "center") << c.ref;
    }
}

TEST(ExcelExportTest, NoSpreadsheetApplicationSaysSoAndWhereTheFileIs)
{
    ExportFixture f(2);
    RecordingOpener failing(false);
    f.exporter.setOpener(&failing);
    f.boxes.script.expect(ScriptedDialogs::Kind::Error);
    f.boxes.script.expect(ScriptedDialogs::Kind::Message);

    f.exporter.ExportOneMonth(&f.grid, f.dm.Quchot, MonthName(1));

    const auto& shown = f.boxes.script.shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].title, "Ошибка");
    EXPECT_EQ(shown[0].text, "Невозможно открыть Microsoft Excel!Возможно Excel не установлен на компьютере.");
    const QString path = f.exporter.lastWorkbook();
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(shown[1].text.contains(QDir::toNativeSeparators(path))) << shown[1].text.toStdString();
    EXPECT_EQ(xlsx::read(path).rows, 3);
    EXPECT_TRUE(f.grid.isVisible());
}

// A grid that takes the export folder away while the rows are walked, so that the finished
// workbook has nowhere to go.
class FolderThief : public QWidget {
public:
    QString folder;

protected:
    void hideEvent(QHideEvent*) override { QDir(folder).removeRecursively(); }
};

TEST(ExcelExportTest, WorkbookThatCannotBeWrittenIsReportedAndLeavesNothing)
{
    {
        // The folder cannot even be made: its parent is a file.
        ExportFixture f(3);
        f.exporter.setFolder(f.wd.file(QStringLiteral("db_Tavrel.mdb/Экспорт")));
        f.dm.Quchot.last();
        f.boxes.script.expect(ScriptedDialogs::Kind::Error);
        f.exporter.ExportMonthSpan(&f.grid, f.dm.Quchot, 1, 12);
        ASSERT_EQ(f.boxes.script.shown().size(), 1u);
        EXPECT_EQ(f.boxes.script.shown()[0].title, "Ошибка");
        EXPECT_EQ(f.boxes.script.shown()[0].text, "Ошибка открытия книги Microsoft Excel!");
        EXPECT_TRUE(f.opener.opened.isEmpty());
        EXPECT_TRUE(f.exporter.lastWorkbook().isEmpty());
        EXPECT_TRUE(f.grid.isVisible());
        EXPECT_EQ(f.dm.Quchot.currentRow(), 0);
    }
    {
        // The folder goes away before the workbook is written out.
        ExportFixture f(3);
        FolderThief grid;
        grid.folder = f.exporter.folder();
        grid.show();
        f.boxes.script.expect(ScriptedDialogs::Kind::Error);
        f.exporter.ExportMonthSpan(&grid, f.dm.Quchot, 1, 12);
        ASSERT_EQ(f.boxes.script.shown().size(), 1u);
        EXPECT_EQ(f.boxes.script.shown()[0].text, "Ошибка открытия книги Microsoft Excel!");
        EXPECT_TRUE(f.opener.opened.isEmpty());
        EXPECT_TRUE(grid.isVisible());
        grid.close();
    }
}

TEST(ExcelExportTest, UnreadableRegisterLeavesTheGridShownAndNoFile)
{
    ExportFixture f(3);
    f.dm.Quchot.close();
    EXPECT_ANY_THROW(f.exporter.ExportMonthSpan(&f.grid, f.dm.Quchot, 1, 12));
    EXPECT_TRUE(f.grid.isVisible());
    EXPECT_EQ(f.grid.cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(f.workbooks().isEmpty());
    EXPECT_TRUE(f.opener.opened.isEmpty());
}

TEST(ExcelExportTest, TwoExportsInOneSecondKeepBothWorkbooks)
{
    ExportFixture f(2);
    f.exporter.ExportOneMonth(&f.grid, f.dm.Quchot, MonthName(1));
    f.exporter.ExportOneMonth(&f.grid, f.dm.Quchot, MonthName(2));
    ASSERT_EQ(f.opener.opened.size(), 2);
    EXPECT_NE(f.opener.opened[0], f.opener.opened[1]);
    EXPECT_EQ(xlsx::read(f.opener.opened[0]).text("F1"), "январь");
    EXPECT_EQ(xlsx::read(f.opener.opened[1]).text("F1"), "февраль");
}

TEST(ExcelExportTest, LongExportWritesEveryRowAndLeavesNoWindowBehind)
{
    ExportFixture f(ExcelExport::progressFromRows + 10);
    const auto before = QApplication::topLevelWidgets().size();
    f.exporter.ExportMonthSpan(&f.grid, f.dm.Quchot, 1, 12);
    const xlsx::Sheet sheet = f.written();
    EXPECT_EQ(sheet.rows, ExcelExport::progressFromRows + 11);
    const QString last = QString::number(ExcelExport::progressFromRows + 11);
    EXPECT_EQ(sheet.text("A" + last), QString::number(ExcelExport::progressFromRows + 10));
    EXPECT_EQ(sheet.text("Q" + last), f.dm.Quchot.text(f.dm.Quchot.recordCount() - 1, f.dm.Quchot.fieldIndex("декабрь")));
    EXPECT_EQ(QApplication::topLevelWidgets().size(), before);
}

} // namespace
