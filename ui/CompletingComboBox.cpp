#include "ui/CompletingComboBox.h"

#include <QCollator>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>
#include <algorithm>

namespace ui {

CompletingComboBox::CompletingComboBox(QWidget* parent)
    : QComboBox(parent)
    , model_(new QStringListModel(this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setModel(model_);
    setMaxVisibleItems(20);
    // Sizing the box to its longest item would measure every item of a long list.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(16);
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, &CompletingComboBox::edited);
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int) {
        if (!settingFromCode_)
            emit userChanged(currentText());
    });
}

QStringList CompletingComboBox::items() const
{
    return model_->stringList();
}

void CompletingComboBox::setItems(QStringList list)
{
    if (sorted_)
        list = sortedWithDuplicates(list);
    const QString shown = currentText();
    const int cursor = lineEdit()->cursorPosition();
    settingFromCode_ = true;
    const bool blocked = blockSignals(true);
    model_->setStringList(list);
    setCurrentIndex(-1);
    lineEdit()->setText(shown);
    lineEdit()->setCursorPosition(cursor);
    blockSignals(blocked);
    settingFromCode_ = false;
}

QStringList CompletingComboBox::sortedWithDuplicates(const QStringList& list)
{
    // A register repeats its names many times over: sort each distinct text once and repeat it
    // as often as it came, instead of comparing every row with the collator.
    QHash<QString, int> counts;
    counts.reserve(list.size());
    for (const QString& item : list)
        ++counts[item];
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<std::pair<QCollatorSortKey, QString>> keyed;
    keyed.reserve(size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        keyed.emplace_back(collator.sortKey(it.key()), it.key());
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const int c = a.first.compare(b.first);
        return c != 0 ? c < 0 : a.second < b.second;
    });
    QStringList out;
    out.reserve(list.size());
    for (const auto& [key, text] : keyed) {
        for (int n = counts.value(text); n > 0; --n)
            out << text;
    }
    return out;
}

void CompletingComboBox::setText(const QString& text)
{
    settingFromCode_ = true;
    const bool blocked = blockSignals(true);
    setCurrentIndex(-1);
    lineEdit()->setText(text);
    lineEdit()->setCursorPosition(0);   // a long prompt shows its beginning
    blockSignals(blocked);
    settingFromCode_ = false;
}

bool CompletingComboBox::eventFilter(QObject* watched, QEvent* event)
{
    // Deleting must not complete again what the user just took away.
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        deleting_ = key == Qt::Key_Backspace || key == Qt::Key_Delete;
    }
    return QComboBox::eventFilter(watched, event);
}

void CompletingComboBox::edited(const QString& text)
{
    if (!deleting_ && !text.isEmpty()) {
        const QStringList list = model_->stringList();
        const auto it = std::find_if(list.begin(), list.end(), [&text](const QString& item) {
            return item.startsWith(text, Qt::CaseInsensitive);
        });
        if (it != list.end()) {
            QLineEdit* line = lineEdit();
            const bool blocked = line->blockSignals(true);
            line->setText(*it);
            line->setSelection(int(text.size()), int(it->size() - text.size()));
            line->blockSignals(blocked);
        }
    }
    emit userChanged(currentText());
}

} // namespace ui
