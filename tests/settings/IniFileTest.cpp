// The settings file format on real files: Windows-1251 text, names compared without regard to
// case, integers, defaults, unknown lines kept, and a write that replaces the file whole or not
// at all.

#include "Fixtures.h"
#include "TempDir.h"
#include "data/DbError.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using settings::IniFile;

namespace {

const QString kGrid = QStringLiteral("Options GlGrid");

// "январь" and "Поставщик" as the old program wrote them, one byte a letter.
const QByteArray kJanuary1251 = QByteArrayLiteral("\xFF\xED\xE2\xE0\xF0\xFC");

} // namespace

TEST(IniFile, MissingFileYieldsDefaults)
{
    WorkDir dir(-1);
    const IniFile ini(dir.file("none.INI"));
    EXPECT_EQ(ini.readInteger(kGrid, "DBGrid1 font-size", 10), 10);
    EXPECT_EQ(ini.readString(kGrid, "DBGrid1 font-name", "MS Sans Serif"), "MS Sans Serif");
    EXPECT_TRUE(ini.bytes().isEmpty());
}

TEST(IniFile, ReadsWindows1251FileWithCyrillicKeysIgnoringCase)
{
    WorkDir dir(-1);
    const QString path = dir.file("uchet.INI");
    writeFileBytes(path, "[Options GlGrid]\r\n"
                     "DBGrid1 font-size=14\r\n"
                     "DBGrid1 font-name=Arial Cyr\r\n"
                     + kJanuary1251 + " Visible=0\r\n"
                     "post_name Visible=0\r\n"
                     "\r\n"
                     "[Options NCheckBox]\r\n"
                     "CheckBox2 checked=1\r\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.readInteger(kGrid, "DBGrid1 font-size", 10), 14);
    EXPECT_EQ(ini.readString(kGrid, "DBGrid1 font-name", "x"), "Arial Cyr");
    EXPECT_EQ(ini.readInteger(kGrid, QStringLiteral("январь Visible"), 1), 0);
    EXPECT_EQ(ini.readInteger(QStringLiteral("OPTIONS glgrid"), QStringLiteral("ЯНВАРЬ visible"), 1), 0);
    EXPECT_EQ(ini.readInteger(kGrid, QStringLiteral("POST_NAME VISIBLE"), 1), 0);
    EXPECT_EQ(ini.readInteger(kGrid, QStringLiteral("февраль Visible"), 1), 1);
    EXPECT_EQ(ini.readInteger("options ncheckbox", "checkbox2 CHECKED", 0), 1);
    // A key of one section is not found in another.
    EXPECT_EQ(ini.readInteger("Options NCheckBox", "post_name Visible", 7), 7);
    EXPECT_EQ(ini.readInteger("No Such Section", "DBGrid1 font-size", 7), 7);
}

TEST(IniFile, IntegerValues)
{
    struct Case {
        const char* value;
        int expected;   // the default is -999
    };
    const Case cases[] = {
        {"0", 0},          {"1", 1},           {"5", 5},          {"-3", -3},
        {"+7", 7},         {"  12  ", 12},     {"0x1", 1},        {"0X1f", 31},
        {"0x00000010", 16}, {"0xFFFFFFFF", -1}, {"2147483647", 2147483647},
        {"abc", -999},     {"", -999},         {"12abc", -999},   {"1.5", -999},
        {"0x", -999},      {"0xZZ", -999},     {"0x100000000", -999},
        {"2147483648", -999}, {"- 1", -999},   {"$10", -999},     {"1 2", -999},
    };
    WorkDir dir(-1);
    const QString path = dir.file("int.INI");
    QByteArray text = "[S]\r\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        text += "k" + QByteArray::number(qulonglong(i)) + "=" + cases[i].value + "\r\n";
    writeFileBytes(path, text);
    const IniFile ini(path);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ini.readInteger("S", "k" + QString::number(i), -999), cases[i].expected)
            << "value \"" << cases[i].value << "\"";
}

