// The main window on real database files: start-up, activation, the filter bar, the sorts and
// the Enter and Down keys of the register grid.

#include "TempDir.h"
#include "app/DatedCopy.h"
#include "app/U_gl.h"
#include "data/DbError.h"
#include "data/U_dm.h"
#include "ui/CompletingComboBox.h"
#include "ui/DBGrid.h"
#include "ui/DBGridModel.h"
#include "ui/ScriptedDialogs.h"
#include "ui/ShortDateFormat.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using data::Dataset;

// A register of rows given as (name, year, price, group, supplier, uchot_ind).
struct Row {
    const char* name;
    const char* year;
    int price;
    int type;
    int post;
    int ind;
};

class MainWindowTest : public ::testing::Test {
protected:
    explicit MainWindowTest(int rows = 0) : work(rows) {}

    void fill(const std::vector<Row>& rows)
    {
        for (const Row& r : rows)
            work.exec(QStringLiteral("insert into uchot (naim_name, uchot_god, uchot_cena, type_kod, post_kod, uchot_ind) "
                                     "values ('%1', '%2', %3, %4, %5, %6)")
                          .arg(QString::fromUtf8(r.name).replace(QLatin1Char('\''), QLatin1String("''")),
                               QString::fromUtf8(r.year))
                          .arg(r.price)
                          .arg(r.type)
                          .arg(r.post)
                          .arg(r.ind));
    }

    void start()
    {
        gl = std::make_unique<TF_gl>(work.file(QStringLiteral("uchet.INI")));
        dm = std::make_unique<TDM1>();
        gl->attachData(*dm);
        F_gl = gl.get();
        DM1 = dm.get();
        gl->FormActivate();
    }

    void TearDown() override
    {
        if (gl)
            gl->close();
        F_gl = nullptr;
        DM1 = nullptr;
        gl.reset();
        dm.reset();
        ui::setShortDateFormat(QLocale::system().dateFormat(QLocale::ShortFormat));
    }

    // The register's names in the grid's order.
    QStringList names()
    {
        QStringList out;
        const int f = dm->Quchot.fieldIndex(QStringLiteral("naim_name"));
        for (int r = 0; r < dm->Quchot.recordCount(); ++r)
            out << dm->Quchot.text(r, f);
        return out;
    }
    QString current(const char* field) { return dm->Quchot.asText(QString::fromUtf8(field)); }
    int lastRowN()
    {
        const int f = dm->Quchot.fieldIndex(QStringLiteral("uchot_N"));
        return dm->Quchot.recordCount() ? int(dm->Quchot.intValue(dm->Quchot.recordCount() - 1, f)) : 0;
    }

    WorkDir work;
    std::unique_ptr<TF_gl> gl;
    std::unique_ptr<TDM1> dm;
    ui::ScriptedDialogsGuard boxes;
};

const std::vector<Row> kRows = {
    {"Сверло 5'", "2005", 300, 2, 3, 1},   // a name with an apostrophe
    {"Фреза", "2007", 100, 1, 2, 2},
    {"Сверло 5'", "2007", 200, 2, 1, 3},
    {"Метчик", "2005", 400, 3, 2, 4},
};

int countIn(const QString& file, const char* table)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    int n = -1;
    if (sqlite3_prepare_v2(db, (std::string("select count(*) from ") + table).c_str(), -1, &st, nullptr) == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW)
        n = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    sqlite3_close_v2(db);
    return n;
}

void addReferenceBooks(WorkDir& w)
{
    w.exec(QStringLiteral("insert into type (type_kod, type_name) values (1, 'Фрезы большие'), (2, 'Фрезы'), (3, 'Метчики');"
                          "insert into postman (post_kod, post_name) values (1, 'Вектор'), (2, 'Альфа'), (3, 'Бета');"));
}

