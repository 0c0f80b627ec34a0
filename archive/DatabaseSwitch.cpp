#include "archive/DatabaseSwitch.h"

#include "archive/PendingRows.h"
#include "data/U_dm.h"

#include <vector>

namespace archive {

namespace {

void reopen(TDM1& dm, const std::vector<data::Dataset*>& wasOpen)
{
    dm.openDatasets();
    for (data::Dataset* ds : wasOpen)
        ds->open();
}

void connectTo(TDM1& dm, const QString& connectionString, const std::vector<data::Dataset*>& wasOpen)
{
    dm.Adc1.close();
    dm.Adc1.setConnectionString(connectionString);
    dm.Adc1.open();
    reopen(dm, wasOpen);
}

} // namespace

void switchDatabase(TDM1& dm, const QString& connectionString)
{
    // Closing drops a pending row; commit it to the file it was read from first.
    commitPendingRows(dm.Adc1);

    std::vector<data::Dataset*> wasOpen;
    for (data::Dataset* ds : dm.Adc1.datasets())
        if (ds->isOpen())
            wasOpen.push_back(ds);

    const QString previous = dm.Adc1.connectionString();
    try {
        connectTo(dm, connectionString, wasOpen);
    } catch (...) {
        try {
            connectTo(dm, previous, wasOpen);
        } catch (...) {
            // The first error is the one to tell; a later successful switch repairs the rest.
        }
        throw;
    }
}

} // namespace archive
