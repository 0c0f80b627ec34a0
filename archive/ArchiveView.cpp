#include "archive/ArchiveView.h"

#include "archive/ArchiveModeView.h"
#include "archive/DatabaseSwitch.h"
#include "archive/RegisterLastRow.h"
#include "archive/YearEntry.h"
#include "data/U_dm.h"
#include "ui/Dialogs.h"

#include <QFileInfo>

namespace archive {

QString archiveConnectionString(const QString& yearText)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=archiv\\db_") + yearText
           + QStringLiteral(".mdb;Persist Security Info=False");
}

QString workingConnectionString()
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + workingDatabase()
           + QStringLiteral(";Persist Security Info=False");
}

void viewArchive(TDM1& dm, const ArchiveModeView& view, data::LastUchotNHolder& lastRow)
{
    const QString year = ui::dialogs().input(QStringLiteral("Просмотр архивов"),
                                             QStringLiteral("Введите год за который просматривается архив"), QString());
    if (QFileInfo(archivePath(year)).isFile()) {
        switchDatabase(dm, archiveConnectionString(year));
        view.showArchive(year);
    } else {
        ui::dialogs().message(QStringLiteral("Архива за") + year + QStringLiteral(" год не существует!"));
    }
    if (!dm.Adc1.isOpen())
        dm.Adc1.open();
    dm.Quchot.open();
    storeLastRegisterRow(dm, lastRow);
}

void returnToWorkingData(TDM1& dm, const ArchiveModeView& view, data::LastUchotNHolder& lastRow)
{
    switchDatabase(dm, workingConnectionString());
    dm.Quchot.open();
    storeLastRegisterRow(dm, lastRow);
    view.showWorking();
}

} // namespace archive
