#pragma once

#include <QString>

namespace ui {
class DBGrid;
}

namespace settings {

class IniFile;

// The register grid's font and column visibility in the section "Options GlGrid" of the
// settings file. Only positions 1 to 19 have keys; position 0, the hidden record number,
// is left alone.

// Reads the section into the grid; a missing file, key or a value that is no integer yields
// 10-point "MS Sans Serif" and every column shown. Never fails.
void LoadGridSettings(ui::DBGrid& grid, const QString& iniPath);
// Writes the section from the grid. Throws data::DbError "Unable to write to <path>" when the
// file cannot be replaced; the file then stays as it was.
void SaveGridSettings(ui::DBGrid& grid, const QString& iniPath);

// The same on a file already in memory, for saving several sections in one write.
void readGridSettings(ui::DBGrid& grid, const IniFile& ini);
void writeGridSettings(const ui::DBGrid& grid, IniFile& ini);

inline constexpr int kGridFontSizeDefault = 10;
// Sizes outside this range cannot be drawn sensibly in a grid and read as the default.
inline constexpr int kGridFontSizeMin = 1;
inline constexpr int kGridFontSizeMax = 144;

} // namespace settings
