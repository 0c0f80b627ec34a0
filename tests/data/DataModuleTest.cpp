// The data module: what it opens, what it refuses, and its three event handlers.

#include "RegisterRows.h"

#include "data/DbError.h"
#include "data/QueryBuilders.h"
#include "data/U_dm.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using data::Dataset;
using data::DbError;

namespace {

struct MainWindowStub : data::LastUchotNHolder {
    void setLastUchotN(qint32 v) override
    {
        value = v;
        ++calls;
    }
    qint32 value = -1;
    int calls = 0;
};

struct NamesWindowStub : data::LastNaimKodHolder {
    void setLastNaimKod(qint32 v) override
    {
        value = v;
        ++calls;
    }
    qint32 value = -1;
    int calls = 0;
};

int key(const Dataset& ds) { return ds.asInt(QStringLiteral("uchot_N")); }

class DataModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        w.exec(QStringLiteral("INSERT INTO type (type_kod, type_name) VALUES (1,'Свёрла'),(2,'Фрезы')"));
        w.exec(QStringLiteral("INSERT INTO postman (post_kod, post_name) VALUES (1,'АО \"Вектор\"'),(2,'ИП Кузнецов')"));
        w.exec(QStringLiteral("INSERT INTO naim (naim_kod, naim_name, type_kod) VALUES "
                              "(1,'Сверло Ø5',1),(2,'Фреза Ø8',2),(3,'Метчик М6',7)"));
        // The highest uchot_ind (9) is not on the highest key (5).
        addRows(w, {{1, 2, QStringLiteral("Сверло Ø5"), 100, 1, 1},
                    {2, 9, QStringLiteral("Фреза Ø8"), 200, 2, 2},
                    {3, 1, QStringLiteral("Сверло Ø5"), 100, 2, 1},
                    {4, 5, QStringLiteral("Метчик М6"), 50, 7, 7},
                    {5, 3, QStringLiteral("Фреза Ø8"), 200, 1, 2}});
    }

    void make()
    {
        dm = std::make_unique<TDM1>();
        dm->setRegisterWindow(&mainWindow);
        dm->setNamesWindow(&namesWindow);
    }

    WorkDir w{0};
    MainWindowStub mainWindow;
    NamesWindowStub namesWindow;
    std::unique_ptr<TDM1> dm;
};

} // namespace

TEST_F(DataModule, OpensTheConnectionAndAllNineDatasets)
{
    make();
    EXPECT_TRUE(dm->Adc1.isOpen());
    const struct {
        Dataset* ds;
        const char* sql;
        int rows;
    } expected[] = {
        {&dm->Quchot, "select * from uchot order by uchot_ind", 5},
        {&dm->Tuchot, "select * from uchot", 5},
        {&dm->Qnaim, "select * from naim order by naim_name", 3},
        {&dm->Qqnaim, "select * from naim order by naim_name", 3},
        {&dm->Qtype, "select * from type order by type_kod", 2},
        {&dm->TType, "select * from type", 2},
        {&dm->Qpost, "select * from postman order by post_name", 2},
        {&dm->Qqtype, "select * from type order by type_name", 2},
        {&dm->Qqpost, "select * from postman order by post_name", 2},
    };
    for (const auto& e : expected) {
        EXPECT_TRUE(e.ds->isOpen()) << e.sql;
        EXPECT_EQ(e.ds->sql(), QString::fromUtf8(e.sql));
        EXPECT_EQ(e.ds->recordCount(), e.rows) << e.sql;
    }
    EXPECT_EQ(dm->Tuchot.tableName(), QStringLiteral("uchot"));
    EXPECT_EQ(dm->TType.tableName(), QStringLiteral("type"));
    EXPECT_EQ(dm->DS1.dataSet, &dm->Quchot);
    EXPECT_EQ(dm->DS2.dataSet, &dm->Qnaim);
    EXPECT_EQ(dm->DStype.dataSet, &dm->TType);
    EXPECT_EQ(dm->DSpost.dataSet, &dm->Qpost);

    // The register's fields in their declared order, the lookups among them by name.
    const char* const declared[] = {"uchot_N", "naim_name", "type_name", "uchot_cena", "uchot_god", "uchot_sredm",
                                    "январь", "декабрь", "post_kod", "post_name", "type_kod", "uchot_ind"};
    for (const char* f : declared)
        EXPECT_GE(dm->Quchot.fieldIndex(QString::fromUtf8(f)), 0) << f;
    EXPECT_TRUE(dm->Quchot.fieldByName(QStringLiteral("uchot_N")).readOnly);
    EXPECT_TRUE(dm->Qnaim.fieldByName(QStringLiteral("naim_kod")).readOnly);
    EXPECT_TRUE(dm->TType.fieldByName(QStringLiteral("type_kod")).readOnly);
}

