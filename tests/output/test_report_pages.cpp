// The printed register read back from real PDFs: pages, paper, and texts at their places.

#include "test_report_fixture.h"
#include "test_report_pdf.h"

#include "output/ReportPagination.h"
#include "output/ReportPainter.h"
#include "output/ReportPdf.h"
#include "ui/ShortDateFormat.h"

#include <QDate>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double margin = 5.0;          // left and top margin of the paper
constexpr double titleHeight = 21.96;
constexpr double rowHeight = 9.26;
constexpr double tolerance = 0.4;       // mm between where a text is placed and where poppler finds it

enum class Anchor { Left, Centre, Right };

struct Place {
    QString text;
    double x;      // the box's left edge, centre or right edge, as the anchor says
    double top;    // from the band's top
    Anchor anchor;
};

// Where a text must stand: each value of a row by its column, and the headings.
std::vector<Place> rowPlaces(int row)
{
    std::vector<Place> places = {
        {ReportFixture::name(row), 2.1, 2.1, Anchor::Left},
        {ReportFixture::price(row), 50.5 + 18.0 / 2, 2.1, Anchor::Centre},
        {ReportFixture::supplier(row), 66.7, 2.1, Anchor::Left},
        {ReportFixture::average(row), 95.3 + 20.1 / 2, 2.1, Anchor::Centre},
    };
    const double monthLeft[12] = {122.0, 134.7, 147.4, 160.1, 174.9, 187.6, 200.3, 213.0, 226.2, 239.7, 253.2, 265.9};
    for (int m = 1; m <= 12; ++m)
        places.push_back({ReportFixture::month(row, m), monthLeft[m - 1], 2.1, Anchor::Left});
    return places;
}

std::vector<Place> headingPlaces()
{
    return {
        {QStringLiteral("Состояние"), 2.1, 2.1, Anchor::Left},
        {QStringLiteral("Наименование"), 2.1, 16.9, Anchor::Left},
        {QStringLiteral("цена"), 42.3 + 20.9, 16.9, Anchor::Right},
        {QStringLiteral("Поставщик"), 67.7, 16.9, Anchor::Left},
        {QStringLiteral("Ср."), 95.3, 16.9, Anchor::Left},
        {QStringLiteral("январь"), 120.7, 16.9, Anchor::Left},
        {QStringLiteral("февраль"), 132.3 + 13.2 / 2, 16.9, Anchor::Centre},
        {QStringLiteral("март"), 148.2, 16.9, Anchor::Left},
        {QStringLiteral("апрель"), 160.9, 16.9, Anchor::Left},
        {QStringLiteral("май"), 175.7, 16.9, Anchor::Left},
        {QStringLiteral("июнь"), 188.4, 16.9, Anchor::Left},
        {QStringLiteral("июль"), 201.1, 16.9, Anchor::Left},
        {QStringLiteral("август"), 213.8, 16.9, Anchor::Left},
        {QStringLiteral("сентябрь"), 225.4, 16.9, Anchor::Left},
        {QStringLiteral("октябрь"), 240.2, 16.9, Anchor::Left},
        {QStringLiteral("ноябрь"), 254.0, 16.9, Anchor::Left},
        {QStringLiteral("декабрь"), 266.7, 16.9, Anchor::Left},
    };
}

void expectAt(const std::vector<PdfWord>& words, int page, double bandTop, const Place& place)
{
    SCOPED_TRACE(place.text.toStdString() + " on page " + std::to_string(page + 1));
    // Supplier names repeat from row to row: take the one nearest the band.
    std::optional<PdfWord> w;
    for (const PdfWord& candidate : wordsOnPage(words, page))
        if (candidate.text == place.text && (!w || std::abs(candidate.top - bandTop) < std::abs(w->top - bandTop)))
            w = candidate;
    ASSERT_TRUE(w.has_value());
    const double x = place.anchor == Anchor::Left ? w->left : place.anchor == Anchor::Right ? w->right : w->centreX();
    EXPECT_NEAR(x, margin + place.x, tolerance);
    EXPECT_NEAR(w->top, bandTop + place.top, tolerance);
}

QString writePdf(ReportFixture& f)
{
    const QString path = f.dir.file(QStringLiteral("report.pdf"));
    const QString error = output::saveReportPdf(*f.rep->prepare(), path);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return path;
}

// Top of the row band in `slot` of page `page`.
double bandTop(int page, int slot)
{
    return margin + (page == 0 ? titleHeight : 0.0) + slot * rowHeight;
}

} // namespace

TEST(ReportPagination, RowsFallOntoPages)
{
    struct Case {
        int rows;
        int pages;
        int lastPageFirstBand;
        int lastPageBands;
    };
    const Case cases[] = {
        {0, 1, 0, 1},          // the one empty band
        {1, 1, 0, 1},
        {18, 1, 0, 18},
        {19, 2, 18, 1},
        {39, 2, 18, 21},
        {40, 3, 39, 1},
        {100000, 4763, 18 + 4761 * 21, 100000 - 18 - 4761 * 21},
    };
    EXPECT_EQ(output::ReportPagination::bandsOnFirstPage(), 18);
    EXPECT_EQ(output::ReportPagination::bandsOnLaterPage(), 21);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        const output::ReportPagination p(c.rows);
        ASSERT_EQ(p.pageCount(), c.pages);
        const output::ReportPage last = p.page(c.pages - 1);
        EXPECT_EQ(last.firstBand, c.lastPageFirstBand);
        EXPECT_EQ(last.bandCount, c.lastPageBands);
        EXPECT_EQ(last.hasTitle, c.pages == 1);
        EXPECT_TRUE(p.page(0).hasTitle);
        if (c.pages <= 5) {
            int bands = 0;
            for (int i = 0; i < c.pages; ++i)
                bands += p.page(i).bandCount;
            EXPECT_EQ(bands, std::max(c.rows, 1));
        }
    }
}

