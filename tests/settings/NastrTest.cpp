// The column hiding dialog on the offscreen platform: its controls, its three buttons, its
// ticks in the settings file, and the save at the main window's close.

#include "Fixtures.h"
#include "TempDir.h"
#include "settings/GridSettings.h"
#include "settings/SaveOnClose.h"
#include "settings/U_nastr.h"
#include "ui/ScriptedDialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kChecks = QStringLiteral("Options NCheckBox");

QCheckBox* box(TF_nastr& dlg, int n)
{
    auto* b = dlg.findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(n));
    EXPECT_NE(b, nullptr) << n;
    return b;
}

// The ticks of boxes 1 to 19 as '1' and '0'.
QString ticks(TF_nastr& dlg)
{
    QString s;
    for (int n = 1; n <= 19; ++n)
        s += box(dlg, n)->isChecked() ? u'1' : u'0';
    return s;
}

void click(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

// On its mark: a box is wider than its caption, and only the mark and the caption take a click.
void click(QCheckBox* b)
{
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(6, b->height() / 2));
}

} // namespace

TEST(Nastr, ControlsAsTheUserSeesThem)
{
    WorkDir dir(-1);
    auto grid = makeRegisterGrid();
    TF_nastr dlg(*grid, dir.file("uchet.INI"));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));

    EXPECT_EQ(dlg.windowTitle(), "Настройка");
    EXPECT_EQ(dlg.GroupBox1->title(), "Отметьте поля для скрытия");
    EXPECT_TRUE(dlg.GroupBox1->font().bold());
    EXPECT_EQ(dlg.Image1->geometry(), dlg.rect());
    EXPECT_FALSE(dlg.Image1->pixmap().isNull());

    const QStringList captions = {"№", "Поставщик", "Год", "Наименование", "Группа инструментов",
                                  "Учётная цена", "Средний расход в месяц", "Январь", "февраль",
                                  "март", "апрель", "май", "июнь", "июль", "август", "сентябрь",
                                  "октябрь", "ноябрь", "декабрь"};
    for (int n = 1; n <= 19; ++n) {
        QCheckBox* b = box(dlg, n);
        EXPECT_EQ(b->text(), captions[n - 1]);
        EXPECT_EQ(b->parentWidget(), dlg.GroupBox1);
        EXPECT_TRUE(b->font().bold());
        EXPECT_EQ(b->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        EXPECT_FALSE(b->isChecked());
    }
    // Two columns: 1 to 7 down the left, 8 to 19 down the right.
    for (int n = 2; n <= 19; ++n) {
        if (n == 8)
            continue;
        EXPECT_EQ(box(dlg, n)->x(), box(dlg, n - 1)->x()) << n;
        EXPECT_GT(box(dlg, n)->y(), box(dlg, n - 1)->y()) << n;
    }
    EXPECT_GT(box(dlg, 8)->x(), box(dlg, 7)->x());
    EXPECT_EQ(box(dlg, 8)->y(), box(dlg, 1)->y());

    // The buttons, top to bottom, under the left column.
    const QList<QPushButton*> buttons = {dlg.BitBtn3, dlg.BitBtn2, dlg.BitBtn1};
    EXPECT_EQ(dlg.BitBtn3->text(), "Отметить все ");
    EXPECT_EQ(dlg.BitBtn2->text(), "Пропустить все");
    EXPECT_EQ(dlg.BitBtn1->text(), "Принять изменения");
    const auto mapped = [&](QWidget* w) { return w->mapTo(&dlg, QPoint(0, 0)); };
    EXPECT_GT(mapped(dlg.BitBtn3).y(), mapped(box(dlg, 7)).y() + box(dlg, 7)->height() - 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(buttons[i]->font().bold());
        EXPECT_EQ(buttons[i]->palette().color(QPalette::ButtonText), QColor(0, 0, 255));
        EXPECT_LT(mapped(buttons[i]).x(), mapped(box(dlg, 8)).x());
        if (i > 0) {
            EXPECT_GT(mapped(buttons[i]).y(), mapped(buttons[i - 1]).y());
        }
    }
    dlg.close();
}

TEST(Nastr, TabRunsDownTheLeftColumnThenTheMonthsWithJanuaryLast)
{
    WorkDir dir(-1);
    auto grid = makeRegisterGrid();
    TF_nastr dlg(*grid, dir.file("uchet.INI"));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    box(dlg, 1)->setFocus();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 21; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order, QStringList({"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5",
                                  "CheckBox6", "CheckBox7", "CheckBox9", "CheckBox10", "CheckBox11",
                                  "CheckBox12", "CheckBox13", "CheckBox14", "CheckBox15",
                                  "CheckBox16", "CheckBox17", "CheckBox18", "CheckBox19",
                                  "CheckBox8", "BitBtn3", "BitBtn2", "BitBtn1"}));
    dlg.close();
}

TEST(Nastr, TicksComeFromTheFileAtCreation)
{
    WorkDir dir(-1);
    const QString path = dir.file("uchet.INI");
    writeFileBytes(path, "[options ncheckbox]\r\n"
                         "CheckBox2 checked=1\r\n"
                         "checkbox8 CHECKED=5\r\n"
                         "CheckBox19 checked=0x1\r\n"
                         "CheckBox3 checked=0\r\n"
                         "CheckBox4 checked=yes\r\n");
    auto grid = makeRegisterGrid();
    TF_nastr dlg(*grid, path);
    EXPECT_EQ(ticks(dlg), "0100000100000000001");
    EXPECT_EQ(visibility(*grid), QString(19, u'1'));   // the grid is not touched
}

