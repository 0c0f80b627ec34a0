// The data grid over a real register: the model against Qt's model tester, the cursor followed
// both ways, cell editing with commit on leaving the row, lookup drop-downs, the keys the grid
// handles itself, and the ellipsis button.

#include "TempDir.h"
#include "data/U_dm.h"
#include "ui/DBGrid.h"
#include "ui/DBGridModel.h"
#include "ui/ScriptedDialogs.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

using data::Dataset;

class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.setColumns({{QStringLiteral("uchot_ind"), QStringLiteral("№")},
                         {QStringLiteral("naim_name"), QStringLiteral("Наименование"), {}, Qt::AlignLeft, 30, true, true},
                         {QStringLiteral("post_name"), QStringLiteral("Поставщик")},
                         {QStringLiteral("январь"), QStringLiteral("январь")}});
        grid.setDataSource(&dm.DS1);
        tester = std::make_unique<QAbstractItemModelTester>(grid.gridModel(),
                                                            QAbstractItemModelTester::FailureReportingMode::Fatal);
        grid.resize(800, 400);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        grid.setFocus();
    }
    void TearDown() override { grid.close(); }

    QModelIndex cell(int row, int column) { return grid.gridModel()->index(row, column); }
    QString text(int row, int column) { return cell(row, column).data().toString(); }

    WorkDir work{5};
    TDM1 dm;
    ui::DBGrid grid;
    std::unique_ptr<QAbstractItemModelTester> tester;
    ui::ScriptedDialogsGuard boxes;
};

TEST_F(GridTest, FollowsTheDatasetCursorBothWays)
{
    EXPECT_EQ(grid.gridModel()->rowCount(), 5);
    dm.Quchot.last();
    EXPECT_EQ(grid.currentIndex().row(), 4);
    grid.setCurrentIndex(cell(2, 1));
    EXPECT_EQ(dm.Quchot.currentRow(), 2);
    QTest::keyClick(grid.viewport(), Qt::Key_Up);
    EXPECT_EQ(dm.Quchot.currentRow(), 1);
    EXPECT_EQ(grid.currentIndex().row(), 1);
    EXPECT_EQ(grid.currentIndex().column(), 1);
}

TEST_F(GridTest, TypedValueIsPostedWhenTheRowIsLeft)
{
    dm.Quchot.first();
    grid.setCurrentIndex(cell(0, 3));
    QTest::keyClick(grid.viewport(), Qt::Key_7);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_7);
    QTest::keyClick(editor, Qt::Key_Down);   // leaves the row: the row is posted
    EXPECT_EQ(work.scalar(QStringLiteral("select январь from uchot order by uchot_ind limit 1")), QStringLiteral("77"));
    EXPECT_FALSE(dm.Quchot.isEditing());
}

TEST_F(GridTest, RefusedValueShowsTheMessageAndKeepsTheFileUnchanged)
{
    const QString before = work.scalar(QStringLiteral("select январь from uchot order by uchot_ind limit 1"));
    dm.Quchot.first();
    boxes.script.expect(ui::ScriptedDialogs::Kind::ApplicationError);
    EXPECT_FALSE(grid.gridModel()->setData(cell(0, 3), QStringLiteral("много")));
    ASSERT_EQ(boxes.script.shown().size(), 1u);
    EXPECT_TRUE(boxes.script.shown()[0].text.contains(QStringLiteral("не является целым числом")));
    EXPECT_EQ(work.scalar(QStringLiteral("select январь from uchot order by uchot_ind limit 1")), before);
}

