// What the printed register takes from the register query and from the program-wide date format.

#include "test_report_fixture.h"
#include "test_report_pdf.h"

#include "data/QueryBuilders.h"
#include "output/ReportPainter.h"
#include "output/ReportPdf.h"
#include "ui/ShortDateFormat.h"

#include <QDate>
#include <QLocale>
#include <optional>
#include <gtest/gtest.h>

namespace {

// Puts the program-wide short date format back as the test found it.
struct DateFormatGuard {
    QString saved = ui::shortDateFormat();
    ~DateFormatGuard() { ui::setShortDateFormat(saved); }
};

std::vector<PdfWord> printed(ReportFixture& f)
{
    const QString path = f.dir.file(QStringLiteral("report.pdf"));
    const QString error = output::saveReportPdf(*f.rep->prepare(), path);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return readPdfWords(path);
}

// The title line's words from the date box on: the words right of "Состояние на ".
QString dateLine(const std::vector<PdfWord>& words)
{
    const double dateLeft = 5 + 27.5;
    const auto caption = findWord(words, 0, QStringLiteral("Состояние"));
    if (!caption)
        return QStringLiteral("<no title>");
    QStringList parts;
    for (const PdfWord& w : wordsOnPage(words, 0))
        if (std::abs(w.top - caption->top) < 1.0 && w.left > dateLeft - 0.4)
            parts << w.text;
    return parts.join(QLatin1Char(' '));
}

} // namespace

TEST(ShortDateFormat, StartsFromTheSystemFormatAndFormatsWithTheOneSet)
{
    DateFormatGuard guard;
    const QDate day(2008, 12, 31);
    ui::setShortDateFormat(QLocale::system().dateFormat(QLocale::ShortFormat));
    EXPECT_EQ(ui::formatShortDate(day), QLocale::system().toString(day, QLocale::ShortFormat));
    ui::setShortDateFormat(QStringLiteral("yyyy"));
    EXPECT_EQ(ui::shortDateFormat(), QStringLiteral("yyyy"));
    EXPECT_EQ(ui::formatShortDate(day), QStringLiteral("2008"));
}

TEST(ReportTitle, DateFollowsTheProgramWideShortFormat)
{
    DateFormatGuard guard;
    const QDate today = QDate::currentDate();
    struct Case {
        QString format;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("yyyy"), QString::number(today.year())},
        {QStringLiteral("dd.MM.yyyy"), today.toString(QStringLiteral("dd.MM.yyyy"))},
    };
    ReportFixture f(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.toStdString());
        ui::setShortDateFormat(c.format);
        const std::vector<PdfWord> words = printed(f);
        EXPECT_EQ(dateLine(words), c.expected);
        const auto na = findWord(words, 0, QStringLiteral("на"));
        ASSERT_TRUE(na.has_value());
        EXPECT_LT(na->right, 5 + 27.5);   // "Состояние на " ends before the date begins
    }
}

TEST(ReportRegister, FilteredRegisterPrintsItsRowsInItsOrderAndEndsOnItsLastRow)
{
    ReportFixture f(20);
    data::replaceStatement(f.dm->Quchot,
                           QStringLiteral("select * from uchot where post_kod=2 order by uchot_cena desc"));
    f.dm->Quchot.first();

    const std::vector<PdfWord> words = printed(f);

    std::vector<PdfWord> names;
    for (const PdfWord& w : words)
        if (w.text.startsWith(QStringLiteral("Резец")))
            names.push_back(w);
    std::sort(names.begin(), names.end(), [](const PdfWord& a, const PdfWord& b) { return a.top < b.top; });
    QStringList order;
    for (const PdfWord& w : names)
        order << w.text;
    QStringList expected;
    for (int row = 20; row >= 2; row -= 2)
        expected << ReportFixture::name(row);
    EXPECT_EQ(order, expected);

    EXPECT_EQ(f.dm->Quchot.recordCount(), 10);   // the filter stays in force
    EXPECT_EQ(f.dm->Quchot.currentRow(), 9);
    EXPECT_EQ(f.dm->Quchot.asText(QStringLiteral("naim_name")), ReportFixture::name(2));
}

TEST(ReportRegister, PendingEditIsCommittedBeforeTheRowsAreRead)
{
    ReportFixture f(3);
    f.dm->Quchot.first();
    f.dm->Quchot.edit();
    f.dm->Quchot.setText(QStringLiteral("naim_name"), QStringLiteral("Фреза"));

    const std::vector<PdfWord> words = printed(f);

    EXPECT_TRUE(findWord(words, 0, QStringLiteral("Фреза")).has_value());
    EXPECT_FALSE(findWord(words, 0, ReportFixture::name(1)).has_value());
    EXPECT_EQ(f.dir.scalar(QStringLiteral("select naim_name from uchot where uchot_ind=1")), QStringLiteral("Фреза"));
    EXPECT_FALSE(f.dm->Quchot.isEditing());
    EXPECT_EQ(f.dm->Quchot.currentRow(), f.dm->Quchot.recordCount() - 1);
}

TEST(ReportRegister, EmptyValuesPrintNothingAndLongTextsEndBeforeTheNextCell)
{
    ReportFixture f(1);
    const QString longName = QStringLiteral("Сверло_спиральное_с_коническим_хвостовиком_удлинённое");
    const QString longSupplier = QStringLiteral("ООО_Инструментальная_компания_Северо-Запад");
    f.dir.exec(QStringLiteral("insert into postman (post_kod, post_name) values (3, '%1');"
                              "update uchot set uchot_cena=null, post_kod=3, \"март\"=null, naim_name='%2'")
                   .arg(longSupplier, longName));
    f.dm->Qqpost.close();
    f.dm->Qqpost.open();
    f.dm->Quchot.close();
    f.dm->Quchot.open();

    const std::vector<PdfWord> words = printed(f);
    const double rowTop = 5 + 21.96 + 2.1;

    struct Cut {
        QString full;
        double cellEnd;   // the column line after the cell, from the paper's edge
    };
    for (const Cut& c : {Cut{longName, 5 + 41.4}, Cut{longSupplier, 5 + 94.3}}) {
        SCOPED_TRACE(c.full.toStdString());
        std::optional<PdfWord> w;
        for (const PdfWord& candidate : words)
            if (candidate.text.endsWith(QStringLiteral("…")) && c.full.startsWith(candidate.text.chopped(1)))
                w = candidate;
        ASSERT_TRUE(w.has_value());
        EXPECT_GT(w->text.size(), 8);
        EXPECT_LT(w->right, c.cellEnd);
        EXPECT_NEAR(w->top, rowTop, 0.4);
    }
    // The value after the long supplier stays readable where it belongs.
    const auto average = findWord(words, 0, ReportFixture::average(1));
    ASSERT_TRUE(average.has_value());
    EXPECT_NEAR(average->centreX(), 5 + 95.3 + 20.1 / 2, 0.4);

    EXPECT_FALSE(findWord(words, 0, ReportFixture::price(1)).has_value());
    EXPECT_FALSE(findWord(words, 0, ReportFixture::month(1, 3)).has_value());
    EXPECT_FALSE(findWord(words, 0, QStringLiteral("0")).has_value());   // null is not printed as 0
    EXPECT_TRUE(findWord(words, 0, ReportFixture::month(1, 4)).has_value());
}
