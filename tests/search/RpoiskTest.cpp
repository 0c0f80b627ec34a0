// The range search dialog on a real register: both bounds included, the caption choosing the
// column, the two refusals, the key filter and the failures that keep the dialog open.

#include "SearchFixture.h"

#include "search/KeyFilterEdit.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

const QString price = QStringLiteral("Расширенный поиск по цене");
const QString average = QStringLiteral("Расширенный поиск по среднему расходу в месяц");

class RpoiskTest : public SearchTest {
protected:
    void open(const QString& caption, const QString& min, const QString& max)
    {
        rpoisk->setWindowTitle(caption);
        rpoisk->show();
        rpoisk->Edit1->setText(min);
        rpoisk->Edit2->setText(max);
    }
    void search() { QTest::mouseClick(rpoisk->BitBtn1, Qt::LeftButton); }
    void expectClosedAndEmpty()
    {
        EXPECT_FALSE(rpoisk->isVisible());
        EXPECT_TRUE(rpoisk->Edit1->text().isEmpty());
        EXPECT_TRUE(rpoisk->Edit2->text().isEmpty());
    }
};

TEST_F(RpoiskTest, ControlsAsTheClerkSeesThem)
{
    TF_rpoisk& F = *rpoisk;
    EXPECT_TRUE(F.windowTitle().isEmpty());
    EXPECT_EQ(F.Label1->text(), QStringLiteral("Минимальное значение"));
    EXPECT_EQ(F.Label2->text(), QStringLiteral("Максимальное значение"));
    EXPECT_EQ(F.BitBtn1->text(), QStringLiteral("Поиск"));
    EXPECT_EQ(F.SpeedButton5->toolTip(), QStringLiteral("Справка"));
    EXPECT_TRUE(F.Edit1->text().isEmpty());
    EXPECT_TRUE(F.Edit2->text().isEmpty());
}

