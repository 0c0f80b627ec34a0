#pragma once

#include <QString>

namespace data {

class Dataset;

// Statement replacement shared by the filter bar, the sorts, the names window and the search:
// close the query, set the new statement, open it, move to its last row. Values go in quoted
// (apostrophes doubled) and numbers with a full stop.

void replaceStatement(Dataset& query, const QString& sql);

void FilterQueryText(Dataset& query, const QString& table, const QString& field, const QString& value,
                     const QString& orderField);
void FilterQueryInt(Dataset& query, const QString& table, const QString& field, qint32 value,
                    const QString& orderField);
// The number at full precision (never narrowed to single precision).
void FilterQueryReal(Dataset& query, const QString& table, const QString& field, double value,
                     const QString& orderField);
void SortQuery(Dataset& query, const QString& table, const QString& field);

} // namespace data
