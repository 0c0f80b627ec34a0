#include "search/NumberKey.h"

#include <QLocale>

namespace search {

NumberKey filterNumberKey(QChar key, const QString& editText, QChar decimalSeparator)
{
    const char16_t c = key.unicode();
    if ((c >= u'0' && c <= u'9') || c == u'\b')
        return {NumberKeyVerdict::Accept, key};
    if (c == u'.' || c == u',') {
        if (editText.contains(decimalSeparator))
            return {NumberKeyVerdict::Drop, QChar()};
        return {NumberKeyVerdict::Accept, decimalSeparator};
    }
    return {NumberKeyVerdict::Refuse, QChar()};
}

QChar userDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

} // namespace search
