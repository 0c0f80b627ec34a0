#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace search {

// A framed group of radio buttons, one item chosen at a time, addressed by item index
// (-1: none chosen).
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    int count() const { return int(buttons_.size()); }
    QRadioButton* button(int index) const { return buttons_.at(size_t(index)); }

signals:
    // Whenever another item becomes chosen, by the user or by code.
    void itemIndexChanged(int index);

private:
    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
};

} // namespace search
