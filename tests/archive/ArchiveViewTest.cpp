// Viewing a year's archive in the main window and returning to the working database.

#include "ArchiveFixture.h"

#include "data/DbCopy.h"
#include "data/QueryBuilders.h"
#include "ui/CompletingComboBox.h"
#include "ui/ScriptedDialogs.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using Kind = ui::ScriptedDialogs::Kind;

namespace {

const QString workingCaption = QStringLiteral("Программа учёта инструмента для ТОРН");

QString archiveFile(const WorkDir& w, const QString& year)
{
    return w.file(QStringLiteral("archiv/db_") + year + QStringLiteral(".mdb"));
}

// Files the working database away as the archive of a year, then makes the working database
// differ from it in every table, so that each dataset shows which file it reads.
void makeArchive(const WorkDir& w, const QString& year, int extraRows)
{
    data::copyDatabase(w.dbPath(), archiveFile(w, year), data::CopyMode::FailIfExists);
    for (int i = 0; i < extraRows; ++i) {
        w.exec(QStringLiteral("INSERT INTO uchot (naim_name, uchot_ind, uchot_cena) VALUES ('после архива %1 %2', %3, 1)")
                   .arg(year)
                   .arg(i)
                   .arg(5000 + i));
        w.exec(QStringLiteral("INSERT INTO naim (naim_name, type_kod) VALUES ('новое имя %1 %2', 1)").arg(year).arg(i));
        w.exec(QStringLiteral("INSERT INTO type (type_name) VALUES ('новая группа %1 %2')").arg(year).arg(i));
        w.exec(QStringLiteral("INSERT INTO postman (post_name) VALUES ('новый поставщик %1 %2')").arg(year).arg(i));
    }
}

void view(MainWindowOnFolder& f, const QString& year)
{
    ui::ScriptedDialogsGuard boxes;
    boxes.script.expect(Kind::Input, year);
    f.gl.N21Click();
    ASSERT_TRUE(boxes.script.allAnswered());
    ASSERT_EQ(boxes.script.shown().size(), 1u) << boxes.script.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(boxes.script.shown()[0].title, QStringLiteral("Просмотр архивов"));
    EXPECT_EQ(boxes.script.shown()[0].text, QStringLiteral("Введите год за который просматривается архив"));
}

// Each dataset of the data module against the file it should be reading.
void expectDatasetsShow(MainWindowOnFolder& f, const QString& file, const char* where)
{
    TDM1& dm = f.dm;
    const struct {
        data::Dataset* ds;
        const char* count;
    } checks[] = {
        {&dm.Quchot, "SELECT count(*) FROM uchot"}, {&dm.Tuchot, "SELECT count(*) FROM uchot"},
        {&dm.Qnaim, "SELECT count(*) FROM naim"},   {&dm.Qqnaim, "SELECT count(*) FROM naim"},
        {&dm.Qtype, "SELECT count(*) FROM type"},   {&dm.TType, "SELECT count(*) FROM type"},
        {&dm.Qqtype, "SELECT count(*) FROM type"},  {&dm.Qpost, "SELECT count(*) FROM postman"},
        {&dm.Qqpost, "SELECT count(*) FROM postman"},
    };
    for (const auto& c : checks) {
        ASSERT_TRUE(c.ds->isOpen()) << where << ": " << c.ds->name().toStdString();
        EXPECT_EQ(QString::number(c.ds->recordCount()), valueIn(file, QString::fromUtf8(c.count)))
            << where << ": " << c.ds->name().toStdString();
    }
    EXPECT_EQ(columnTexts(dm.Quchot, QStringLiteral("naim_name")),
              valueIn(file, QStringLiteral("SELECT group_concat(ifnull(naim_name,''), '|') FROM "
                                           "(SELECT naim_name FROM uchot ORDER BY uchot_ind)"))
                  .split(QLatin1Char('|')))
        << where;
    // The supplier column reads its names from the same file.
    EXPECT_EQ(columnTexts(dm.Quchot, QStringLiteral("post_name")),
              valueIn(file, QStringLiteral("SELECT group_concat(ifnull(p.post_name,''), '|') FROM "
                                           "(SELECT * FROM uchot ORDER BY uchot_ind) u LEFT JOIN postman p "
                                           "ON p.post_kod = u.post_kod"))
                  .split(QLatin1Char('|')))
        << where;
}

QString lastByRunningNumber(const QString& file)
{
    return valueIn(file, QStringLiteral("SELECT uchot_N FROM uchot ORDER BY uchot_ind DESC LIMIT 1"));
}

} // namespace

