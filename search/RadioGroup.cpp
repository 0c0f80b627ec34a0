#include "search/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace search {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group_->addButton(b, i);
        layout->addWidget(b);
        buttons_.push_back(b);
    }
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < count()) {
        buttons_[size_t(index)]->setChecked(true);
        return;
    }
    // No item: an exclusive group keeps one checked, so let go of it for a moment.
    group_->setExclusive(false);
    for (QRadioButton* b : buttons_)
        b->setChecked(false);
    group_->setExclusive(true);
}

} // namespace search
