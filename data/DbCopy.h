#pragma once

#include "data/DbError.h"

#include <QString>

namespace data {

// The target of a copy that must not be overwritten already exists.
class TargetExists : public DbError {
public:
    using DbError::DbError;
};

enum class CopyMode { FailIfExists, Overwrite };

// A consistent copy of a database file that may be open and written to by others: taken with the
// engine's backup into a temporary file beside the target, checked, written to disk, and only
// then given the target's name. With FailIfExists an existing target (even an empty file) is
// left untouched and TargetExists is thrown. Any failure throws and leaves no partial target.
void copyDatabase(const QString& source, const QString& target, CopyMode mode);

} // namespace data
