#pragma once

#include <QString>

namespace archive {

// Copies the working database into the archive folder under a year's file name. The copy goes
// through the engine's backup into a temporary file beside the target and is checked before it
// takes its name, so an archive is never torn even while the working file is open and written.
class ArchiveCopy {
public:
    enum class Result { Made, AlreadyExists };

    ArchiveCopy(const QString& source, const QString& target);

    // Never overwrites: AlreadyExists when a file of the target's name is there (whatever it
    // holds, even nothing). Creates a missing archive folder. Any other failure throws
    // data::DbError with the reason; no partial target is left.
    Result make() const;

    // Replaces an existing archive with a fresh copy in one step: the old one stays whole until
    // the new one is complete and checked. Throws data::DbError with the reason on failure.
    void replace() const;

private:
    void prepareFolder() const;

    QString source_;
    QString target_;
};

} // namespace archive
