#pragma once

#include <QString>

namespace data {
class Dataset;
}
namespace ui {
class CompletingComboBox;
}

namespace refbooks {

// Fills a drop-down box's list with one field of every row the dataset holds, duplicates
// included, keeping the text the box shows. The dataset ends on its last row, as a walk from
// the first row to the end leaves it. A closed dataset gives an empty list.
void fillBox(data::Dataset& dataSet, ui::CompletingComboBox& box, const QString& fieldName);

} // namespace refbooks
