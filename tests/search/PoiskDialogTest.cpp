// The search dialog as a window: its controls, what each opening resets and keeps, the key
// filter of its edit, the red buttons into the range dialog and the help button.

#include "SearchFixture.h"

#include "search/KeyFilterEdit.h"
#include "search/RadioGroup.h"

#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QString numbersOnly = QStringLiteral("Для поиска по цене вводятся только числовые значения!");

using PoiskDialogTest = SearchTest;

TEST_F(PoiskDialogTest, ControlsAsTheClerkSeesThem)
{
    TF_poisk& F = *poisk;
    F.show();
    EXPECT_EQ(F.windowTitle(), QStringLiteral("Поиск косметики в базе"));
    const std::pair<QString, QString> texts[] = {
        {F.GroupBox1->title(), QStringLiteral("Вид поиска")},
        {F.RB1->text(), QStringLiteral("Точный")},
        {F.RB2->text(), QStringLiteral("По вхождению")},
        {F.SpeedButton5->toolTip(), QStringLiteral("Помощь")},
        {F.RG1->title(), QStringLiteral("Поиск по")},
        {F.RG1->button(0)->text(), QStringLiteral("Названию инструмента")},
        {F.RG1->button(1)->text(), QStringLiteral("Учётной цене")},
        {F.RG1->button(2)->text(), QStringLiteral("Поставщику")},
        {F.RG1->button(3)->text(), QStringLiteral("Ср. р. в месяц")},
        {F.RadioButton1->text(), QStringLiteral("Расширенный поиск ")},
        {F.RadioButton2->text(), QStringLiteral("Расширенный поиск ")},
        {F.Label1->text(), QStringLiteral("Введите искомые значения")},
        {F.BitBtn1->text(), QStringLiteral("Поиск")},
        {F.Edit1->text(), QString()},
    };
    for (const auto& [shown, expected] : texts)
        EXPECT_EQ(shown, expected);
    EXPECT_EQ(F.RG1->count(), 4);
    EXPECT_TRUE(F.RB1->isChecked());
    EXPECT_FALSE(F.RB2->isChecked());
    EXPECT_EQ(F.RG1->itemIndex(), TF_poisk::ToolName);
    EXPECT_FALSE(F.RadioButton1->isVisible());
    EXPECT_FALSE(F.RadioButton2->isVisible());
    // The red buttons stand beside their items, right of the radio group.
    for (auto [red, item] : {std::pair{F.RadioButton1, 1}, std::pair{F.RadioButton2, 3}}) {
        const QRect at = F.RG1->button(item)->geometry().translated(F.RG1->pos());
        EXPECT_GT(red->x(), F.RG1->geometry().right());
        EXPECT_TRUE(red->geometry().contains(QPoint(red->x() + 1, at.center().y())));
    }
}

TEST_F(PoiskDialogTest, ChosenColumnShowsItsRedButton)
{
    const struct {
        int item;
        bool price;
        bool average;
    } cases[] = {{1, true, false}, {3, false, true}, {2, false, false}, {0, false, false}, {3, false, true}};
    poisk->show();
    for (const auto& c : cases) {
        QTest::mouseClick(poisk->RG1->button(c.item), Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_EQ(poisk->RG1->itemIndex(), c.item);
        EXPECT_EQ(poisk->RadioButton1->isVisible(), c.price) << c.item;
        EXPECT_EQ(poisk->RadioButton2->isVisible(), c.average) << c.item;
    }
}

TEST_F(PoiskDialogTest, EveryOpeningIsExactAgainWithColumnAndValueKept)
{
    boxes.script.expect(Kind::Message);
    choose(false, TF_poisk::Price, QStringLiteral("25"));
    ASSERT_TRUE(poisk->RB2->isChecked());
    ASSERT_FALSE(poisk->RB1->isChecked());
    QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);
    ASSERT_FALSE(poisk->isVisible());

    poisk->show();
    EXPECT_TRUE(poisk->RB1->isChecked());
    EXPECT_FALSE(poisk->RB2->isChecked());
    EXPECT_EQ(poisk->RG1->itemIndex(), TF_poisk::Price);
    EXPECT_EQ(poisk->Edit1->text(), QStringLiteral("25"));
    EXPECT_TRUE(poisk->RadioButton1->isVisible());
    EXPECT_FALSE(poisk->RadioButton1->isChecked());
    EXPECT_FALSE(poisk->RadioButton2->isChecked());
}

TEST_F(PoiskDialogTest, PriceAndAverageTakeOnlyNumbers)
{
    const struct {
        QLocale locale;
        QString separator;
    } locales[] = {{QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral(",")}, {QLocale::c(), QStringLiteral(".")}};
    for (const auto& l : locales) {
        for (int item : {int(TF_poisk::Price), int(TF_poisk::Average)}) {
            SCOPED_TRACE(l.separator.toStdString() + " " + std::to_string(item));
            LocaleGuard locale(l.locale);
            choose(true, item, QString());
            search::KeyFilterEdit* edit = poisk->Edit1;
            boxes.script.clear();

            type(edit, QStringLiteral("12"));
            type(edit, QStringLiteral("."));
            type(edit, QStringLiteral("5"));
            EXPECT_EQ(edit->text(), QStringLiteral("12") + l.separator + QStringLiteral("5"));
            // A second separator, full stop or comma, goes nowhere and says nothing.
            type(edit, QStringLiteral(".,"));
            EXPECT_EQ(edit->text(), QStringLiteral("12") + l.separator + QStringLiteral("5"));
            EXPECT_TRUE(boxes.script.shown().empty());

            // Letters, blanks and control keys are refused with the message, one each.
            for (int i = 0; i < 5; ++i)
                boxes.script.expect(Kind::Message);
            type(edit, QStringLiteral("жa -"));
            QTest::keyClick(edit, Qt::Key_Return);
            EXPECT_EQ(boxes.script.texts(), QStringList(5, numbersOnly));
            EXPECT_EQ(edit->text(), QStringLiteral("12") + l.separator + QStringLiteral("5"));

            // Backspace passes; with the separator gone a full stop is taken again.
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClick(edit, Qt::Key_Backspace);
            type(edit, QStringLiteral(","));
            EXPECT_EQ(edit->text(), QStringLiteral("12") + l.separator);
            poisk->close();
        }
    }
}

