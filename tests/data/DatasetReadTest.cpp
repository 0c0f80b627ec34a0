// Reading a dataset: open and close, statements, the cursor, fields and locate.

#include "RegisterRows.h"

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/DbError.h"

#include <gtest/gtest.h>
#include <memory>

using data::Connection;
using data::Dataset;
using data::DbError;

namespace {

class DatasetRead : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Stored order differs from uchot_ind order on purpose.
        addRows(w, {{1, 3, QStringLiteral("Фреза концевая"), 200, 1, 2, 7},
                    {2, 1, QStringLiteral("Сверло 10"), 100, 2, 1, 0},
                    {3, 2, QStringLiteral("сверло 5"), 150, 1, 1, 3},
                    {4, 5, QStringLiteral(""), 0, 0, 0, 0},
                    {5, 4, QString(), 0, 0, 0, 0}});
        w.exec(QStringLiteral("UPDATE uchot SET uchot_cena=NULL, январь=NULL, uchot_god=NULL WHERE uchot_N=5"));
        c.open();
        q = std::make_unique<Dataset>(c, Dataset::Kind::Query, QStringLiteral("Quchot"));
        q->setSql(QStringLiteral("select * from uchot order by uchot_ind"));
        q->open();
    }

    WorkDir w{0};
    Connection c;
    std::unique_ptr<Dataset> q;
};

int key(const Dataset& ds) { return ds.asInt(QStringLiteral("uchot_N")); }

} // namespace

TEST_F(DatasetRead, OpenHoldsTheRowsInStatementOrderAndCloseDropsThem)
{
    EXPECT_TRUE(q->isOpen());
    EXPECT_EQ(q->state(), Dataset::State::Browse);
    EXPECT_EQ(keysOf(*q), (std::vector<int>{2, 3, 1, 5, 4}));
    EXPECT_EQ(key(*q), 2);
    EXPECT_TRUE(q->bof());
    EXPECT_FALSE(q->eof());

    q->close();
    EXPECT_FALSE(q->isOpen());
    EXPECT_EQ(q->recordCount(), 0);
    EXPECT_TRUE(q->eof());
    EXPECT_THROW(q->next(), DbError);
}

TEST_F(DatasetRead, ANewStatementTakesEffectAtTheNextOpen)
{
    q->setSql(QStringLiteral("select * from uchot where post_kod=1 order by uchot_ind"));
    EXPECT_EQ(q->recordCount(), 5) << "the rows held change only at the next open";
    q->close();
    q->clearSql();
    EXPECT_THROW(q->open(), DbError);
    q->setSql(QStringLiteral("select * from uchot where post_kod=1 order by uchot_ind"));
    q->open();
    EXPECT_EQ(keysOf(*q), (std::vector<int>{3, 1}));
}

TEST_F(DatasetRead, AnInvalidStatementIsAnErrorAndLeavesTheDatasetClosed)
{
    q->close();
    q->setSql(QStringLiteral("select * from uchot order by nosuchcolumn"));
    try {
        q->open();
        FAIL() << "an invalid statement opened";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("nosuchcolumn"))) << e.what();
    }
    EXPECT_FALSE(q->isOpen());
    EXPECT_EQ(q->recordCount(), 0);
}

TEST_F(DatasetRead, CursorMovesAndReportsBothEnds)
{
    // Each step: the move, then the key of the current row and the eof/bof flags.
    enum Move { First, Last, Next, Prior };
    struct Step {
        Move move;
        int key;
        bool eof;
        bool bof;
    };
    const Step steps[] = {
        {Last, 4, false, false},  {Next, 4, true, false},  {Next, 4, true, false},
        {Prior, 5, false, false}, {First, 2, false, true}, {Prior, 2, false, true},
        {Next, 3, false, false},  {Next, 1, false, false}, {Last, 4, false, false},
    };
    int i = 0;
    for (const Step& s : steps) {
        switch (s.move) {
        case First: q->first(); break;
        case Last: q->last(); break;
        case Next: q->next(); break;
        case Prior: q->prior(); break;
        }
        EXPECT_EQ(key(*q), s.key) << "step " << i;
        EXPECT_EQ(q->eof(), s.eof) << "step " << i;
        EXPECT_EQ(q->bof(), s.bof) << "step " << i;
        ++i;
    }
}

TEST_F(DatasetRead, EmptyDatasetIsAtBothEndsWhateverTheMove)
{
    q->close();
    q->setSql(QStringLiteral("select * from uchot where uchot_N=99"));
    q->open();
    EXPECT_TRUE(q->isEmpty());
    const std::function<void()> moves[] = {[&] { q->first(); }, [&] { q->last(); }, [&] { q->next(); },
                                           [&] { q->prior(); }};
    for (size_t i = 0; i < std::size(moves); ++i) {
        moves[i]();
        EXPECT_TRUE(q->eof()) << "move " << i;
        EXPECT_TRUE(q->bof()) << "move " << i;
        EXPECT_EQ(q->currentRow(), -1) << "move " << i;
        EXPECT_EQ(key(*q), 0) << "move " << i;
        EXPECT_EQ(q->asText(QStringLiteral("naim_name")), QString()) << "move " << i;
    }
}

