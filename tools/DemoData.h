#pragma once

#include <QString>

namespace tools {

// Fills a new database with plausible reference books and `rows` register rows.
void fillDemo(const QString& databasePath, int rows);

// Makes the working folder: the empty database, the archive folder and the dialog picture.
// Refuses an existing database. Returns the database's path.
QString makeWorkingFolder(const QString& dir);

// The month period dialog's background, drawn here (pure white pixels are see-through).
bool writeDialogPicture(const QString& path);

} // namespace tools
