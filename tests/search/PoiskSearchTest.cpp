// The searches of the search dialog on a real register: which rows each of the eight mode and
// column pairs finds, in which order, with which message first, and what is left current.

#include "SearchFixture.h"

#include "search/KeyFilterEdit.h"
#include "search/RadioGroup.h"
#include "ui/CompletingComboBox.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString priceMessage = QStringLiteral("Поиск по учётной цене");
const QString supplierMessage = QStringLiteral("Поиск по поставщику");
// Its third word begins with a Latin "c".
const QString averageMessage = QStringLiteral("Поиск по c") + QStringLiteral("реднему расходу за месяц");

struct SearchCase {
    const char* what;
    bool exact;
    int column;
    QString value;
    QList<int> rows;       // uchot_N in the order shown
    QStringList messages;
};

class PoiskSearchTest : public SearchTest {
protected:
    void expectFound(const SearchCase& c)
    {
        SCOPED_TRACE(c.what);
        boxes.script.clear();
        for (int i = 0; i < c.messages.size(); ++i)
            boxes.script.expect(Kind::Message);
        choose(c.exact, c.column, c.value);

        QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);

        EXPECT_EQ(boxes.script.texts(), c.messages);
        EXPECT_FALSE(poisk->isVisible());
        EXPECT_EQ(shownRows(), c.rows);
        // The last row found is current, and the main window knows it.
        EXPECT_EQ(dm->Quchot.currentRow(), c.rows.size() - 1);
        EXPECT_EQ(gl->LastUchotN, c.rows.isEmpty() ? 0 : c.rows.last());
        backToMainWindow();
        EXPECT_EQ(shownRows(), c.rows);
        EXPECT_EQ(dm->Quchot.currentRow(), c.rows.size() - 1);
    }
};

TEST_F(PoiskSearchTest, EachModeAndColumnFindsItsRowsInRunningNumberOrder)
{
    const SearchCase cases[] = {
        {"exact name", true, TF_poisk::ToolName, QStringLiteral("Сверло 5"), {1}, {}},
        {"exact name with an apostrophe", true, TF_poisk::ToolName, QStringLiteral("Сверло О'Нил"), {3}, {}},
        {"exact price", true, TF_poisk::Price, QStringLiteral("300"), {3, 1}, {priceMessage}},
        {"exact supplier by the beginning of its name", true, TF_poisk::Supplier, QStringLiteral("ООО"), {1, 5},
         {supplierMessage}},
        {"exact average", true, TF_poisk::Average, QStringLiteral("12"), {4, 1}, {averageMessage}},
        {"substring of a name", false, TF_poisk::ToolName, QStringLiteral("ло "), {3, 1, 5}, {}},
        {"substring with an apostrophe", false, TF_poisk::ToolName, QStringLiteral("О'Н"), {3}, {}},
        {"empty substring: every name that holds a value", false, TF_poisk::ToolName, QString(), {2, 3, 4, 1, 5, 6},
         {}},
        {"substring of a price", false, TF_poisk::Price, QStringLiteral("25"), {2}, {priceMessage}},
        {"substring of an average", false, TF_poisk::Average, QStringLiteral("2"), {4, 1, 5}, {averageMessage}},
        {"nothing found", false, TF_poisk::ToolName, QStringLiteral("Развёртка"), {}, {}},
    };
    for (const SearchCase& c : cases)
        expectFound(c);
}

TEST_F(PoiskSearchTest, CyrillicSubstringFoundWhateverTheLetterCase)
{
    choose(false, TF_poisk::ToolName, QString());
    poisk->Edit1->setFocus();
    type(poisk->Edit1, QStringLiteral("сВЕРЛО"));
    ASSERT_EQ(poisk->Edit1->text(), QStringLiteral("сВЕРЛО"));

    QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);

    EXPECT_EQ(shownRows(), (QList<int>{3, 1, 5}));
    EXPECT_EQ(gl->LastUchotN, 5);
}

