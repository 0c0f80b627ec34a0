#include "output/DesktopWorkbookOpener.h"

#include <QCoreApplication>
#include <QProcess>

namespace output {

namespace {
constexpr int kQueryWaitMs = 5000;
constexpr int kLaunchWaitMs = 3000;

bool spreadsheetApplicationRegistered()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QString::fromLatin1(DesktopWorkbookOpener::mimeType())});
    if (!query.waitForStarted(kQueryWaitMs) || !query.waitForFinished(kQueryWaitMs)) {
        query.kill();
        query.waitForFinished(kQueryWaitMs);
        return false;
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return false;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}
} // namespace

const char* DesktopWorkbookOpener::mimeType()
{
    return "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";
}

bool DesktopWorkbookOpener::open(const QString& path)
{
    if (!spreadsheetApplicationRegistered())
        return false;

    // Owned by the application object, so that an xdg-open still running when we stop waiting
    // is neither killed nor leaked; it deletes itself when it ends.
    auto* launch = new QProcess(QCoreApplication::instance());
    QObject::connect(launch, &QProcess::finished, launch, &QObject::deleteLater);
    launch->start(QStringLiteral("xdg-open"), {path});
    if (!launch->waitForStarted(kLaunchWaitMs)) {
        launch->deleteLater();
        return false;
    }
    if (launch->waitForFinished(kLaunchWaitMs))
        return launch->exitStatus() == QProcess::NormalExit && launch->exitCode() == 0;
    return true;   // still running after a few seconds: the application has taken the file
}

} // namespace output