TEST_F(MainWindowTest, StartsOnTheLastRowWithPromptsAndTheDatedCopy)
{
    addReferenceBooks(work);
    fill(kRows);
    start();
    EXPECT_EQ(gl->windowTitle(), QStringLiteral("Программа учёта инструмента для ТОРН"));
    EXPECT_EQ(dm->Quchot.currentRow(), 3);
    EXPECT_EQ(gl->DBGrid1->currentIndex().row(), 3);
    EXPECT_EQ(gl->LastUchotN, 4);
    EXPECT_EQ(gl->ComboPrompts[0], QStringLiteral("-------------Выберите изделие------------"));
    EXPECT_EQ(gl->ComboPrompts[4], QStringLiteral("--------Выберите Поставщика-------"));
    EXPECT_FALSE(gl->CBcena->isVisibleTo(gl.get()));
    EXPECT_TRUE(QFile::exists(datedCopyName(QDate::currentDate())));
    // The name box lists the register's names, one per row; the supplier box the suppliers.
    EXPECT_EQ(gl->CBnaim->items().size(), 4);
    EXPECT_EQ(gl->CBpost->items(), (QStringList{QStringLiteral("Альфа"), QStringLiteral("Бета"), QStringLiteral("Вектор")}));
    EXPECT_TRUE(gl->DBGrid1->isColumnHidden(0));
    EXPECT_EQ(gl->DBGrid1->gridModel()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Поставщик"));
}

TEST_F(MainWindowTest, DatedCopyIsMadeOncePerDayAndNeverOverwritten)
{
    const QString name = datedCopyName(QDate(2007, 12, 31));
    EXPECT_TRUE(name.startsWith(QStringLiteral("rest")));
    EXPECT_TRUE(name.endsWith(QStringLiteral(".mdb")));
    EXPECT_FALSE(name.contains(QLatin1Char('/')));
    makeDatedCopy(work.dbPath(), QDate(2007, 12, 31));
    ASSERT_TRUE(QFile::exists(name));
    // A second start the same day leaves the first copy as it was.
    work.exec(QStringLiteral("insert into type (type_name) values ('после копии')"));
    makeDatedCopy(work.dbPath(), QDate(2007, 12, 31));
    EXPECT_EQ(countIn(name, "type"), 0);
    EXPECT_EQ(countIn(work.dbPath(), "type"), 1);
    makeDatedCopy(work.dbPath(), QDate(2008, 1, 1));
    EXPECT_TRUE(QFile::exists(datedCopyName(QDate(2008, 1, 1))));
}

TEST(MainWindowStart, WithoutADatabaseNoCopyAndTheDataModuleFails)
{
    WorkDir work(-1);
    TF_gl gl(work.file(QStringLiteral("uchet.INI")));
    EXPECT_EQ(QDir(work.path()).entryList(QDir::Files).size(), 0);
    try {
        TDM1 dm;
        FAIL() << "the data module opened without a file";
    } catch (const data::DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("db_Tavrel.mdb")));
    }
    EXPECT_FALSE(QFile::exists(work.dbPath()));
}

TEST_F(MainWindowTest, FiltersNarrowTheRegisterAndRefreshBringsItBack)
{
    addReferenceBooks(work);
    fill(kRows);
    start();

    gl->CBnaim->setText(QStringLiteral("Сверло 5'"));
    gl->CBnaimChange();
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Сверло 5'"), QStringLiteral("Сверло 5'")}));
    EXPECT_EQ(gl->LastUchotN, 3);
    EXPECT_EQ(dm->Quchot.currentRow(), 1);

    gl->CByear->setText(QStringLiteral("2005"));
    gl->CByearChange();
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Сверло 5'"), QStringLiteral("Метчик")}));

    gl->CByear->setText(QStringLiteral("1999"));
    gl->CByearChange();
    EXPECT_TRUE(names().isEmpty());
    EXPECT_EQ(gl->LastUchotN, 0);

    // "Фрезы" begins "Фрезы большие", whose code is lower: the first match in code order wins.
    gl->CBtype->setText(QStringLiteral("Фрезы"));
    gl->CBtypeChange();
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Фреза")}));

    gl->CBpost->setText(QStringLiteral("Альфа"));
    gl->CBpostChange();
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Фреза"), QStringLiteral("Метчик")}));
    EXPECT_EQ(gl->CBtype->text(), QStringLiteral("Фрезы"));   // the other boxes keep their texts

    gl->SpeedButton1Click();
    EXPECT_EQ(names().size(), 4);
    EXPECT_EQ(dm->Quchot.currentRow(), 3);
    EXPECT_EQ(gl->LastUchotN, 4);
    EXPECT_EQ(gl->CBpost->text(), gl->ComboPrompts[4]);
    EXPECT_EQ(gl->CBtype->text(), gl->ComboPrompts[3]);
    EXPECT_EQ(gl->CBnaim->text(), gl->ComboPrompts[0]);
}

TEST_F(MainWindowTest, TypingInAFilterBoxRunsTheFilterOnlyForTheUsersChanges)
{
    addReferenceBooks(work);
    fill(kRows);
    start();
    gl->show();
    gl->CBnaim->lineEdit()->setFocus();
    gl->CBnaim->lineEdit()->selectAll();
    QTest::sendKeyEvent(QTest::Click, gl->CBnaim->lineEdit(), Qt::Key_unknown, QStringLiteral("м"), Qt::NoModifier);
    EXPECT_EQ(gl->CBnaim->text(), QStringLiteral("Метчик"));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Метчик")}));
    gl->SpeedButton1Click();   // setting the prompts back filters nothing
    EXPECT_EQ(names().size(), 4);
}

