#pragma once

#include "TempDir.h"

#include <QString>
#include <QStringList>
#include <ostream>

// Failure messages show texts as text.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// Small registers written straight into the file, so that a test states exactly which rows
// it starts from.
struct RegisterRow {
    int key;              // uchot_N
    int ind;              // uchot_ind
    QString name;         // naim_name; a null QString leaves the column unset
    qint64 price = 0;     // uchot_cena
    int supplier = 0;     // post_kod
    int group = 0;        // type_kod
    int january = 0;
};

inline QString sqlLiteral(const QString& text)
{
    if (text.isNull())
        return QStringLiteral("NULL");
    QString t = text;
    t.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

inline void addRows(const WorkDir& w, const std::vector<RegisterRow>& rows)
{
    QStringList values;
    for (const RegisterRow& r : rows)
        values << QStringLiteral("(%1,%2,%3,%4,%5,%6,%7,'2024')")
                      .arg(r.key)
                      .arg(r.ind)
                      .arg(sqlLiteral(r.name))
                      .arg(r.price)
                      .arg(r.supplier)
                      .arg(r.group)
                      .arg(r.january);
    w.exec(QStringLiteral("INSERT INTO uchot (uchot_N, uchot_ind, naim_name, uchot_cena, post_kod, type_kod, "
                          "январь, uchot_god) VALUES ")
           + values.join(QLatin1Char(',')));
}

// The keys of every row of an open dataset, in its order.
template <class DS>
std::vector<int> keysOf(DS& ds, const QString& keyField = QStringLiteral("uchot_N"))
{
    std::vector<int> keys;
    const int fi = ds.fieldIndex(keyField);
    for (int r = 0; r < ds.recordCount(); ++r)
        keys.push_back(int(ds.intValue(r, fi)));
    return keys;
}
