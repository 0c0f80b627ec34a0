// The statement forms the program builds, run against a real file, and the helpers that splice
// values into them.

#include "RegisterRows.h"

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/DbError.h"
#include "data/QueryBuilders.h"
#include "data/SqlText.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <memory>

using data::Connection;
using data::Dataset;
using data::DbError;

namespace {

class StatementForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        addRows(w, {{1, 4, QStringLiteral("Сверло спиральное"), 100, 1, 1, 5},
                    {2, 3, QStringLiteral("СВЕРЛО центровочное"), 150, 2, 1, 0},
                    {3, 2, QStringLiteral("Фреза"), 200, 3, 2, 5},
                    {4, 1, QStringLiteral("Сверло 5'"), 250, 2, 1, 9},
                    {5, 5, QStringLiteral("Drill bit"), 1234, 4, 3, 1}});
        w.exec(QStringLiteral("UPDATE uchot SET uchot_god='2023' WHERE uchot_N IN (2,3)"));
        c.open();
        q = std::make_unique<Dataset>(c, Dataset::Kind::Query, QStringLiteral("Quchot"));
    }

    std::vector<int> run(const QString& sql)
    {
        q->close();
        q->setSql(sql);
        q->open();
        return keysOf(*q);
    }

    WorkDir w{0};
    Connection c;
    std::unique_ptr<Dataset> q;
};

class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleGuard() { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

} // namespace

