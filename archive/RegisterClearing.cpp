#include "archive/RegisterClearing.h"

#include "archive/RegisterLastRow.h"
#include "data/U_dm.h"

namespace archive {

QString clearingStatement(const QString& yearText)
{
    // The year goes in as a text literal; it comes from the clock, never from the clerk.
    return QStringLiteral("UPDATE uchot SET uchot.uchot_cena = 0, uchot.uchot_god = '") + yearText
           + QStringLiteral("', uchot.uchot_sredm = 0, uchot.январь = 0, uchot.февраль = 0, uchot.март = 0, "
                            "uchot.апрель = 0, uchot.май = 0, uchot.июнь = 0, uchot.июль = 0, uchot.август = 0, "
                            "uchot.сентябрь = 0, uchot.октябрь = 0, uchot.ноябрь = 0, uchot.декабрь = 0");
}

void clearRegister(TDM1& dm, data::Dataset& Qop, const QString& yearText, data::LastUchotNHolder& lastRow)
{
    dm.Quchot.close();
    Qop.close();
    Qop.clearSql();
    Qop.setSql(clearingStatement(yearText));
    Qop.execSql();
    dm.Quchot.close();
    dm.Quchot.open();
    storeLastRegisterRow(dm, lastRow);
}

} // namespace archive