TEST_F(DataModule, LookupFieldsShowTheReferenceTextOrEmptyForAnUnknownCode)
{
    make();
    Dataset& q = dm->Quchot;
    const struct {
        int key;
        const char* group;
        const char* supplier;
    } cases[] = {
        {1, "Свёрла", "АО \"Вектор\""},
        {2, "Фрезы", "ИП Кузнецов"},
        {4, "", ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(q.locate(QStringLiteral("uchot_N"), c.key));
        EXPECT_EQ(q.asText(QStringLiteral("type_name")), QString::fromUtf8(c.group)) << c.key;
        EXPECT_EQ(q.asText(QStringLiteral("post_name")), QString::fromUtf8(c.supplier)) << c.key;
    }
    ASSERT_TRUE(dm->Qnaim.locate(QStringLiteral("naim_kod"), 3));
    EXPECT_EQ(dm->Qnaim.asText(QStringLiteral("type_name")), QString());
    ASSERT_TRUE(dm->Qnaim.locate(QStringLiteral("naim_kod"), 2));
    EXPECT_EQ(dm->Qnaim.asText(QStringLiteral("type_name")), QStringLiteral("Фрезы"));

    // Choosing a supplier by its text writes its code.
    ASSERT_TRUE(q.locate(QStringLiteral("uchot_N"), 4));
    q.edit();
    q.setText(QStringLiteral("post_name"), QStringLiteral("ИП Кузнецов"));
    EXPECT_EQ(q.asInt(QStringLiteral("post_kod")), 2);
    EXPECT_THROW(q.setText(QStringLiteral("post_name"), QStringLiteral("Нет такого")), DbError);
    q.post();
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT post_kod FROM uchot WHERE uchot_N=4")), QStringLiteral("2"));

    // A reference row added later shows after the lookup source is re-read.
    w.exec(QStringLiteral("INSERT INTO type (type_kod, type_name) VALUES (7,'Метчики')"));
    dm->Qqtype.close();
    dm->Qqtype.open();
    ASSERT_TRUE(q.locate(QStringLiteral("uchot_N"), 4));
    EXPECT_EQ(q.asText(QStringLiteral("type_name")), QStringLiteral("Метчики"));
}

TEST_F(DataModule, MissingTableOrColumnEndsConstruction)
{
    const struct {
        const char* what;
        const char* sql;
        const char* named;     // the message names it
    } cases[] = {
        {"no register", "DROP TABLE uchot", "uchot"},
        {"no names", "DROP TABLE naim", "naim"},
        {"no groups", "DROP TABLE type", "type"},
        {"no suppliers", "DROP TABLE postman", "postman"},
        {"no month", "ALTER TABLE uchot DROP COLUMN май", "май"},
        {"no register number", "DROP INDEX uchot_by_ind; ALTER TABLE uchot DROP COLUMN uchot_ind", "uchot_ind"},
        {"no group of a name", "ALTER TABLE naim DROP COLUMN type_kod", "type_kod"},
        {"no group name", "ALTER TABLE type DROP COLUMN type_name", "type_name"},
        {"no supplier code", "DROP TABLE postman; CREATE TABLE postman (post_name VARCHAR(80))", "post_kod"},
        {"no group code", "DROP TABLE type; CREATE TABLE type (type_name VARCHAR(70))", "type_kod"},
    };
    for (const auto& c : cases) {
        WorkDir wd(0);
        wd.exec(QString::fromUtf8(c.sql));
        try {
            TDM1 broken;
            ADD_FAILURE() << c.what << ": the data module was made";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.named))) << c.what << ": " << e.what();
        }
    }
}

TEST_F(DataModule, MissingDatabaseEndsConstructionAndMakesNoFile)
{
    WorkDir none(-1);
    EXPECT_THROW(TDM1 dm, DbError);
    EXPECT_FALSE(QFileInfo::exists(none.dbPath()));
}