TEST_F(PoiskDialogTest, TextFromAnInputMethodIsFilteredToo)
{
    LocaleGuard locale(QLocale(QLocale::Russian, QLocale::Russia));
    choose(true, TF_poisk::Price, QString());
    const auto commit = [this](const QString& text) {
        QInputMethodEvent e;
        e.setCommitString(text);
        QApplication::sendEvent(poisk->Edit1, &e);
    };
    commit(QStringLiteral("5."));
    EXPECT_EQ(poisk->Edit1->text(), QStringLiteral("5,"));
    boxes.script.expect(Kind::Message);
    commit(QStringLiteral("7ж"));
    EXPECT_EQ(boxes.script.texts(), QStringList{numbersOnly});
    EXPECT_EQ(poisk->Edit1->text(), QStringLiteral("5,"));
}

TEST_F(PoiskDialogTest, NameAndSupplierTakeEveryKeyAsTyped)
{
    LocaleGuard locale(QLocale(QLocale::Russian, QLocale::Russia));
    for (int item : {int(TF_poisk::ToolName), int(TF_poisk::Supplier)}) {
        choose(true, item, QString());
        type(poisk->Edit1, QStringLiteral("Сверло Ø5.5, d'x"));
        EXPECT_EQ(poisk->Edit1->text(), QStringLiteral("Сверло Ø5.5, d'x")) << item;
        QTest::keyClick(poisk->Edit1, Qt::Key_Backspace);
        EXPECT_EQ(poisk->Edit1->text(), QStringLiteral("Сверло Ø5.5, d'")) << item;
    }
    EXPECT_TRUE(boxes.script.shown().empty());
}

TEST_F(PoiskDialogTest, FilterLooksOnlyAtTypedKeys)
{
    // A name typed before the price item was chosen stays as it is.
    choose(true, TF_poisk::ToolName, QString());
    type(poisk->Edit1, QStringLiteral("Фреза"));
    poisk->RG1->setItemIndex(TF_poisk::Price);
    EXPECT_EQ(poisk->Edit1->text(), QStringLiteral("Фреза"));
    EXPECT_TRUE(boxes.script.shown().empty());
}

TEST_F(PoiskDialogTest, RedButtonOpensTheRangeDialogWithItsCaptionAndSearchesNothing)
{
    const struct {
        int item;
        QRadioButton* TF_poisk::*button;
        QString caption;
    } cases[] = {
        {TF_poisk::Price, &TF_poisk::RadioButton1, QStringLiteral("Расширенный поиск по цене")},
        {TF_poisk::Average, &TF_poisk::RadioButton2, QStringLiteral("Расширенный поиск по среднему расходу в месяц")},
    };
    const QString before = dm->Quchot.sql();
    for (const auto& c : cases) {
        choose(false, c.item, QStringLiteral("300"));
        QString caption;
        bool rangeShown = false;
        bool rangeModal = false;
        bool searchStillShown = false;
        QTimer::singleShot(0, rpoisk.get(), [&] {
            caption = rpoisk->windowTitle();
            rangeShown = rpoisk->isVisible();
            rangeModal = rpoisk->isModal();
            searchStillShown = poisk->isVisible();
            rpoisk->close();
        });
        QTest::mouseClick((*poisk).*c.button, Qt::LeftButton, {}, QPoint(5, 5));

        EXPECT_EQ(caption, c.caption);
        EXPECT_TRUE(rangeShown);
        EXPECT_TRUE(rangeModal);
        EXPECT_TRUE(searchStillShown);   // beneath the range dialog while it is open
        EXPECT_FALSE(rpoisk->isVisible());
        EXPECT_FALSE(poisk->isVisible());
        EXPECT_EQ(dm->Quchot.sql(), before);
        EXPECT_TRUE(boxes.script.shown().empty());
    }
}

TEST_F(PoiskDialogTest, HelpButtonsExplainTheirDialogs)
{
    const struct {
        QToolButton* button;
        QWidget* dialog;
        QString title;
    } cases[] = {{poisk->SpeedButton5, poisk.get(), QStringLiteral("Помощь")},
                 {rpoisk->SpeedButton5, rpoisk.get(), QStringLiteral("Справка")}};
    for (const auto& c : cases) {
        boxes.script.clear();
        boxes.script.expect(Kind::Information);
        c.dialog->show();
        QTest::mouseClick(c.button, Qt::LeftButton);
        ASSERT_EQ(boxes.script.shown().size(), 1u);
        EXPECT_EQ(boxes.script.shown()[0].title, c.title);
        EXPECT_FALSE(boxes.script.shown()[0].text.isEmpty());
        EXPECT_TRUE(c.dialog->isVisible());
        c.dialog->close();
    }
}

} // namespace
