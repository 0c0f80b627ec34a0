// The tool groups and suppliers windows: their layout, rows added, changed and deleted through
// the grid and the navigator, new codes from the database, and Esc.

#include "RefbooksFixture.h"

#include "data/Dataset.h"
#include "ui/CompletingComboBox.h"
#include "ui/DBGrid.h"
#include "ui/DBGridModel.h"
#include "ui/DBNavigator.h"

#include <QAction>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <algorithm>

namespace {

using ui::ScriptedDialogs;

class TypesAndSuppliersTest : public RefbooksTest {
protected:
    void SetUp() override
    {
        addFixture();
        start();
    }

    // Adds a row through the grid: a new blank row by the given key, the text typed into the
    // name cell, committed with the navigator's post button.
    void addThroughGrid(TF_type& F, int key, const QString& text)
    {
        ui::DBGrid* grid = F.DBGrid1;
        data::Dataset* ds = grid->dataSet();
        ds->last();
        QTest::keyClick(grid, Qt::Key(key));
        ASSERT_EQ(ds->state(), data::Dataset::State::Insert);
        grid->setCurrentIndex(grid->gridModel()->index(ds->currentRow(), 1));
        // The first letter opens the cell's editor, the rest go into it.
        type(grid->viewport(), text.left(1));
        QWidget* editor = grid->indexWidget(grid->currentIndex());
        ASSERT_NE(editor, nullptr);
        type(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        F.DBNavigator1->click(ui::DBNavigator::Post);
        ASSERT_EQ(ds->state(), data::Dataset::State::Browse);
    }
    static bool offered(const data::Dataset& ds, const char* lookupField, const QString& text, qint64 key)
    {
        const auto items = ds.lookupItems(ds.fieldIndex(QString::fromUtf8(lookupField)));
        return std::any_of(items.begin(), items.end(),
                           [&](const data::LookupItem& i) { return i.text == text && i.key == key; });
    }
};

TEST_F(TypesAndSuppliersTest, BothWindowsShareOneLayoutOverTheirOwnData)
{
    const struct {
        TF_type* window;
        const char* caption;
        data::Dataset* data;
        const char* codeField;
        bool codeShown;
        const char* nameField;
        const char* nameTitle;
    } cases[] = {
        {types.get(), "Справочник типов", &dm->TType, "type_kod", true, "type_name", "Название типа"},
        {post.get(), "Справочник поставщиков", &dm->Qpost, "post_kod", false, "post_name", "Название поставщика"},
    };
    EXPECT_NE(dynamic_cast<TF_type*>(post.get()), nullptr);
    for (const auto& c : cases) {
        TF_type& F = *c.window;
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(F.windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(F.DBGrid1->dataSet(), c.data);
        EXPECT_EQ(F.DBGrid1->columnCount(), 2);
        EXPECT_EQ(F.DBGrid1->gridColumn(0).fieldName, QString::fromUtf8(c.codeField));
        EXPECT_EQ(F.DBGrid1->gridModel()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("№"));
        EXPECT_EQ(F.DBGrid1->isColumnHidden(0), !c.codeShown);
        EXPECT_EQ(F.DBGrid1->gridColumn(1).fieldName, QString::fromUtf8(c.nameField));
        EXPECT_EQ(F.DBGrid1->gridModel()->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8(c.nameTitle));
        EXPECT_TRUE(F.DBNavigator1->button(ui::DBNavigator::Insert)->isHidden());
        const QStringList hints = ui::DBNavigator::standardHints();
        for (int b = 0; b < ui::DBNavigator::ButtonCount; ++b)
            EXPECT_EQ(F.DBNavigator1->button(ui::DBNavigator::Button(b))->toolTip(), hints[b]);
        EXPECT_EQ(F.findChild<QMenuBar*>(), nullptr);
    }
    // The groups by code, as the table holds them; the suppliers by name.
    EXPECT_EQ(column(dm->TType, "type_name"), (QStringList{QStringLiteral("Свёрла"), QStringLiteral("Фрезы"), QStringLiteral("Метчики")}));
    EXPECT_EQ(column(dm->Qpost, "post_name"), (QStringList{QStringLiteral("Альфа"), QStringLiteral("Бета"), QStringLiteral("Вектор")}));
}

TEST_F(TypesAndSuppliersTest, MenuKeysOpenTheThreeWindowsWithoutBlockingTheMainWindow)
{
    gl->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(gl.get()));
    const struct {
        Qt::Key key;
        QWidget* window;
    } cases[] = {{Qt::Key_F1, naim.get()}, {Qt::Key_F2, types.get()}, {Qt::Key_F3, post.get()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        QTest::keyClick(gl->DBGrid1, c.key);
        EXPECT_TRUE(c.window->isVisible());
        EXPECT_FALSE(c.window->isModal());
    }
    EXPECT_TRUE(gl->isEnabled());
}

TEST_F(TypesAndSuppliersTest, AGroupAddedHereTakesItsCodeFromTheDatabaseAndReachesTheNamesWindow)
{
    gl->N7->trigger();
    addThroughGrid(*types, Qt::Key_Down, QStringLiteral("Развёртки"));
    EXPECT_EQ(fileValue(QStringLiteral("select type_kod from type where type_name='Развёртки'")), QStringLiteral("4"));
    // The code column shows the code the database gave.
    ui::DBGrid* grid = types->DBGrid1;
    EXPECT_EQ(grid->gridModel()->index(dm->TType.currentRow(), 0).data().toString(), QStringLiteral("4"));

    // The names window lists it from its next activation on, in its box and its grid's drop-down.
    gl->N4->trigger();
    EXPECT_TRUE(naim->CBtype->items().contains(QStringLiteral("Развёртки")));
    EXPECT_TRUE(offered(dm->Qnaim, "type_name", QStringLiteral("Развёртки"), 4));
}

TEST_F(TypesAndSuppliersTest, ASupplierAddedHereReachesTheRegisterLookupAtTheMainWindowsActivation)
{
    gl->N8->trigger();
    addThroughGrid(*post, Qt::Key_Insert, QStringLiteral("Гамма"));
    EXPECT_EQ(fileValue(QStringLiteral("select post_kod from postman where post_name='Гамма'")), QStringLiteral("4"));

    post->close();
    gl->FormActivate();
    EXPECT_TRUE(offered(dm->Quchot, "post_name", QStringLiteral("Гамма"), 4));
    EXPECT_TRUE(gl->CBpost->items().contains(QStringLiteral("Гамма")));
}

TEST_F(TypesAndSuppliersTest, RowsAreChangedInPlaceAndDeletedAfterTheConfirmation)
{
    gl->N7->trigger();
    ui::DBGrid* grid = types->DBGrid1;
    // Rename "Фрезы" and leave the row: the change is committed.
    ASSERT_TRUE(dm->TType.locate(QStringLiteral("type_name"), QStringLiteral("Фрезы")));
    grid->setCurrentIndex(grid->gridModel()->index(dm->TType.currentRow(), 1));
    type(grid->viewport(), QStringLiteral("Ф"));
    QWidget* editor = grid->indexWidget(grid->currentIndex());
    ASSERT_NE(editor, nullptr);
    type(editor, QStringLiteral("резы концевые"));
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_EQ(fileValue(QStringLiteral("select type_name from type where type_kod=2")), QStringLiteral("Фрезы концевые"));

    const struct {
        const char* answer;
        const char* left;
    } answers[] = {{"cancel", "3"}, {"ok", "2"}};
    for (const auto& a : answers) {
        SCOPED_TRACE(a.answer);
        ASSERT_TRUE(dm->TType.locate(QStringLiteral("type_kod"), 3));
        boxes.script.expect(ScriptedDialogs::Kind::Confirm, QString::fromUtf8(a.answer));
        types->DBNavigator1->click(ui::DBNavigator::Delete);
        EXPECT_TRUE(boxes.script.allAnswered());
        EXPECT_EQ(fileValue(QStringLiteral("select count(*) from type")), QString::fromUtf8(a.left));
    }
}

TEST_F(TypesAndSuppliersTest, EscClosesEachWindowAndLeavesTheOthers)
{
    QWidget* windows[] = {naim.get(), types.get(), post.get()};
    ui::DBGrid* grids[] = {naim->DBGrid1, types->DBGrid1, post->DBGrid1};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        gl->N4->trigger();
        gl->N7->trigger();
        gl->N8->trigger();
        QTest::keyClick(grids[i], Qt::Key_Escape);
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(windows[j]->isVisible(), i != j);
    }
}

} // namespace
