#include "ui/ShortDateFormat.h"

#include <QLocale>

namespace ui {

namespace {
QString& currentFormat()
{
    // Read from the locale on first use, so that a locale set at start-up is the one taken.
    static QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    return format;
}
} // namespace

QString shortDateFormat()
{
    return currentFormat();
}

void setShortDateFormat(const QString& format)
{
    currentFormat() = format;
}

QString formatShortDate(const QDate& date)
{
    // The system locale writes the names of months and days, should the format hold them.
    return QLocale::system().toString(date, currentFormat());
}

} // namespace ui
