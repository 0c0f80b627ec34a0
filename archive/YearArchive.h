#pragma once

#include <QDate>

class TDM1;

namespace data {
class Dataset;
class LastUchotNHolder;
}

namespace archive {

// The year-end command: asks for the year, files a consistent copy of the working database
// away as archiv/db_<year as typed>.mdb and, after a second question, clears the register for
// the new year through Qop. Every message and question goes through ui::dialogs(); any error
// is told as "Ошибка вида: …   Вызовите программиста (423)" and ends the command. The register
// is cleared only after a copy made and checked in this run; any failure to copy is told with
// its reason. Leaves the program-wide short date format at "yyyy".
void archiveAndClear(TDM1& dm, data::Dataset& Qop, data::LastUchotNHolder& lastRow,
                     const QDate& today = QDate::currentDate());

} // namespace archive
