#pragma once

#include <QString>
#include <QHash>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace data {

class Dataset;

// What a stored column is, as the program sees it.
enum class FieldKind { AutoKey, Int32, Decimal, Text, Lookup };

struct ColumnInfo {
    QString name;
    FieldKind kind = FieldKind::Text;
    int width = 0;        // characters, for texts; 0 for no limit
};

struct TableInfo {
    QString name;
    QString keyColumn;    // the automatic key, empty when the table has none
    std::vector<ColumnInfo> columns;
    int columnIndex(const QString& name) const;   // without regard to case, -1 when missing
};

// The one connection to the database file. Opens SQLite with a busy timeout, the rollback
// journal and full synchronous writes, and never creates a missing file.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString connectionString() const { return connectionString_; }
    void setConnectionString(const QString& s);     // only while closed

    void open();      // opens no dataset
    void close();     // closes every dataset on the connection first
    bool isOpen() const { return db_ != nullptr; }

    // The file the connection names (relative to the working directory).
    QString databasePath() const;

    // Runs a statement that returns no rows (the statement is adapted to SQLite first).
    void execute(const QString& sql);

    // The columns of a table as the file declares them; cached until the connection closes.
    const TableInfo& tableInfo(const QString& table);

    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(const QString& context = QString()) const;

    const std::vector<Dataset*>& datasets() const { return datasets_; }

private:
    friend class Dataset;
    void attach(Dataset* ds) { datasets_.push_back(ds); }
    void detach(Dataset* ds);

    QString connectionString_;
    sqlite3* db_ = nullptr;
    std::vector<Dataset*> datasets_;
    QHash<QString, TableInfo> tables_;
};

// Registers the case-folding LIKE on a raw handle (every connection of the program needs it).
void registerFunctions(sqlite3* db);

// Kind and width from a declared column type such as VARCHAR(100) or DECIMAL(18,0).
ColumnInfo columnFromDecl(const QString& name, const QString& declType, bool isKey);

} // namespace data
