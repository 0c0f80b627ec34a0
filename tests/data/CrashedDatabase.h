#pragma once

#include <QFile>
#include <QString>
#include <gtest/gtest.h>
#include <sqlite3.h>

// A database as a program killed in the middle of a commit leaves it: changed pages already in
// the file and the journal that undoes them beside it. Made by copying the files of a
// transaction that is still open.
inline void makeCrashedDatabase(const QString& from, const QString& crashed)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(from).constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    // A tiny cache makes the engine write changed pages into the file before the commit.
    sqlite3_exec(db, "PRAGMA cache_size=1; BEGIN; UPDATE uchot SET naim_name = naim_name || ' – не сохранено';",
                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(QFile::exists(from + QStringLiteral("-journal")));
    ASSERT_TRUE(QFile::copy(from, crashed));
    ASSERT_TRUE(QFile::copy(from + QStringLiteral("-journal"), crashed + QStringLiteral("-journal")));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
}

