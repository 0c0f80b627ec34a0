#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

namespace data {

// The twelve month columns of the register, January to December.
const QStringList& monthColumns();

// Creates the four tables in an empty database file (which must not exist yet).
// Throws DbError when the file exists or cannot be made.
void createDatabase(const QString& path);

// The statements that make the four tables, for an open handle.
void createTables(sqlite3* db);

} // namespace data
