#pragma once

#include <QString>

namespace data {

// Pieces of statements built by joining texts. A value goes in through these helpers only,
// so that an apostrophe in a name or a decimal comma of the user's locale cannot break a statement.

// 'text' with every apostrophe doubled.
QString sqlQuoted(const QString& text);
// A number in general format, at most 15 significant digits, with a full stop as separator.
QString sqlNumber(double value);
QString sqlNumber(qint64 value);

// Adapts a statement as the program writes it to what SQLite takes:
// "UPDATE T SET T.F = 0, T.G = 'x'" loses the table prefix of its SET targets
// (SQLite rejects qualified targets). String literals are left alone.
QString adaptStatement(const QString& sql);

// The table named after the first FROM of a select statement, or after UPDATE; empty when none.
QString statementTable(const QString& sql);

} // namespace data
