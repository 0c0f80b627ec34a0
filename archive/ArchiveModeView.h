#pragma once

#include <QString>
#include <functional>

class QAction;

namespace archive {

// What the main window shows of the database in use: its caption and the archive menu items.
// The window hands these in; nothing else keeps the mode.
struct ArchiveModeView {
    std::function<void(const QString&)> setCaption;
    QAction* N21 = nullptr;    // "Просмотр архивов"
    QAction* N22 = nullptr;    // "Занести данные в архив"
    QAction* N23 = nullptr;    // "Вернуть текущие данные"

    // An archive of the year is shown: its year in the caption, the way back offered,
    // archiving closed so the clearing can never reach an archive.
    void showArchive(const QString& yearText) const;
    // The working database is shown again.
    void showWorking() const;

    static QString workingCaption();
};

} // namespace archive
