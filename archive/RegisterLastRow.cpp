#include "archive/RegisterLastRow.h"

#include "data/U_dm.h"

namespace archive {

void storeLastRegisterRow(TDM1& dm, data::LastUchotNHolder& holder)
{
    const data::Dataset& q = dm.Quchot;
    const int field = q.isOpen() ? q.fieldIndex(QStringLiteral("uchot_N")) : -1;
    const int rows = q.isOpen() ? q.recordCount() : 0;
    holder.setLastUchotN(field >= 0 && rows > 0 ? qint32(q.intValue(rows - 1, field)) : 0);
}

} // namespace archive