TEST_F(DataModule, CommitWhileFilteredShowsTheWholeRegisterOnTheCommittedRow)
{
    make();
    data::FilterQueryInt(dm->Quchot, QStringLiteral("uchot"), QStringLiteral("post_kod"), 2,
                         QStringLiteral("uchot_N"));
    ASSERT_EQ(keysOf(dm->Quchot), (std::vector<int>{2, 3}));
    ASSERT_TRUE(dm->Quchot.locate(QStringLiteral("uchot_N"), 3));
    dm->Quchot.edit();
    dm->Quchot.setText(QStringLiteral("январь"), QStringLiteral("17"));
    dm->Quchot.post();

    EXPECT_EQ(dm->Quchot.sql().compare(QStringLiteral("select * from uchot order by uchot_ind"), Qt::CaseInsensitive), 0)
        << dm->Quchot.sql().toStdString();
    EXPECT_EQ(keysOf(dm->Quchot), (std::vector<int>{3, 1, 5, 4, 2}));
    EXPECT_EQ(key(dm->Quchot), 3);
    EXPECT_EQ(dm->Quchot.asInt(QStringLiteral("январь")), 17);
    EXPECT_EQ(mainWindow.value, 2) << "the row with the highest uchot_ind";
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT январь FROM uchot WHERE uchot_N=3")), QStringLiteral("17"));
}

TEST_F(DataModule, CommitOfANewRowMakesItCurrentWhereverItsNumberPutsIt)
{
    make();
    dm->Quchot.last();
    dm->Quchot.append();
    dm->Quchot.setText(QStringLiteral("naim_name"), QStringLiteral("Резец"));
    dm->Quchot.setInt(QStringLiteral("uchot_ind"), 4);
    dm->Quchot.post();
    EXPECT_EQ(key(dm->Quchot), 6);
    EXPECT_EQ(dm->Quchot.currentRow(), 3);
    EXPECT_EQ(mainWindow.value, 2);

    // A row without a number sorts first; it is still found.
    dm->Quchot.append();
    dm->Quchot.setText(QStringLiteral("naim_name"), QStringLiteral("Без номера"));
    dm->Quchot.post();
    EXPECT_EQ(key(dm->Quchot), 7);
    EXPECT_EQ(dm->Quchot.currentRow(), 0);
}

TEST_F(DataModule, CommitInAnEmptyRegister)
{
    w.exec(QStringLiteral("DELETE FROM uchot"));
    make();
    ASSERT_TRUE(dm->Quchot.isEmpty());
    dm->Quchot.edit();
    dm->Quchot.setText(QStringLiteral("naim_name"), QStringLiteral("Первая"));
    dm->Quchot.post();
    EXPECT_EQ(dm->Quchot.recordCount(), 1);
    EXPECT_EQ(key(dm->Quchot), 6);
    EXPECT_EQ(mainWindow.value, 6);
}

TEST_F(DataModule, DeleteLeavesTheCursorOnTheLastRowOfTheSameView)
{
    make();
    data::FilterQueryInt(dm->Quchot, QStringLiteral("uchot"), QStringLiteral("type_kod"), 1,
                         QStringLiteral("uchot_ind"));
    const QString filtered = dm->Quchot.sql();
    ASSERT_EQ(keysOf(dm->Quchot), (std::vector<int>{3, 1}));
    dm->Quchot.first();
    dm->Quchot.remove();
    EXPECT_EQ(dm->Quchot.sql(), filtered);
    EXPECT_EQ(keysOf(dm->Quchot), std::vector<int>{1});
    EXPECT_EQ(key(dm->Quchot), 1);
    EXPECT_EQ(mainWindow.value, 1);

    dm->Quchot.remove();
    EXPECT_TRUE(dm->Quchot.isEmpty());
    EXPECT_EQ(mainWindow.value, 0);
    EXPECT_EQ(dm->Quchot.sql(), filtered);
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT count(*) FROM uchot")), QStringLiteral("3"));
}

