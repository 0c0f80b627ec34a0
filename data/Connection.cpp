#include "data/Connection.h"

#include "data/ConnectionString.h"
#include "data/Dataset.h"
#include "data/DbError.h"
#include "data/SqlText.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <sqlite3.h>

namespace data {

int TableInfo::columnIndex(const QString& n) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(n, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

Connection::Connection()
    : connectionString_(designConnectionString())
{
}

Connection::~Connection()
{
    for (Dataset* ds : datasets_)
        ds->connectionGone();
    if (db_)
        sqlite3_close_v2(db_);
}

void Connection::detach(Dataset* ds)
{
    datasets_.erase(std::remove(datasets_.begin(), datasets_.end(), ds), datasets_.end());
}

void Connection::setConnectionString(const QString& s)
{
    if (isOpen())
        throw DbError(QStringLiteral("Нельзя изменить строку подключения при открытом соединении"));
    connectionString_ = s;
}

QString Connection::databasePath() const
{
    return dataSourcePath(connectionString_);
}

namespace {

// The engine speaks English; the messages a user can meet are said in Russian, the rest keep
// the engine's words after a Russian lead.
QString russianEngineMessage(const QString& engine)
{
    static const struct {
        const char* prefix;
        const char* text;
    } known[] = {
        {"no such table: ", "В базе данных нет таблицы «%1»"},
        {"no such column: ", "В базе данных нет поля «%1»"},
        {"near ", "Ошибка в тексте запроса около %1"},
    };
    for (const auto& k : known) {
        const QString prefix = QString::fromUtf8(k.prefix);
        if (engine.startsWith(prefix))
            return QString::fromUtf8(k.text).arg(engine.mid(prefix.size()));
    }
    if (engine == QLatin1String("database is locked"))
        return QStringLiteral("База данных занята другой программой, повторите попытку позже");
    if (engine == QLatin1String("attempt to write a readonly database"))
        return QStringLiteral("Файл базы данных открыт только для чтения");
    return QStringLiteral("Ошибка базы данных: ") + engine;
}

} // namespace

void Connection::fail(const QString& context) const
{
    QString msg = db_ ? russianEngineMessage(QString::fromUtf8(sqlite3_errmsg(db_)))
                      : QStringLiteral("нет соединения с базой данных");
    if (!context.isEmpty())
        msg = context + QStringLiteral(": ") + msg;
    throw DbError(msg);
}

void Connection::open()
{
    if (db_)
        return;
    const QString path = databasePath();
    if (path.isEmpty())
        throw DbError(QStringLiteral("В строке подключения не указан файл базы данных (Data Source)"));
    const QFileInfo fi(path);
    if (!fi.exists())
        throw DbError(QStringLiteral("Не найден файл базы данных «%1»").arg(path));
    if (!fi.isFile())
        throw DbError(QStringLiteral("«%1» не является файлом базы данных").arg(path));

    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw DbError(QStringLiteral("Не удалось открыть базу данных «%1»: %2").arg(path, msg));
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 5000);
    // Reading the schema is the first real read: a file that is not a database fails here.
    const char* setup =
        "PRAGMA journal_mode=DELETE;"
        "PRAGMA synchronous=FULL;"
        "SELECT count(*) FROM sqlite_master;";
    char* err = nullptr;
    if (sqlite3_exec(db, setup, nullptr, nullptr, &err) != SQLITE_OK) {
        const int code = sqlite3_errcode(db) & 0xff;
        QString msg = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
        sqlite3_close_v2(db);
        if (code == SQLITE_NOTADB)
            throw DbError(QStringLiteral("Файл «%1» не является базой данных программы").arg(path));
        throw DbError(QStringLiteral("Не удалось открыть базу данных «%1»: %2").arg(path, msg));
    }
    registerFunctions(db);
    db_ = db;
}

void Connection::close()
{
    for (Dataset* ds : datasets_)
        ds->close();
    tables_.clear();
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void Connection::execute(const QString& sql)
{
    if (!db_)
        throw DbError(QStringLiteral("Соединение с базой данных закрыто"));
    const QByteArray text = adaptStatement(sql).toUtf8();
    const char* tail = text.constData();
    while (tail && *tail) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, tail, -1, &st, &tail) != SQLITE_OK)
            fail();
        if (!st)
            break;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        }
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE)
            fail();
    }
}

ColumnInfo columnFromDecl(const QString& name, const QString& declType, bool isKey)
{
    ColumnInfo c;
    c.name = name;
    const QString t = declType.toUpper();
    if (isKey) {
        c.kind = FieldKind::AutoKey;
    } else if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("TEXT"))) {
        c.kind = FieldKind::Text;
        static const QRegularExpression w(QStringLiteral("\\(\\s*(\\d+)"));
        const auto m = w.match(t);
        c.width = m.hasMatch() ? m.captured(1).toInt() : 0;
    } else if (t.contains(QLatin1String("DEC")) || t.contains(QLatin1String("NUM"))) {
        c.kind = FieldKind::Decimal;
    } else if (t.contains(QLatin1String("INT"))) {
        c.kind = FieldKind::Int32;
    } else {
        c.kind = FieldKind::Text;
    }
    return c;
}

const TableInfo& Connection::tableInfo(const QString& table)
{
    const QString key = table.toLower();
    auto it = tables_.find(key);
    if (it != tables_.end())
        return *it;
    if (!db_)
        throw DbError(QStringLiteral("Соединение с базой данных закрыто"));

    TableInfo info;
    sqlite3_stmt* st = nullptr;
    const QByteArray q = QStringLiteral("PRAGMA table_info(%1)").arg(sqlQuoted(table)).toUtf8();
    if (sqlite3_prepare_v2(db_, q.constData(), -1, &st, nullptr) != SQLITE_OK)
        fail();
    while (sqlite3_step(st) == SQLITE_ROW) {
        const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        const QString decl = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2)));
        const bool pk = sqlite3_column_int(st, 5) == 1 && decl.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        if (pk)
            info.keyColumn = name;
        info.columns.push_back(columnFromDecl(name, decl, pk));
    }
    sqlite3_finalize(st);
    if (info.columns.empty())
        throw DbError(QStringLiteral("В базе данных нет таблицы «%1»").arg(table));
    info.name = table;
    return *tables_.insert(key, info);
}

} // namespace data
