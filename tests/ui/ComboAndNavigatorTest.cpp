// The completing drop-down box and the record navigator.

#include "TempDir.h"
#include "data/U_dm.h"
#include "ui/CompletingComboBox.h"
#include "ui/DBNavigator.h"
#include "ui/ScriptedDialogs.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

void typeText(QWidget* w, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

TEST(CompletingComboBox, CompletesToTheFirstItemInListOrder)
{
    ui::CompletingComboBox box;
    box.setSorted(true);
    box.setItems({QStringLiteral("Фреза"), QStringLiteral("Сверло 5"), QStringLiteral("Сверло 3"),
                  QStringLiteral("Сверло 3")});
    EXPECT_EQ(box.items(), (QStringList{QStringLiteral("Сверло 3"), QStringLiteral("Сверло 3"),
                                         QStringLiteral("Сверло 5"), QStringLiteral("Фреза")}));
    QSignalSpy changed(&box, &ui::CompletingComboBox::userChanged);
    box.show();
    box.lineEdit()->setFocus();
    typeText(box.lineEdit(), QStringLiteral("св"));
    EXPECT_EQ(box.text(), QStringLiteral("Сверло 3"));
    EXPECT_EQ(box.lineEdit()->selectedText(), QStringLiteral("ерло 3"));
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.last().at(0).toString(), QStringLiteral("Сверло 3"));

    // A text that begins no item stays as typed, and the handler still runs.
    box.lineEdit()->selectAll();
    typeText(box.lineEdit(), QStringLiteral("Ключ"));
    EXPECT_EQ(box.text(), QStringLiteral("Ключ"));
    EXPECT_EQ(changed.last().at(0).toString(), QStringLiteral("Ключ"));
}

TEST(CompletingComboBox, BackspaceDoesNotCompleteAgain)
{
    ui::CompletingComboBox box;
    box.setItems({QStringLiteral("Сверло")});
    box.show();
    box.lineEdit()->setFocus();
    typeText(box.lineEdit(), QStringLiteral("С"));
    EXPECT_EQ(box.text(), QStringLiteral("Сверло"));
    QTest::keyClick(box.lineEdit(), Qt::Key_Backspace);   // removes the completed part
    EXPECT_EQ(box.text(), QStringLiteral("С"));
}

TEST(CompletingComboBox, TextFromCodeRaisesNothingAndSurvivesARefill)
{
    ui::CompletingComboBox box;
    QSignalSpy changed(&box, &ui::CompletingComboBox::userChanged);
    box.setText(QStringLiteral("--Выберите--"));
    box.setItems({QStringLiteral("а"), QStringLiteral("б")});
    EXPECT_EQ(box.text(), QStringLiteral("--Выберите--"));
    EXPECT_EQ(changed.count(), 0);
}

TEST(DBNavigator, ButtonsDriveTheDatasetAndDeleteAsksFirst)
{
    WorkDir work(3);
    TDM1 dm;
    ui::DBNavigator nav;
    nav.setDataSource(&dm.DS1);
    ui::ScriptedDialogsGuard boxes;
    EXPECT_EQ(nav.button(ui::DBNavigator::Post)->toolTip(), QStringLiteral("принять изменения "));
    EXPECT_EQ(nav.button(ui::DBNavigator::Refresh)->toolTip(), QStringLiteral("откатить"));

    nav.click(ui::DBNavigator::Last);
    EXPECT_EQ(dm.Quchot.currentRow(), 2);
    nav.click(ui::DBNavigator::Prior);
    EXPECT_EQ(dm.Quchot.currentRow(), 1);
    EXPECT_FALSE(nav.button(ui::DBNavigator::Post)->isEnabled());
    nav.click(ui::DBNavigator::Edit);
    EXPECT_TRUE(nav.button(ui::DBNavigator::Post)->isEnabled());
    dm.Quchot.setInt(QStringLiteral("март"), 12);
    nav.click(ui::DBNavigator::Post);
    EXPECT_EQ(work.scalar(QStringLiteral("select март from uchot where uchot_ind=2")), QStringLiteral("12"));

    boxes.script.expect(ui::ScriptedDialogs::Kind::Confirm, QStringLiteral("ok"));
    nav.click(ui::DBNavigator::Delete);
    EXPECT_EQ(work.scalar(QStringLiteral("select count(*) from uchot")), QStringLiteral("2"));

    nav.setButtonVisible(ui::DBNavigator::Insert, false);
    EXPECT_TRUE(nav.button(ui::DBNavigator::Insert)->isHidden());
}

} // namespace
