#include "test_report_fixture.h"

#include "data/Schema.h"

#include <QStringList>

ReportFixture::ReportFixture(int rows)
    : dir(0)
{
    QString sql = QStringLiteral("BEGIN;"
                                 "INSERT INTO postman (post_kod, post_name) VALUES (1, 'Альфа'), (2, 'Бета');"
                                 "INSERT INTO type (type_kod, type_name) VALUES (14, 'Резцы');");
    const QString months = data::monthColumns().join(QLatin1Char(','));
    for (int i = 1; i <= rows; ++i) {
        QStringList values;
        for (int m = 1; m <= 12; ++m)
            values << month(i, m);
        sql += QStringLiteral("INSERT INTO uchot (naim_name, uchot_cena, uchot_god, uchot_sredm, %1, uchot_ind, "
                              "post_kod, type_kod) VALUES ('%2', %3, '2024', %4, %5, %6, %7, 14);")
                   .arg(months, name(i), price(i), average(i), values.join(QLatin1Char(',')))
                   .arg(i)
                   .arg(i % 2 ? 1 : 2);
    }
    sql += QStringLiteral("COMMIT;");
    dir.exec(sql);
    dm = std::make_unique<TDM1>();
    rep = std::make_unique<TF_QRep>(dm->Quchot);
}
