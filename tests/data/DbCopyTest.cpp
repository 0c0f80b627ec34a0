// Copies of a database file that may be open and written to at the same time.

#include "CrashedDatabase.h"
#include "RowWriter.h"
#include "RegisterRows.h"

#include "data/DbCopy.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

using data::CopyMode;
using data::DbError;
using data::TargetExists;

namespace {

QStringList entries(const QString& dir)
{
    QStringList names = QDir(dir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden, QDir::Name);
    return names;
}

QString firstValue(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QString out;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        else
            out = QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(st);
    }
    sqlite3_close_v2(db);
    return out;
}

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(DbCopy, CopyWhileAnotherConnectionWritesIsWholeAndHoldsEveryCommittedRow)
{
    WorkDir w(2000);
    const QString target = w.file(QStringLiteral("archiv/db_2023.mdb"));

    // A writer adds one row a transaction, and records how many rows it had committed before the
    // copy began.
    RowWriter writer(w.dbPath());
    writer.waitFor(20);
    const int before = writer.committed();
    data::copyDatabase(w.dbPath(), target, CopyMode::FailIfExists);
    writer.stop();

    EXPECT_EQ(firstValue(target, "PRAGMA integrity_check"), QStringLiteral("ok"));
    const int copied = firstValue(target, "SELECT count(*) FROM uchot WHERE uchot_ind >= 100000").toInt();
    EXPECT_GE(copied, before);
    EXPECT_LE(copied, writer.committed());
    // The copied writer rows are exactly the first ones written: nothing torn, nothing skipped.
    EXPECT_EQ(firstValue(target, "SELECT count(DISTINCT naim_name) FROM uchot WHERE uchot_ind >= 100000").toInt(), copied);
    EXPECT_EQ(firstValue(target, "SELECT coalesce(max(uchot_ind), 99999) - 99999 FROM uchot WHERE uchot_ind >= 100000")
                  .toInt(),
              copied);
    EXPECT_EQ(firstValue(target, "SELECT count(*) FROM uchot WHERE uchot_ind < 100000"), QStringLiteral("2000"));
    EXPECT_EQ(entries(w.file(QStringLiteral("archiv"))), QStringList{QStringLiteral("db_2023.mdb")});
}

TEST(DbCopy, FailIfExistsLeavesAnExistingTargetUntouched)
{
    const struct {
        const char* what;
        QByteArray content;
    } cases[] = {
        {"a file with content", QByteArray("старый архив")},
        {"an empty file", QByteArray()},
    };
    for (const auto& c : cases) {
        WorkDir w(10);
        const QString target = w.file(QStringLiteral("archiv/db_2023.mdb"));
        {
            QFile f(target);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
        }
        EXPECT_THROW(data::copyDatabase(w.dbPath(), target, CopyMode::FailIfExists), TargetExists) << c.what;
        EXPECT_EQ(bytes(target), c.content) << c.what;
        EXPECT_EQ(entries(w.file(QStringLiteral("archiv"))), QStringList{QStringLiteral("db_2023.mdb")}) << c.what;
    }
}

TEST(DbCopy, OverwriteReplacesTheTargetWhole)
{
    WorkDir w(10);
    const QString target = w.file(QStringLiteral("rest.mdb"));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("старое содержимое");
    }
    data::copyDatabase(w.dbPath(), target, CopyMode::Overwrite);
    EXPECT_EQ(firstValue(target, "SELECT count(*) FROM uchot"), QStringLiteral("10"));
    EXPECT_EQ(entries(w.path()).filter(QStringLiteral(".tmp")), QStringList());
}

TEST(DbCopy, FailuresThrowAMessageAndLeaveNoFileBehind)
{
    WorkDir w(5);
    {
        QFile f(w.file(QStringLiteral("text.mdb")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 100; ++i)
            f.write("это не база данных\n");
    }
    {
        QFile f(w.file(QStringLiteral("plainfile")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QStringList before = entries(w.path());
    const QByteArray textBefore = bytes(w.file(QStringLiteral("text.mdb")));
    const QStringList archiveBefore = entries(w.file(QStringLiteral("archiv")));
    const struct {
        const char* what;
        QString source;
        QString target;
        const char* message;
    } cases[] = {
        {"source is not a database", w.file(QStringLiteral("text.mdb")), w.file(QStringLiteral("archiv/x.mdb")),
         "не является базой данных"},
        {"source is missing", w.file(QStringLiteral("nope.mdb")), w.file(QStringLiteral("archiv/x.mdb")), "nope.mdb"},
        {"target folder is missing", w.dbPath(), w.file(QStringLiteral("nofolder/x.mdb")), "x.mdb"},
        {"target folder is a file", w.dbPath(), w.file(QStringLiteral("plainfile/x.mdb")), "x.mdb"},
    };
    for (const auto& c : cases) {
        for (CopyMode mode : {CopyMode::FailIfExists, CopyMode::Overwrite}) {
            try {
                data::copyDatabase(c.source, c.target, mode);
                ADD_FAILURE() << c.what << ": copied";
            } catch (const DbError& e) {
                EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message))) << c.what << ": " << e.what();
            }
            EXPECT_EQ(entries(w.path()), before) << c.what;
            EXPECT_EQ(entries(w.file(QStringLiteral("archiv"))), archiveBefore) << c.what;
        }
    }
    EXPECT_EQ(firstValue(w.dbPath(), "PRAGMA integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(bytes(w.file(QStringLiteral("text.mdb"))), textBefore);
}

TEST(DbCopy, CopyAfterACrashHoldsTheLastCommittedState)
{
    WorkDir w(3000);
    const QString crashed = w.file(QStringLiteral("crashed.mdb"));
    makeCrashedDatabase(w.dbPath(), crashed);
    const QString target = w.file(QStringLiteral("archiv/db_2023.mdb"));
    data::copyDatabase(crashed, target, CopyMode::FailIfExists);
    EXPECT_EQ(firstValue(target, "PRAGMA integrity_check"), QStringLiteral("ok"));
    EXPECT_EQ(firstValue(target, "SELECT count(*) FROM uchot WHERE naim_name LIKE '%сохранено'"), QStringLiteral("0"));
    EXPECT_EQ(firstValue(target, "SELECT count(*) FROM uchot"), QStringLiteral("3000"));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral("-journal")));
}
