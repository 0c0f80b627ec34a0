#pragma once

#include <QString>

namespace data {

// The connection string as the program has always kept it: key=value pairs joined by ';'.
// Only "Data Source" matters to SQLite; the other keys are kept as written.

// The string the data module starts with, naming db_Tavrel.mdb.
QString designConnectionString();

// The value of a key (compared without regard to case), or empty.
QString connectionValue(const QString& connectionString, const QString& key);

// The file named by "Data Source", folders separated by '/' (a backslash separates folders too).
QString dataSourcePath(const QString& connectionString);

} // namespace data