TEST(Nastr, ButtonsTickClearAndApply)
{
    WorkDir dir(-1);
    auto grid = makeRegisterGrid();
    TF_nastr dlg(*grid, dir.file("uchet.INI"));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));

    // Tick all: boxes only; the grid waits for Apply.
    click(dlg.BitBtn3);
    EXPECT_EQ(ticks(dlg), QString(19, u'1'));
    EXPECT_EQ(visibility(*grid), QString(19, u'1'));
    EXPECT_TRUE(dlg.isVisible());

    click(dlg.BitBtn1);
    EXPECT_EQ(visibility(*grid), QString(19, u'0'));
    EXPECT_FALSE(grid->isColumnVisible(0));
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);

    dlg.show();
    EXPECT_EQ(ticks(dlg), QString(19, u'1'));   // as they were left
    click(dlg.BitBtn2);
    EXPECT_EQ(ticks(dlg), QString(19, u'0'));
    EXPECT_EQ(visibility(*grid), QString(19, u'0'));
    click(dlg.BitBtn1);
    EXPECT_EQ(visibility(*grid), QString(19, u'1'));
    EXPECT_FALSE(grid->isColumnVisible(0));

    // One box: the supplier column alone goes; unticking brings it back.
    dlg.show();
    click(box(dlg, 2));
    click(dlg.BitBtn1);
    EXPECT_EQ(visibility(*grid), "1011111111111111111");
    dlg.show();
    click(box(dlg, 2));
    click(box(dlg, 19));
    click(dlg.BitBtn1);
    EXPECT_EQ(visibility(*grid), "1111111111111111110");
}

TEST(Nastr, ModalRunEndsWithApplyOrTheCloseButton)
{
    WorkDir dir(-1);
    auto grid = makeRegisterGrid();
    TF_nastr dlg(*grid, dir.file("uchet.INI"));

    QTimer::singleShot(0, &dlg, [&] {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        click(box(dlg, 3));
        click(dlg.BitBtn1);
    });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(visibility(*grid), "1101111111111111111");

    QTimer::singleShot(0, &dlg, [&] {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        click(box(dlg, 3));
        click(box(dlg, 4));
        dlg.close();   // the window's close button
    });
    dlg.exec();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(visibility(*grid), "1101111111111111111");
    EXPECT_EQ(ticks(dlg), "0001000000000000000");
}

TEST(Nastr, ClosingWithoutApplyKeepsTheGridAndTheTicks)
{
    WorkDir dir(-1);
    const QString path = dir.file("uchet.INI");
    auto grid = makeRegisterGrid();
    {
        TF_nastr dlg(*grid, path);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        click(box(dlg, 5));
        click(box(dlg, 12));
        dlg.close();
        EXPECT_EQ(visibility(*grid), QString(19, u'1'));
        dlg.show();
        EXPECT_EQ(ticks(dlg), "0000100000010000000");
        dlg.close();
        dlg.SaveCheckStates();
    }
    TF_nastr next(*grid, path);
    EXPECT_EQ(ticks(next), "0000100000010000000");
    QStringList keys;
    for (int n = 1; n <= 19; ++n)
        keys << QStringLiteral("CheckBox%1 checked=%2").arg(n).arg(n == 5 || n == 12 ? 1 : 0);
    EXPECT_EQ(sectionLines(path, kChecks), keys);
}

TEST(Nastr, HiddenColumnAndTickSurviveARestart)
{
    WorkDir dir(-1);
    const QString path = dir.file("uchet.INI");
    {
        auto grid = makeRegisterGrid();
        settings::LoadGridSettings(*grid, path);
        TF_nastr dlg(*grid, path);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        click(box(dlg, 2));
        click(dlg.BitBtn1);
        click(box(dlg, 9));   // ticked, never applied
        ui::ScriptedDialogsGuard boxes;
        settings::saveOnClose(dlg, *grid, path);
        EXPECT_TRUE(boxes.script.shown().empty());
    }
    EXPECT_EQ(sectionLines(path, kChecks).size(), 19);
    EXPECT_EQ(sectionLines(path, "Options GlGrid").size(), 21);

    auto grid = makeRegisterGrid();
    settings::LoadGridSettings(*grid, path);
    TF_nastr dlg(*grid, path);
    EXPECT_EQ(visibility(*grid), "1011111111111111111");
    EXPECT_EQ(ticks(dlg), "0100000010000000000");
}

TEST(Nastr, UnwritableFileAtCloseShowsTheErrorAndWritesNothing)
{
    WorkDir dir(-1);
    writeFileBytes(dir.file("plain"), "a file, not a folder");
    const QString path = dir.file("plain/uchet.INI");
    auto grid = makeRegisterGrid();
    TF_nastr dlg(*grid, path);
    click(dlg.BitBtn3);

    ui::ScriptedDialogsGuard boxes;
    boxes.script.expect(ui::ScriptedDialogs::Kind::ApplicationError);
    settings::saveOnClose(dlg, *grid, path);

    ASSERT_EQ(boxes.script.shown().size(), 1u);
    EXPECT_EQ(boxes.script.shown()[0].text, "Unable to write to " + QDir::toNativeSeparators(path));
    EXPECT_EQ(readFileBytes(dir.file("plain")), "a file, not a folder");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList{"plain"});
}
