#pragma once

#include <QString>

class TF_nastr;
namespace ui {
class DBGrid;
}

namespace settings {

// What the main window's close handler saves: first the column hiding dialog's ticks, then the
// grid's font and column visibility, in one write of the settings file. When the file cannot
// be written, the application's error box says "Unable to write to <path>", the file stays as it
// was, and the caller goes on closing.
void saveOnClose(TF_nastr& nastr, ui::DBGrid& grid, const QString& iniPath);

} // namespace settings