TEST_F(PoiskSearchTest, ExactNumbersAreReadWithTheUsersSeparatorAtFullPrecision)
{
    // Above 2^24 a single-precision float would turn 16777217 into 16777216.
    work.exec(QStringLiteral("insert into uchot (uchot_N, naim_name, uchot_cena, uchot_sredm, uchot_ind) values"
                             " (8, 'Пресс', 16777217, 16777217, 8), (9, 'Пресс малый', 16777216, 16777216, 9)"));
    dm->Quchot.close();
    dm->Quchot.open();
    const struct {
        QLocale locale;
        int column;
        QString typed;
        QList<int> rows;
    } cases[] = {
        {QLocale::c(), TF_poisk::Price, QStringLiteral("16777217"), {8}},
        {QLocale::c(), TF_poisk::Average, QStringLiteral("16777216"), {9}},
        {QLocale(QLocale::Russian, QLocale::Russia), TF_poisk::Price, QStringLiteral("1250,0"), {2}},
        {QLocale(QLocale::Russian, QLocale::Russia), TF_poisk::Average, QStringLiteral("7,5"), {}},
        {QLocale(QLocale::German, QLocale::Germany), TF_poisk::Price, QStringLiteral("300,00"), {3, 1}},
        {QLocale::c(), TF_poisk::Price, QStringLiteral("0045"), {4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        LocaleGuard locale(c.locale);
        boxes.script.clear();
        boxes.script.expect(Kind::Message);
        choose(true, c.column, c.typed);
        QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);
        EXPECT_EQ(boxes.script.shown().size(), 1u);   // the column's message, no error
        EXPECT_EQ(shownRows(), c.rows);
        EXPECT_FALSE(poisk->isVisible());
    }
}

TEST_F(PoiskSearchTest, ExactSearchWithoutANumberReportsItAndLeavesTheRegister)
{
    gl->N13Click();   // sort by price: a statement of its own that must survive
    const QString before = dm->Quchot.sql();
    const QList<int> rows = shownRows();
    for (const QString& typed : {QString(), QStringLiteral("12,,5"), QStringLiteral("1.2.3")}) {
        for (int column : {int(TF_poisk::Price), int(TF_poisk::Average)}) {
            SCOPED_TRACE(typed.toStdString());
            boxes.script.clear();
            boxes.script.expect(Kind::Message);
            boxes.script.expect(Kind::ApplicationError);
            choose(true, column, typed);
            QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);
            ASSERT_EQ(boxes.script.shown().size(), 2u);
            EXPECT_EQ(boxes.script.shown()[0].text, column == TF_poisk::Price ? priceMessage : averageMessage);
            EXPECT_EQ(boxes.script.shown()[1].kind, Kind::ApplicationError);
            EXPECT_TRUE(poisk->isVisible());   // the dialog stays for another try
            EXPECT_EQ(dm->Quchot.sql(), before);
            EXPECT_TRUE(dm->Quchot.isOpen());
            EXPECT_EQ(shownRows(), rows);
        }
    }
}

TEST_F(PoiskSearchTest, ExactSupplierThatNoNameBeginsWithTakesTheSupplierTheListStandsOn)
{
    // The activation left the supplier list on its last row, "Фрезы Урала" (code 4).
    boxes.script.expect(Kind::Message);
    choose(true, TF_poisk::Supplier, QStringLiteral("Ящик"));
    QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(boxes.script.texts(), QStringList{supplierMessage});
    EXPECT_EQ(shownRows(), (QList<int>{2, 7}));
}

TEST_F(PoiskSearchTest, SubstringBySupplierShowsTheConditionAndNarrowsTheSupplierList)
{
    boxes.script.expect(Kind::Message);
    choose(false, TF_poisk::Supplier, QString());
    type(poisk->Edit1, QStringLiteral("ЕР"));   // "Сервис" and "Сверла", typed in capitals

    QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);

    EXPECT_EQ(boxes.script.texts(), QStringList{QStringLiteral("  post_kod=1 or post_kod=2 ")});
    EXPECT_EQ(shownRows(), (QList<int>{4, 1, 5, 6}));
    EXPECT_EQ(gl->LastUchotN, 6);
    EXPECT_FALSE(poisk->isVisible());

    // The supplier list keeps the search: the filter box lists only the two suppliers now, and a
    // later exact search finds only among them.
    backToMainWindow();
    EXPECT_EQ(gl->CBpost->items(), (QStringList{QStringLiteral("Инструмент-Сервис"), QStringLiteral("ООО Сверла")}));
    boxes.script.clear();
    boxes.script.expect(Kind::Message);
    choose(true, TF_poisk::Supplier, QStringLiteral("Фрезы"));
    QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(shownRows(), (QList<int>{1, 5}));   // stood on "ООО Сверла"
}

