#include "data/QueryBuilders.h"

#include "data/Dataset.h"
#include "data/SqlText.h"

namespace data {

void replaceStatement(Dataset& query, const QString& sql)
{
    query.close();
    query.clearSql();
    query.setSql(sql);
    query.open();
    query.last();
}

void FilterQueryText(Dataset& query, const QString& table, const QString& field, const QString& value,
                     const QString& orderField)
{
    replaceStatement(query, QStringLiteral("select * from ") + table + QStringLiteral(" where ") + field
                                + QStringLiteral("=") + sqlQuoted(value) + QStringLiteral(" order by ")
                                + orderField);
}

void FilterQueryInt(Dataset& query, const QString& table, const QString& field, qint32 value,
                    const QString& orderField)
{
    replaceStatement(query, QStringLiteral("select * from ") + table + QStringLiteral(" where ") + field
                                + QStringLiteral("=") + QString::number(value) + QStringLiteral(" order by ")
                                + orderField);
}

void FilterQueryReal(Dataset& query, const QString& table, const QString& field, double value,
                     const QString& orderField)
{
    replaceStatement(query, QStringLiteral("select * from ") + table + QStringLiteral(" where ") + field
                                + QStringLiteral("=") + sqlNumber(value) + QStringLiteral(" order by ")
                                + orderField);
}

void SortQuery(Dataset& query, const QString& table, const QString& field)
{
    replaceStatement(query, QStringLiteral("select * from ") + table + QStringLiteral(" order by ") + field);
}

} // namespace data