TEST_F(RpoiskTest, RangesIncludeBothBoundsInEntryOrder)
{
    const struct {
        const char* what;
        QString caption;
        QString min;
        QString max;
        QList<int> rows;
        QStringList messages;
    } cases[] = {
        {"price between two prices that occur", price, QStringLiteral("300"), QStringLiteral("1250"), {1, 2, 3, 5}, {}},
        {"price, both bounds equal", price, QStringLiteral("300"), QStringLiteral("300"), {1, 3}, {}},
        {"price with leading zeros", price, QStringLiteral("0045"), QStringLiteral("045"), {4}, {}},
        {"price, nothing in the range", price, QStringLiteral("46"), QStringLiteral("299"), {}, {}},
        {"average, its caption shown first", average, QStringLiteral("12"), QStringLiteral("20"), {1, 4, 5}, {average}},
        {"average from zero", average, QStringLiteral("0"), QStringLiteral("3"), {3, 6, 7}, {average}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.script.clear();
        for (int i = 0; i < c.messages.size(); ++i)
            boxes.script.expect(Kind::Message);
        open(c.caption, c.min, c.max);
        search();
        EXPECT_EQ(boxes.script.texts(), c.messages);
        EXPECT_EQ(shownRows(), c.rows);
        EXPECT_EQ(dm->Quchot.currentRow(), c.rows.size() - 1);
        EXPECT_EQ(gl->LastUchotN, c.rows.isEmpty() ? 0 : c.rows.last());
        expectClosedAndEmpty();
        backToMainWindow();
        EXPECT_EQ(shownRows(), c.rows);
    }
}

TEST_F(RpoiskTest, LeadingZerosGoIntoTheStatementAsTyped)
{
    open(price, QStringLiteral("0045"), QStringLiteral("0300"));
    search();
    EXPECT_EQ(dm->Quchot.sql(),
              QStringLiteral("select * from uchot where (uchot_cena>=0045) And (uchot_cena<=0300)  order by uchot_N "));
}

TEST_F(RpoiskTest, EmptyOrCrossedBoundsAreRefusedAndTheDialogClosesEmpty)
{
    const QString fill = QStringLiteral("Заполните искомые значения!!!");
    const QString crossed = QStringLiteral("Минимальное значение больше максимального, введите ещё раз!!!");
    const struct {
        QString caption;
        QString min;
        QString max;
        QString message;
    } cases[] = {
        {price, QString(), QStringLiteral("5"), fill},
        {average, QStringLiteral("5"), QString(), fill},
        {price, QString(), QString(), fill},
        {price, QStringLiteral("500"), QStringLiteral("300"), crossed},
        {average, QStringLiteral("21"), QStringLiteral("20"), crossed},
    };
    gl->N16Click();   // sorted by average: the register must stay so
    const QString before = dm->Quchot.sql();
    const QList<int> rows = shownRows();
    for (const auto& c : cases) {
        SCOPED_TRACE((c.min + ".." + c.max).toStdString());
        boxes.script.clear();
        boxes.script.expect(Kind::Message);
        open(c.caption, c.min, c.max);
        search();
        EXPECT_EQ(boxes.script.texts(), QStringList{c.message});
        expectClosedAndEmpty();
        EXPECT_EQ(dm->Quchot.sql(), before);
        EXPECT_EQ(shownRows(), rows);
    }
}

TEST_F(RpoiskTest, UnknownCaptionOnlyClearsAndCloses)
{
    const QString before = dm->Quchot.sql();
    for (const QString& caption : {QString(), QStringLiteral("Расширенный поиск по цене "), QStringLiteral("Поиск")}) {
        open(caption, QStringLiteral("1"), QStringLiteral("2"));
        search();
        expectClosedAndEmpty();
    }
    EXPECT_TRUE(boxes.script.shown().empty());
    EXPECT_EQ(dm->Quchot.sql(), before);
    EXPECT_EQ(shownRows().size(), 7);
}

TEST_F(RpoiskTest, BoundsThatAreNoWholeNumbersKeepTheDialogOpen)
{
    LocaleGuard locale(QLocale(QLocale::Russian, QLocale::Russia));
    const struct {
        QString min;
        QString max;
    } cases[] = {
        {QStringLiteral("1,5"), QStringLiteral("20")},
        {QStringLiteral("1"), QStringLiteral("2147483648")},
        {QStringLiteral("1"), QStringLiteral("2'); drop table uchot; --")},
    };
    const QString before = dm->Quchot.sql();
    for (const auto& c : cases) {
        SCOPED_TRACE((c.min + ".." + c.max).toStdString());
        boxes.script.clear();
        boxes.script.expect(Kind::ApplicationError);
        open(price, c.min, c.max);
        search();
        ASSERT_EQ(boxes.script.shown().size(), 1u);
        EXPECT_EQ(boxes.script.shown()[0].kind, Kind::ApplicationError);
        EXPECT_TRUE(rpoisk->isVisible());
        EXPECT_EQ(rpoisk->Edit1->text(), c.min);
        EXPECT_EQ(rpoisk->Edit2->text(), c.max);
        EXPECT_EQ(dm->Quchot.sql(), before);
        EXPECT_EQ(shownRows().size(), 7);
    }
    EXPECT_EQ(work.scalar(QStringLiteral("select count(*) from uchot")), QStringLiteral("7"));
}

TEST_F(RpoiskTest, EditsTakeDigitsAndOneSeparatorAndDropAllElseSilently)
{
    LocaleGuard locale(QLocale(QLocale::Russian, QLocale::Russia));
    open(price, QString(), QString());
    for (search::KeyFilterEdit* edit : {rpoisk->Edit1, rpoisk->Edit2}) {
        type(edit, QStringLiteral("1ж2a ."));
        type(edit, QStringLiteral("5.,-"));
        EXPECT_EQ(edit->text(), QStringLiteral("12,5"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), QStringLiteral("12,"));
        // Esc and Enter are dropped too: the dialog stays.
        QTest::keyClick(edit, Qt::Key_Escape);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(rpoisk->isVisible());
        EXPECT_EQ(edit->text(), QStringLiteral("12,"));
    }
    EXPECT_TRUE(boxes.script.shown().empty());
}

TEST_F(RpoiskTest, CloseBoxLeavesTheTextsForTheNextOpening)
{
    open(price, QStringLiteral("10"), QStringLiteral("20"));
    rpoisk->close();
    rpoisk->show();
    EXPECT_EQ(rpoisk->Edit1->text(), QStringLiteral("10"));
    EXPECT_EQ(rpoisk->Edit2->text(), QStringLiteral("20"));
}

} // namespace
