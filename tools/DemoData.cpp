#include "tools/DemoData.h"

#include "data/DbError.h"
#include "data/Schema.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <random>
#include <sqlite3.h>

namespace tools {

using data::DbError;

namespace {

const char* const kGroups[] = {
    "Свёрла", "Фрезы", "Резцы токарные", "Метчики", "Плашки", "Развёртки", "Зенкеры",
    "Протяжки", "Пилы дисковые", "Круги шлифовальные", "Измерительный инструмент",
    "Слесарный инструмент", "Оснастка", "Прочий инструмент", "Абразивы", "Пластины твердосплавные"};

const char* const kSuppliers[] = {
    "ООО \"Инструмент-Сервис\"", "АО \"Металлснаб\"", "ЗАО \"Сталь-Инструмент\"", "ИП Кузнецов",
    "ООО \"Режущий инструмент\"", "ОАО \"Станкоимпорт\"", "ООО \"Абразив-Урал\"", "ООО \"ТехноСнаб\"",
    "АО \"Вектор\"", "ООО \"Промкомплект\"", "ИП Сидоренко", "ООО \"Мерный инструмент\""};

struct NameBase {
    const char* text;
    int group;   // index into kGroups
};

const NameBase kNames[] = {
    {"Сверло спиральное", 0}, {"Сверло центровочное", 0}, {"Сверло ступенчатое", 0},
    {"Фреза концевая", 1}, {"Фреза дисковая", 1}, {"Фреза торцевая", 1}, {"Фреза шпоночная", 1},
    {"Резец проходной", 2}, {"Резец отрезной", 2}, {"Резец расточной", 2}, {"Резец резьбовой", 2},
    {"Метчик машинный", 3}, {"Метчик ручной", 3}, {"Плашка круглая", 4}, {"Развёртка машинная", 5},
    {"Развёртка ручная", 5}, {"Зенкер цилиндрический", 6}, {"Протяжка шпоночная", 7},
    {"Пила дисковая", 8}, {"Круг шлифовальный", 9}, {"Штангенциркуль", 10}, {"Микрометр гладкий", 10},
    {"Калибр-пробка", 10}, {"Напильник плоский", 11}, {"Ключ гаечный", 11}, {"Патрон токарный", 12},
    {"Оправка", 12}, {"Цанга", 12}, {"Втулка переходная", 13}, {"Брусок абразивный", 14},
    {"Пластина сменная", 15}};

struct Db {
    sqlite3* h = nullptr;
    ~Db() { sqlite3_close_v2(h); }
    void exec(const char* sql)
    {
        char* err = nullptr;
        if (sqlite3_exec(h, sql, nullptr, nullptr, &err) != SQLITE_OK) {
            const QString msg = QString::fromUtf8(err ? err : sqlite3_errmsg(h));
            sqlite3_free(err);
            throw DbError(msg);
        }
    }
};

struct Stmt {
    sqlite3_stmt* st = nullptr;
    Stmt(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    ~Stmt() { sqlite3_finalize(st); }
    void text(int i, const QString& s)
    {
        const QByteArray b = s.toUtf8();
        sqlite3_bind_text(st, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    void run(sqlite3* db)
    {
        if (sqlite3_step(st) != SQLITE_DONE)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }
};

QString sizedName(const NameBase& base, int variant)
{
    static const char* const sizes[] = {"Ø3", "Ø5", "Ø6,5", "Ø8", "Ø10", "Ø12", "Ø16", "Ø20", "М6", "М8", "М10", "М12"};
    return QString::fromUtf8(base.text) + QLatin1Char(' ') + QString::fromUtf8(sizes[variant % 12]);
}

} // namespace

void fillDemo(const QString& databasePath, int rows)
{
    Db db;
    if (sqlite3_open_v2(databasePath.toUtf8().constData(), &db.h, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw DbError(QStringLiteral("Не удалось открыть «%1»").arg(databasePath));
    db.exec("BEGIN");
    {
        Stmt t(db.h, "INSERT INTO type (type_name) VALUES (?)");
        for (const char* g : kGroups) {
            t.text(1, QString::fromUtf8(g));
            t.run(db.h);
        }
        Stmt p(db.h, "INSERT INTO postman (post_name) VALUES (?)");
        for (const char* s : kSuppliers) {
            p.text(1, QString::fromUtf8(s));
            p.run(db.h);
        }
        Stmt n(db.h, "INSERT INTO naim (naim_name, type_kod) VALUES (?, ?)");
        for (const NameBase& b : kNames) {
            for (int v = 0; v < 4; ++v) {
                n.text(1, sizedName(b, v * 3 + int(&b - kNames) % 3));
                sqlite3_bind_int(n.st, 2, b.group + 1);
                n.run(db.h);
            }
        }
    }
    {
        std::mt19937 rng(20071231);
        auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
        QString months;
        for (const QString& m : data::monthColumns())
            months += QLatin1Char(',') + m;
        const QByteArray sql = QStringLiteral(
            "INSERT INTO uchot (naim_name, uchot_cena, uchot_god, uchot_sredm%1, uchot_ind, post_kod, type_kod) "
            "VALUES (?%2)").arg(months, QStringLiteral(",?").repeated(18)).toUtf8();
        Stmt u(db.h, sql.constData());
        const int nameCount = int(std::size(kNames));
        for (int r = 0; r < rows; ++r) {
            const NameBase& b = kNames[pick(nameCount)];
            u.text(1, sizedName(b, pick(12)));
            sqlite3_bind_int64(u.st, 2, 50 + pick(200) * 25);
            u.text(3, QString::number(2001 + pick(20)));
            const int avg = pick(30);
            sqlite3_bind_int64(u.st, 4, avg);
            for (int m = 0; m < 12; ++m)
                sqlite3_bind_int(u.st, 5 + m, std::max(0, avg + pick(11) - 5));
            sqlite3_bind_int(u.st, 17, r + 1);
            sqlite3_bind_int(u.st, 18, 1 + pick(int(std::size(kSuppliers))));
            sqlite3_bind_int(u.st, 19, b.group + 1);
            u.run(db.h);
        }
    }
    db.exec("COMMIT");
}

bool writeDialogPicture(const QString& path)
{
    QImage img(96, 96, QImage::Format_RGB32);
    img.fill(QColor(0, 64, 128));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < 96; i += 8) {
        p.setPen(QColor(0, 80 + i, 160));
        p.drawLine(0, i, 95, i);
        p.drawLine(i, 0, i, 95);
    }
    p.end();
    // Pure white pixels make the see-through parts of the dialog's outline.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4 - y; ++x) {
            img.setPixel(x, y, qRgb(255, 255, 255));
            img.setPixel(95 - x, y, qRgb(255, 255, 255));
        }
    return img.save(path, "BMP");
}

QString makeWorkingFolder(const QString& dir)
{
    QDir d(dir);
    if (!d.exists() && !QDir().mkpath(dir))
        throw DbError(QStringLiteral("Не удалось создать папку «%1»").arg(dir));
    const QString dbPath = d.filePath(QStringLiteral("db_Tavrel.mdb"));
    if (QFileInfo::exists(dbPath))
        throw DbError(QStringLiteral("В папке «%1» уже есть база данных db_Tavrel.mdb; она не будет перезаписана").arg(dir));
    if (!d.exists(QStringLiteral("archiv")) && !d.mkdir(QStringLiteral("archiv")))
        throw DbError(QStringLiteral("Не удалось создать папку «%1»").arg(d.filePath(QStringLiteral("archiv"))));
    data::createDatabase(dbPath);
    const QString picture = d.filePath(QStringLiteral("bigs.bmp"));
    if (!QFileInfo::exists(picture) && !writeDialogPicture(picture))
        throw DbError(QStringLiteral("Не удалось записать «%1»").arg(picture));
    return dbPath;
}

} // namespace tools
