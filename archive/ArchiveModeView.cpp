#include "archive/ArchiveModeView.h"

#include <QAction>

namespace archive {

QString ArchiveModeView::workingCaption()
{
    return QStringLiteral("Программа учёта инструмента для ТОРН");
}

void ArchiveModeView::showArchive(const QString& yearText) const
{
    if (setCaption)
        setCaption(QStringLiteral("Просмотр архива за ") + yearText + QStringLiteral(" год"));
    if (N23) {
        N23->setVisible(true);
        N23->setEnabled(true);
    }
    if (N22)
        N22->setEnabled(false);
}

void ArchiveModeView::showWorking() const
{
    if (N23)
        N23->setVisible(false);
    if (N22)
        N22->setEnabled(true);
    if (setCaption)
        setCaption(workingCaption());
}

} // namespace archive