TEST(ArchiveView, AnArchiveIsShownWithItsCaptionAndMenusAndTheReturnBringsBackTheWorkingData)
{
    MainWindowOnFolder f(25);
    makeArchive(f.dir, QStringLiteral("2023"), 4);
    const QString archive = archiveFile(f.dir, QStringLiteral("2023"));
    ASSERT_EQ(f.gl.windowTitle(), workingCaption);
    ASSERT_FALSE(f.gl.N23->isVisible());

    view(f, QStringLiteral("2023"));
    EXPECT_EQ(f.gl.windowTitle(), QStringLiteral("Просмотр архива за 2023 год"));
    EXPECT_TRUE(f.gl.N23->isVisible());
    EXPECT_TRUE(f.gl.N23->isEnabled());
    EXPECT_FALSE(f.gl.N22->isEnabled());
    EXPECT_TRUE(f.gl.N21->isVisible());
    EXPECT_TRUE(f.gl.N21->isEnabled());
    EXPECT_EQ(f.dm.Adc1.connectionString(),
              QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=archiv\\db_2023.mdb;Persist Security Info=False"));
    EXPECT_EQ(f.dm.Adc1.databasePath(), QStringLiteral("archiv/db_2023.mdb"));
    expectDatasetsShow(f, archive, "archive");
    EXPECT_EQ(QString::number(f.gl.LastUchotN), lastByRunningNumber(archive));
    EXPECT_EQ(f.gl.CBpost->items().size(), valueIn(archive, QStringLiteral("SELECT count(*) FROM postman")).toInt());

    ui::ScriptedDialogsGuard none;
    f.gl.N23Click();
    EXPECT_EQ(f.gl.windowTitle(), workingCaption);
    EXPECT_FALSE(f.gl.N23->isVisible());
    EXPECT_TRUE(f.gl.N22->isEnabled());
    EXPECT_EQ(f.dm.Adc1.connectionString(),
              QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=db_Tavrel.mdb;Persist Security Info=False"));
    expectDatasetsShow(f, f.dir.dbPath(), "working");
    EXPECT_EQ(QString::number(f.gl.LastUchotN), lastByRunningNumber(f.dir.dbPath()));
    EXPECT_EQ(f.gl.CBpost->items().size(), valueIn(f.dir.dbPath(), QStringLiteral("SELECT count(*) FROM postman")).toInt());
}

TEST(ArchiveView, AYearWithoutAnArchiveFileIsToldAndNothingChanges)
{
    const struct {
        const char* what;
        QString typed;      // null: Cancel
        QString message;
    } cases[] = {
        {"Cancel", QString(), QStringLiteral("Архива за год не существует!")},
        {"empty", QStringLiteral(""), QStringLiteral("Архива за год не существует!")},
        {"no such year", QStringLiteral("1999"), QStringLiteral("Архива за1999 год не существует!")},
        {"a folder of the archive's name", QStringLiteral("2022"), QStringLiteral("Архива за2022 год не существует!")},
    };
    for (const auto& c : cases) {
        MainWindowOnFolder f(8);
        QDir().mkpath(archiveFile(f.dir, QStringLiteral("2022")));
        const QString before = f.dm.Adc1.connectionString();
        ui::ScriptedDialogsGuard boxes;
        boxes.script.expect(Kind::Input, c.typed);
        boxes.script.expect(Kind::Message);
        f.gl.N21Click();
        EXPECT_EQ(boxes.script.texts().value(1), c.message) << c.what;
        EXPECT_EQ(f.gl.windowTitle(), workingCaption) << c.what;
        EXPECT_FALSE(f.gl.N23->isVisible()) << c.what;
        EXPECT_TRUE(f.gl.N22->isEnabled()) << c.what;
        EXPECT_EQ(f.dm.Adc1.connectionString(), before) << c.what;
        EXPECT_EQ(f.dm.Quchot.recordCount(), 8) << c.what;
    }
}

TEST(ArchiveView, OneArchiveToAnotherAndTheReturnGoesToTheWorkingData)
{
    MainWindowOnFolder f(10);
    makeArchive(f.dir, QStringLiteral("2022"), 1);
    makeArchive(f.dir, QStringLiteral("2023"), 2);

    view(f, QStringLiteral("2022"));
    EXPECT_EQ(f.gl.windowTitle(), QStringLiteral("Просмотр архива за 2022 год"));
    EXPECT_EQ(f.dm.Quchot.recordCount(), 10);
    view(f, QStringLiteral("2023"));
    EXPECT_EQ(f.gl.windowTitle(), QStringLiteral("Просмотр архива за 2023 год"));
    EXPECT_TRUE(f.gl.N23->isVisible());
    EXPECT_FALSE(f.gl.N22->isEnabled());
    expectDatasetsShow(f, archiveFile(f.dir, QStringLiteral("2023")), "second archive");

    ui::ScriptedDialogsGuard none;
    f.gl.N23Click();
    EXPECT_EQ(f.gl.windowTitle(), workingCaption);
    expectDatasetsShow(f, f.dir.dbPath(), "working");
    EXPECT_EQ(f.dm.Quchot.recordCount(), 13);
}

TEST(ArchiveView, AnEditWhileAnArchiveIsShownChangesTheArchiveOnly)
{
    MainWindowOnFolder f(10);
    makeArchive(f.dir, QStringLiteral("2023"), 0);
    const QString archive = archiveFile(f.dir, QStringLiteral("2023"));
    const QString working = registerValues(f.dir.dbPath());

    view(f, QStringLiteral("2023"));
    f.dm.Quchot.first();
    const QString n = f.dm.Quchot.asText(QStringLiteral("uchot_N"));
    f.dm.Quchot.edit();
    f.dm.Quchot.setText(QStringLiteral("январь"), QStringLiteral("77"));
    f.dm.Quchot.post();
    EXPECT_EQ(valueIn(archive, QStringLiteral("SELECT январь FROM uchot WHERE uchot_N = ") + n), QStringLiteral("77"));
    EXPECT_EQ(registerValues(f.dir.dbPath()), working);

    // A row left in edit when returning is written to the archive it came from.
    f.dm.Quchot.first();
    f.dm.Quchot.edit();
    f.dm.Quchot.setText(QStringLiteral("февраль"), QStringLiteral("88"));
    ui::ScriptedDialogsGuard none;
    f.gl.N23Click();
    EXPECT_EQ(valueIn(archive, QStringLiteral("SELECT февраль FROM uchot WHERE uchot_N = ") + n), QStringLiteral("88"));
    EXPECT_EQ(registerValues(f.dir.dbPath()), working);
    EXPECT_EQ(f.dm.Quchot.recordCount(), 10);
}

TEST(ArchiveView, FiltersAndArchivingWhileAnArchiveIsShown)
{
    MainWindowOnFolder f(12);
    makeArchive(f.dir, QStringLiteral("2023"), 3);
    const QString archive = archiveFile(f.dir, QStringLiteral("2023"));
    const QString archiveValues = registerValues(archive);
    view(f, QStringLiteral("2023"));

    data::FilterQueryInt(f.dm.Quchot, QStringLiteral("uchot"), QStringLiteral("uchot_cena"), 1, QStringLiteral("uchot_N"));
    EXPECT_EQ(f.dm.Quchot.recordCount(), 0);     // the rows priced 1 were added after the archive
    f.gl.SpeedButton1Click();
    EXPECT_EQ(f.dm.Quchot.recordCount(), 12);

    // Archiving is closed while an archive is shown; even reached another way it clears nothing.
    ui::ScriptedDialogsGuard boxes;
    boxes.script.expect(Kind::Input, QStringLiteral("2023"));
    boxes.script.expect(Kind::Question, QStringLiteral("yes"));
    boxes.script.expect(Kind::Message);
    f.gl.N22Click();
    EXPECT_TRUE(boxes.script.texts().last().startsWith(QStringLiteral("Ошибка вида: "))) << boxes.script.texts().last().toStdString();
    EXPECT_EQ(registerValues(archive), archiveValues);
    EXPECT_EQ(f.gl.windowTitle(), QStringLiteral("Просмотр архива за 2023 год"));
}

TEST(ArchiveView, AnArchiveThatCannotBeReadLeavesTheProgramOnItsData)
{
    const struct {
        const char* what;
        QByteArray content;
    } cases[] = {
        {"not a database", QByteArray("это не база данных\n").repeated(200)},
        {"0 bytes", QByteArray()},
    };
    for (const auto& c : cases) {
        MainWindowOnFolder f(9);
        {
            QFile file(archiveFile(f.dir, QStringLiteral("2020")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.content);
        }
        const QString before = f.dm.Adc1.connectionString();
        ui::ScriptedDialogsGuard boxes;
        boxes.script.expect(Kind::Input, QStringLiteral("2020"));
        boxes.script.expect(Kind::ApplicationError);
        f.gl.N21->trigger();
        EXPECT_TRUE(boxes.script.allAnswered()) << c.what;
        EXPECT_FALSE(boxes.script.texts().value(1).isEmpty()) << c.what;
        EXPECT_EQ(f.gl.windowTitle(), workingCaption) << c.what;
        EXPECT_FALSE(f.gl.N23->isVisible()) << c.what;
        EXPECT_TRUE(f.gl.N22->isEnabled()) << c.what;
        EXPECT_EQ(f.dm.Adc1.connectionString(), before) << c.what;
        expectDatasetsShow(f, f.dir.dbPath(), c.what);
        EXPECT_EQ(QFile(archiveFile(f.dir, QStringLiteral("2020"))).size(), c.content.size()) << c.what;
    }
}

TEST(ArchiveView, AFailedReturnStaysOnTheArchiveAndCanBeTriedAgain)
{
    MainWindowOnFolder f(9);
    makeArchive(f.dir, QStringLiteral("2023"), 2);
    view(f, QStringLiteral("2023"));
    ASSERT_TRUE(QFile::rename(f.dir.dbPath(), f.dir.file(QStringLiteral("moved.mdb"))));

    {
        ui::ScriptedDialogsGuard boxes;
        boxes.script.expect(Kind::ApplicationError);
        f.gl.N23->trigger();
        EXPECT_TRUE(boxes.script.allAnswered());
        EXPECT_TRUE(boxes.script.texts().value(0).contains(QStringLiteral("db_Tavrel.mdb")))
            << boxes.script.texts().value(0).toStdString();
    }
    EXPECT_EQ(f.gl.windowTitle(), QStringLiteral("Просмотр архива за 2023 год"));
    EXPECT_TRUE(f.gl.N23->isVisible());
    EXPECT_FALSE(f.gl.N22->isEnabled());
    expectDatasetsShow(f, archiveFile(f.dir, QStringLiteral("2023")), "still the archive");

    ASSERT_TRUE(QFile::rename(f.dir.file(QStringLiteral("moved.mdb")), f.dir.dbPath()));
    ui::ScriptedDialogsGuard none;
    f.gl.N23->trigger();
    EXPECT_EQ(f.gl.windowTitle(), workingCaption);
    expectDatasetsShow(f, f.dir.dbPath(), "working again");
}
