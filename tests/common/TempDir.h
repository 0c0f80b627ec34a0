#pragma once

#include <QString>
#include <QTemporaryDir>

// A working folder in a temporary place, with the process's working directory moved there for
// the lifetime of the object (the program names its files relative to it).
class WorkDir {
public:
    // rows < 0: no database; 0: an empty database; more: demo data with that many register rows.
    explicit WorkDir(int rows = 0);
    ~WorkDir();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    QString dbPath() const { return file(QStringLiteral("db_Tavrel.mdb")); }

    // Runs SQL straight on the file, bypassing the program (for arranging and checking).
    void exec(const QString& sql) const;
    QString scalar(const QString& sql) const;   // first column of the first row, as text

private:
    QTemporaryDir dir_;
    QString oldCwd_;
};
