#pragma once

#include "TempDir.h"
#include "data/U_dm.h"
#include "output/U_rep.h"

#include <QString>
#include <memory>

// A working folder with a register of `rows` rows whose printed texts are known, the data module
// over it and the report form.
//   row i (1-based): naim_name "Резец<iii>", uchot_cena 50000+i, uchot_sredm 9000+i, supplier
//   "Альфа" for odd i and "Бета" for even i, month m holds i*100+m, uchot_ind i. For up to 89 rows
//   every number printed is unique, so a word read back from the PDF names its row and column.
struct ReportFixture {
    explicit ReportFixture(int rows);

    static QString name(int row) { return QStringLiteral("Резец%1").arg(row, 3, 10, QLatin1Char('0')); }
    static QString price(int row) { return QString::number(50000 + row); }
    static QString average(int row) { return QString::number(9000 + row); }
    static QString supplier(int row) { return row % 2 ? QStringLiteral("Альфа") : QStringLiteral("Бета"); }
    static QString month(int row, int m) { return QString::number(row * 100 + m); }

    WorkDir dir;
    std::unique_ptr<TDM1> dm;
    std::unique_ptr<TF_QRep> rep;
};
