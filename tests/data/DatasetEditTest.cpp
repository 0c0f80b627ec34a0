// Changing rows through a dataset: edit, insert, append, post, cancel, delete, refresh, and the
// keys the engine gives.

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

class DatasetEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        addRows(w, {{1, 1, QStringLiteral("Сверло"), 100}, {2, 2, QStringLiteral("Фреза"), 200},
                    {3, 3, QStringLiteral("Резец"), 300}});
        c.open();
        q = std::make_unique<Dataset>(c, Dataset::Kind::Query, QStringLiteral("Quchot"));
        q->setSql(QStringLiteral("select * from uchot order by uchot_ind"));
        q->afterPost = [this](Dataset& ds) {
            ++posts;
            postedKey = ds.asInt(QStringLiteral("uchot_N"));
        };
        q->afterDelete = [this](Dataset&) { ++deletes; };
        q->open();
    }

    QString stored(int key, const QString& column) const
    {
        return w.scalar(QStringLiteral("SELECT %1 FROM uchot WHERE uchot_N=%2").arg(column).arg(key));
    }
    int count() const { return w.scalar(QStringLiteral("SELECT count(*) FROM uchot")).toInt(); }

    WorkDir w{0};
    Connection c;
    std::unique_ptr<Dataset> q;
    int posts = 0;
    int deletes = 0;
    int postedKey = -1;
};

int key(const Dataset& ds) { return ds.asInt(QStringLiteral("uchot_N")); }

} // namespace

TEST_F(DatasetEdit, PostWritesTheEditedRowThroughAndRunsTheAfterPostEvent)
{
    q->next();
    q->edit();
    EXPECT_EQ(q->state(), Dataset::State::Edit);
    q->setText(QStringLiteral("Январь"), QStringLiteral("12"));
    q->setText(QStringLiteral("naim_name"), QStringLiteral("Фреза Ø8"));
    EXPECT_EQ(q->asText(QStringLiteral("naim_name")), QStringLiteral("Фреза Ø8")) << "the edit shows at once";
    EXPECT_EQ(stored(2, QStringLiteral("naim_name")), QStringLiteral("Фреза")) << "nothing is written before post";
    q->post();
    EXPECT_EQ(q->state(), Dataset::State::Browse);
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(postedKey, 2);
    EXPECT_EQ(stored(2, QStringLiteral("январь")), QStringLiteral("12"));
    EXPECT_EQ(stored(2, QStringLiteral("naim_name")), QStringLiteral("Фреза Ø8"));
    EXPECT_EQ(stored(2, QStringLiteral("uchot_cena")), QStringLiteral("200")) << "untouched columns stay";
    EXPECT_EQ(stored(1, QStringLiteral("naim_name")), QStringLiteral("Сверло"));
    EXPECT_EQ(key(*q), 2);
}

TEST_F(DatasetEdit, SettingNullWritesNull)
{
    q->edit();
    q->setNull(QStringLiteral("uchot_cena"));
    q->setText(QStringLiteral("naim_name"), QString());
    q->post();
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT uchot_cena IS NULL AND naim_name IS NULL FROM uchot WHERE uchot_N=1")),
              QStringLiteral("1"));
    EXPECT_EQ(q->asInt(QStringLiteral("uchot_cena")), 0);
}

TEST_F(DatasetEdit, CancelDropsTheEditAndWritesNothing)
{
    q->edit();
    q->setText(QStringLiteral("naim_name"), QStringLiteral("другое"));
    q->cancel();
    EXPECT_EQ(q->state(), Dataset::State::Browse);
    EXPECT_EQ(q->asText(QStringLiteral("naim_name")), QStringLiteral("Сверло"));
    EXPECT_EQ(stored(1, QStringLiteral("naim_name")), QStringLiteral("Сверло"));
    EXPECT_EQ(posts, 0);
}

