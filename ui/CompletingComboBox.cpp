#include "ui/CompletingComboBox.h"

#include <QCollator>
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
    if (sorted_) {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(list.begin(), list.end(),
                         [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    }
    const QString shown = currentText();
    settingFromCode_ = true;
    const bool blocked = blockSignals(true);
    model_->setStringList(list);
    setCurrentIndex(-1);
    lineEdit()->setText(shown);
    blockSignals(blocked);
    settingFromCode_ = false;
}

void CompletingComboBox::setText(const QString& text)
{
    settingFromCode_ = true;
    const bool blocked = blockSignals(true);
    setCurrentIndex(-1);
    lineEdit()->setText(text);
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
