// uchet-db: makes a working folder for the program.
//   uchet-db init DIR             an empty database, the archive folder and the dialog picture
//   uchet-db demo DIR --rows N    the same with demo reference books and N register rows

#include "data/DbError.h"
#include "tools/DemoData.h"

#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

namespace {

int usage()
{
    std::fputs("Использование:\n"
               "  uchet-db init КАТАЛОГ\n"
               "  uchet-db demo КАТАЛОГ [--rows N]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing the picture needs the GUI module but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString command = args[0];
    const QString dir = args[1];
    int rows = 300;
    for (int i = 2; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--rows") && i + 1 < args.size()) {
            bool ok = false;
            rows = args[++i].toInt(&ok);
            if (!ok || rows < 0) {
                std::fputs("uchet-db: --rows ждёт неотрицательное целое число\n", stderr);
                return 2;
            }
        } else {
            return usage();
        }
    }
    if (command != QLatin1String("init") && command != QLatin1String("demo"))
        return usage();
    try {
        const QString db = tools::makeWorkingFolder(dir);
        if (command == QLatin1String("demo")) {
            try {
                tools::fillDemo(db, rows);
            } catch (...) {
                QFile::remove(db);   // no half-filled database is left behind
                throw;
            }
        }
        std::printf("%s\n", db.toUtf8().constData());
    } catch (const data::DbError& e) {
        std::fprintf(stderr, "uchet-db: %s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