TEST_F(GridTest, LookupDropDownWritesTheKey)
{
    dm.Quchot.first();
    grid.setCurrentIndex(cell(0, 2));
    grid.edit(cell(0, 2));
    auto* box = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(box, nullptr);
    // Suppliers in the lookup source's order, which is alphabetical.
    ASSERT_GT(box->count(), 1);
    EXPECT_LE(box->itemText(0).localeAwareCompare(box->itemText(1)), 0);
    const int want = box->findText(QStringLiteral("ИП Кузнецов"));
    ASSERT_GE(want, 0);
    box->setCurrentIndex(want);
    grid.commitEditor();
    dm.Quchot.post();
    const QString key = work.scalar(QStringLiteral("select post_kod from postman where post_name='ИП Кузнецов'"));
    EXPECT_EQ(work.scalar(QStringLiteral("select post_kod from uchot where uchot_N=%1").arg(dm.Quchot.asInt("uchot_N"))), key);
}

TEST_F(GridTest, DownOnTheLastRowAppendsABlankRowThatUpDrops)
{
    dm.Quchot.last();
    QTest::keyClick(grid.viewport(), Qt::Key_Down);
    EXPECT_EQ(dm.Quchot.state(), Dataset::State::Insert);
    EXPECT_EQ(grid.gridModel()->rowCount(), 6);
    EXPECT_EQ(grid.currentIndex().row(), 5);
    QTest::keyClick(grid.viewport(), Qt::Key_Down);   // no second blank row
    EXPECT_EQ(grid.gridModel()->rowCount(), 6);
    QTest::keyClick(grid.viewport(), Qt::Key_Up);
    EXPECT_EQ(dm.Quchot.state(), Dataset::State::Browse);
    EXPECT_EQ(grid.gridModel()->rowCount(), 5);
    EXPECT_EQ(work.scalar(QStringLiteral("select count(*) from uchot")), QStringLiteral("5"));
}

TEST_F(GridTest, UntouchedInsertedRowIsDroppedWhenTheFocusLeaves)
{
    QLineEdit elsewhere;
    elsewhere.show();
    dm.Quchot.moveTo(2);
    QTest::keyClick(grid.viewport(), Qt::Key_Insert);
    EXPECT_EQ(dm.Quchot.insertRow(), 2);
    grid.activateWindow();
    elsewhere.activateWindow();
    elsewhere.setFocus();
    QTRY_COMPARE(dm.Quchot.state(), Dataset::State::Browse);
    EXPECT_EQ(grid.gridModel()->rowCount(), 5);
}

TEST_F(GridTest, CtrlDeleteAsksFirst)
{
    dm.Quchot.first();
    boxes.script.expect(ui::ScriptedDialogs::Kind::Confirm, QStringLiteral("cancel"));
    QTest::keyClick(grid.viewport(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(work.scalar(QStringLiteral("select count(*) from uchot")), QStringLiteral("5"));
    boxes.script.expect(ui::ScriptedDialogs::Kind::Confirm, QStringLiteral("ok"));
    QTest::keyClick(grid.viewport(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(work.scalar(QStringLiteral("select count(*) from uchot")), QStringLiteral("4"));
    EXPECT_EQ(boxes.script.shown().back().text, QStringLiteral("Delete record?"));
}

TEST_F(GridTest, KeyDownEventRunsFirstAlsoWhileEditing)
{
    std::vector<int> seen;
    grid.onKeyDown = [&](int key, Qt::KeyboardModifiers) {
        seen.push_back(key);
        // The row is still where it was when the handler runs.
        EXPECT_EQ(dm.Quchot.currentRow(), 0);
    };
    dm.Quchot.first();
    grid.setCurrentIndex(cell(0, 3));
    QTest::keyClick(grid.viewport(), Qt::Key_5);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ((std::vector<int>{Qt::Key_5, Qt::Key_Down}), seen);
}

TEST_F(GridTest, EllipsisButtonStandsInTheChosenColumnOnly)
{
    int clicks = 0;
    grid.onEditButtonClick = [&] { ++clicks; };
    auto* button = grid.viewport()->findChild<QToolButton*>();
    ASSERT_NE(button, nullptr);
    grid.setCurrentIndex(cell(1, 3));
    EXPECT_FALSE(button->isVisible());
    grid.setCurrentIndex(cell(1, 1));
    EXPECT_TRUE(button->isVisible());
    button->click();
    EXPECT_EQ(clicks, 1);
}

} // namespace
