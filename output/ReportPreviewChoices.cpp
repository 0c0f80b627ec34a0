#include "output/ReportPreviewChoices.h"

#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace output {

bool QtReportPreviewChoices::choosePrinter(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Печать"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

QString QtReportPreviewChoices::choosePdfFile(QWidget* parent, const QString& suggestedPath)
{
    QFileDialog dialog(parent, QStringLiteral("Сохранить в PDF"), suggestedPath,
                       QStringLiteral("Документ PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace output