TEST_F(DatasetEdit, InsertOpensANewRowAtTheCursorAndPostGivesItAKeyFromTheEngine)
{
    q->next();     // on "Фреза", the second row
    q->insert();
    EXPECT_EQ(q->state(), Dataset::State::Insert);
    EXPECT_EQ(q->insertRow(), 1);
    EXPECT_EQ(q->currentRow(), 1);
    EXPECT_EQ(q->recordCount(), 4);
    EXPECT_EQ(q->asText(QStringLiteral("naim_name")), QString());
    EXPECT_EQ(q->text(2, q->fieldIndex(QStringLiteral("naim_name"))), QStringLiteral("Фреза"))
        << "the rows below the new one move down";
    q->setText(QStringLiteral("naim_name"), QStringLiteral("Метчик"));
    q->setInt(QStringLiteral("uchot_ind"), 7);
    q->post();
    EXPECT_EQ(count(), 4);
    EXPECT_EQ(postedKey, 4);
    EXPECT_EQ(key(*q), 4);
    EXPECT_EQ(keysOf(*q), (std::vector<int>{1, 4, 2, 3}));
    EXPECT_EQ(stored(4, QStringLiteral("naim_name")), QStringLiteral("Метчик"));
    EXPECT_EQ(stored(4, QStringLiteral("uchot_ind")), QStringLiteral("7"));
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT uchot_cena IS NULL FROM uchot WHERE uchot_N=4")), QStringLiteral("1"))
        << "a column left unset stays unset";
}

