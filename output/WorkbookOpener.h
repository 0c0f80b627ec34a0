#pragma once

#include <QString>

namespace output {

// Hands a written workbook to the desktop's spreadsheet application. Behind an interface so
// that tests launch nothing.
class WorkbookOpener {
public:
    virtual ~WorkbookOpener() = default;
    // True when an application took the file; false when none is registered or it failed to start.
    virtual bool open(const QString& path) = 0;
};

} // namespace output
