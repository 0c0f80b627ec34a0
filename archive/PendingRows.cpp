#include "archive/PendingRows.h"

#include "data/Dataset.h"

#include <vector>

namespace archive {

void commitPendingRows(data::Connection& connection)
{
    const std::vector<data::Dataset*> all = connection.datasets();
    for (data::Dataset* ds : all)
        if (ds->isEditing())
            ds->checkBrowseMode();
}

} // namespace archive
