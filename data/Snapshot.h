#pragma once

#include "data/Connection.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace data {

// The rows a dataset holds, column by column: integers in flat arrays, texts as UTF-8 bytes in
// one arena per column with an offset and a length per row, and a null bit per cell. A re-read
// copies the engine's bytes once and converts nothing; a cell becomes a QString only when shown.
class Snapshot {
public:
    enum class Storage : uint8_t { I32, I64, Text };

    void reset(const std::vector<Storage>& storage);
    void clear();
    int rowCount() const { return rows_; }
    int columnCount() const { return int(columns_.size()); }
    Storage storage(int col) const { return columns_[col].storage; }

    // Appending while reading: one call per cell, in column order, then endRow().
    void appendNull(int col);
    void appendInt(int col, int64_t v);
    void appendText(int col, const char* utf8, uint32_t bytes);
    void endRow() { ++rows_; }

    bool isNull(int row, int col) const { return columns_[col].nulls[row]; }
    int64_t intValue(int row, int col) const;
    QString text(int row, int col) const;            // integers as decimal text
    std::string_view utf8(int row, int col) const;   // texts only

    // Value of a row taken from an edit buffer (row insertion at index, or in-place update).
    void insertRow(int row);          // a row of nulls at row
    void removeRow(int row);
    void setNull(int row, int col);
    void setInt(int row, int col, int64_t v);
    void setText(int row, int col, const QString& v);

    void shrink();                    // give back what the growth of a read left over
    size_t memoryBytes() const;     // what the snapshot holds, allocation included
    size_t valueBytes() const;      // the bytes of the values themselves

private:
    struct Column {
        Storage storage = Storage::Text;
        std::vector<int32_t> i32;
        std::vector<int64_t> i64;
        std::vector<uint32_t> offset;
        std::vector<uint32_t> length;
        std::string arena;
        std::vector<bool> nulls;
    };
    std::vector<Column> columns_;
    int rows_ = 0;
};

Snapshot::Storage storageFor(FieldKind kind);

} // namespace data
