#include "data/ConnectionString.h"

#include <QStringList>

namespace data {

QString designConnectionString()
{
    static const char* const pairs[][2] = {
        {"Provider", "Microsoft.Jet.OLEDB.4.0"},
        {"User ID", "Admin"},
        {"Data Source", "db_Tavrel.mdb"},
        {"Mode", "Share Deny None"},
        {"Extended Properties", "\"\""},
        {"Jet OLEDB:System database", "\"\""},
        {"Jet OLEDB:Registry Path", "\"\""},
        {"Jet OLEDB:Database Password", "\"\""},
        {"Jet OLEDB:Engine Type", "5"},
        {"Jet OLEDB:Database Locking Mode", "1"},
        {"Jet OLEDB:Global Partial Bulk Ops", "2"},
        {"Jet OLEDB:Global Bulk Transactions", "1"},
        {"Jet OLEDB:New Database Password", "\"\""},
        {"Jet OLEDB:Create System Database", "False"},
        {"Jet OLEDB:Encrypt Database", "False"},
        {"Jet OLEDB:Don't Copy Locale on Compact", "False"},
        {"Jet OLEDB:Compact Without Replica Repair", "False"},
        {"Jet OLEDB:SFP", "False"},
    };
    QStringList parts;
    for (const auto& p : pairs)
        parts << QString::fromUtf8(p[0]) + QLatin1Char('=') + QString::fromUtf8(p[1]);
    return parts.join(QLatin1Char(';'));
}

QString connectionValue(const QString& connectionString, const QString& key)
{
    const QStringList parts = connectionString.split(QLatin1Char(';'));
    for (const QString& part : parts) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (part.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        QString value = part.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return {};
}

QString dataSourcePath(const QString& connectionString)
{
    QString path = connectionValue(connectionString, QStringLiteral("Data Source"));
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

} // namespace data