TEST_F(PoiskSearchTest, SubstringBySupplierWithAnApostropheFindsIt)
{
    boxes.script.expect(Kind::Message);
    choose(false, TF_poisk::Supplier, QStringLiteral("'н"));
    QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(boxes.script.texts(), QStringList{QStringLiteral("  post_kod=3 ")});
    EXPECT_EQ(shownRows(), (QList<int>{3}));
}

TEST_F(PoiskSearchTest, SubstringBySupplierThatNoNameContainsIsToldAndShowsNoRows)
{
    boxes.script.expect(Kind::Message);
    choose(false, TF_poisk::Supplier, QStringLiteral("Жук"));
    QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(boxes.script.shown().size(), 1u);
    EXPECT_EQ(boxes.script.shown()[0].kind, Kind::Message);
    EXPECT_TRUE(boxes.script.shown()[0].text.contains(QStringLiteral("Жук")));
    EXPECT_TRUE(dm->Quchot.isOpen());
    EXPECT_TRUE(shownRows().isEmpty());
    EXPECT_EQ(gl->LastUchotN, 0);
    EXPECT_FALSE(poisk->isVisible());
}

TEST_F(PoiskSearchTest, SubstringBySupplierTakesAnyNumberOfSuppliers)
{
    // More suppliers than a chain of "or" can hold in the engine, and more than 5000.
    work.exec(QStringLiteral("with recursive n(i) as (select 100 union all select i + 1 from n where i < 5299)"
                             " insert into postman (post_kod, post_name) select i, 'Склад ' || i from n;"
                             "insert into uchot (uchot_N, naim_name, post_kod, uchot_ind) values"
                             " (8, 'Напильник', 100, 10), (9, 'Зубило', 5299, 9), (10, 'Ключ', 2500, 8)"));
    boxes.script.expect(Kind::Message);
    choose(false, TF_poisk::Supplier, QStringLiteral("склад"));
    QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);

    ASSERT_EQ(boxes.script.shown().size(), 1u);
    const QString condition = boxes.script.shown()[0].text;
    EXPECT_TRUE(condition.startsWith(QStringLiteral("  post_kod=100 or post_kod=101 or")));
    EXPECT_TRUE(condition.endsWith(QStringLiteral(" or post_kod=5299 ")));
    EXPECT_EQ(condition.count(QStringLiteral("post_kod=")), 5200);
    EXPECT_EQ(shownRows(), (QList<int>{10, 9, 8}));
    EXPECT_FALSE(poisk->isVisible());
}

TEST_F(PoiskSearchTest, WithoutAModeOrAColumnTheDialogOnlyCloses)
{
    const QString before = dm->Quchot.sql();
    poisk->show();
    // Neither mode chosen.
    poisk->RB1->setAutoExclusive(false);
    poisk->RB1->setChecked(false);
    poisk->RB1->setAutoExclusive(true);
    ASSERT_FALSE(poisk->RB2->isChecked());
    QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(poisk->isVisible());

    // No column chosen.
    poisk->show();
    poisk->RG1->setItemIndex(-1);
    QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(poisk->isVisible());

    EXPECT_TRUE(boxes.script.shown().empty());
    EXPECT_EQ(dm->Quchot.sql(), before);
    EXPECT_EQ(shownRows().size(), 7);
}

TEST_F(PoiskSearchTest, RefreshAfterASearchBringsTheWholeRegisterBack)
{
    choose(true, TF_poisk::ToolName, QStringLiteral("Метчик М6"));
    QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);
    ASSERT_EQ(shownRows(), QList<int>{4});
    gl->SpeedButton1Click();
    EXPECT_EQ(shownRows(), (QList<int>{2, 3, 4, 1, 5, 6, 7}));
    EXPECT_EQ(gl->LastUchotN, 7);
}

} // namespace
