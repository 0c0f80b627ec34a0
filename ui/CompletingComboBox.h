#pragma once

#include <QComboBox>

class QStringListModel;

namespace ui {

// An editable drop-down box that completes what the user types to the first list item (in list
// order) that begins with it, the completed part selected. userChanged() runs only for the
// user's changes: a pick from the list, a completion, an edit that completes to nothing. Text
// set from code raises nothing.
class CompletingComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CompletingComboBox(QWidget* parent = nullptr);

    // Replaces the list, keeping the text shown; sorted boxes order it alphabetically.
    void setItems(QStringList items);
    void setSorted(bool sorted) { sorted_ = sorted; }
    QStringList items() const;

    void setText(const QString& text);   // raises no change event

    // The texts in alphabetical order without regard to case, duplicates kept.
    static QStringList sortedWithDuplicates(const QStringList& list);
    QString text() const { return currentText(); }

signals:
    void userChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void edited(const QString& text);

    QStringListModel* model_;
    bool sorted_ = false;
    bool deleting_ = false;
    bool settingFromCode_ = false;
};

} // namespace ui
