#include "archive/YearArchive.h"

#include "archive/ArchiveCopy.h"
#include "archive/PendingRows.h"
#include "archive/RegisterClearing.h"
#include "archive/YearEntry.h"
#include "data/DbError.h"
#include "data/U_dm.h"
#include "ui/Dialogs.h"

#include <QFileInfo>

namespace archive {

namespace {

QString errorText(const QString& what)
{
    return QStringLiteral("Ошибка вида: ") + what + QStringLiteral("   Вызовите программиста (423)");
}

// The clearing must only ever reach the working register, never an archive being viewed.
void requireWorkingDatabase(const TDM1& dm)
{
    const QFileInfo open(dm.Adc1.databasePath());
    const QFileInfo working(workingDatabase());
    if (open.canonicalFilePath().isEmpty() || open.canonicalFilePath() != working.canonicalFilePath())
        throw data::DbError(QStringLiteral("Архивировать можно только текущие данные, а открыт «%1»")
                                .arg(dm.Adc1.databasePath()));
}

void run(TDM1& dm, data::Dataset& Qop, data::LastUchotNHolder& lastRow, const QString& currentYear)
{
    ui::Dialogs& box = ui::dialogs();
    const QString entered = box.input(QStringLiteral("Создание архива текущего года"), QStringLiteral("Введите год!"),
                                      QString());
    if (yearFromEntry(entered) > yearFromEntry(currentYear)) {
        box.message(QStringLiteral("Этот год ещё не наступил"));
        return;
    }
    const ArchiveCopy copy(workingDatabase(), archivePath(entered));
    if (!box.question(QStringLiteral("Внимание! Сейчас будет создан архив текущего года, а все таблицы обнулены. "
                                     "Выполнить?")))
        return;

    requireWorkingDatabase(dm);
    // What the clerk typed but has not committed yet belongs in the archive too.
    commitPendingRows(dm.Adc1);
    if (copy.make() == ArchiveCopy::Result::Made) {
        box.message(QStringLiteral("Архивирование прошло успешно"));
    } else {
        if (!box.question(QStringLiteral("Архив этого года уже существует. Перезаписать?")))
            return;
        copy.replace();
    }
    if (!box.question(QStringLiteral("Внимание! Сейчас база данных будет очищена. Выполнить?")))
        return;
    clearRegister(dm, Qop, currentYear, lastRow);
    box.message(QStringLiteral("Очистка успешно завершена!"));
}

} // namespace

void archiveAndClear(TDM1& dm, data::Dataset& Qop, data::LastUchotNHolder& lastRow, const QDate& today)
{
    const QString currentYear = currentYearText(today);
    try {
        run(dm, Qop, lastRow, currentYear);
    } catch (const YearEntryError& e) {
        ui::dialogs().message(errorText(e.message()));
    } catch (const data::DbError& e) {
        ui::dialogs().message(errorText(e.message()));
    } catch (const std::exception& e) {
        ui::dialogs().message(errorText(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        ui::dialogs().message(errorText(QString()));
    }
}

} // namespace archive
