// The names window on a real database file: its layout, the activation, the filters, the sorts,
// and the Enter, Esc and Down keys of its grid.

#include "RefbooksFixture.h"

#include "data/Dataset.h"
#include "ui/CompletingComboBox.h"
#include "ui/DBGrid.h"
#include "ui/DBGridModel.h"
#include "ui/DBNavigator.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

const QStringList kByName = {QStringLiteral("Метчик М6"), QStringLiteral("Сверло 5"), QStringLiteral("Сверло 8"),
                             QStringLiteral("Фреза торцевая")};

class NamesWindowTest : public RefbooksTest {
protected:
    void SetUp() override
    {
        addFixture();
        start();
    }
    // The window opened by the main menu's F1 command.
    void open() { gl->N4->trigger(); }
    QStringList names() const { return column(dm->Qnaim, "naim_name"); }
    int namesInFile() const { return fileValue(QStringLiteral("select count(*) from naim")).toInt(); }
};

TEST_F(NamesWindowTest, LaidOutWithItsColumnsNavigatorAndMenu)
{
    TF_naim& F = *naim;
    EXPECT_EQ(F.windowTitle(), QStringLiteral("Справочник наименований"));
    EXPECT_EQ(F.CBnaim->text(), QStringLiteral("-----------------Выберите изделие----------------"));
    EXPECT_EQ(F.CBtype->text(), QStringLiteral("------Выберите группу инструмента-----"));
    EXPECT_EQ(F.SpeedButton1->toolTip(), QStringLiteral("Обновить"));
    EXPECT_EQ(F.BtnSelect->text(), QStringLiteral("В&ыбрать"));
    EXPECT_TRUE(F.BtnSelect->isDefault());
    EXPECT_TRUE(F.BtnSelect->isHidden());

    const struct {
        int position;
        const char* field;
        const char* title;
        bool hidden;
    } columns[] = {
        {0, "naim_kod", "naim_kod", true},
        {1, "naim_name", "Название наименования", false},
        {2, "type_name", "Название типа", false},
        {3, "type_kod", "type_kod", false},
    };
    for (const auto& c : columns) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(F.DBGrid1->gridColumn(c.position).fieldName, QString::fromUtf8(c.field));
        EXPECT_EQ(F.DBGrid1->gridModel()->headerData(c.position, Qt::Horizontal).toString(), QString::fromUtf8(c.title));
        EXPECT_EQ(F.DBGrid1->isColumnHidden(c.position), c.hidden);
    }

    // Ten hints in the standard order, and no insert button.
    const QStringList hints = ui::DBNavigator::standardHints();
    ASSERT_EQ(hints.size(), 10);
    for (int b = 0; b < ui::DBNavigator::ButtonCount; ++b)
        EXPECT_EQ(F.DBNavigator1->button(ui::DBNavigator::Button(b))->toolTip(), hints[b]);
    EXPECT_EQ(hints[7], QStringLiteral("принять изменения "));
    EXPECT_TRUE(F.DBNavigator1->button(ui::DBNavigator::Insert)->isHidden());
    EXPECT_FALSE(F.DBNavigator1->button(ui::DBNavigator::Delete)->isHidden());

    QStringList menu;
    for (QAction* top : F.menuBar()->actions()) {
        menu << top->text();
        for (QAction* a : top->menu()->actions())
            menu << QStringLiteral("  ") + a->text();
    }
    EXPECT_EQ(menu, (QStringList{QStringLiteral("Файл"), QStringLiteral("  Закрыть"), QStringLiteral("Сортировка"),
                                 QStringLiteral("  по наименованию"), QStringLiteral("  по типу")}));
}

TEST_F(NamesWindowTest, OpeningListsEveryNameInOrderWithTheFirstCurrent)
{
    open();
    ASSERT_TRUE(naim->isVisible());
    EXPECT_TRUE(naim->DBGrid1->isVisible());
    EXPECT_FALSE(naim->isPicker());
    EXPECT_EQ(names(), kByName);
    EXPECT_EQ(dm->Qnaim.currentRow(), 0);
    EXPECT_EQ(naim->DBGrid1->currentIndex().row(), 0);
    EXPECT_EQ(naim->LastNaimKod, 2);   // "Фреза торцевая" stands last
    EXPECT_EQ(naim->CBnaim->items(), kByName);
    EXPECT_EQ(naim->CBtype->items(), (QStringList{QStringLiteral("Метчики"), QStringLiteral("Свёрла"), QStringLiteral("Фрезы")}));
    // The group box's walk leaves the groups table on its last row.
    EXPECT_EQ(dm->TType.currentRow(), dm->TType.recordCount() - 1);
    // The group names come from the lookup.
    EXPECT_EQ(column(dm->Qnaim, "type_name"),
              (QStringList{QStringLiteral("Метчики"), QStringLiteral("Свёрла"), QStringLiteral("Свёрла"), QStringLiteral("Фрезы")}));

    // The activation that follows the showing is the same one: nothing runs twice.
    dm->Qnaim.last();
    (void)QTest::qWaitForWindowActive(naim.get());   // offscreen may not activate; the check below holds either way
    QCoreApplication::processEvents();
    EXPECT_EQ(dm->Qnaim.currentRow(), 3);
}

