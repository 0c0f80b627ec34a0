// The Down key's check against the register table gives what re-reading Tuchot, moving to its
// last row and locating LastUchotN would give.

#include "TempDir.h"
#include "data/U_dm.h"

#include <gtest/gtest.h>

namespace {

qint32 byTableWalk(TDM1& dm, qint32 lastUchotN)
{
    dm.Tuchot.close();
    dm.Tuchot.open();
    dm.Tuchot.last();
    dm.Tuchot.locate(QStringLiteral("uchot_N"), lastUchotN, true);
    return dm.Tuchot.asInt(QStringLiteral("uchot_N"));
}

TEST(DownCheck, AgreesWithTheWalkOverTheTable)
{
    WorkDir work(0);
    TDM1 dm;
    EXPECT_EQ(dm.downCheckRow(0), 0);                 // empty table
    EXPECT_EQ(dm.downCheckRow(7), byTableWalk(dm, 7));

    work.exec(QStringLiteral("insert into uchot (uchot_ind) values (3), (1), (2), (9);"
                             "delete from uchot where uchot_N = 4;"));   // the highest key is gone
    for (const qint32 last : {0, 1, 2, 3, 4, 5, -1}) {
        SCOPED_TRACE(last);
        EXPECT_EQ(dm.downCheckRow(last), byTableWalk(dm, last));
    }
    EXPECT_EQ(dm.downCheckRow(2), 2);
    EXPECT_EQ(dm.downCheckRow(4), 3);   // a deleted row: the table's last row in stored order
}

} // namespace
