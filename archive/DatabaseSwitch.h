#pragma once

#include <QString>

class TDM1;

namespace archive {

// Points the data module's one connection at another database file and reopens on it every
// dataset that was open (and every dataset of the data module), so that no window goes on
// showing the other file's rows. A row still being edited is committed first, to the file it
// was read from. If the new file cannot be opened or read, the connection goes back to the file
// it had, with its datasets, and the error is thrown on.
void switchDatabase(TDM1& dm, const QString& connectionString);

} // namespace archive
