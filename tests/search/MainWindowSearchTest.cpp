// The main window's search button: the search dialog opens modally over the register, and the
// register shows what it found when the main window is active again.

#include "SearchFixture.h"

#include "search/KeyFilterEdit.h"
#include "search/RadioGroup.h"
#include "ui/CompletingComboBox.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

using MainWindowSearchTest = SearchTest;

TEST_F(MainWindowSearchTest, SearchButtonOpensTheDialogModallyAndTheGridShowsWhatItFound)
{
    ASSERT_TRUE(gl->SpeedButton2->isEnabled());
    bool shownModal = false;
    QTimer::singleShot(0, poisk.get(), [&] {
        shownModal = poisk->isVisible() && poisk->isModal();
        poisk->RB2->setChecked(true);
        poisk->RG1->setItemIndex(TF_poisk::ToolName);
        poisk->Edit1->clear();
        type(poisk->Edit1, QStringLiteral("ФРЕЗА"));
        QTest::mouseClick(poisk->BitBtn1, Qt::LeftButton);
        poisk->close();   // in case the search did not close it
    });
    QTest::mouseClick(gl->SpeedButton2, Qt::LeftButton);

    EXPECT_TRUE(shownModal);
    EXPECT_FALSE(poisk->isVisible());
    backToMainWindow();
    EXPECT_EQ(shownRows(), QList<int>{2});
    EXPECT_EQ(dm->Quchot.currentRow(), 0);
    EXPECT_EQ(gl->LastUchotN, 2);
    EXPECT_EQ(gl->CBnaim->items(), QStringList{QStringLiteral("Фреза торцевая")});
}

TEST_F(MainWindowSearchTest, RangeSearchThroughTheSearchDialogNarrowsTheRegister)
{
    bool rangeOpened = false;
    QTimer::singleShot(0, poisk.get(), [&] {
        poisk->RG1->setItemIndex(TF_poisk::Price);
        QTimer::singleShot(0, rpoisk.get(), [&] {
            rangeOpened = rpoisk->isVisible();
            type(rpoisk->Edit1, QStringLiteral("400"));
            type(rpoisk->Edit2, QStringLiteral("2000"));
            QTest::mouseClick(rpoisk->BitBtn1, Qt::LeftButton);
            rpoisk->close();
        });
        QTest::mouseClick(poisk->RadioButton1, Qt::LeftButton, {}, QPoint(5, 5));
        poisk->close();
    });
    QTest::mouseClick(gl->SpeedButton2, Qt::LeftButton);

    EXPECT_TRUE(rangeOpened);
    EXPECT_FALSE(rpoisk->isVisible());
    EXPECT_FALSE(poisk->isVisible());
    backToMainWindow();
    EXPECT_EQ(shownRows(), (QList<int>{2, 5}));
    EXPECT_EQ(gl->LastUchotN, 5);
}

} // namespace
