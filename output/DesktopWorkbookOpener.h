#pragma once

#include "output/WorkbookOpener.h"

namespace output {

// Opens the workbook with the application the desktop registers for the workbook type:
// asks xdg-mime for it first, then runs xdg-open and takes a non-zero exit within a few
// seconds as a failed launch. An xdg-open that is still running then is left to run.
class DesktopWorkbookOpener : public WorkbookOpener {
public:
    bool open(const QString& path) override;

    static const char* mimeType();
};

} // namespace output
