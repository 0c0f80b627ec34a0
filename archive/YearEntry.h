#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <exception>

namespace archive {

// The year a clerk types, read the way the program has always read whole numbers: leading
// blanks and one sign allowed, then decimal digits only, within the 32-bit range. Anything else
// throws YearEntryError with the message "'<text>' is not a valid integer value".
int yearFromEntry(const QString& text);

class YearEntryError : public std::exception {
public:
    explicit YearEntryError(const QString& text);
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return bytes_.constData(); }

private:
    QString message_;
    QByteArray bytes_;
};

// The current year as the program writes it: the program-wide short date format is set to
// "yyyy" (and stays so), and today's date is written with it.
QString currentYearText(const QDate& today);

// The archive file of a year, the year's text used in full exactly as typed.
QString archivePath(const QString& yearText);

// The folder that holds the archives, beside the working database.
QString archiveFolder();

// The working database, named relative to the working directory.
QString workingDatabase();

} // namespace archive
