#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace data {
class Dataset;
}

namespace output {

// The sixteen printed texts of every register row, copied once when the report is built. The
// preview stays open while the user goes on working in the main window, so the pages must not
// change under it when the register is filtered or re-read; the texts sit in one arena, not as
// a string per cell.
class ReportRows {
public:
    ReportRows() = default;

    // Walks the register query from its first row to its last, as printing it always has: a
    // pending edit is committed first (an untouched inserted row dropped), a closed query is
    // opened, and the query is left on its last row.
    static ReportRows fromDataset(data::Dataset& query);

    int rowCount() const { return rows_; }
    QStringView value(int row, int column) const;   // column 0..15 in printing order

private:
    int rows_ = 0;
    QString arena_;
    std::vector<uint32_t> ends_;   // end of every cell in the arena, row by row
};

} // namespace output
