#pragma once

#include <QString>

class TDM1;

namespace data {
class LastUchotNHolder;
}

namespace archive {

struct ArchiveModeView;

// The connection strings of the two modes.
QString archiveConnectionString(const QString& yearText);
QString workingConnectionString();

// "Просмотр архивов": asks for a year and, when archiv/db_<year>.mdb is a file, shows that
// archive in the main window; every dataset then works on the archive file. Otherwise tells
// that there is no such archive and nothing changes. An archive that cannot be opened or read
// leaves the program on the file it had and throws data::DbError.
void viewArchive(TDM1& dm, const ArchiveModeView& view, data::LastUchotNHolder& lastRow);

// "Вернуть текущие данные": the working database again. If it cannot be opened the program
// stays on the archive, with the way back still offered, and data::DbError is thrown.
void returnToWorkingData(TDM1& dm, const ArchiveModeView& view, data::LastUchotNHolder& lastRow);

} // namespace archive
