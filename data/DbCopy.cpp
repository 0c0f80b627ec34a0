#include "data/DbCopy.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace data {

namespace {

QString engineMessage(sqlite3* db, int rc)
{
    return QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
}

void syncPath(const QString& path, bool directory)
{
    const int fd = ::open(QFile::encodeName(path).constData(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

struct Handle {
    sqlite3* db = nullptr;
    ~Handle() { sqlite3_close_v2(db); }
};

// Messages name the target the user asked for, not the temporary file the copy goes through.
void backupInto(const QString& source, const QString& temp, const QString& target)
{
    // Read-write, never create: after a crash the file's journal must be rolled back before its
    // pages can be read, and a read-only handle refuses to do that. (A file that cannot be
    // written is opened read-only by the engine itself.)
    Handle src;
    int rc = sqlite3_open_v2(QFile::encodeName(source).constData(), &src.db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("Не удалось открыть «%1»: %2").arg(source, engineMessage(src.db, rc)));
    sqlite3_busy_timeout(src.db, 5000);

    Handle dst;
    rc = sqlite3_open_v2(QFile::encodeName(temp).constData(), &dst.db,
                         SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("Не удалось создать «%1»: %2").arg(target, engineMessage(dst.db, rc)));
    sqlite3_exec(dst.db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);

    sqlite3_backup* b = sqlite3_backup_init(dst.db, "main", src.db, "main");
    if (!b)
        throw DbError(QStringLiteral("Не удалось начать копирование: %1").arg(engineMessage(dst.db, 0)));
    // The source's busy timeout already waits for a writer; a file that stays locked after a
    // few more tries is reported rather than waited for without end.
    int busyTries = 0;
    do {
        rc = sqlite3_backup_step(b, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            sqlite3_sleep(200);
    } while (rc == SQLITE_OK || ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && ++busyTries < 5));
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE) {
        const int code = rc & 0xff;
        if (code == SQLITE_NOTADB)
            throw DbError(QStringLiteral("Файл «%1» не является базой данных программы").arg(source));
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            throw DbError(QStringLiteral("Копирование «%1» не удалось: база данных занята другой программой").arg(source));
        throw DbError(QStringLiteral("Копирование «%1» не удалось: %2").arg(source, QString::fromUtf8(sqlite3_errstr(rc))));
    }

    sqlite3_stmt* st = nullptr;
    QString check;
    if (sqlite3_prepare_v2(dst.db, "PRAGMA quick_check", -1, &st, nullptr) == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW)
        check = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (check != QLatin1String("ok"))
        throw DbError(QStringLiteral("Копия базы данных не прошла проверку: %1").arg(check));
}

} // namespace

void copyDatabase(const QString& source, const QString& target, CopyMode mode)
{
    if (!QFileInfo(source).isFile())
        throw DbError(QStringLiteral("Не найден файл базы данных «%1»").arg(source));
    const QFileInfo ti(target);
    if (mode == CopyMode::FailIfExists && (ti.exists() || ti.isSymLink()))
        throw TargetExists(QStringLiteral("Файл «%1» уже существует").arg(target));

    const QString dir = ti.absolutePath();
    const QString temp = dir + QStringLiteral("/.") + ti.fileName() + QLatin1Char('.')
                         + QUuid::createUuid().toString(QUuid::Id128) + QStringLiteral(".tmp");
    auto dropTemp = [&temp] {
        QFile::remove(temp);
        QFile::remove(temp + QStringLiteral("-journal"));
    };
    try {
        backupInto(source, temp, target);
    } catch (...) {
        dropTemp();
        throw;
    }
    syncPath(temp, false);

    const QByteArray from = QFile::encodeName(temp);
    const QByteArray to = QFile::encodeName(ti.absoluteFilePath());
    if (mode == CopyMode::FailIfExists) {
        // link() refuses an existing name: nobody's file is overwritten, even one made meanwhile.
        if (::link(from.constData(), to.constData()) != 0) {
            const int err = errno;
            dropTemp();
            if (err == EEXIST)
                throw TargetExists(QStringLiteral("Файл «%1» уже существует").arg(target));
            throw DbError(QStringLiteral("Не удалось записать «%1»: %2").arg(target, QString::fromLocal8Bit(std::strerror(err))));
        }
        dropTemp();
    } else if (::rename(from.constData(), to.constData()) != 0) {
        const int err = errno;
        dropTemp();
        throw DbError(QStringLiteral("Не удалось записать «%1»: %2").arg(target, QString::fromLocal8Bit(std::strerror(err))));
    }
    syncPath(dir, true);
}

} // namespace data