TEST(IniFile, StringValuesAreTrimmedAndUnquoted)
{
    WorkDir dir(-1);
    const QString path = dir.file("s.INI");
    writeFileBytes(path, "[S]\na =  Times New Roman  \nb=\"Courier New\"\nc=\nd=x=y\n;e=commented\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.readString("S", "a", "?"), "Times New Roman");
    EXPECT_EQ(ini.readString("S", "b", "?"), "Courier New");
    EXPECT_EQ(ini.readString("S", "c", "?"), "");
    EXPECT_EQ(ini.readString("S", "d", "?"), "x=y");
    EXPECT_EQ(ini.readString("S", ";e", "?"), "?");
    EXPECT_EQ(ini.readInteger("S", "c", 4), 4);
}

TEST(IniFile, SaveKeepsUnknownLinesAndChangesOnlyWrittenValues)
{
    WorkDir dir(-1);
    const QString path = dir.file("keep.INI");
    const QByteArray original = "; written by hand\r\n"
                                "[Other]\r\n"
                                "x=1\r\n"
                                "[options glgrid]\r\n"
                                "DBGRID1 FONT-SIZE = 12\r\n"
                                "something odd without equals\r\n"
                                "custom key=\xC0\xC1\xC2\r\n"   // "АБВ"
                                "\r\n"
                                "[Tail]\n"
                                "y=2";                       // LF and no final line break
    writeFileBytes(path, original);

    IniFile ini(path);
    ini.writeInteger(kGrid, "DBGrid1 font-size", 14);
    ini.writeInteger(kGrid, QStringLiteral("январь Visible"), 0);
    ini.writeInteger("Tail", "z", 3);
    ini.writeString("New Section", QStringLiteral("имя"), QStringLiteral("Значение"));
    ini.save();

    EXPECT_EQ(readFileBytes(path), QByteArray("; written by hand\r\n"
                                          "[Other]\r\n"
                                          "x=1\r\n"
                                          "[options glgrid]\r\n"
                                          "DBGRID1 FONT-SIZE=14\r\n"
                                          "something odd without equals\r\n"
                                          "custom key=\xC0\xC1\xC2\r\n"
                                          + kJanuary1251 + " Visible=0\r\n"
                                          "\r\n"
                                          "[Tail]\n"
                                          "y=2\r\n"
                                          "z=3\r\n"
                                          "[New Section]\r\n"
                                          "\xE8\xEC\xFF=\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5\r\n"));

    const IniFile back(path);
    EXPECT_EQ(back.readString("Other", "x", "?"), "1");
    EXPECT_EQ(back.readString(kGrid, "custom key", "?"), QStringLiteral("АБВ"));
    EXPECT_EQ(back.readString("new section", QStringLiteral("ИМЯ"), "?"), QStringLiteral("Значение"));
}

TEST(IniFile, UnchangedFileIsWrittenBackByteForByte)
{
    WorkDir dir(-1);
    const QString path = dir.file("same.INI");
    // Includes 0x98, the one byte that has no letter in the code page.
    const QByteArray original = "[A]\r\nk=\x98\xFF\r\n\n  [B]  \r\nv=1";
    writeFileBytes(path, original);
    IniFile ini(path);
    ini.writeInteger("b", "V", 1);
    ini.save();
    EXPECT_EQ(readFileBytes(path), original);
}

TEST(IniFile, LetterOutsideTheCodePageIsWrittenAsQuestionMark)
{
    WorkDir dir(-1);
    const QString path = dir.file("q.INI");
    IniFile ini(path);
    ini.writeString("S", "font", QStringLiteral("宋体 Sans\nnext"));
    ini.save();
    EXPECT_EQ(readFileBytes(path), QByteArray("[S]\r\nfont=?? Sans next\r\n"));
}

TEST(IniFile, FolderThatCannotBeMadeReportsThePath)
{
    WorkDir dir(-1);
    writeFileBytes(dir.file("plain"), "not a folder");
    const QString path = dir.file("plain/uchet.INI");   // the parent is a regular file
    IniFile ini(path);
    ini.writeInteger("S", "k", 1);
    try {
        ini.save();
        FAIL() << "the save went through";
    } catch (const data::DbError& e) {
        EXPECT_EQ(e.message(), "Unable to write to " + QDir::toNativeSeparators(path));
    }
}

TEST(IniFile, FailedWriteLeavesTheOldFileWhole)
{
    WorkDir dir(-1);
    const QString path = dir.file("full.INI");
    const QByteArray original = "[S]\r\nk=1\r\n";
    writeFileBytes(path, original);

    IniFile ini(path);
    for (int i = 0; i < 200; ++i)
        ini.writeInteger("S", "key number " + QString::number(i), i);

    // A file size limit stands in for a full disk: the write fails part way.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 256;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        ini.save();
    } catch (const data::DbError& e) {
        threw = true;
        EXPECT_EQ(e.message(), "Unable to write to " + QDir::toNativeSeparators(path));
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(threw);
    EXPECT_EQ(readFileBytes(path), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"full.INI"});   // no leftovers
}
