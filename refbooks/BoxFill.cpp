#include "refbooks/BoxFill.h"

#include "data/Dataset.h"
#include "data/DbError.h"
#include "ui/CompletingComboBox.h"

namespace refbooks {

void fillBox(data::Dataset& dataSet, ui::CompletingComboBox& box, const QString& fieldName)
{
    if (!dataSet.isOpen()) {
        box.setItems({});
        return;
    }
    dataSet.checkBrowseMode();
    const int field = dataSet.fieldIndex(fieldName);
    if (field < 0)
        throw data::DbError(QStringLiteral("%1: поле «%2» не найдено").arg(dataSet.name(), fieldName));
    // Straight from the rows held rather than stepping the cursor row by row: the same items.
    QStringList items;
    const int n = dataSet.recordCount();
    items.reserve(n);
    for (int row = 0; row < n; ++row)
        items << dataSet.text(row, field);
    box.setItems(items);
    dataSet.last();
}

} // namespace refbooks
