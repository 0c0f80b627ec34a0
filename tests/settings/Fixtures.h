#pragma once

#include "ui/DBGrid.h"

#include <QByteArray>
#include <QString>
#include <memory>

// A grid with the register's twenty columns (position 0, the record number, hidden), without a
// dataset: the settings act on columns only.
std::unique_ptr<ui::DBGrid> makeRegisterGrid();

// The columns 1 to 19 that are shown, as a string of '1' and '0' by position.
QString visibility(const ui::DBGrid& grid);

void writeFileBytes(const QString& path, const QByteArray& bytes);
QByteArray readFileBytes(const QString& path);

// key=value lines of one section (named in any case) of a Windows-1251 file, in file order.
QStringList sectionLines(const QString& path, const QString& section);
