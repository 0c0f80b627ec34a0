#include "TempDir.h"

#include "data/DbError.h"
#include "tools/DemoData.h"

#include <QDir>
#include <sqlite3.h>
#include <stdexcept>

WorkDir::WorkDir(int rows)
{
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
    oldCwd_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    if (rows >= 0) {
        const QString db = tools::makeWorkingFolder(dir_.path());
        if (rows > 0)
            tools::fillDemo(db, rows);
    }
}

WorkDir::~WorkDir()
{
    QDir::setCurrent(oldCwd_);
}

namespace {
struct Raw {
    sqlite3* db = nullptr;
    explicit Raw(const QString& path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw data::DbError(QStringLiteral("cannot open ") + path);
        sqlite3_busy_timeout(db, 5000);
    }
    ~Raw() { sqlite3_close_v2(db); }
};
} // namespace

void WorkDir::exec(const QString& sql) const
{
    Raw r(dbPath());
    char* err = nullptr;
    if (sqlite3_exec(r.db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err);
        sqlite3_free(err);
        throw data::DbError(msg);
    }
}

QString WorkDir::scalar(const QString& sql) const
{
    Raw r(dbPath());
    sqlite3_stmt* st = nullptr;
    QString out;
    if (sqlite3_prepare_v2(r.db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        throw data::DbError(QString::fromUtf8(sqlite3_errmsg(r.db)));
    if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
        out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return out;
}
