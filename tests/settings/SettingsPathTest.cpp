#include "settings/SettingsPath.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(SettingsPath, ProgramFileWithItsExtensionReplaced)
{
    const struct {
        const char* program;
        const char* ini;
    } cases[] = {
        {"/opt/uchet/uchet", "/opt/uchet/uchet.INI"},
        {"/opt/uchet/uchet.exe", "/opt/uchet/uchet.INI"},
        {"/opt/my.tools/uchet", "/opt/my.tools/uchet.INI"},
        {"/opt/uchet/uchet.old.exe", "/opt/uchet/uchet.old.INI"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(settings::settingsFilePathFor(c.program), QString(c.ini)) << c.program;
}

TEST(SettingsPath, RunningProgramsFileBesideIt)
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    EXPECT_EQ(settings::settingsFilePath(), program.absolutePath() + "/" + program.fileName() + ".INI");
}
