#include "settings/SettingsPath.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace settings {

QString settingsFilePathFor(const QString& programFile)
{
    const QFileInfo info(programFile);
    QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0)
        name.truncate(dot);
    return info.path() + QLatin1Char('/') + name + QStringLiteral(".INI");
}

QString settingsFilePath()
{
    return settingsFilePathFor(QCoreApplication::applicationFilePath());
}

} // namespace settings
