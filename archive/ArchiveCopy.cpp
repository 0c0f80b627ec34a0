#include "archive/ArchiveCopy.h"

#include "data/DbCopy.h"

#include <QDir>
#include <QFileInfo>

namespace archive {

namespace {

data::DbError notMade(const data::DbError& e)
{
    return data::DbError(QStringLiteral("Архив не создан. ") + e.message());
}

} // namespace

ArchiveCopy::ArchiveCopy(const QString& source, const QString& target)
    : source_(source)
    , target_(target)
{
}

void ArchiveCopy::prepareFolder() const
{
    const QFileInfo folder(QFileInfo(target_).path());
    if (folder.isDir())
        return;
    if (folder.exists() || !QDir().mkpath(folder.filePath()))
        throw data::DbError(QStringLiteral("Архив не создан. Не удалось создать папку «%1»").arg(folder.filePath()));
}

ArchiveCopy::Result ArchiveCopy::make() const
{
    prepareFolder();
    try {
        data::copyDatabase(source_, target_, data::CopyMode::FailIfExists);
    } catch (const data::TargetExists&) {
        return Result::AlreadyExists;
    } catch (const data::DbError& e) {
        throw notMade(e);
    }
    return Result::Made;
}

void ArchiveCopy::replace() const
{
    prepareFolder();
    try {
        data::copyDatabase(source_, target_, data::CopyMode::Overwrite);
    } catch (const data::DbError& e) {
        throw notMade(e);
    }
}

} // namespace archive
