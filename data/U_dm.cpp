#include "data/U_dm.h"

#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "data/Schema.h"

#include <sqlite3.h>

TDM1* DM1 = nullptr;

using data::Dataset;

TDM1::TDM1(const QString& connectionString)
    : Quchot(Adc1, Dataset::Kind::Query, QStringLiteral("Quchot"))
    , Tuchot(Adc1, Dataset::Kind::Table, QStringLiteral("Tuchot"))
    , Qnaim(Adc1, Dataset::Kind::Query, QStringLiteral("Qnaim"))
    , Qqnaim(Adc1, Dataset::Kind::Query, QStringLiteral("Qqnaim"))
    , Qtype(Adc1, Dataset::Kind::Query, QStringLiteral("Qtype"))
    , TType(Adc1, Dataset::Kind::Table, QStringLiteral("TType"))
    , Qpost(Adc1, Dataset::Kind::Query, QStringLiteral("Qpost"))
    , Qqtype(Adc1, Dataset::Kind::Query, QStringLiteral("Qqtype"))
    , Qqpost(Adc1, Dataset::Kind::Query, QStringLiteral("Qqpost"))
{
    if (!connectionString.isEmpty())
        Adc1.setConnectionString(connectionString);

    Quchot.setSql(QStringLiteral("select * from uchot order by uchot_ind"));
    Tuchot.setTableName(QStringLiteral("uchot"));
    Qnaim.setSql(QStringLiteral("select * from naim order by naim_name"));
    Qqnaim.setSql(QStringLiteral("select * from naim order by naim_name"));
    Qtype.setSql(QStringLiteral("select * from type order by type_kod"));
    TType.setTableName(QStringLiteral("type"));
    Qpost.setSql(QStringLiteral("select * from postman order by post_name"));
    Qqtype.setSql(QStringLiteral("select * from type order by type_name"));
    Qqpost.setSql(QStringLiteral("select * from postman order by post_name"));

    QStringList uchotFields = {QStringLiteral("uchot_N"), QStringLiteral("naim_name"), QStringLiteral("type_name"),
                               QStringLiteral("uchot_cena"), QStringLiteral("uchot_god"), QStringLiteral("uchot_sredm")};
    uchotFields << data::monthColumns();
    uchotFields << QStringLiteral("post_kod") << QStringLiteral("post_name") << QStringLiteral("type_kod")
                << QStringLiteral("uchot_ind");
    Quchot.addLookupField(QStringLiteral("type_name"), QStringLiteral("type_kod"), Qqtype,
                          QStringLiteral("type_kod"), QStringLiteral("type_name"), 70);
    Quchot.addLookupField(QStringLiteral("post_name"), QStringLiteral("post_kod"), Qqpost,
                          QStringLiteral("post_kod"), QStringLiteral("post_name"), 80);
    Quchot.declareFields(uchotFields);

    // Messages about a refused value name the field as the register grid titles it.
    const std::pair<const char*, const char*> labels[] = {
        {"naim_name", "Наименование"}, {"uchot_cena", "учётная цена"}, {"uchot_god", "год"},
        {"uchot_sredm", "Ср. расход в мес."}, {"uchot_ind", "№"}, {"post_name", "Поставщик"},
        {"type_name", "группа инструментов"}};
    for (const auto& [field, label] : labels)
        Quchot.setDisplayLabel(QString::fromUtf8(field), QString::fromUtf8(label));

    QStringList tuchotFields = {QStringLiteral("uchot_N"), QStringLiteral("naim_name"), QStringLiteral("uchot_cena"),
                                QStringLiteral("uchot_god"), QStringLiteral("uchot_sredm")};
    tuchotFields << data::monthColumns();
    tuchotFields << QStringLiteral("uchot_ind") << QStringLiteral("post_kod") << QStringLiteral("type_kod");
    Tuchot.declareFields(tuchotFields);

    Qnaim.addLookupField(QStringLiteral("type_name"), QStringLiteral("type_kod"), Qqtype,
                         QStringLiteral("type_kod"), QStringLiteral("type_name"), 50);
    Qnaim.declareFields({QStringLiteral("naim_kod"), QStringLiteral("naim_name"), QStringLiteral("type_kod"),
                         QStringLiteral("type_name")});
    Qqnaim.declareFields({QStringLiteral("naim_kod"), QStringLiteral("naim_name"), QStringLiteral("type_kod")});
    TType.declareFields({QStringLiteral("type_kod"), QStringLiteral("type_name")});
    // The lookup sources must hold the key and the result the lookups read; without them every
    // group and supplier would show empty instead of the start-up failing with a message.
    Qqtype.declareFields({QStringLiteral("type_kod"), QStringLiteral("type_name")});
    Qqpost.declareFields({QStringLiteral("post_kod"), QStringLiteral("post_name")});

    Quchot.afterPost = [this](Dataset& ds) { QuchotAfterPost(ds); };
    Quchot.afterDelete = [this](Dataset& ds) { QuchotAfterDelete(ds); };
    Qnaim.afterDelete = [this](Dataset& ds) { QnaimAfterDelete(ds); };

    Adc1.open();
    openDatasets();
}

TDM1::~TDM1()
{
    if (DM1 == this)
        DM1 = nullptr;
}

void TDM1::openDatasets()
{
    // The lookup sources first, so the register's lookups are there when it is shown.
    for (Dataset* ds : {&Qqtype, &Qqpost, &Quchot, &Tuchot, &Qnaim, &Qqnaim, &Qtype, &TType, &Qpost})
        ds->open();
}

qint32 TDM1::downCheckRow(qint32 lastUchotN)
{
    sqlite3* db = Adc1.handle();
    if (!db)
        throw data::DbError(QStringLiteral("Соединение с базой данных закрыто"));
    // Stored order is the order of the automatic key, so the last stored row has the highest.
    const char* sql =
        "select coalesce((select uchot_N from uchot where uchot_N = ?1),"
        " (select uchot_N from uchot order by uchot_N desc limit 1), 0)";
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        Adc1.fail();
    sqlite3_bind_int64(st, 1, lastUchotN);
    const int rc = sqlite3_step(st);
    const qint32 row = rc == SQLITE_ROW ? qint32(sqlite3_column_int64(st, 0)) : 0;
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW)
        Adc1.fail();
    return row;
}

QString TDM1::registerStatement()
{
    return QStringLiteral("select * from uchot order by uchot_iNd");
}

void TDM1::setLastUchotN(qint32 v)
{
    if (registerWindow_)
        registerWindow_->setLastUchotN(v);
}

void TDM1::QuchotAfterPost(Dataset& dataSet)
{
    const qint32 p = dataSet.asInt(QStringLiteral("uchot_N"));
    Quchot.close();
    Quchot.setSql(registerStatement());
    Quchot.open();
    Quchot.last();
    setLastUchotN(Quchot.asInt(QStringLiteral("uchot_N")));
    Quchot.locate(QStringLiteral("uchot_n"), p, true);
}

void TDM1::QuchotAfterDelete(Dataset&)
{
    Quchot.last();
    setLastUchotN(Quchot.asInt(QStringLiteral("uchot_N")));
}

void TDM1::QnaimAfterDelete(Dataset&)
{
    Qnaim.last();
    if (namesWindow_)
        namesWindow_->setLastNaimKod(Qnaim.asInt(QStringLiteral("naim_kod")));
}