TEST_F(NamesWindowTest, FiltersNarrowTheListAndTheNextActivationBringsItBack)
{
    open();
    // A pick of a group shows that group's names, the last of them current.
    naim->CBtype->setCurrentIndex(naim->CBtype->findText(QStringLiteral("Свёрла")));
    emit naim->CBtype->activated(naim->CBtype->currentIndex());
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Сверло 5"), QStringLiteral("Сверло 8")}));
    EXPECT_EQ(dm->Qnaim.currentRow(), 1);
    EXPECT_EQ(naim->LastNaimKod, 1);

    // Back in the window: the whole list again, but the name box lists only the group's names.
    naim->FormActivate();
    EXPECT_EQ(names(), kByName);
    EXPECT_EQ(dm->Qnaim.currentRow(), 0);
    EXPECT_EQ(naim->CBnaim->items(), (QStringList{QStringLiteral("Сверло 5"), QStringLiteral("Сверло 8")}));

    // A pick of a name shows exactly that name.
    naim->CBnaim->setCurrentIndex(naim->CBnaim->findText(QStringLiteral("Сверло 8")));
    emit naim->CBnaim->activated(naim->CBnaim->currentIndex());
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Сверло 8")}));
    EXPECT_EQ(naim->LastNaimKod, 1);
}

TEST_F(NamesWindowTest, TypingFiltersByEachKeystroke)
{
    open();
    naim->FormActivate();
    QLineEdit* line = naim->CBnaim->lineEdit();
    line->clear();
    // Letters that begin a name complete to it: its rows show.
    type(line, QStringLiteral("Ф"));
    EXPECT_EQ(naim->CBnaim->text(), QStringLiteral("Фреза торцевая"));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Фреза торцевая")}));

    // Letters that begin no name filter by the letters alone: the list empties.
    line->clear();
    type(line, QStringLiteral("Щю"));
    EXPECT_EQ(naim->CBnaim->text(), QStringLiteral("Щю"));
    EXPECT_TRUE(names().isEmpty());
    EXPECT_EQ(naim->LastNaimKod, 0);

    // An apostrophe is a letter like the others, not a broken statement.
    line->clear();
    type(line, QStringLiteral("O'"));
    EXPECT_TRUE(dm->Qnaim.isOpen());
    EXPECT_TRUE(names().isEmpty());
}

TEST_F(NamesWindowTest, KeyPressPositionsByTheTextBeforeTheKey)
{
    open();
    naim->CBnaim->setText(QStringLiteral("Сверло"));
    naim->CBnaimKeyPress();
    EXPECT_EQ(dm->Qnaim.asText(QStringLiteral("naim_name")), QStringLiteral("Сверло 5"));
    // No name begins so: the row stays.
    naim->CBnaim->setText(QStringLiteral("Я"));
    naim->CBnaimKeyPress();
    EXPECT_EQ(dm->Qnaim.asText(QStringLiteral("naim_name")), QStringLiteral("Сверло 5"));
}

