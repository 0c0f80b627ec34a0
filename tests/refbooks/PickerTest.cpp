// The name picker end to end: the name cell's button in the register grid opens the names
// window with BtnSelect; the pick writes the name and its group into the register row that was
// current and commits it; the main window's activation returns to that row.

#include "RefbooksFixture.h"

#include "data/Dataset.h"
#include "ui/CompletingComboBox.h"
#include "ui/DBGrid.h"
#include "ui/DBGridModel.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

using ui::ScriptedDialogs;

class PickerTest : public RefbooksTest {
protected:
    void SetUp() override
    {
        addFixture();
        start();
    }

    // Makes the register row current in the main grid and presses the button of its name cell.
    void pressNameButton(int uchotN)
    {
        ASSERT_TRUE(dm->Quchot.locate(QStringLiteral("uchot_N"), uchotN));
        ui::DBGrid* grid = gl->DBGrid1;
        grid->setCurrentIndex(grid->gridModel()->index(dm->Quchot.currentRow(), grid->positionOf(QStringLiteral("naim_name"))));
        QToolButton* button = nullptr;
        for (QToolButton* b : grid->viewport()->findChildren<QToolButton*>())
            if (b->text() == QStringLiteral("..."))
                button = b;
        ASSERT_NE(button, nullptr);
        button->click();
    }
    void chooseName(const char* name)
    {
        ASSERT_TRUE(dm->Qnaim.locate(QStringLiteral("naim_name"), QString::fromUtf8(name)));
    }
    QString registerValue(int uchotN, const char* field) const
    {
        return fileValue(QStringLiteral("select %1 from uchot where uchot_N=%2").arg(QString::fromUtf8(field)).arg(uchotN));
    }
    QStringList registerRow(int uchotN) const
    {
        QStringList out;
        for (const char* f : {"naim_name", "type_kod", "uchot_cena", "uchot_god", "uchot_sredm", "январь", "uchot_ind", "post_kod"})
            out << registerValue(uchotN, f);
        return out;
    }
};

TEST_F(PickerTest, PickWritesNameAndGroupIntoTheRowAndTheRowIsCurrentAfterActivation)
{
    const QStringList before = registerRow(2);
    pressNameButton(2);
    EXPECT_EQ(gl->Tag, 1);
    EXPECT_EQ(gl->PickedUchotN, 2);
    ASSERT_TRUE(naim->isVisible());
    EXPECT_TRUE(naim->isPicker());
    EXPECT_TRUE(naim->BtnSelect->isVisible());

    chooseName("Метчик М6");
    QTest::mouseClick(naim->BtnSelect, Qt::LeftButton);

    EXPECT_FALSE(naim->isVisible());
    EXPECT_FALSE(naim->isPicker());
    QStringList expected = before;
    expected[0] = QStringLiteral("Метчик М6");
    expected[1] = QStringLiteral("3");
    EXPECT_EQ(registerRow(2), expected);
    EXPECT_EQ(dm->Quchot.state(), data::Dataset::State::Browse);

    gl->FormActivate();
    EXPECT_EQ(dm->Quchot.asInt(QStringLiteral("uchot_N")), 2);
    EXPECT_EQ(gl->DBGrid1->currentIndex().row(), dm->Quchot.currentRow());
    EXPECT_EQ(gl->Tag, 0);
    EXPECT_EQ(dm->Quchot.asText(QStringLiteral("type_name")), QStringLiteral("Метчики"));

    // The next opening from the menu is no picker.
    gl->N4->trigger();
    EXPECT_TRUE(naim->isVisible());
    EXPECT_FALSE(naim->isPicker());
}

TEST_F(PickerTest, ClosingWithoutPickingReturnsToTheRow)
{
    const struct {
        const char* how;
        std::function<void(TF_naim&)> close;
    } ways[] = {
        {"Esc in the grid", [](TF_naim& F) { QTest::keyClick(F.DBGrid1, Qt::Key_Escape); }},
        {"the Закрыть command", [](TF_naim& F) { F.N2->trigger(); }},
        {"the close box", [](TF_naim& F) { F.close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        const QStringList before = registerRow(1);
        pressNameButton(1);
        ASSERT_TRUE(naim->isPicker());
        chooseName("Фреза торцевая");
        way.close(*naim);
        EXPECT_FALSE(naim->isVisible());
        EXPECT_FALSE(naim->isPicker());
        EXPECT_EQ(registerRow(1), before);

        gl->FormActivate();
        EXPECT_EQ(dm->Quchot.asInt(QStringLiteral("uchot_N")), 1);
        EXPECT_EQ(gl->Tag, 0);
        // An ordinary activation afterwards goes to the last row again.
        gl->FormActivate();
        EXPECT_EQ(dm->Quchot.asInt(QStringLiteral("uchot_N")), 3);
    }
}

TEST_F(PickerTest, ANameLongerThanTheRegisterHoldsIsRefusedAndTheRowKept)
{
    const struct {
        int length;
        bool fits;
    } cases[] = {{100, true}, {101, false}, {150, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const QString name = QStringLiteral("Резец ") + QString(c.length - 6, QChar(u'ж'));
        work.exec(QStringLiteral("insert into naim (naim_name, type_kod) values ('%1', 2)").arg(name));
        const QStringList before = registerRow(3);

        pressNameButton(3);
        naim->SpeedButton1Click();
        ASSERT_TRUE(dm->Qnaim.locate(QStringLiteral("naim_name"), name));
        if (!c.fits)
            boxes.script.expect(ScriptedDialogs::Kind::Message);
        naim->BtnSelect->click();
        EXPECT_TRUE(boxes.script.allAnswered());

        if (c.fits) {
            EXPECT_EQ(registerValue(3, "naim_name"), name);
            EXPECT_FALSE(naim->isVisible());
        } else {
            ASSERT_FALSE(boxes.script.shown().empty());
            EXPECT_TRUE(boxes.script.shown().back().text.contains(QStringLiteral("100")));
            EXPECT_EQ(registerRow(3), before);
            EXPECT_EQ(dm->Quchot.state(), data::Dataset::State::Browse);
            // The window stays open for another choice.
            EXPECT_TRUE(naim->isVisible());
            EXPECT_TRUE(naim->isPicker());
            naim->close();
        }
        gl->FormActivate();
        boxes.script.clear();
    }
}

TEST_F(PickerTest, PickingFromAnEmptyListIsRefused)
{
    const QStringList before = registerRow(2);
    pressNameButton(2);
    naim->CBnaim->setText(QStringLiteral("нет такого"));
    naim->CBnaimChange();
    boxes.script.expect(ScriptedDialogs::Kind::Message);
    naim->BtnSelect->click();
    EXPECT_TRUE(boxes.script.allAnswered());
    EXPECT_EQ(registerRow(2), before);
    EXPECT_TRUE(naim->isVisible());
}

TEST_F(PickerTest, EnterInTheNameBoxPressesTheSelectButton)
{
    pressNameButton(2);
    naim->CBnaim->setCurrentIndex(naim->CBnaim->findText(QStringLiteral("Сверло 5")));
    emit naim->CBnaim->activated(naim->CBnaim->currentIndex());
    QTest::keyClick(naim->CBnaim->lineEdit(), Qt::Key_Return);
    EXPECT_FALSE(naim->isVisible());
    EXPECT_EQ(registerValue(2, "naim_name"), QStringLiteral("Сверло 5"));
    EXPECT_EQ(registerValue(2, "type_kod"), QStringLiteral("1"));
}

} // namespace
