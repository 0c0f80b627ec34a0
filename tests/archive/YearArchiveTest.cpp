// The year-end command of the main window: the archive copy, the questions and the clearing,
// on real database files in a temporary working folder.

#include "ArchiveFixture.h"
#include "RowWriter.h"

#include "data/QueryBuilders.h"
#include "data/Schema.h"
#include "ui/ScriptedDialogs.h"
#include "ui/ShortDateFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sqlite3.h>

using Kind = ui::ScriptedDialogs::Kind;

namespace {

const QString askArchive = QStringLiteral("Внимание! Сейчас будет создан архив текущего года, а все таблицы обнулены. Выполнить?");
const QString archived = QStringLiteral("Архивирование прошло успешно");
const QString askOverwrite = QStringLiteral("Архив этого года уже существует. Перезаписать?");
const QString askClear = QStringLiteral("Внимание! Сейчас база данных будет очищена. Выполнить?");
const QString cleared = QStringLiteral("Очистка успешно завершена!");

QString failure(const QString& what)
{
    return QStringLiteral("Ошибка вида: ") + what + QStringLiteral("   Вызовите программиста (423)");
}

QStringList folderEntries(const QString& dir)
{
    return QDir(dir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden, QDir::Name);
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(content);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every price, average and month 0 and the year the current one, in every row.
QString clearedValues(int rows)
{
    QStringList row = {QStringLiteral("0"), currentYear(), QStringLiteral("0")};
    for (int m = 0; m < 12; ++m)
        row << QStringLiteral("0");
    QStringList all;
    for (int i = 0; i < rows; ++i)
        all << row.join(QLatin1Char('|'));
    return all.join(QLatin1Char(';'));
}

} // namespace

TEST(YearArchive, RefusedEntriesAreToldAndNothingIsCopied)
{
    const QString next = QString::number(QDate::currentDate().year() + 1);
    const struct {
        const char* what;
        QString typed;      // null: Cancel
        QString message;
    } cases[] = {
        {"Cancel", QString(), failure(QStringLiteral("'' is not a valid integer value"))},
        {"empty", QStringLiteral(""), failure(QStringLiteral("'' is not a valid integer value"))},
        {"letters", QStringLiteral("abc"), failure(QStringLiteral("'abc' is not a valid integer value"))},
        {"trailing blank", QStringLiteral("2023 "), failure(QStringLiteral("'2023 ' is not a valid integer value"))},
        {"too long", QStringLiteral("99999999999"), failure(QStringLiteral("'99999999999' is not a valid integer value"))},
        {"next year", next, QStringLiteral("Этот год ещё не наступил")},
        {"next year, zeros first", QStringLiteral("000") + next, QStringLiteral("Этот год ещё не наступил")},
    };
    for (const auto& c : cases) {
        MainWindowOnFolder f(12);
        const QString before = registerValues(f.dir.dbPath());
        ui::ScriptedDialogsGuard boxes;
        boxes.script.expect(Kind::Input, c.typed);
        boxes.script.expect(Kind::Message);
        f.gl.N22Click();

        ASSERT_EQ(boxes.script.shown().size(), 2u) << c.what;
        EXPECT_EQ(boxes.script.shown()[0].title, QStringLiteral("Создание архива текущего года")) << c.what;
        EXPECT_EQ(boxes.script.shown()[0].text, QStringLiteral("Введите год!")) << c.what;
        EXPECT_EQ(boxes.script.shown()[1].text, c.message) << c.what;
        EXPECT_EQ(folderEntries(f.dir.file(QStringLiteral("archiv"))), QStringList()) << c.what;
        EXPECT_EQ(registerValues(f.dir.dbPath()), before) << c.what;
    }
}

TEST(YearArchive, AcceptedYearsNameTheArchiveAsTyped)
{
    const QString now = currentYear();
    const struct {
        QString typed;
        QString file;
    } cases[] = {
        {now, QStringLiteral("db_") + now + QStringLiteral(".mdb")},
        {QStringLiteral("2019"), QStringLiteral("db_2019.mdb")},
        {QStringLiteral("02023"), QStringLiteral("db_02023.mdb")},
        {QStringLiteral(" +1999"), QStringLiteral("db_ +1999.mdb")},
    };
    for (const auto& c : cases) {
        MainWindowOnFolder f(15);
        const QString values = registerValues(f.dir.dbPath());
        ui::ScriptedDialogsGuard boxes;
        boxes.script.expect(Kind::Input, c.typed);
        boxes.script.expect(Kind::Question, QStringLiteral("yes"));
        boxes.script.expect(Kind::Message);
        boxes.script.expect(Kind::Question, QStringLiteral("no"));
        f.gl.N22Click();

        EXPECT_EQ(boxes.script.texts(),
                  (QStringList{QStringLiteral("Введите год!"), askArchive, archived, askClear}))
            << c.typed.toStdString();
        EXPECT_EQ(folderEntries(f.dir.file(QStringLiteral("archiv"))), QStringList{c.file}) << c.typed.toStdString();
        const QString archive = f.dir.file(QStringLiteral("archiv/") + c.file);
        EXPECT_EQ(valueIn(archive, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        EXPECT_EQ(registerValues(archive), values) << c.typed.toStdString();
        // No at the clearing question: the register is as it was.
        EXPECT_EQ(registerValues(f.dir.dbPath()), values) << c.typed.toStdString();
    }
}

TEST(YearArchive, FullRunArchivesThenClearsPricesAverageAndMonthsForTheCurrentYear)
{
    MainWindowOnFolder f(40);
    ui::setShortDateFormat(QStringLiteral("dd.MM.yyyy"));
    const QString items = registerItems(f.dir.dbPath());
    const QString values = registerValues(f.dir.dbPath());
    const QString books = referenceBooks(f.dir.dbPath());
    ASSERT_NE(values, clearedValues(40));
    // A filter in force stays in force: the register opens again with its statement.
    const int supplier = f.dm.Quchot.asInt(QStringLiteral("post_kod"));
    data::FilterQueryInt(f.dm.Quchot, QStringLiteral("uchot"), QStringLiteral("post_kod"), supplier,
                         QStringLiteral("uchot_N"));
    const QString filter = f.dm.Quchot.sql();
    const int filtered = f.dm.Quchot.recordCount();

    ui::ScriptedDialogsGuard boxes;
    boxes.script.expect(Kind::Input, QStringLiteral("2019"));
    boxes.script.expect(Kind::Question, QStringLiteral("yes"));
    boxes.script.expect(Kind::Message);
    boxes.script.expect(Kind::Question, QStringLiteral("yes"));
    boxes.script.expect(Kind::Message);
    f.gl.N22Click();

    EXPECT_EQ(boxes.script.texts(),
              (QStringList{QStringLiteral("Введите год!"), askArchive, archived, askClear, cleared}));
    const QString archive = f.dir.file(QStringLiteral("archiv/db_2019.mdb"));
    EXPECT_EQ(registerValues(archive), values);
    EXPECT_EQ(registerItems(archive), items);
    EXPECT_EQ(referenceBooks(archive), books);

    EXPECT_EQ(registerValues(f.dir.dbPath()), clearedValues(40));
    EXPECT_EQ(registerItems(f.dir.dbPath()), items);
    EXPECT_EQ(referenceBooks(f.dir.dbPath()), books);

    EXPECT_TRUE(f.dm.Quchot.isOpen());
    EXPECT_EQ(f.dm.Quchot.sql(), filter);
    EXPECT_EQ(f.dm.Quchot.recordCount(), filtered);
    EXPECT_EQ(columnTexts(f.dm.Quchot, QStringLiteral("uchot_cena")), QStringList(filtered, QStringLiteral("0")));
    EXPECT_EQ(columnTexts(f.dm.Quchot, QStringLiteral("uchot_god")), QStringList(filtered, currentYear()));
    const QStringList numbers = columnTexts(f.dm.Quchot, QStringLiteral("uchot_N"));
    EXPECT_EQ(QString::number(f.gl.LastUchotN), numbers.last());
    // Dates written afterwards show the year alone.
    EXPECT_EQ(ui::shortDateFormat(), QStringLiteral("yyyy"));
}

TEST(YearArchive, NoAtAQuestionStopsWithNothingFurtherChanged)
{
    const struct {
        const char* what;
        QStringList answers;      // the questions' answers, in order
        bool archiveMade;
    } cases[] = {
        {"no at the first question", {QStringLiteral("no")}, false},
        {"no at the clearing", {QStringLiteral("yes"), QStringLiteral("no")}, true},
    };
    for (const auto& c : cases) {
        MainWindowOnFolder f(10);
        const QString values = registerValues(f.dir.dbPath());
        ui::ScriptedDialogsGuard boxes;
        boxes.script.expect(Kind::Input, QStringLiteral("2020"));
        for (int i = 0; i < c.answers.size(); ++i) {
            boxes.script.expect(Kind::Question, c.answers[i]);
            if (i == 0 && c.answers[i] == QLatin1String("yes"))
                boxes.script.expect(Kind::Message);
        }
        f.gl.N22Click();
        EXPECT_TRUE(boxes.script.allAnswered()) << c.what;
        EXPECT_EQ(QFileInfo::exists(f.dir.file(QStringLiteral("archiv/db_2020.mdb"))), c.archiveMade) << c.what;
        EXPECT_EQ(registerValues(f.dir.dbPath()), values) << c.what;
    }
}

TEST(YearArchive, AnExistingArchiveIsReplacedOnlyAfterTheOverwriteQuestion)
{
    // What may already stand under the year's name: an empty database, a 0-byte file, and the
    // archive of an earlier run of the command for the same year.
    enum class Existing { EmptyDatabase, ZeroBytes, EarlierRun };
    const struct {
        const char* what;
        Existing existing;
    } cases[] = {
        {"empty database", Existing::EmptyDatabase},
        {"0-byte file", Existing::ZeroBytes},
        {"earlier run", Existing::EarlierRun},
    };
    for (const auto& c : cases) {
        for (const bool overwrite : {false, true}) {
            MainWindowOnFolder f(20);
            const QString target = f.dir.file(QStringLiteral("archiv/db_2023.mdb"));
            if (c.existing == Existing::EmptyDatabase) {
                data::createDatabase(target);
            } else if (c.existing == Existing::ZeroBytes) {
                writeFile(target, QByteArray());
            } else {
                ui::ScriptedDialogsGuard first;
                first.script.expect(Kind::Input, QStringLiteral("2023"));
                first.script.expect(Kind::Question, QStringLiteral("yes"));
                first.script.expect(Kind::Message);
                first.script.expect(Kind::Question, QStringLiteral("yes"));
                first.script.expect(Kind::Message);
                f.gl.N22Click();
                ASSERT_TRUE(first.script.allAnswered());
                // The new year's first entries.
                f.dir.exec(QStringLiteral("UPDATE uchot SET январь = 7, uchot_cena = 100 WHERE uchot_ind <= 3"));
            }
            const QByteArray old = fileBytes(target);
            const QString values = registerValues(f.dir.dbPath());

            ui::ScriptedDialogsGuard boxes;
            boxes.script.expect(Kind::Input, QStringLiteral("2023"));
            boxes.script.expect(Kind::Question, QStringLiteral("yes"));
            boxes.script.expect(Kind::Question, overwrite ? QStringLiteral("yes") : QStringLiteral("no"));
            if (overwrite) {
                boxes.script.expect(Kind::Question, QStringLiteral("yes"));
                boxes.script.expect(Kind::Message);
            }
            f.gl.N22Click();

            const QString run = QStringLiteral("%1, overwrite %2").arg(QString::fromUtf8(c.what)).arg(overwrite);
            if (!overwrite) {
                EXPECT_EQ(boxes.script.texts(), (QStringList{QStringLiteral("Введите год!"), askArchive, askOverwrite}))
                    << run.toStdString();
                EXPECT_EQ(fileBytes(target), old) << run.toStdString();
                EXPECT_EQ(registerValues(f.dir.dbPath()), values) << run.toStdString();
            } else {
                // No "archived" message on this path.
                EXPECT_EQ(boxes.script.texts(),
                          (QStringList{QStringLiteral("Введите год!"), askArchive, askOverwrite, askClear, cleared}))
                    << run.toStdString();
                EXPECT_EQ(valueIn(target, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
                EXPECT_EQ(registerValues(target), values) << run.toStdString();
                EXPECT_EQ(registerValues(f.dir.dbPath()), clearedValues(20)) << run.toStdString();
            }
            EXPECT_EQ(folderEntries(f.dir.file(QStringLiteral("archiv"))), QStringList{QStringLiteral("db_2023.mdb")})
                << run.toStdString();
        }
    }
}

TEST(YearArchive, AMissingArchiveFolderIsCreated)
{
    MainWindowOnFolder f(10);
    ASSERT_TRUE(QDir(f.dir.file(QStringLiteral("archiv"))).removeRecursively());
    ui::ScriptedDialogsGuard boxes;
    boxes.script.expect(Kind::Input, QStringLiteral("2022"));
    boxes.script.expect(Kind::Question, QStringLiteral("yes"));
    boxes.script.expect(Kind::Message);
    boxes.script.expect(Kind::Question, QStringLiteral("no"));
    f.gl.N22Click();
    EXPECT_EQ(boxes.script.texts(), (QStringList{QStringLiteral("Введите год!"), askArchive, archived, askClear}));
    EXPECT_EQ(valueIn(f.dir.file(QStringLiteral("archiv/db_2022.mdb")), QStringLiteral("SELECT count(*) FROM uchot")),
              QStringLiteral("10"));
}

TEST(YearArchive, ACopyThatFailsIsToldWithItsReasonAndNothingIsCleared)
{
    const struct {
        const char* what;
        bool overwrite;     // the overwrite question comes and is answered Yes
        void (*arrange)(const WorkDir&);
        const char* reason;
    } cases[] = {
        {"archive folder is a file", false,
         [](const WorkDir& w) {
             QDir(w.file(QStringLiteral("archiv"))).removeRecursively();
             writeFile(w.file(QStringLiteral("archiv")), "не папка");
         },
         "Архив не создан. Не удалось создать папку «archiv»"},
        {"old archive cannot be replaced", true,
         [](const WorkDir& w) {
             QDir().mkpath(w.file(QStringLiteral("archiv/db_2023.mdb/старое")));
         },
         "Архив не создан. Не удалось записать «archiv/db_2023.mdb»"},
    };
    for (const auto& c : cases) {
        MainWindowOnFolder f(10);
        c.arrange(f.dir);
        const QStringList entriesBefore = folderEntries(f.dir.path());
        const QString values = registerValues(f.dir.dbPath());
        ui::ScriptedDialogsGuard boxes;
        boxes.script.expect(Kind::Input, QStringLiteral("2023"));
        boxes.script.expect(Kind::Question, QStringLiteral("yes"));
        if (c.overwrite)
            boxes.script.expect(Kind::Question, QStringLiteral("yes"));
        boxes.script.expect(Kind::Message);
        f.gl.N22Click();

        ASSERT_TRUE(boxes.script.allAnswered()) << c.what;
        const QString told = boxes.script.texts().last();
        EXPECT_TRUE(told.startsWith(QStringLiteral("Ошибка вида: ") + QString::fromUtf8(c.reason))) << told.toStdString();
        EXPECT_TRUE(told.endsWith(QStringLiteral("   Вызовите программиста (423)"))) << told.toStdString();
        EXPECT_EQ(registerValues(f.dir.dbPath()), values) << c.what;
        EXPECT_EQ(folderEntries(f.dir.path()), entriesBefore) << c.what;
        if (QFileInfo(f.dir.file(QStringLiteral("archiv"))).isDir()) {
            EXPECT_EQ(folderEntries(f.dir.file(QStringLiteral("archiv"))), QStringList{QStringLiteral("db_2023.mdb")});
        }
    }
}

TEST(YearArchive, AFailedClearingIsToldAndLeavesTheRegisterWhole)
{
    MainWindowOnFolder f(10);
    f.dir.exec(QStringLiteral("CREATE TRIGGER no_update BEFORE UPDATE ON uchot BEGIN SELECT RAISE(ABORT, 'изменение запрещено'); END"));
    const QString values = registerValues(f.dir.dbPath());
    ui::ScriptedDialogsGuard boxes;
    boxes.script.expect(Kind::Input, QStringLiteral("2021"));
    boxes.script.expect(Kind::Question, QStringLiteral("yes"));
    boxes.script.expect(Kind::Message);
    boxes.script.expect(Kind::Question, QStringLiteral("yes"));
    boxes.script.expect(Kind::Message);
    f.gl.N22Click();

    ASSERT_EQ(boxes.script.texts().size(), 5);
    const QString told = boxes.script.texts().last();
    EXPECT_TRUE(told.startsWith(QStringLiteral("Ошибка вида: "))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("изменение запрещено"))) << told.toStdString();
    EXPECT_TRUE(told.endsWith(QStringLiteral("   Вызовите программиста (423)"))) << told.toStdString();
    EXPECT_EQ(registerValues(f.dir.dbPath()), values);
    EXPECT_EQ(registerValues(f.dir.file(QStringLiteral("archiv/db_2021.mdb"))), values);
    // The register stays closed until something opens it; the window's activation does.
    EXPECT_FALSE(f.dm.Quchot.isOpen());
    f.gl.FormActivate();
    EXPECT_EQ(f.dm.Quchot.recordCount(), 10);
}

TEST(YearArchive, ARowStillBeingEditedGoesIntoTheArchive)
{
    MainWindowOnFolder f(10);
    f.dm.Quchot.first();
    const QString n = f.dm.Quchot.asText(QStringLiteral("uchot_N"));
    f.dm.Quchot.edit();
    f.dm.Quchot.setText(QStringLiteral("uchot_cena"), QStringLiteral("4321"));
    ui::ScriptedDialogsGuard boxes;
    boxes.script.expect(Kind::Input, QStringLiteral("2024"));
    boxes.script.expect(Kind::Question, QStringLiteral("yes"));
    boxes.script.expect(Kind::Message);
    boxes.script.expect(Kind::Question, QStringLiteral("no"));
    f.gl.N22Click();
    ASSERT_TRUE(boxes.script.allAnswered());
    EXPECT_EQ(valueIn(f.dir.file(QStringLiteral("archiv/db_2024.mdb")),
                      QStringLiteral("SELECT uchot_cena FROM uchot WHERE uchot_N = ") + n),
              QStringLiteral("4321"));
}

TEST(YearArchive, ArchiveMadeWhileAnotherConnectionWritesIsWholeAndHoldsEveryCommittedRow)
{
    MainWindowOnFolder f(3000);
    const QString working = f.dir.dbPath();
    RowWriter writer(working, 5);
    writer.waitFor(20);

    ui::ScriptedDialogsGuard boxes;
    boxes.script.expect(Kind::Input, QStringLiteral("2018"));
    boxes.script.expect(Kind::Question, QStringLiteral("yes"));
    boxes.script.expect(Kind::Message);
    boxes.script.expect(Kind::Question, QStringLiteral("no"));
    // Every row committed before the command runs must be in the archive.
    const int before = writer.committed();
    f.gl.N22Click();
    writer.stop();

    ASSERT_TRUE(boxes.script.allAnswered());
    EXPECT_EQ(boxes.script.texts()[2], archived);
    const QString archive = f.dir.file(QStringLiteral("archiv/db_2018.mdb"));
    EXPECT_EQ(valueIn(archive, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    const int copied = valueIn(archive, QStringLiteral("SELECT count(*) FROM uchot WHERE uchot_ind >= 100000")).toInt();
    EXPECT_GE(copied, before);
    EXPECT_LE(copied, writer.committed());
    // Exactly the first rows written, none torn or skipped.
    EXPECT_EQ(valueIn(archive, QStringLiteral("SELECT coalesce(max(uchot_ind), 99999) - 99999 FROM uchot WHERE uchot_ind >= 100000"))
                  .toInt(),
              copied);
    EXPECT_EQ(valueIn(archive, QStringLiteral("SELECT count(*) FROM uchot WHERE uchot_ind < 100000")), QStringLiteral("3000"));
    EXPECT_EQ(folderEntries(f.dir.file(QStringLiteral("archiv"))), QStringList{QStringLiteral("db_2018.mdb")});
}
