#pragma once

#include "TempDir.h"
#include "app/U_gl.h"
#include "data/U_dm.h"

#include <QString>

// The main window and the data module on a working folder with demo rows, put together as the
// program does at start, with the program-wide instances set for the test's lifetime.
class MainWindowOnFolder {
public:
    explicit MainWindowOnFolder(int rows);
    ~MainWindowOnFolder();

    WorkDir dir;
    // The data module outlives the window, which lets go of it when destroyed.
    TDM1 dm;
    TF_gl gl;
};

// Straight reads of any database file, past the program (for arranging and checking).
QString valueIn(const QString& file, const QString& sql);
void execIn(const QString& file, const QString& sql);

// The register's items (number, name, supplier, group, running number) and its accounting values
// (price, year, average, the twelve months), row by row in uchot_N order, and the three
// reference books, each as one text to compare.
QString registerItems(const QString& file);
QString registerValues(const QString& file);
QString referenceBooks(const QString& file);

// The texts of one field of every row a dataset holds, in its order.
QStringList columnTexts(const data::Dataset& ds, const QString& field);

QString currentYear();
