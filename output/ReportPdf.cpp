#include "output/ReportPdf.h"

#include "output/ReportLayout.h"
#include "output/ReportPainter.h"

#include <QDir>
#include <QPdfWriter>
#include <QSaveFile>

namespace output {

QString saveReportPdf(const ReportPainter& report, const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Не удалось создать файл %1: %2").arg(shown, file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Программа учёта инструмента для ТОРН"));
        writer.setTitle(QStringLiteral("Состояние на ") + report.dateText());
        if (!writer.setPageLayout(report::pageLayout()))
            return QStringLiteral("Не удалось задать страницу A4 для файла %1").arg(shown);
        if (!report.paintPages(writer))
            return QStringLiteral("Не удалось записать страницы в файл %1").arg(shown);
    }
    if (!file.commit())
        return QStringLiteral("Не удалось записать файл %1: %2").arg(shown, file.errorString());
    return {};
}

} // namespace output
