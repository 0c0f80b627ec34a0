#pragma once

#include <QDate>
#include <QString>

namespace ui {

// The program-wide short date format. It starts as the system locale's short date format; the
// register's Down key and the year-end archiving set it to "yyyy" and leave it so, after which
// every date written in the short format shows the year alone (the report's title among them).
QString shortDateFormat();
void setShortDateFormat(const QString& format);

// A date written in the program-wide short date format.
QString formatShortDate(const QDate& date);

} // namespace ui