TEST_F(MainWindowTest, ActivationReturnsToTheLastRowAndRefillsTheNameBoxFromTheView)
{
    addReferenceBooks(work);
    fill(kRows);
    start();
    gl->CBpost->setText(QStringLiteral("Альфа"));
    gl->CBpostChange();
    dm->Quchot.first();
    gl->FormActivate();
    EXPECT_EQ(dm->Quchot.currentRow(), 1);
    EXPECT_EQ(gl->CBnaim->items(), (QStringList{QStringLiteral("Метчик"), QStringLiteral("Фреза")}));
    EXPECT_EQ(names().size(), 2);   // the filter stays in force

    // A name changed since the last activation is in the list at the next one.
    dm->Quchot.first();
    dm->Quchot.edit();
    dm->Quchot.setText(QStringLiteral("naim_name"), QStringLiteral("Зенкер"));
    dm->Quchot.post();   // the whole register again, four rows
    gl->FormActivate();
    EXPECT_TRUE(gl->CBnaim->items().contains(QStringLiteral("Зенкер")));
    EXPECT_EQ(gl->CBnaim->items().size(), 4);

    // Back from the picker: the row whose button was pressed.
    dm->Quchot.first();
    gl->DBGrid1EditButtonClick();
    EXPECT_EQ(gl->Tag, 1);
    gl->FormActivate();
    EXPECT_EQ(dm->Quchot.currentRow(), 0);
    EXPECT_EQ(gl->Tag, 0);
}

TEST_F(MainWindowTest, SortsOrderTheWholeRegisterAndEndOnItsLastRow)
{
    addReferenceBooks(work);
    fill(kRows);
    start();
    gl->CByear->setText(QStringLiteral("2005"));
    gl->CByearChange();

    struct Case {
        void (TF_gl::*command)();
        QStringList order;
    };
    const QString s5 = QStringLiteral("Сверло 5'"), f = QStringLiteral("Фреза"), m = QStringLiteral("Метчик");
    const Case cases[] = {
        {&TF_gl::N12Click, {m, s5, s5, f}},
        {&TF_gl::N13Click, {f, s5, s5, m}},
        {&TF_gl::N16Click, {s5, f, s5, m}},   // every average is unset: entry order
    };
    for (const Case& c : cases) {
        (gl.get()->*c.command)();
        const QStringList got = names();
        EXPECT_EQ(got.size(), 4);
        if (c.command != &TF_gl::N16Click) {
            EXPECT_EQ(got, c.order);
        }
        EXPECT_EQ(dm->Quchot.currentRow(), 3);
        EXPECT_EQ(gl->LastUchotN, lastRowN());
    }
    gl->N14Click();   // supplier codes, not names: code 1 (Вектор) first, code 3 last
    EXPECT_EQ(current("naim_name"), s5);
    EXPECT_EQ(dm->Quchot.text(0, dm->Quchot.fieldIndex(QStringLiteral("post_name"))), QStringLiteral("Вектор"));
    gl->N19Click();
    EXPECT_EQ(dm->Quchot.text(0, dm->Quchot.fieldIndex(QStringLiteral("naim_name"))), f);
    gl->N15Click();
    EXPECT_EQ(dm->Quchot.text(0, dm->Quchot.fieldIndex(QStringLiteral("uchot_god"))), QStringLiteral("2005"));
    EXPECT_EQ(gl->CByear->text(), QStringLiteral("2005"));
    EXPECT_EQ(dm->Quchot.sql(), QStringLiteral("select * from uchot order by uchot_god"));
}

TEST_F(MainWindowTest, SortsOnAnEmptyRegisterLeaveNoRow)
{
    start();
    gl->N12Click();
    EXPECT_EQ(dm->Quchot.recordCount(), 0);
    EXPECT_EQ(gl->LastUchotN, 0);
}

