#include "data/Snapshot.h"

#include <cstdlib>
#include <string>

namespace data {

Snapshot::Storage storageFor(FieldKind kind)
{
    switch (kind) {
    case FieldKind::AutoKey:
    case FieldKind::Int32:
        return Snapshot::Storage::I32;
    case FieldKind::Decimal:
        return Snapshot::Storage::I64;
    default:
        return Snapshot::Storage::Text;
    }
}

void Snapshot::reset(const std::vector<Storage>& storage)
{
    columns_.clear();
    columns_.resize(storage.size());
    for (size_t i = 0; i < storage.size(); ++i)
        columns_[i].storage = storage[i];
    rows_ = 0;
}

void Snapshot::clear()
{
    columns_.clear();
    rows_ = 0;
}

void Snapshot::appendNull(int col)
{
    Column& c = columns_[col];
    c.nulls.push_back(true);
    switch (c.storage) {
    case Storage::I32: c.i32.push_back(0); break;
    case Storage::I64: c.i64.push_back(0); break;
    case Storage::Text:
        c.offset.push_back(0);
        c.length.push_back(0);
        break;
    }
}

void Snapshot::appendInt(int col, int64_t v)
{
    Column& c = columns_[col];
    c.nulls.push_back(false);
    switch (c.storage) {
    case Storage::I32: c.i32.push_back(int32_t(v)); break;
    case Storage::I64: c.i64.push_back(v); break;
    case Storage::Text: {
        const std::string s = std::to_string(v);
        appendText(col, s.data(), uint32_t(s.size()));
        c.nulls.pop_back();
        break;
    }
    }
}

void Snapshot::appendText(int col, const char* utf8, uint32_t bytes)
{
    Column& c = columns_[col];
    c.nulls.push_back(false);
    switch (c.storage) {
    case Storage::I32: c.i32.push_back(int32_t(std::strtoll(std::string(utf8, bytes).c_str(), nullptr, 10))); break;
    case Storage::I64: c.i64.push_back(std::strtoll(std::string(utf8, bytes).c_str(), nullptr, 10)); break;
    case Storage::Text:
        c.offset.push_back(uint32_t(c.arena.size()));
        c.length.push_back(bytes);
        c.arena.append(utf8, bytes);
        break;
    }
}

int64_t Snapshot::intValue(int row, int col) const
{
    const Column& c = columns_[col];
    switch (c.storage) {
    case Storage::I32: return c.i32[row];
    case Storage::I64: return c.i64[row];
    case Storage::Text: return std::strtoll(std::string(utf8(row, col)).c_str(), nullptr, 10);
    }
    return 0;
}

std::string_view Snapshot::utf8(int row, int col) const
{
    const Column& c = columns_[col];
    if (c.storage != Storage::Text)
        return {};
    return std::string_view(c.arena.data() + c.offset[row], c.length[row]);
}

QString Snapshot::text(int row, int col) const
{
    const Column& c = columns_[col];
    if (c.nulls[row])
        return {};
    if (c.storage == Storage::Text) {
        const auto v = utf8(row, col);
        return QString::fromUtf8(v.data(), qsizetype(v.size()));
    }
    return QString::number(intValue(row, col));
}

void Snapshot::insertRow(int row)
{
    for (Column& c : columns_) {
        c.nulls.insert(c.nulls.begin() + row, true);
        switch (c.storage) {
        case Storage::I32: c.i32.insert(c.i32.begin() + row, 0); break;
        case Storage::I64: c.i64.insert(c.i64.begin() + row, 0); break;
        case Storage::Text:
            c.offset.insert(c.offset.begin() + row, 0);
            c.length.insert(c.length.begin() + row, 0);
            break;
        }
    }
    ++rows_;
}

void Snapshot::removeRow(int row)
{
    for (Column& c : columns_) {
        c.nulls.erase(c.nulls.begin() + row);
        switch (c.storage) {
        case Storage::I32: c.i32.erase(c.i32.begin() + row); break;
        case Storage::I64: c.i64.erase(c.i64.begin() + row); break;
        case Storage::Text:
            c.offset.erase(c.offset.begin() + row);
            c.length.erase(c.length.begin() + row);
            break;
        }
    }
    --rows_;
}

void Snapshot::setNull(int row, int col)
{
    columns_[col].nulls[row] = true;
}

void Snapshot::setInt(int row, int col, int64_t v)
{
    Column& c = columns_[col];
    switch (c.storage) {
    case Storage::I32: c.i32[row] = int32_t(v); break;
    case Storage::I64: c.i64[row] = v; break;
    case Storage::Text: setText(row, col, QString::number(v)); return;
    }
    c.nulls[row] = false;
}

void Snapshot::setText(int row, int col, const QString& v)
{
    Column& c = columns_[col];
    if (c.storage != Storage::Text) {
        setInt(row, col, v.toLongLong());
        return;
    }
    // Old bytes stay in the arena until the next re-read; edits are few.
    const QByteArray bytes = v.toUtf8();
    c.offset[row] = uint32_t(c.arena.size());
    c.length[row] = uint32_t(bytes.size());
    c.arena.append(bytes.constData(), size_t(bytes.size()));
    c.nulls[row] = false;
}

void Snapshot::shrink()
{
    for (Column& c : columns_) {
        c.i32.shrink_to_fit();
        c.i64.shrink_to_fit();
        c.offset.shrink_to_fit();
        c.length.shrink_to_fit();
        c.arena.shrink_to_fit();
        c.nulls.shrink_to_fit();
    }
}

size_t Snapshot::memoryBytes() const
{
    size_t total = sizeof(*this) + columns_.capacity() * sizeof(Column);
    for (const Column& c : columns_) {
        total += c.i32.capacity() * sizeof(int32_t) + c.i64.capacity() * sizeof(int64_t);
        total += c.offset.capacity() * sizeof(uint32_t) + c.length.capacity() * sizeof(uint32_t);
        total += c.arena.capacity() + c.nulls.capacity() / 8;
    }
    return total;
}

size_t Snapshot::valueBytes() const
{
    size_t total = 0;
    for (const Column& c : columns_) {
        for (int r = 0; r < rows_; ++r) {
            if (c.nulls[r])
                continue;
            switch (c.storage) {
            case Storage::I32: total += sizeof(int32_t); break;
            case Storage::I64: total += sizeof(int64_t); break;
            case Storage::Text: total += c.length[r]; break;
            }
        }
    }
    return total;
}

} // namespace data
