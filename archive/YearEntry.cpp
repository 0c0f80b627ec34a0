#include "archive/YearEntry.h"

#include "ui/ShortDateFormat.h"

#include <limits>

namespace archive {

YearEntryError::YearEntryError(const QString& text)
    : message_(QStringLiteral("'%1' is not a valid integer value").arg(text))
    , bytes_(message_.toUtf8())
{
}

int yearFromEntry(const QString& text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == n)
        throw YearEntryError(text);
    qint64 value = 0;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            throw YearEntryError(text);
        value = value * 10 + (c.unicode() - '0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            throw YearEntryError(text);
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        throw YearEntryError(text);
    return int(value);
}

QString currentYearText(const QDate& today)
{
    ui::setShortDateFormat(QStringLiteral("yyyy"));
    return ui::formatShortDate(today);
}

QString archiveFolder()
{
    return QStringLiteral("archiv");
}

QString archivePath(const QString& yearText)
{
    return archiveFolder() + QStringLiteral("/db_") + yearText + QStringLiteral(".mdb");
}

QString workingDatabase()
{
    return QStringLiteral("db_Tavrel.mdb");
}

} // namespace archive
