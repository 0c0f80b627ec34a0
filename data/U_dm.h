#pragma once

#include "data/Connection.h"
#include "data/Dataset.h"

#include <QtGlobal>

namespace data {

// The windows whose members the data module writes: the main window keeps LastUchotN,
// the names window LastNaimKod. They implement these when they are made.
class LastUchotNHolder {
public:
    virtual ~LastUchotNHolder() = default;
    virtual void setLastUchotN(qint32 value) = 0;
};

class LastNaimKodHolder {
public:
    virtual ~LastNaimKodHolder() = default;
    virtual void setLastNaimKod(qint32 value) = 0;
};

// Binds a dataset to the controls of one window.
struct DataSource {
    Dataset* dataSet = nullptr;
};

} // namespace data

// The data module: the one connection and every dataset the windows share.
class TDM1 {
public:
    // Opens the connection (the design-time string unless another is given) and every dataset;
    // a missing file, table or field throws.
    explicit TDM1(const QString& connectionString = QString());
    ~TDM1();
    TDM1(const TDM1&) = delete;
    TDM1& operator=(const TDM1&) = delete;

    void setRegisterWindow(data::LastUchotNHolder* w) { registerWindow_ = w; }
    void setNamesWindow(data::LastNaimKodHolder* w) { namesWindow_ = w; }

    // Opens every dataset that is closed, with the statement it has (after a connection switch).
    void openDatasets();

    data::Connection Adc1;
    data::Dataset Quchot;
    data::Dataset Tuchot;
    data::Dataset Qnaim;
    data::Dataset Qqnaim;
    data::Dataset Qtype;
    data::Dataset TType;
    data::Dataset Qpost;
    data::Dataset Qqtype;
    data::Dataset Qqpost;

    data::DataSource DS1{&Quchot};
    data::DataSource DS2{&Qnaim};
    data::DataSource DStype{&TType};
    data::DataSource DSpost{&Qpost};

    void QuchotAfterPost(data::Dataset& dataSet);
    void QuchotAfterDelete(data::Dataset& dataSet);
    void QnaimAfterDelete(data::Dataset& dataSet);

    // The row of the register table that the Down key compares with the current register row:
    // the row whose uchot_N is lastUchotN, or, when the table has none, its last row in stored
    // order; 0 when the table is empty. The same answer as re-reading Tuchot, moving it to its
    // last row and locating lastUchotN there, without reading the whole table at every press.
    qint32 downCheckRow(qint32 lastUchotN);

    // The register's default statement, which every commit returns to.
    static QString registerStatement();

private:
    void setLastUchotN(qint32 v);
    data::LastUchotNHolder* registerWindow_ = nullptr;
    data::LastNaimKodHolder* namesWindow_ = nullptr;
};

// The program's one instance, set while the program runs.
extern TDM1* DM1;