TEST_F(MainWindowTest, EnterCommitsTheTypedFigureAndDropsTheFilter)
{
    addReferenceBooks(work);
    fill(kRows);
    start();
    gl->show();
    gl->CBpost->setText(QStringLiteral("Альфа"));
    gl->CBpostChange();
    dm->Quchot.first();   // Фреза, uchot_N 2
    const int column = gl->DBGrid1->positionOf(QStringLiteral("март"));
    gl->DBGrid1->setCurrentIndex(gl->DBGrid1->gridModel()->index(0, column));
    gl->DBGrid1->setFocus();
    QTest::keyClick(gl->DBGrid1->viewport(), Qt::Key_4);
    QWidget* editor = gl->DBGrid1->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_2);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(work.scalar(QStringLiteral("select март from uchot where uchot_N=2")), QStringLiteral("42"));
    EXPECT_EQ(names().size(), 4);                 // the whole register again
    EXPECT_EQ(current("uchot_N"), QStringLiteral("2"));
    EXPECT_EQ(gl->CBpost->text(), QStringLiteral("Альфа"));
}

TEST_F(MainWindowTest, DownOnTheLastRowAddsTheNextNumberedRow)
{
    fill({{"Фреза", "2001", 1, 1, 1, 57}});
    start();
    gl->show();
    gl->DBGrid1->setFocus();
    QTest::keyClick(gl->DBGrid1->viewport(), Qt::Key_Down);
    const QString year = QString::number(QDate::currentDate().year());
    EXPECT_EQ(work.scalar(QStringLiteral("select uchot_ind||'/'||uchot_god||'/'||type_kod from uchot where uchot_N=2")),
              QStringLiteral("58/") + year + QStringLiteral("/14"));
    EXPECT_EQ(current("uchot_N"), QStringLiteral("2"));
    EXPECT_EQ(gl->LastUchotN, 2);
    EXPECT_EQ(ui::shortDateFormat(), QStringLiteral("yyyy"));
    EXPECT_EQ(work.scalar(QStringLiteral("select naim_name is null and uchot_cena is null and январь is null from uchot where uchot_N=2")),
              QStringLiteral("1"));
    QTest::keyClick(gl->DBGrid1->viewport(), Qt::Key_Down);
    EXPECT_EQ(work.scalar(QStringLiteral("select uchot_ind from uchot where uchot_N=3")), QStringLiteral("59"));
    EXPECT_EQ(current("uchot_N"), QStringLiteral("3"));
    EXPECT_FALSE(dm->Quchot.isEditing());

    // Down on another row only moves.
    dm->Quchot.first();
    QTest::keyClick(gl->DBGrid1->viewport(), Qt::Key_Down);
    EXPECT_EQ(work.scalar(QStringLiteral("select count(*) from uchot")), QStringLiteral("3"));
    EXPECT_EQ(dm->Quchot.currentRow(), 1);
}

TEST_F(MainWindowTest, DownOnAnEmptyRegisterAddsRowOne)
{
    start();
    gl->show();
    gl->DBGrid1->setFocus();
    QTest::keyClick(gl->DBGrid1->viewport(), Qt::Key_Down);
    EXPECT_EQ(work.scalar(QStringLiteral("select count(*) || '/' || max(uchot_ind) from uchot")), QStringLiteral("1/1"));
}

TEST_F(MainWindowTest, DownInAViewAFilterLeftEmptyNumbersNothing)
{
    fill(kRows);
    start();
    gl->show();
    gl->CByear->setText(QStringLiteral("1999"));
    gl->CByearChange();
    gl->DBGrid1->setFocus();
    QTest::keyClick(gl->DBGrid1->viewport(), Qt::Key_Down);
    EXPECT_EQ(work.scalar(QStringLiteral("select count(*) from uchot")), QStringLiteral("4"));
    EXPECT_EQ(dm->Quchot.state(), Dataset::State::Insert);   // the grid's own blank row, not stored
}

TEST_F(MainWindowTest, DownOnTheLastRowOfAFilteredViewNumbersFromThatRow)
{
    fill(kRows);
    start();
    gl->show();
    gl->CByear->setText(QStringLiteral("2007"));
    gl->CByearChange();   // rows with uchot_ind 2 and 3, the last one current
    gl->DBGrid1->setFocus();
    QTest::keyClick(gl->DBGrid1->viewport(), Qt::Key_Down);
    EXPECT_EQ(work.scalar(QStringLiteral("select uchot_ind from uchot where uchot_N=5")), QStringLiteral("4"));
    EXPECT_EQ(names().size(), 5);                  // the whole register
    EXPECT_EQ(current("uchot_N"), QStringLiteral("5"));
}

TEST_F(MainWindowTest, ClosingSavesTheGridSettings)
{
    start();
    gl->DBGrid1->setColumnVisible(2, false);
    gl->close();
    QFile ini(work.file(QStringLiteral("uchet.INI")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("post_name Visible=0"));
}

} // namespace