TEST_F(DatasetRead, FieldsByNameWithoutRegardToCaseAndNullsAsZeroOrEmpty)
{
    q->first();
    struct Case {
        const char* field;
        int asInt;
        const char* asText;
    };
    const Case onFirst[] = {
        {"UCHOT_N", 2, "2"},        {"uchot_n", 2, "2"},          {"NAIM_NAME", 0, "Сверло 10"},
        {"Uchot_Cena", 100, "100"}, {"ЯНВАРЬ", 0, "0"},           {"Январь", 0, "0"},
        {"uchot_god", 2024, "2024"}, {"post_KOD", 2, "2"},
    };
    for (const Case& c : onFirst) {
        const QString f = QString::fromUtf8(c.field);
        EXPECT_EQ(q->asInt(f), c.asInt) << c.field;
        EXPECT_EQ(q->asText(f), QString::fromUtf8(c.asText)) << c.field;
    }

    ASSERT_TRUE(q->locate(QStringLiteral("uchot_N"), 5));
    for (const char* f : {"naim_name", "uchot_cena", "январь", "uchot_god"}) {
        EXPECT_TRUE(q->isNull(QString::fromUtf8(f))) << f;
        EXPECT_EQ(q->asInt(QString::fromUtf8(f)), 0) << f;
        EXPECT_EQ(q->asText(QString::fromUtf8(f)), QString()) << f;
    }
    EXPECT_THROW(q->asInt(QStringLiteral("no_such_field")), DbError);
    EXPECT_THROW(q->asText(QStringLiteral("no_such_field")), DbError);
}

TEST_F(DatasetRead, LocateFindsTheFirstRowInOrderOrKeepsTheCurrentOne)
{
    struct Case {
        const char* name;
        const char* field;
        QVariant value;
        bool found;
        int key;      // current row afterwards
    };
    // Before each case the cursor stands on the row with key 1 (third in order).
    const Case cases[] = {
        {"text prefix, first in order", "naim_name", QStringLiteral("Сверло"), true, 2},
        {"prefix regardless of case", "naim_name", QStringLiteral("СВЕРЛО 5"), true, 3},
        {"whole text", "naim_name", QStringLiteral("Фреза концевая"), true, 1},
        {"no match keeps the row", "naim_name", QStringLiteral("Метчик"), false, 1},
        {"longer than the text", "naim_name", QStringLiteral("Сверло 10 мм"), false, 1},
        {"empty value matches empty text only", "naim_name", QStringLiteral(""), true, 5},
        {"integer equality", "uchot_ind", 2, true, 3},
        {"no integer equal", "uchot_N", 0, false, 1},
        {"field name in another case", "UCHOT_IND", 5, true, 4},
        {"decimal equality", "uchot_cena", qint64(150), true, 3},
        {"number field given as text: equality", "uchot_cena", QStringLiteral("150"), true, 3},
        {"number field given as text: no prefix", "uchot_cena", QStringLiteral("1"), false, 1},
        {"number field given an empty text finds it unset", "uchot_cena", QStringLiteral(""), true, 5},
        {"number field given letters", "uchot_ind", QStringLiteral("два"), false, 1},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(q->locate(QStringLiteral("uchot_N"), 1));
        EXPECT_EQ(q->locate(QString::fromUtf8(c.field), c.value, true), c.found) << c.name;
        EXPECT_EQ(key(*q), c.key) << c.name;
    }
    EXPECT_THROW(q->locate(QStringLiteral("nope"), 1), DbError);
}

TEST_F(DatasetRead, LocateOnAnEmptyDatasetFindsNothing)
{
    q->close();
    q->setSql(QStringLiteral("select * from uchot where uchot_N=99"));
    q->open();
    EXPECT_FALSE(q->locate(QStringLiteral("uchot_N"), 1));
    EXPECT_FALSE(q->locate(QStringLiteral("naim_name"), QStringLiteral("")));
    EXPECT_EQ(q->currentRow(), -1);
}

TEST_F(DatasetRead, RowsAreReadableByIndexForTheGrid)
{
    const int name = q->fieldIndex(QStringLiteral("naim_name"));
    const int jan = q->fieldIndex(QStringLiteral("январь"));
    ASSERT_GE(name, 0);
    ASSERT_GE(jan, 0);
    EXPECT_EQ(q->text(0, name), QStringLiteral("Сверло 10"));
    EXPECT_EQ(q->text(2, jan), QStringLiteral("7"));
    EXPECT_EQ(q->intValue(2, jan), 7);
    EXPECT_TRUE(q->isNullAt(3, jan));
    EXPECT_EQ(q->text(3, jan), QString());
}
