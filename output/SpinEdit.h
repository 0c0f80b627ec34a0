#pragma once

#include <QSpinBox>

namespace output {

// The spin field of the month dialog: digits, signs and the decimal separator may be typed
// (anything else is refused with a beep), even when the number is outside the range for a
// moment; the arrows and the Up and Down keys step by 1 inside the range; leaving the field
// brings a number outside the range back to the nearest end. textEdited reports every change
// of the text, typed or set.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

signals:
    void textEdited(const QString& text);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    static bool allowedCharacter(QChar c);
    void reportText();

    QString reported_;
};

} // namespace output
