#include "CrashedDatabase.h"
#include "RegisterRows.h"

#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/Dataset.h"
#include "data/DbError.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using data::Connection;
using data::Dataset;
using data::DbError;

namespace {

QString archiveString(const QString& source)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + source
           + QStringLiteral(";Persist Security Info=False");
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(ConnectionString, KeepsItsKeyValueFormInOrder)
{
    const QString expected = QStringLiteral(
        "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=db_Tavrel.mdb;Mode=Share Deny None;"
        "Extended Properties=\"\";Jet OLEDB:System database=\"\";Jet OLEDB:Registry Path=\"\";"
        "Jet OLEDB:Database Password=\"\";Jet OLEDB:Engine Type=5;Jet OLEDB:Database Locking Mode=1;"
        "Jet OLEDB:Global Partial Bulk Ops=2;Jet OLEDB:Global Bulk Transactions=1;"
        "Jet OLEDB:New Database Password=\"\";Jet OLEDB:Create System Database=False;"
        "Jet OLEDB:Encrypt Database=False;Jet OLEDB:Don't Copy Locale on Compact=False;"
        "Jet OLEDB:Compact Without Replica Repair=False;Jet OLEDB:SFP=False");
    EXPECT_EQ(data::designConnectionString(), expected);
    Connection c;
    EXPECT_EQ(c.connectionString(), expected);
    EXPECT_EQ(c.databasePath(), QStringLiteral("db_Tavrel.mdb"));
}

TEST(ConnectionString, ValuesAndDataSourcePath)
{
    const QString s = data::designConnectionString();
    EXPECT_EQ(data::connectionValue(s, QStringLiteral("user id")), QStringLiteral("Admin"));
    EXPECT_EQ(data::connectionValue(s, QStringLiteral("Extended Properties")), QString());
    EXPECT_EQ(data::connectionValue(s, QStringLiteral("Jet OLEDB:Engine Type")), QStringLiteral("5"));
    EXPECT_EQ(data::connectionValue(s, QStringLiteral("No Such Key")), QString());
    EXPECT_EQ(data::dataSourcePath(archiveString(QStringLiteral("archiv\\db_2023.mdb"))),
              QStringLiteral("archiv/db_2023.mdb"));
    EXPECT_EQ(data::dataSourcePath(QStringLiteral("Data Source = archiv/db_2023.mdb ")),
              QStringLiteral("archiv/db_2023.mdb"));
}

TEST(Connection, MissingFileIsAnErrorAndNoFileIsMade)
{
    WorkDir w(-1);
    Connection c;
    try {
        c.open();
        FAIL() << "a missing database opened";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("db_Tavrel.mdb"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("Не найден"))) << e.what();
    }
    EXPECT_FALSE(c.isOpen());
    EXPECT_TRUE(QDir(w.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());
}

TEST(Connection, FileThatIsNotADatabaseGivesAClearMessageAndStaysAsItWas)
{
    WorkDir w(-1);
    const QByteArray content("Это не база данных, а просто текст.\n", -1);
    {
        QFile f(w.dbPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 200; ++i)
            f.write(content);
    }
    const QByteArray before = readAll(w.dbPath());
    Connection c;
    try {
        c.open();
        FAIL() << "a text file opened as a database";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("не является базой данных"))) << e.what();
    }
    EXPECT_FALSE(c.isOpen());
    EXPECT_EQ(readAll(w.dbPath()), before);
    EXPECT_FALSE(QFile::exists(w.dbPath() + QStringLiteral("-journal")));
}

TEST(Connection, DataSourceWithBackslashNamesTheArchiveFile)
{
    WorkDir w(0);
    addRows(w, {{1, 1, QStringLiteral("рабочая")}});
    ASSERT_TRUE(QFile::copy(w.dbPath(), w.file(QStringLiteral("archiv/db_2023.mdb"))));
    w.exec(QStringLiteral("UPDATE uchot SET naim_name='после архива'"));

    Connection c;
    c.setConnectionString(archiveString(QStringLiteral("archiv\\db_2023.mdb")));
    EXPECT_EQ(c.databasePath(), QStringLiteral("archiv/db_2023.mdb"));
    c.open();
    Dataset q(c, Dataset::Kind::Query, QStringLiteral("Q"));
    q.setSql(QStringLiteral("select * from uchot"));
    q.open();
    EXPECT_EQ(q.asText(QStringLiteral("naim_name")), QStringLiteral("рабочая"));
}