TEST_F(DataModule, DeletingEveryRowOfTheRegisterGivesZero)
{
    make();
    dm->Quchot.first();
    while (!dm->Quchot.isEmpty()) {
        dm->Quchot.first();
        dm->Quchot.remove();
        EXPECT_EQ(dm->Quchot.currentRow(), dm->Quchot.recordCount() - 1);
    }
    EXPECT_EQ(mainWindow.calls, 5);
    EXPECT_EQ(mainWindow.value, 0);
}

TEST_F(DataModule, DeletingANameTellsTheNamesWindowItsLastCode)
{
    make();
    // Names order: "Метчик М6" (3), "Сверло Ø5" (1), "Фреза Ø8" (2).
    ASSERT_EQ(keysOf(dm->Qnaim, QStringLiteral("naim_kod")), (std::vector<int>{3, 1, 2}));
    dm->Qnaim.first();
    dm->Qnaim.remove();
    EXPECT_EQ(namesWindow.value, 2);
    EXPECT_EQ(dm->Qnaim.asInt(QStringLiteral("naim_kod")), 2);
    dm->Qnaim.remove();
    EXPECT_EQ(namesWindow.value, 1);
    dm->Qnaim.remove();
    EXPECT_EQ(namesWindow.value, 0);
    EXPECT_EQ(namesWindow.calls, 3);
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT count(*) FROM naim")), QStringLiteral("0"));
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT count(*) FROM uchot WHERE naim_name='Фреза Ø8'")), QStringLiteral("2"))
        << "the register keeps its copies of the names";
}

TEST_F(DataModule, ConnectionSwitchAndReopenServesTheOtherFile)
{
    make();
    ASSERT_TRUE(QFile::copy(w.dbPath(), w.file(QStringLiteral("archiv/db_2023.mdb"))));
    w.exec(QStringLiteral("DELETE FROM uchot"));
    const QString working = dm->Adc1.connectionString();
    dm->Adc1.close();
    dm->Adc1.setConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=archiv\\db_2023.mdb"));
    dm->Adc1.open();
    dm->openDatasets();
    EXPECT_EQ(dm->Quchot.recordCount(), 5);
    EXPECT_EQ(dm->Qqpost.recordCount(), 2);
    dm->Adc1.close();
    dm->Adc1.setConnectionString(working);
    dm->Adc1.open();
    dm->openDatasets();
    EXPECT_EQ(dm->Quchot.recordCount(), 0);
}

TEST_F(DataModule, WorksOnTheDemoData)
{
    WorkDir demo(300);
    make();
    EXPECT_EQ(dm->Quchot.recordCount(), 300);
    dm->Quchot.last();
    EXPECT_EQ(dm->Quchot.asInt(QStringLiteral("uchot_ind")), 300);
    EXPECT_FALSE(dm->Quchot.asText(QStringLiteral("type_name")).isEmpty());
    EXPECT_FALSE(dm->Quchot.asText(QStringLiteral("post_name")).isEmpty());
    dm.reset();
}

TEST_F(DataModule, LookupsFollowTheirFieldsWhenAStatementBringsOtherColumns)
{
    make();
    // Both lookup sources have been read once, so nothing but the field tells them apart.
    Dataset q(dm->Adc1, Dataset::Kind::Query, QStringLiteral("Q"));
    q.addLookupField(QStringLiteral("type_name"), QStringLiteral("type_kod"), dm->Qqtype, QStringLiteral("type_kod"),
                     QStringLiteral("type_name"), 70);
    q.addLookupField(QStringLiteral("post_name"), QStringLiteral("post_kod"), dm->Qqpost, QStringLiteral("post_kod"),
                     QStringLiteral("post_name"), 80);
    q.setSql(QStringLiteral("select uchot_N, post_kod, type_kod from uchot where uchot_N=1"));
    q.open();
    EXPECT_EQ(q.asText(QStringLiteral("post_name")), QStringLiteral("АО \"Вектор\""));
    EXPECT_EQ(q.asText(QStringLiteral("type_name")), QStringLiteral("Свёрла"));
    q.close();
    q.setSql(QStringLiteral("select uchot_N, naim_name, post_kod, type_kod from uchot where uchot_N=1"));
    q.open();
    EXPECT_EQ(q.asText(QStringLiteral("type_name")), QStringLiteral("Свёрла"));
    EXPECT_EQ(q.asText(QStringLiteral("post_name")), QStringLiteral("АО \"Вектор\""));
}
