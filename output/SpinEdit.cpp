#include "output/SpinEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <algorithm>

namespace output {

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(true);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    reported_ = lineEdit()->text();
    // Typing changes the editor's text with its signals on; the arrows and setValue change it
    // with them blocked and tell through the spin box's own signal. Each change is told once.
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::reportText);
    connect(this, &QSpinBox::textChanged, this, &SpinEdit::reportText);
}

void SpinEdit::reportText()
{
    const QString now = lineEdit()->text();
    if (now == reported_)
        return;
    reported_ = now;
    emit textEdited(now);
}

QString SpinEdit::text() const
{
    return lineEdit()->text();
}

void SpinEdit::setText(const QString& text)
{
    lineEdit()->setText(text);
    bool ok = false;
    const int v = text.toInt(&ok);
    if (ok && v >= minimum() && v <= maximum())
        setValue(v);
}

bool SpinEdit::allowedCharacter(QChar c)
{
    return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLocale().decimalPoint().front();
}

QValidator::State SpinEdit::validate(QString& input, int&) const
{
    for (QChar c : input)
        if (!allowedCharacter(c))
            return QValidator::Invalid;
    bool ok = false;
    const int v = input.toInt(&ok);
    return ok && v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

int SpinEdit::valueFromText(const QString& text) const
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? v : minimum();   // what cannot be read counts as the lowest value
}

void SpinEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.front().isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        for (QChar c : typed) {
            if (!allowedCharacter(c)) {
                QApplication::beep();
                event->accept();
                return;
            }
        }
    }
    QSpinBox::keyPressEvent(event);
}

void SpinEdit::focusOutEvent(QFocusEvent* event)
{
    const int v = std::clamp(valueFromText(text()), minimum(), maximum());
    if (text() != QString::number(v))
        setText(QString::number(v));
    QSpinBox::focusOutEvent(event);
}

} // namespace output
