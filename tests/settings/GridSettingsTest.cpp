// The grid's section of the settings file: what a start reads into the register grid and what
// a close writes back.

#include "Fixtures.h"
#include "TempDir.h"
#include "settings/GridSettings.h"
#include "settings/IniFile.h"

#include <gtest/gtest.h>

using settings::LoadGridSettings;
using settings::SaveGridSettings;

namespace {
const QString kAllShown = QStringLiteral("1111111111111111111");
const QString kSection = QStringLiteral("Options GlGrid");
}

TEST(GridSettings, MissingFileShowsDesignFontAndEveryColumn)
{
    WorkDir dir(-1);
    auto grid = makeRegisterGrid();
    grid->setColumnVisible(2, false);
    grid->setColumnVisible(19, false);
    QFont f = grid->font();
    f.setPointSize(20);
    f.setFamily("Courier");
    grid->setFont(f);

    LoadGridSettings(*grid, dir.file("uchet.INI"));

    EXPECT_EQ(grid->font().pointSize(), 10);
    EXPECT_EQ(grid->font().family(), "MS Sans Serif");
    EXPECT_EQ(visibility(*grid), kAllShown);
    EXPECT_FALSE(grid->isColumnVisible(0));
    EXPECT_FALSE(QFile::exists(dir.file("uchet.INI")));   // reading creates nothing
}

TEST(GridSettings, VisibleValueOfTheSupplierColumn)
{
    const struct {
        const char* value;
        bool shown;
    } cases[] = {
        {"0", false}, {"0x0", false}, {"1", true}, {"5", true}, {"0x1", true},
        {"-1", true}, {"abc", true}, {"", true},   {"1x", true},
    };
    WorkDir dir(-1);
    const QString path = dir.file("uchet.INI");
    for (const auto& c : cases) {
        writeFileBytes(path, QByteArray("[Options GlGrid]\r\npost_name Visible=") + c.value + "\r\n");
        auto grid = makeRegisterGrid();
        LoadGridSettings(*grid, path);
        EXPECT_EQ(grid->isColumnVisible(2), c.shown) << "value \"" << c.value << "\"";
        EXPECT_EQ(visibility(*grid).remove(1, 1), QString(18, u'1')) << "value \"" << c.value << "\"";
    }
}

TEST(GridSettings, FontSizeAndFaceFromTheFile)
{
    const struct {
        const char* size;
        const char* name;
        int expectedSize;
        const char* expectedName;
    } cases[] = {
        {"14", "Arial", 14, "Arial"},
        {"0xC", "Times New Roman", 12, "Times New Roman"},
        {"abc", "Arial", 10, "Arial"},
        {"0", "", 10, "MS Sans Serif"},          // no usable size or face: the defaults
        {"-8", "Arial", 10, "Arial"},
        {"100000", "Arial", 10, "Arial"},
        {"144", "No Such Face", 144, "No Such Face"},   // handed to the grid as it is
    };
    WorkDir dir(-1);
    const QString path = dir.file("uchet.INI");
    for (const auto& c : cases) {
        writeFileBytes(path, QByteArray("[Options GlGrid]\r\nDBGrid1 font-size=") + c.size
                                 + "\r\nDBGrid1 font-name=" + c.name + "\r\n");
        auto grid = makeRegisterGrid();
        LoadGridSettings(*grid, path);
        EXPECT_EQ(grid->font().pointSize(), c.expectedSize) << c.size;
        EXPECT_EQ(grid->font().family(), QString(c.expectedName)) << c.name;
    }
}

TEST(GridSettings, FirstSaveWritesTwentyOneKeysInPositionOrder)
{
    WorkDir dir(-1);
    const QString path = dir.file("uchet.INI");
    auto grid = makeRegisterGrid();
    LoadGridSettings(*grid, path);
    grid->setColumnVisible(2, false);
    grid->setColumnVisible(8, false);

    SaveGridSettings(*grid, path);

    EXPECT_EQ(sectionLines(path, kSection),
              QStringList({"DBGrid1 font-size=10", "DBGrid1 font-name=MS Sans Serif",
                           "uchot_ind Visible=1", "post_name Visible=0", "uchot_god Visible=1",
                           "naim_name Visible=1", "type_name Visible=1", "uchot_cena Visible=1",
                           "uchot_sredm Visible=1", "январь Visible=0", "февраль Visible=1",
                           "март Visible=1", "апрель Visible=1", "май Visible=1", "июнь Visible=1",
                           "июль Visible=1", "август Visible=1", "сентябрь Visible=1",
                           "октябрь Visible=1", "ноябрь Visible=1", "декабрь Visible=1"}));
    // The month keys are Windows-1251 bytes, one a letter.
    EXPECT_TRUE(readFileBytes(path).contains("\r\n\xFF\xED\xE2\xE0\xF0\xFC Visible=0\r\n"));

    auto again = makeRegisterGrid();
    LoadGridSettings(*again, path);
    EXPECT_EQ(visibility(*again), "1011111011111111111");
}

TEST(GridSettings, OldWindowsFileIsReadAndWrittenBackInPlace)
{
    WorkDir dir(-1);
    const QString path = dir.file("uchet.INI");
    // As the old program left it: upper-case spellings of our own, Cyrillic keys in
    // Windows-1251, a section of another tool in between.
    const QByteArray old = "[OPTIONS GLGRID]\r\n"
                           "DBGrid1 font-size=14\r\n"
                           "DBGrid1 font-name=Arial Cyr\r\n"
                           "\xDF\xCD\xC2\xC0\xD0\xDC VISIBLE=0\r\n"   // "ЯНВАРЬ VISIBLE"
                           "\xE4\xE5\xEA\xE0\xE1\xF0\xFC Visible=0\r\n"   // "декабрь Visible"
                           "\r\n"
                           "[Printer]\r\n"
                           "port=LPT1\r\n";
    writeFileBytes(path, old);

    auto grid = makeRegisterGrid();
    LoadGridSettings(*grid, path);
    EXPECT_EQ(grid->font().pointSize(), 14);
    EXPECT_EQ(grid->font().family(), "Arial Cyr");
    EXPECT_EQ(visibility(*grid), "1111111011111111110");

    SaveGridSettings(*grid, path);
    const QByteArray saved = readFileBytes(path);
    // Each key still once, in its old spelling; the foreign section untouched.
    EXPECT_TRUE(saved.startsWith("[OPTIONS GLGRID]\r\n"
                                 "DBGrid1 font-size=14\r\n"
                                 "DBGrid1 font-name=Arial Cyr\r\n"
                                 "\xDF\xCD\xC2\xC0\xD0\xDC VISIBLE=0\r\n"
                                 "\xE4\xE5\xEA\xE0\xE1\xF0\xFC Visible=0\r\n"
                                 "uchot_ind Visible=1\r\n"));
    EXPECT_TRUE(saved.endsWith("\r\n\r\n[Printer]\r\nport=LPT1\r\n"));
    EXPECT_EQ(sectionLines(path, kSection).size(), 21);
}