TEST_F(NamesWindowTest, SortsAndRefreshLeaveTheLastRowCurrent)
{
    open();
    const struct {
        const char* what;
        void (TF_naim::*handler)();
        QStringList order;
        qint32 last;
    } cases[] = {
        {"by type", &TF_naim::N5Click, {}, 3},
        {"by name", &TF_naim::N4Click, kByName, 2},
        {"refresh", &TF_naim::SpeedButton1Click, kByName, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        naim->CBtype->setText(QStringLiteral("Фрезы"));
        naim->CBtypeChange();
        (naim.get()->*c.handler)();
        if (!c.order.isEmpty()) {
            EXPECT_EQ(names(), c.order);
        }
        EXPECT_EQ(dm->Qnaim.recordCount(), 4);
        EXPECT_EQ(dm->Qnaim.currentRow(), 3);
        EXPECT_EQ(naim->LastNaimKod, c.last);
        // The boxes keep what they show.
        EXPECT_EQ(naim->CBtype->text(), QStringLiteral("Фрезы"));
    }
    naim->N5Click();
    EXPECT_EQ(column(dm->Qnaim, "type_kod"), (QStringList{"1", "1", "2", "3"}));
}

TEST_F(NamesWindowTest, DownOnTheLastNameAddsAnEmptyNameOfGroupOne)
{
    open();
    ui::DBGrid* grid = naim->DBGrid1;
    // On any other row, Down only moves.
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(dm->Qnaim.currentRow(), 1);
    EXPECT_EQ(namesInFile(), 4);

    dm->Qnaim.last();
    QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_EQ(namesInFile(), 5);
    const qint32 added = fileValue(QStringLiteral("select max(naim_kod) from naim")).toInt();
    EXPECT_EQ(added, 5);
    EXPECT_EQ(fileValue(QStringLiteral("select type_kod from naim where naim_kod=5")), QStringLiteral("1"));
    EXPECT_EQ(fileValue(QStringLiteral("select coalesce(naim_name, '<null>') from naim where naim_kod=5")),
              QStringLiteral("<null>"));
    EXPECT_EQ(naim->LastNaimKod, added);
    // The cursor stands on the new record, at the end of the list.
    EXPECT_EQ(dm->Qnaim.asInt(QStringLiteral("naim_kod")), added);
    EXPECT_EQ(dm->Qnaim.currentRow(), 4);
    EXPECT_EQ(grid->currentIndex().row(), 4);
    EXPECT_EQ(dm->Qnaim.state(), data::Dataset::State::Browse);

    // A filter that shows nothing: Down adds no record.
    naim->CBnaim->setText(QStringLiteral("нет такого"));
    naim->CBnaimChange();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(namesInFile(), 5);
}

TEST_F(NamesWindowTest, ANameTypedIntoTheNewRecordIsCommittedWithEnter)
{
    open();
    ui::DBGrid* grid = naim->DBGrid1;
    dm->Qnaim.last();
    QTest::keyClick(grid, Qt::Key_Down);
    const qint32 added = naim->LastNaimKod;
    grid->setCurrentIndex(grid->gridModel()->index(dm->Qnaim.currentRow(), 1));

    // Enter opens the cell's editor; the name typed there is committed by the next Enter.
    QTest::keyClick(grid, Qt::Key_Return);
    QWidget* editor = grid->indexWidget(grid->currentIndex());
    ASSERT_NE(editor, nullptr);
    type(editor, QStringLiteral("Развёртка 10"));
    QTest::keyClick(editor, Qt::Key_Return);

    QTRY_COMPARE(fileValue(QStringLiteral("select naim_name from naim where naim_kod=%1").arg(added)),
                 QStringLiteral("Развёртка 10"));
    EXPECT_EQ(dm->Qnaim.state(), data::Dataset::State::Browse);
    EXPECT_EQ(dm->Qnaim.asInt(QStringLiteral("naim_kod")), added);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Метчик М6"), QStringLiteral("Развёртка 10"), QStringLiteral("Сверло 5"),
                                    QStringLiteral("Сверло 8"), QStringLiteral("Фреза торцевая")}));
}

TEST_F(NamesWindowTest, EnterCommitsNothingNewOnARowAndAddsARecordToAnEmptyList)
{
    open();
    dm->Qnaim.moveTo(2);
    naim->DBGrid1KeyDown(Qt::Key_Return);
    EXPECT_EQ(namesInFile(), 4);
    EXPECT_EQ(dm->Qnaim.currentRow(), 2);

    naim->CBnaim->setText(QStringLiteral("нет такого"));
    naim->CBnaimChange();
    naim->DBGrid1KeyDown(Qt::Key_Return);
    EXPECT_EQ(namesInFile(), 5);
}

TEST_F(NamesWindowTest, DeletingLeavesTheLastRowCurrentAndRemembered)
{
    open();
    dm->Qnaim.moveTo(1);
    boxes.script.expect(ui::ScriptedDialogs::Kind::Confirm, QStringLiteral("ok"));
    naim->DBNavigator1->click(ui::DBNavigator::Delete);
    EXPECT_EQ(boxes.script.texts(), QStringList{QStringLiteral("Delete record?")});
    EXPECT_EQ(fileValue(QStringLiteral("select count(*) from naim where naim_name='Сверло 5'")), QStringLiteral("0"));
    EXPECT_EQ(dm->Qnaim.currentRow(), 2);
    EXPECT_EQ(naim->LastNaimKod, 2);

    // The last name deleted too: then the last is "Сверло 8", and Down on it extends the list.
    boxes.script.expect(ui::ScriptedDialogs::Kind::Confirm, QStringLiteral("ok"));
    naim->DBNavigator1->click(ui::DBNavigator::Delete);
    EXPECT_EQ(naim->LastNaimKod, 1);
    QTest::keyClick(naim->DBGrid1, Qt::Key_Down);
    EXPECT_EQ(namesInFile(), 3);
    EXPECT_EQ(naim->LastNaimKod, 5);
}

TEST_F(NamesWindowTest, CloseCommandAndEscCloseTheWindow)
{
    open();
    naim->N2->trigger();
    EXPECT_FALSE(naim->isVisible());
    open();
    QTest::keyClick(naim->DBGrid1, Qt::Key_Escape);
    EXPECT_FALSE(naim->isVisible());
}

} // namespace
