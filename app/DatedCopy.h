#pragma once

#include <QDate>
#include <QString>

// The copy of the database made at every start, named "rest" + the day's date + ".mdb".
// The date is the system's short date with every character a file name cannot hold turned into
// a full stop, so that one copy per day always results.
QString datedCopyName(const QDate& day);

// Copies the database to that name unless the name exists. Failures go unnoticed, as the copy
// must never keep the program from starting.
void makeDatedCopy(const QString& databasePath, const QDate& day);