TEST_F(StatementForm, SelectFormsAsTheProgramWritesThem)
{
    const struct {
        const char* sql;
        std::vector<int> keys;
    } cases[] = {
        {"select * from uchot order by uchot_iNd", {4, 3, 2, 1, 5}},
        {"SELECT * FROM UCHOT ORDER BY UCHOT_N", {1, 2, 3, 4, 5}},
        {"select * from uchot where uchot_n=3", {3}},
        {"select   *   from  uchot   where  uchot.январь=5   order  by   uchot_ind", {3, 1}},
        {"select * from uchot where январь=5 order by uchot.uchot_N", {1, 3}},
        {"select * from uchot where naim_name like '%сВЕРЛ%' order by uchot_ind", {4, 2, 1}},
        {"select * from uchot where naim_name like '%DRILL%' order by uchot_ind", {5}},
        {"select * from uchot where naim_name like '%5''%' order by uchot_ind", {4}},
        {"select * from uchot where naim_name like '%ё%' order by uchot_ind", {}},
        {"select * from uchot where (uchot_cena>=150) And (uchot_cena<=250) order by uchot_ind", {4, 3, 2}},
        {"select * from uchot where (uchot_cena>=150.0) and (uchot_cena<=250.5) order by uchot_ind", {4, 3, 2}},
        {"select * from uchot where post_kod=1 or post_kod=3 order by uchot_ind", {3, 1}},
        {"select * from uchot where post_kod=2 OR post_kod=4 Or post_kod=9 order by uchot_N", {2, 4, 5}},
        {"select * from uchot where uchot_god='2023' order by uchot_ind", {3, 2}},
        {"select * from uchot where naim_name='Сверло 5''' order by uchot_ind", {4}},
        {"select * from uchot where uchot_cena=1234 order by naim_name", {5}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(run(QString::fromUtf8(c.sql)), c.keys) << c.sql;
}

TEST_F(StatementForm, LikeFoldsCaseForCyrillicAndLatinAndKeepsItsWildcards)
{
    const struct {
        const char* pattern;
        const char* text;
        bool match;
    } cases[] = {
        {"%сВЕРЛ%", "Сверло", true},   {"сверло", "СВЕРЛО", true},  {"%ЁЖ%", "ёжик", true},
        {"%е%", "Ёлка", false},        {"_верло", "Сверло", true},  {"С%о", "Сверло", true},
        {"%abc%", "xABCx", true},      {"%", "", true},
        {"_", "", false},              {"%лоб%", "Сверло", false},  {"100%", "100", true},
    };
    for (const auto& c : cases) {
        const QString sql = QStringLiteral("SELECT %1 LIKE %2")
                                .arg(data::sqlQuoted(QString::fromUtf8(c.text)),
                                     data::sqlQuoted(QString::fromUtf8(c.pattern)));
        q->setSql(sql);
        q->open();
        EXPECT_EQ(q->text(0, 0), QString::fromUtf8(c.match ? "1" : "0")) << c.pattern << " ~ " << c.text;
        q->close();
    }
}

TEST_F(StatementForm, LikeWithEscapeAndNulls)
{
    EXPECT_EQ(run(QStringLiteral("select * from uchot where naim_name like '%!%%' escape '!'")), std::vector<int>{});
    w.exec(QStringLiteral("UPDATE uchot SET naim_name='скидка 5%' WHERE uchot_N=5"));
    EXPECT_EQ(run(QStringLiteral("select * from uchot where naim_name like '%5!%%' escape '!'")), std::vector<int>{5});
    w.exec(QStringLiteral("UPDATE uchot SET naim_name=NULL WHERE uchot_N=5"));
    EXPECT_EQ(run(QStringLiteral("select * from uchot where naim_name like '%' order by uchot_N")),
              (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(StatementForm, UpdateWithQualifiedTargetsRunsOnEveryRow)
{
    c.execute(QStringLiteral("UPDATE uchot SET uchot.январь = 0, uchot.uchot_god = '2024'"));
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT count(*) FROM uchot WHERE январь=0 AND uchot_god='2024'")),
              QStringLiteral("5"));

    c.execute(QStringLiteral("update  UCHOT  set  uchot.uchot_cena = 0 ,UCHOT.naim_name = 'uchot.a, uchot.b = 1'"));
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT count(*) FROM uchot WHERE uchot_cena=0 AND naim_name='uchot.a, uchot.b = 1'")),
              QStringLiteral("5"));

    EXPECT_THROW(c.execute(QStringLiteral("UPDATE uchot SET uchot.nosuch = 0")), DbError);
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT count(*) FROM uchot WHERE uchot_cena=0")), QStringLiteral("5"));
}

TEST(StatementText, AdaptStatementStripsOnlyTheTargetsOfSet)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"UPDATE uchot SET uchot.январь = 0, uchot.uchot_god = '2024'",
         "UPDATE uchot SET январь = 0, uchot_god = '2024'"},
        {"UPDATE uchot SET uchot.naim_name = 'uchot.x, uchot.y'", "UPDATE uchot SET naim_name = 'uchot.x, uchot.y'"},
        {"UPDATE uchot SET uchot.a = 'it''s, uchot.b', uchot.c = 1", "UPDATE uchot SET a = 'it''s, uchot.b', c = 1"},
        {"UPDATE uchot SET a = 1 WHERE uchot.b = 2", "UPDATE uchot SET a = 1 WHERE uchot.b = 2"},
        {"select * from uchot where uchot.январь=0", "select * from uchot where uchot.январь=0"},
        {"UPDATE uchotx SET uchot.a = 1", "UPDATE uchotx SET uchot.a = 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(data::adaptStatement(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(StatementText, QuotedAndNumbersWhateverTheLocale)
{
    EXPECT_EQ(data::sqlQuoted(QStringLiteral("Сверло 5'")), QStringLiteral("'Сверло 5'''"));
    EXPECT_EQ(data::sqlQuoted(QStringLiteral("''")), QStringLiteral("''''''"));
    EXPECT_EQ(data::sqlQuoted(QString()), QStringLiteral("''"));
    for (const QLocale& l : {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Russian, QLocale::Russia),
                             QLocale::c()}) {
        LocaleGuard g(l);
        EXPECT_EQ(data::sqlNumber(1234.5), QStringLiteral("1234.5")) << l.name().toStdString();
        EXPECT_EQ(data::sqlNumber(-0.25), QStringLiteral("-0.25")) << l.name().toStdString();
        EXPECT_EQ(data::sqlNumber(1234567.0), QStringLiteral("1234567")) << l.name().toStdString();
        EXPECT_EQ(data::sqlNumber(123456789012345.0), QStringLiteral("123456789012345")) << l.name().toStdString();
        EXPECT_EQ(data::sqlNumber(qint64(999999999999999999)), QStringLiteral("999999999999999999"));
    }
}

TEST_F(StatementForm, BuildersQuoteTextsAndWriteNumbersWithAFullStop)
{
    FilterQueryText(*q, QStringLiteral("uchot"), QStringLiteral("naim_name"), QStringLiteral("Сверло 5'"),
                    QStringLiteral("uchot_ind"));
    EXPECT_EQ(keysOf(*q), std::vector<int>{4});
    EXPECT_EQ(q->currentRow(), 0) << "the builders leave the query on its last row";

    FilterQueryText(*q, QStringLiteral("uchot"), QStringLiteral("naim_name"), QStringLiteral("x' or '1'='1"),
                    QStringLiteral("uchot_ind"));
    EXPECT_TRUE(q->isEmpty());

    FilterQueryInt(*q, QStringLiteral("uchot"), QStringLiteral("post_kod"), 2, QStringLiteral("uchot_N"));
    EXPECT_EQ(keysOf(*q), (std::vector<int>{2, 4}));
    EXPECT_EQ(q->asInt(QStringLiteral("uchot_N")), 4);

    for (const QLocale& l : {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Russian, QLocale::Russia)}) {
        LocaleGuard g(l);
        FilterQueryReal(*q, QStringLiteral("uchot"), QStringLiteral("uchot_cena"), 1234.0, QStringLiteral("uchot_ind"));
        EXPECT_EQ(keysOf(*q), std::vector<int>{5}) << l.name().toStdString();
        FilterQueryReal(*q, QStringLiteral("uchot"), QStringLiteral("uchot_cena"), 1233.5, QStringLiteral("uchot_ind"));
        EXPECT_TRUE(q->isEmpty()) << l.name().toStdString();
    }

    SortQuery(*q, QStringLiteral("uchot"), QStringLiteral("naim_name"));
    EXPECT_EQ(q->recordCount(), 5);
    EXPECT_EQ(q->sql(), QStringLiteral("select * from uchot order by naim_name"));
    EXPECT_EQ(q->currentRow(), 4);
}
