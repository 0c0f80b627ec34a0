// How a typed year is read and where its archive goes.

#include "archive/YearEntry.h"
#include "ui/ShortDateFormat.h"

#include <gtest/gtest.h>

using archive::YearEntryError;

TEST(YearEntry, ReadsWholeNumbersAsTheProgramAlwaysHas)
{
    const struct {
        const char* text;
        int year;
    } accepted[] = {
        {"2023", 2023}, {"02023", 2023}, {"  2019", 2019}, {"+2019", 2019}, {"-5", -5},
        {"0", 0}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
    };
    for (const auto& c : accepted)
        EXPECT_EQ(archive::yearFromEntry(QString::fromUtf8(c.text)), c.year) << c.text;

    const char* refused[] = {"", " ", "abc", "2023 ", "20 23", "12a", "2023.0", "+", "-", "+-1",
                             "2147483648", "-2147483649", "99999999999999999999", "２０２３"};
    for (const char* text : refused) {
        try {
            archive::yearFromEntry(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted: " << text;
        } catch (const YearEntryError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(text)));
        }
    }
}

TEST(YearEntry, ArchivePathKeepsTheYearAsTyped)
{
    EXPECT_EQ(archive::archivePath(QStringLiteral("2023")), QStringLiteral("archiv/db_2023.mdb"));
    EXPECT_EQ(archive::archivePath(QStringLiteral("02023")), QStringLiteral("archiv/db_02023.mdb"));
    EXPECT_EQ(archive::archivePath(QStringLiteral(" +0002019")), QStringLiteral("archiv/db_ +0002019.mdb"));
}

TEST(YearEntry, CurrentYearLeavesTheShortDateFormatAtTheYear)
{
    ui::setShortDateFormat(QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(archive::currentYearText(QDate(2008, 12, 31)), QStringLiteral("2008"));
    EXPECT_EQ(ui::shortDateFormat(), QStringLiteral("yyyy"));
    EXPECT_EQ(ui::formatShortDate(QDate(2031, 1, 2)), QStringLiteral("2031"));
}
