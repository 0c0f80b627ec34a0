#include "settings/SaveOnClose.h"

#include "data/DbError.h"
#include "settings/GridSettings.h"
#include "settings/IniFile.h"
#include "settings/U_nastr.h"
#include "ui/Dialogs.h"

namespace settings {

void saveOnClose(TF_nastr& nastr, ui::DBGrid& grid, const QString& iniPath)
{
    IniFile ini(iniPath);
    nastr.writeCheckStates(ini);
    writeGridSettings(grid, ini);
    try {
        ini.save();
    } catch (const data::DbError& e) {
        ui::dialogs().applicationError(e.message());
    }
}

} // namespace settings