TEST(ReportPdf, PagesAndTheirRows)
{
    struct Case {
        int rows;
        int pages;
        // (page, slot, row): rows checked in full at their places
        std::vector<std::tuple<int, int, int>> checked;
    };
    const Case cases[] = {
        {18, 1, {{0, 0, 1}, {0, 17, 18}}},
        {19, 2, {{0, 0, 1}, {0, 17, 18}, {1, 0, 19}}},
        {40, 3, {{0, 17, 18}, {1, 0, 19}, {1, 20, 39}, {2, 0, 40}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + " rows");
        ReportFixture f(c.rows);
        const QString path = writePdf(f);

        const PdfInfo info = readPdfInfo(path);
        EXPECT_EQ(info.pages, c.pages);
        EXPECT_NEAR(info.widthMm, 297.0, 0.5);
        EXPECT_NEAR(info.heightMm, 210.0, 0.5);

        const std::vector<PdfWord> words = readPdfWords(path);
        for (const Place& h : headingPlaces())
            expectAt(words, 0, margin, h);
        for (const auto& [page, slot, row] : c.checked)
            for (const Place& v : rowPlaces(row))
                expectAt(words, page, bandTop(page, slot), v);

        // Every row once, the headings on the first page only.
        for (int page = 1; page < c.pages; ++page) {
            EXPECT_FALSE(findWord(words, page, QStringLiteral("Наименование")).has_value());
            EXPECT_FALSE(findWord(words, page, QStringLiteral("Состояние")).has_value());
        }
        for (int row = 1; row <= c.rows; ++row) {
            int seen = 0;
            for (const PdfWord& w : words)
                seen += w.text == ReportFixture::name(row);
            EXPECT_EQ(seen, 1) << ReportFixture::name(row).toStdString();
        }
    }
}

TEST(ReportPdf, EmptyRegisterPrintsTitleHeadingsAndNothingElse)
{
    ReportFixture f(0);
    const QString path = writePdf(f);
    EXPECT_EQ(readPdfInfo(path).pages, 1);

    const std::vector<PdfWord> words = readPdfWords(path);
    for (const Place& h : headingPlaces())
        expectAt(words, 0, margin, h);
    // "Состояние на <date>" and the sixteen headings (three of them two or four words long).
    QStringList expected = {QStringLiteral("Состояние"), QStringLiteral("на")};
    expected << ui::formatShortDate(QDate::currentDate()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    expected << QStringLiteral("Наименование Учётная цена Поставщик Ср. расход. в м январь февраль март апрель май "
                               "июнь июль август сентябрь октябрь ноябрь декабрь")
                    .split(QLatin1Char(' '));
    QStringList found;
    for (const PdfWord& w : words)
        found << w.text;
    expected.sort();
    found.sort();
    EXPECT_EQ(found, expected);
}

namespace {
// The page painted at 10 pixels a millimetre: is there ink within a pixel or two of a point?
bool inkNear(const QImage& image, double xMm, double yMm)
{
    const int cx = int(xMm * 10), cy = int(yMm * 10);
    for (int y = cy - 2; y <= cy + 2; ++y)
        for (int x = cx - 2; x <= cx + 2; ++x)
            if (image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

QImage paintFirstPage(ReportFixture& f)
{
    QImage image(2970, 2100, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    QPainter p(&image);
    f.rep->prepare()->paintPage(p, 0);
    return image;
}
} // namespace

TEST(ReportFrames, EmptyRegisterHasOneFramedRowWithItsColumnLines)
{
    ReportFixture f(0);
    const QImage page = paintFirstPage(f);
    const double top = margin + titleHeight;
    const double middle = top + rowHeight / 2;
    const double lines[] = {0, 41.4, 64.7, 94.3, 119.7, 133.0, 146.2, 159.4, 172.6, 185.9, 199.1, 212.3, 225.6,
                            238.8, 252.0, 265.2, 282.05};
    for (double x : lines)
        EXPECT_TRUE(inkNear(page, margin + x, middle)) << x;
    // Between the lines the cells are empty.
    for (double x : {20.0, 53.0, 80.0, 107.0, 126.0, 270.0})
        EXPECT_FALSE(inkNear(page, margin + x, middle)) << x;
    // The frame's top edge at the band's top, its bottom edge 9.79 below it, past the band's end.
    EXPECT_TRUE(inkNear(page, margin + 20, top));
    EXPECT_TRUE(inkNear(page, margin + 20, top + 9.79));
    EXPECT_FALSE(inkNear(page, margin + 20, top + rowHeight));
    // Nothing below the one row.
    EXPECT_FALSE(inkNear(page, margin + 20, top + 2 * rowHeight));
}

TEST(ReportFrames, NextRowCoversTheFrameEdgeThatReachesIntoIt)
{
    ReportFixture f(2);
    const QImage page = paintFirstPage(f);
    const double second = margin + titleHeight + rowHeight;
    EXPECT_TRUE(inkNear(page, margin + 20, second));              // the second frame's top edge
    EXPECT_FALSE(inkNear(page, margin + 20, second + 0.53));      // the first frame's bottom, covered
    EXPECT_TRUE(inkNear(page, margin + 20, second + 9.79));       // the last frame's bottom stays
}
