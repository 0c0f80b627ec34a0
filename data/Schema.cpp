#include "data/Schema.h"

#include "data/DbError.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace data {

const QStringList& monthColumns()
{
    static const QStringList months = {
        QStringLiteral("январь"), QStringLiteral("февраль"), QStringLiteral("март"),
        QStringLiteral("апрель"), QStringLiteral("май"), QStringLiteral("июнь"),
        QStringLiteral("июль"), QStringLiteral("август"), QStringLiteral("сентябрь"),
        QStringLiteral("октябрь"), QStringLiteral("ноябрь"), QStringLiteral("декабрь")};
    return months;
}

void createTables(sqlite3* db)
{
    // AUTOINCREMENT: keys count up and a deleted row's key is never given again.
    QString months;
    for (const QString& m : monthColumns())
        months += QStringLiteral("  %1 INTEGER,\n").arg(m);
    const QString ddl = QStringLiteral(
        "BEGIN;\n"
        "CREATE TABLE uchot (\n"
        "  uchot_N INTEGER PRIMARY KEY AUTOINCREMENT,\n"
        "  naim_name VARCHAR(100),\n"
        "  uchot_cena DECIMAL(18,0),\n"
        "  uchot_god VARCHAR(4),\n"
        "  uchot_sredm DECIMAL(18,0),\n"
        "%1"
        "  uchot_ind INTEGER,\n"
        "  post_kod INTEGER,\n"
        "  type_kod INTEGER\n"
        ");\n"
        "CREATE INDEX uchot_by_ind ON uchot(uchot_ind);\n"
        "CREATE TABLE naim (\n"
        "  naim_kod INTEGER PRIMARY KEY AUTOINCREMENT,\n"
        "  naim_name VARCHAR(150),\n"
        "  type_kod INTEGER\n"
        ");\n"
        "CREATE TABLE type (\n"
        "  type_kod INTEGER PRIMARY KEY AUTOINCREMENT,\n"
        "  type_name VARCHAR(70)\n"
        ");\n"
        "CREATE TABLE postman (\n"
        "  post_kod INTEGER PRIMARY KEY AUTOINCREMENT,\n"
        "  post_name VARCHAR(255)\n"
        ");\n"
        "PRAGMA user_version = 1;\n"
        "COMMIT;\n").arg(months);
    char* err = nullptr;
    if (sqlite3_exec(db, ddl.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw DbError(QStringLiteral("Не удалось создать таблицы: %1").arg(msg));
    }
}

void createDatabase(const QString& path)
{
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("Файл «%1» уже существует, он не будет перезаписан").arg(path));
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw DbError(QStringLiteral("Не удалось создать файл «%1»: %2").arg(path, msg));
    }
    try {
        createTables(db);
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    sqlite3_close_v2(db);
}

} // namespace data
