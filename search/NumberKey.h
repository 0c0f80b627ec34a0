#pragma once

#include <QChar>
#include <QString>

namespace search {

// What the number edits of the search dialogs do with one typed character.
enum class NumberKeyVerdict {
    Accept,   // goes into the edit as NumberKey::key (a separator comes out as the user's own)
    Drop,     // dropped without a word: a second decimal separator
    Refuse,   // not part of a number: dropped, and the dialog may say why
};

struct NumberKey {
    NumberKeyVerdict verdict;
    QChar key;
};

// Digits and backspace pass; a full stop or a comma becomes the decimal separator unless the
// edit's text already holds one; anything else, control characters included, is refused.
NumberKey filterNumberKey(QChar key, const QString& editText, QChar decimalSeparator);

// The user's decimal separator (the default locale's, which is the system's unless changed).
QChar userDecimalSeparator();

} // namespace search