TEST(Connection, CloseClosesEveryDatasetAndOpenOpensNone)
{
    WorkDir w(0);
    addRows(w, {{1, 1, QStringLiteral("a")}});
    Connection c;
    c.open();
    Dataset q1(c, Dataset::Kind::Query, QStringLiteral("Q1"));
    Dataset t1(c, Dataset::Kind::Table, QStringLiteral("T1"));
    q1.setSql(QStringLiteral("select * from uchot"));
    t1.setTableName(QStringLiteral("type"));
    q1.open();
    t1.open();

    c.close();
    EXPECT_FALSE(c.isOpen());
    EXPECT_FALSE(q1.isOpen());
    EXPECT_FALSE(t1.isOpen());
    EXPECT_EQ(q1.recordCount(), 0);

    c.open();
    EXPECT_TRUE(c.isOpen());
    EXPECT_FALSE(q1.isOpen());
    EXPECT_FALSE(t1.isOpen());
    q1.open();
    EXPECT_EQ(q1.recordCount(), 1);
}

TEST(Connection, StringIsReplacedOnlyWhileClosedAndTheNextOpenUsesIt)
{
    WorkDir w(0);
    addRows(w, {{1, 1, QStringLiteral("рабочая")}, {2, 2, QStringLiteral("рабочая 2")}});
    ASSERT_TRUE(QFile::copy(w.dbPath(), w.file(QStringLiteral("archiv/db_2023.mdb"))));
    w.exec(QStringLiteral("DELETE FROM uchot WHERE uchot_N=2"));

    Connection c;
    c.open();
    Dataset q(c, Dataset::Kind::Query, QStringLiteral("Q"));
    q.setSql(QStringLiteral("select * from uchot"));
    q.open();
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_THROW(c.setConnectionString(archiveString(QStringLiteral("archiv\\db_2023.mdb"))), DbError);
    EXPECT_TRUE(q.isOpen());

    const QString working = c.connectionString();
    c.close();
    c.setConnectionString(archiveString(QStringLiteral("archiv\\db_2023.mdb")));
    c.open();
    q.open();
    EXPECT_EQ(q.recordCount(), 2);

    c.close();
    c.setConnectionString(working);
    c.open();
    q.open();
    EXPECT_EQ(q.recordCount(), 1);
}

TEST(Connection, EmptyFileOpensButHoldsNoTablesAndIsNotWritten)
{
    WorkDir w(-1);
    {
        QFile f(w.dbPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    Connection c;
    c.open();
    Dataset q(c, Dataset::Kind::Query, QStringLiteral("Quchot"));
    q.setSql(QStringLiteral("select * from uchot order by uchot_ind"));
    try {
        q.open();
        FAIL() << "a query over a missing table opened";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("uchot"))) << e.what();
    }
    EXPECT_FALSE(q.isOpen());
    c.close();
    EXPECT_EQ(QFileInfo(w.dbPath()).size(), 0);
}

TEST(Connection, ExecuteOnAClosedConnectionIsAnError)
{
    WorkDir w(0);
    Connection c;
    EXPECT_THROW(c.execute(QStringLiteral("UPDATE uchot SET uchot.январь = 0")), DbError);
}

TEST(Connection, OpensWithFullSyncAndOneFileAndRollsBackWhatACrashLeftHalfDone)
{
    WorkDir w(500);
    const QString crashed = w.file(QStringLiteral("crashed.mdb"));
    makeCrashedDatabase(w.dbPath(), crashed);
    Connection c;
    c.setConnectionString(QStringLiteral("Data Source=crashed.mdb"));
    c.open();
    Dataset q(c, Dataset::Kind::Query, QStringLiteral("Q"));
    q.setSql(QStringLiteral("PRAGMA journal_mode"));
    q.open();
    EXPECT_EQ(q.text(0, 0), QStringLiteral("delete"));
    q.close();
    q.setSql(QStringLiteral("PRAGMA synchronous"));
    q.open();
    EXPECT_EQ(q.text(0, 0), QStringLiteral("2"));
    q.close();
    q.setSql(QStringLiteral("select * from uchot where naim_name like '%сохранено'"));
    q.open();
    EXPECT_TRUE(q.isEmpty());
    q.close();
    q.setSql(QStringLiteral("PRAGMA integrity_check"));
    q.open();
    EXPECT_EQ(q.text(0, 0), QStringLiteral("ok"));
    c.close();
    EXPECT_FALSE(QFile::exists(crashed + QStringLiteral("-journal")));
}
