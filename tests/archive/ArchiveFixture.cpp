#include "ArchiveFixture.h"

#include "data/DbError.h"
#include "data/Schema.h"

#include <QDate>
#include <QFile>
#include <sqlite3.h>

MainWindowOnFolder::MainWindowOnFolder(int rows)
    : dir(rows)
    , gl(dir.file(QStringLiteral("uchet.INI")))
{
    gl.attachData(dm);
    F_gl = &gl;
    DM1 = &dm;
}

MainWindowOnFolder::~MainWindowOnFolder()
{
    F_gl = nullptr;
    DM1 = nullptr;
}

namespace {

struct Raw {
    sqlite3* db = nullptr;
    Raw(const QString& file, int flags)
    {
        if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, flags, nullptr) != SQLITE_OK)
            throw data::DbError(QStringLiteral("cannot open ") + file);
        sqlite3_busy_timeout(db, 10000);
    }
    ~Raw() { sqlite3_close_v2(db); }
};


} // namespace

QString valueIn(const QString& file, const QString& sql)
{
    Raw r(file, SQLITE_OPEN_READONLY);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(r.db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        return QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(r.db));
    QString out;
    if (sqlite3_step(st) == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
        out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return out;
}

void execIn(const QString& file, const QString& sql)
{
    Raw r(file, SQLITE_OPEN_READWRITE);
    char* err = nullptr;
    if (sqlite3_exec(r.db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err);
        sqlite3_free(err);
        throw data::DbError(msg);
    }
}

QString registerItems(const QString& file)
{
    return valueIn(file, QStringLiteral(
        "SELECT group_concat(uchot_N||'|'||ifnull(naim_name,'')||'|'||ifnull(post_kod,'')||'|'||"
        "ifnull(type_kod,'')||'|'||ifnull(uchot_ind,''), ';') FROM (SELECT * FROM uchot ORDER BY uchot_N)"));
}

QString registerValues(const QString& file)
{
    QStringList parts = {QStringLiteral("uchot_cena"), QStringLiteral("uchot_god"), QStringLiteral("uchot_sredm")};
    parts << data::monthColumns();
    for (QString& p : parts)
        p = QStringLiteral("ifnull(%1,'')").arg(p);
    return valueIn(file, QStringLiteral("SELECT group_concat(%1, ';') FROM (SELECT * FROM uchot ORDER BY uchot_N)")
                             .arg(parts.join(QStringLiteral("||'|'||"))));
}

QString referenceBooks(const QString& file)
{
    return valueIn(file, QStringLiteral(
        "SELECT (SELECT group_concat(naim_kod||'|'||naim_name||'|'||ifnull(type_kod,''), ';') FROM naim) || '#' ||"
        " (SELECT group_concat(type_kod||'|'||type_name, ';') FROM type) || '#' ||"
        " (SELECT group_concat(post_kod||'|'||post_name, ';') FROM postman)"));
}

QStringList columnTexts(const data::Dataset& ds, const QString& field)
{
    QStringList out;
    const int f = ds.fieldIndex(field);
    for (int row = 0; row < ds.recordCount(); ++row)
        out << ds.text(row, f);
    return out;
}

QString currentYear()
{
    return QString::number(QDate::currentDate().year());
}
