// uchet-db, the program that makes a working folder, run as the user runs it.

#include "RegisterRows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& args)
{
    ToolRun r;
    const QString tool = qEnvironmentVariable("UCHET_TOOL");
    if (tool.isEmpty()) {
        ADD_FAILURE() << "UCHET_TOOL is not set";
        return r;
    }
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "uchet-db did not finish normally";
        return r;
    }
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

int count(const QString& dbPath, const char* table)
{
    sqlite3* db = nullptr;
    int n = -1;
    if (sqlite3_open_v2(QFile::encodeName(dbPath).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = QByteArray("SELECT count(*) FROM ") + table;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close_v2(db);
    return n;
}

} // namespace

TEST(UchetDbTool, MakesTheWorkingFolderEmptyOrWithDemoRows)
{
    const struct {
        const char* command;
        const char* rows;     // --rows, or nullptr
        int uchot;
        bool references;
    } cases[] = {
        {"init", nullptr, 0, false},
        {"demo", "250", 250, true},
        {"demo", "0", 0, true},
    };
    for (const auto& c : cases) {
        WorkDir w(-1);
        const QString folder = w.file(QStringLiteral("цех 5/учёт"));
        QStringList args{QString::fromUtf8(c.command), folder};
        if (c.rows)
            args << QStringLiteral("--rows") << QString::fromUtf8(c.rows);
        const ToolRun r = runTool(args);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QString db = QDir(folder).filePath(QStringLiteral("db_Tavrel.mdb"));
        EXPECT_TRUE(QFileInfo(db).isFile()) << c.command;
        EXPECT_TRUE(QFileInfo(QDir(folder).filePath(QStringLiteral("archiv"))).isDir()) << c.command;
        EXPECT_FALSE(QImage(QDir(folder).filePath(QStringLiteral("bigs.bmp"))).isNull()) << c.command;
        EXPECT_EQ(QDir::cleanPath(r.out.trimmed()), QDir::cleanPath(db));
        EXPECT_EQ(count(db, "uchot"), c.uchot) << c.command;
        EXPECT_EQ(count(db, "postman") > 0, c.references) << c.command;
        EXPECT_EQ(count(db, "type") > 0, c.references) << c.command;
        EXPECT_EQ(count(db, "naim") > 0, c.references) << c.command;
    }
}

TEST(UchetDbTool, RefusesAnExistingDatabaseAndLeavesItAsItWas)
{
    WorkDir w(3);
    QFile f(w.dbPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    for (const char* command : {"init", "demo"}) {
        const ToolRun r = runTool({QString::fromUtf8(command), w.path()});
        EXPECT_NE(r.exitCode, 0) << command;
        EXPECT_TRUE(r.err.contains(QStringLiteral("db_Tavrel.mdb"))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("уже есть"))) << r.err.toStdString();
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before) << command;
        f.close();
    }
}

TEST(UchetDbTool, RefusesBadArgumentsWithoutMakingAnything)
{
    WorkDir w(-1);
    const QString folder = w.file(QStringLiteral("new"));
    const QStringList cases[] = {
        {},
        {QStringLiteral("init")},
        {QStringLiteral("make"), folder},
        {QStringLiteral("demo"), folder, QStringLiteral("--rows"), QStringLiteral("-5")},
        {QStringLiteral("demo"), folder, QStringLiteral("--rows"), QStringLiteral("много")},
        {QStringLiteral("demo"), folder, QStringLiteral("--rows")},
    };
    for (const QStringList& args : cases) {
        const ToolRun r = runTool(args);
        EXPECT_NE(r.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << args.join(' ').toStdString();
        EXPECT_FALSE(QFileInfo::exists(folder)) << args.join(' ').toStdString();
    }
}
