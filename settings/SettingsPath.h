#pragma once

#include <QString>

namespace settings {

// The settings file sits beside the program file and is named after it, its extension replaced
// by ".INI" (uchet.exe -> uchet.INI; uchet, which has none, -> uchet.INI). It does not depend
// on the working directory.
QString settingsFilePathFor(const QString& programFile);

// The settings file of the running program.
QString settingsFilePath();

} // namespace settings
