// A value that does not fit its column is refused when it is typed: a message in Russian,
// nothing written, the row still in edit with its earlier values.

#include "RegisterRows.h"

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/DbError.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using data::Connection;
using data::Dataset;
using data::DbError;

namespace {

struct Refused {
    const char* what;
    const char* field;
    QString value;
    const char* message;      // a piece the message must hold
};

bool russian(const QString& s)
{
    static const QRegularExpression cyrillic(QStringLiteral("[а-яА-ЯёЁ]{4,}"));
    return s.contains(cyrillic);
}

} // namespace

TEST(RefusedValue, IsRefusedWithAClearMessageAndNothingIsWritten)
{
    const Refused cases[] = {
        {"letters in a month", "январь", QStringLiteral("12а"), "не является целым числом"},
        {"decimal comma in a month", "февраль", QStringLiteral("1,5"), "не является целым числом"},
        {"beyond 32 bits in a month", "март", QStringLiteral("2147483648"), "не помещается"},
        {"below 32 bits in a month", "март", QStringLiteral("-2147483649"), "не помещается"},
        {"far beyond 64 bits in a month", "апрель", QStringLiteral("123456789012345678901234"), "не помещается"},
        {"letters in the number", "uchot_ind", QStringLiteral("пять"), "не является целым числом"},
        {"letters in a price", "uchot_cena", QStringLiteral("100р"), "не является целым числом"},
        {"19 digits in a price", "uchot_cena", QStringLiteral("1000000000000000000"), "не более 18 цифр"},
        {"negative 19 digits in a price", "uchot_cena", QStringLiteral("-1000000000000000000"), "не более 18 цифр"},
        {"21 digits in an average", "uchot_sredm", QStringLiteral("123456789012345678901"), "не более 18 цифр"},
        {"five characters in a year", "uchot_god", QStringLiteral("20245"), "4"},
        {"101 characters in a name", "naim_name", QString(101, QChar(0x0416)), "100"},
        {"letters in a supplier code", "post_kod", QStringLiteral("ООО"), "не является целым числом"},
    };
    for (const Refused& c : cases) {
        WorkDir w(0);
        addRows(w, {{1, 1, QStringLiteral("Сверло"), 100}});
        w.exec(QStringLiteral("UPDATE uchot SET uchot_sredm=3, февраль=2, март=3, апрель=4"));
        const QString field = QString::fromUtf8(c.field);
        const QString storedBefore = w.scalar(QStringLiteral("SELECT quote(%1) FROM uchot").arg(field));
        Connection conn;
        conn.open();
        Dataset q(conn, Dataset::Kind::Query, QStringLiteral("Quchot"));
        q.setSql(QStringLiteral("select * from uchot"));
        q.open();
        const QString shownBefore = q.asText(field);
        q.edit();
        try {
            q.setText(field, c.value);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message))) << c.what << ": " << e.what();
            EXPECT_TRUE(russian(e.message())) << c.what << ": " << e.what();
        }
        EXPECT_EQ(q.state(), Dataset::State::Edit) << c.what;
        EXPECT_FALSE(q.modified()) << c.what;
        EXPECT_EQ(q.asText(field), shownBefore) << c.what;
        q.post();
        EXPECT_EQ(w.scalar(QStringLiteral("SELECT quote(%1) FROM uchot").arg(field)), storedBefore) << c.what;
    }
}

TEST(RefusedValue, TheLimitsThemselvesAreAccepted)
{
    const struct {
        const char* field;
        QString value;
        const char* stored;
    } cases[] = {
        {"январь", QStringLiteral("2147483647"), "2147483647"},
        {"январь", QStringLiteral("-2147483648"), "-2147483648"},
        {"январь", QStringLiteral(" 15 "), "15"},
        {"uchot_cena", QStringLiteral("999999999999999999"), "999999999999999999"},
        {"uchot_cena", QStringLiteral("-999999999999999999"), "-999999999999999999"},
        {"uchot_god", QStringLiteral("2024"), "2024"},
        {"naim_name", QString(100, QChar(0x0416)), nullptr},
        {"naim_name", QStringLiteral("Сверло 5'"), "Сверло 5'"},
    };
    for (const auto& c : cases) {
        WorkDir w(0);
        addRows(w, {{1, 1, QStringLiteral("Сверло"), 100}});
        Connection conn;
        conn.open();
        Dataset q(conn, Dataset::Kind::Query, QStringLiteral("Quchot"));
        q.setSql(QStringLiteral("select * from uchot"));
        q.open();
        q.edit();
        const QString field = QString::fromUtf8(c.field);
        q.setText(field, c.value);
        q.post();
        const QString expected = c.stored ? QString::fromUtf8(c.stored) : c.value;
        EXPECT_EQ(w.scalar(QStringLiteral("SELECT %1 FROM uchot").arg(field)), expected) << c.field;
        EXPECT_EQ(q.asText(field), expected) << c.field;
    }
}
