#include "output/ReportRows.h"

#include "data/Dataset.h"
#include "data/DbError.h"
#include "output/ReportLayout.h"

#include <array>

namespace output {

ReportRows ReportRows::fromDataset(data::Dataset& query)
{
    if (!query.isOpen())
        query.open();
    query.checkBrowseMode();

    std::array<int, report::columnCount> fields{};
    for (int c = 0; c < report::columnCount; ++c) {
        const QString name = QString::fromUtf8(report::valueColumns()[size_t(c)].field);
        fields[size_t(c)] = query.fieldIndex(name);
        if (fields[size_t(c)] < 0)
            throw data::DbError(QStringLiteral("В наборе данных %1 нет поля %2").arg(query.name(), name));
    }

    ReportRows out;
    out.rows_ = query.recordCount();
    out.ends_.reserve(size_t(out.rows_) * report::columnCount);
    out.arena_.reserve(out.rows_ * 48);
    for (int r = 0; r < out.rows_; ++r) {
        for (int f : fields) {
            out.arena_ += query.text(r, f);
            out.ends_.push_back(uint32_t(out.arena_.size()));
        }
    }
    out.arena_.squeeze();
    query.last();
    return out;
}

QStringView ReportRows::value(int row, int column) const
{
    if (row < 0 || row >= rows_ || column < 0 || column >= report::columnCount)
        return {};
    const size_t cell = size_t(row) * report::columnCount + size_t(column);
    const uint32_t begin = cell == 0 ? 0 : ends_[cell - 1];
    return QStringView(arena_).mid(begin, ends_[cell] - begin);
}

} // namespace output