TEST_F(DatasetEdit, AppendAddsAtTheEndAndCancelRemovesThePendingRow)
{
    q->first();
    q->append();
    EXPECT_EQ(q->insertRow(), 3);
    EXPECT_EQ(q->recordCount(), 4);
    q->setText(QStringLiteral("naim_name"), QStringLiteral("Новая"));
    q->cancel();
    EXPECT_EQ(q->state(), Dataset::State::Browse);
    EXPECT_EQ(q->recordCount(), 3);
    EXPECT_EQ(count(), 3);

    q->append();
    q->setText(QStringLiteral("naim_name"), QStringLiteral("Новая"));
    q->post();
    EXPECT_EQ(keysOf(*q), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(q->currentRow(), 3);
    EXPECT_EQ(stored(4, QStringLiteral("naim_name")), QStringLiteral("Новая"));
}

TEST_F(DatasetEdit, EditOnAnEmptyDatasetBeginsAnInsert)
{
    w.exec(QStringLiteral("DELETE FROM uchot"));
    q->close();
    q->open();
    ASSERT_TRUE(q->isEmpty());
    q->edit();
    EXPECT_EQ(q->state(), Dataset::State::Insert);
    q->setText(QStringLiteral("naim_name"), QStringLiteral("Первая"));
    q->post();
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(q->recordCount(), 1);
    EXPECT_EQ(q->asText(QStringLiteral("naim_name")), QStringLiteral("Первая"));
    EXPECT_GT(key(*q), 3) << "a key is never given twice, even after every row is gone";
}

TEST_F(DatasetEdit, MovingAwayPostsAModifiedRowAndDropsAnUntouchedOne)
{
    q->edit();
    q->next();
    EXPECT_EQ(q->state(), Dataset::State::Browse);
    EXPECT_EQ(posts, 0);

    q->insert();
    q->next();
    EXPECT_EQ(q->recordCount(), 3) << "an untouched new row is dropped";

    q->edit();
    q->setText(QStringLiteral("январь"), QStringLiteral("4"));
    q->first();
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(stored(postedKey, QStringLiteral("январь")), QStringLiteral("4"));
}

TEST_F(DatasetEdit, RemoveDeletesFromTheFileAndRunsTheAfterDeleteEvent)
{
    q->next();
    q->remove();
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(stored(2, QStringLiteral("uchot_N")), QString());
    EXPECT_EQ(keysOf(*q), (std::vector<int>{1, 3}));
    EXPECT_EQ(key(*q), 3);

    q->remove();
    q->remove();
    EXPECT_EQ(deletes, 3);
    EXPECT_TRUE(q->isEmpty());
    EXPECT_TRUE(q->eof());
    EXPECT_THROW(q->remove(), DbError);
    EXPECT_EQ(deletes, 3);
}

TEST_F(DatasetEdit, RefreshReadsCurrentValuesAndKeepsTheCurrentRow)
{
    q->last();     // "Резец", key 3
    w.exec(QStringLiteral("UPDATE uchot SET naim_name='Резец отрезной' WHERE uchot_N=3"));
    w.exec(QStringLiteral("INSERT INTO uchot (uchot_N, uchot_ind, naim_name) VALUES (10, 0, 'Первая по номеру')"));
    q->refresh();
    EXPECT_EQ(key(*q), 3);
    EXPECT_EQ(q->asText(QStringLiteral("naim_name")), QStringLiteral("Резец отрезной"));
    EXPECT_EQ(q->currentRow(), q->recordCount() - 1);

    q->first();    // key 10
    w.exec(QStringLiteral("DELETE FROM uchot WHERE uchot_N=10"));
    q->refresh();
    EXPECT_EQ(q->state(), Dataset::State::Browse);
    EXPECT_EQ(q->currentRow(), 0) << "the row is gone: the cursor stays where it stood";
}

TEST_F(DatasetEdit, AutomaticKeysCountUpAndAreNeverReused)
{
    std::vector<int> keys;
    for (int i = 0; i < 3; ++i) {
        q->append();
        q->setText(QStringLiteral("naim_name"), QStringLiteral("ряд %1").arg(i));
        q->post();
        keys.push_back(key(*q));
    }
    EXPECT_EQ(keys, (std::vector<int>{4, 5, 6}));
    q->last();
    ASSERT_EQ(key(*q), 6);
    q->remove();
    q->append();
    q->setText(QStringLiteral("naim_name"), QStringLiteral("после удаления"));
    q->post();
    EXPECT_EQ(key(*q), 7);

    // Another connection sees the same rule.
    w.exec(QStringLiteral("DELETE FROM uchot WHERE uchot_N=7"));
    w.exec(QStringLiteral("INSERT INTO uchot (naim_name) VALUES ('снаружи')"));
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT max(uchot_N) FROM uchot")), QStringLiteral("8"));
}

TEST_F(DatasetEdit, KeyIsReadOnlyAndWritingNeedsEditState)
{
    EXPECT_THROW(q->setText(QStringLiteral("naim_name"), QStringLiteral("x")), DbError);
    q->edit();
    EXPECT_THROW(q->setInt(QStringLiteral("uchot_N"), 99), DbError);
    EXPECT_THROW(q->setText(QStringLiteral("no_such"), QStringLiteral("x")), DbError);
    q->cancel();
    EXPECT_EQ(stored(1, QStringLiteral("uchot_N")), QStringLiteral("1"));
}

TEST_F(DatasetEdit, PostOfARowDeletedMeanwhileIsRefusedAndTheRowStaysInEdit)
{
    q->edit();
    q->setText(QStringLiteral("naim_name"), QStringLiteral("правка"));
    w.exec(QStringLiteral("DELETE FROM uchot WHERE uchot_N=1"));
    EXPECT_THROW(q->post(), DbError);
    EXPECT_EQ(q->state(), Dataset::State::Edit);
    EXPECT_EQ(posts, 0);
    EXPECT_EQ(count(), 2);
}

TEST_F(DatasetEdit, TableDatasetWritesToItsTable)
{
    Dataset t(c, Dataset::Kind::Table, QStringLiteral("TType"));
    t.setTableName(QStringLiteral("type"));
    t.open();
    t.append();
    t.setText(QStringLiteral("type_name"), QStringLiteral("Свёрла"));
    t.post();
    EXPECT_EQ(w.scalar(QStringLiteral("SELECT type_name FROM type WHERE type_kod=%1").arg(t.asInt(QStringLiteral("type_kod")))),
              QStringLiteral("Свёрла"));
}
