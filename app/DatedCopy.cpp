#include "app/DatedCopy.h"

#include "data/DbCopy.h"

#include <QFile>
#include <QLocale>

QString datedCopyName(const QDate& day)
{
    QString date = QLocale::system().toString(day, QLocale::ShortFormat);
    for (QChar& c : date) {
        if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('.');
    }
    return QStringLiteral("rest") + date + QStringLiteral(".mdb");
}

void makeDatedCopy(const QString& databasePath, const QDate& day)
{
    const QString target = datedCopyName(day);
    if (QFile::exists(target) || !QFile::exists(databasePath))
        return;
    try {
        data::copyDatabase(databasePath, target, data::CopyMode::FailIfExists);
    } catch (const data::TargetExists&) {
    } catch (const data::DbError&) {
        // Not a database the engine can read: keep the bytes as they are.
        QFile::copy(databasePath, target);
    }
}
