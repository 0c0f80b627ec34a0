#include "output/CellNumber.h"

#include <cmath>
#include <cstdlib>

namespace output {

namespace {
constexpr int kExactDigits = 15;   // every decimal of up to 15 significant digits survives a double
constexpr int kMaxTextLength = 400;
}

std::optional<double> CellNumber(const QString& text)
{
    const int n = int(text.size());
    if (n == 0 || n > kMaxTextLength)
        return std::nullopt;

    QByteArray normal;   // the text as strtod reads it in the C locale
    normal.reserve(n);
    int i = 0;
    if (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-')) {
        if (text[0] == QLatin1Char('-'))
            normal.append('-');
        i = 1;
    }
    int digits = 0;
    int significant = 0;     // digits from the first non-zero one on
    int trailingZeros = 0;   // zeros after the last non-zero digit of the fraction
    bool separator = false;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            ++digits;
            if (significant > 0 || c != u'0')
                ++significant;
            trailingZeros = (separator && c == u'0') ? trailingZeros + 1 : 0;
            normal.append(char(c));
        } else if ((c == u',' || c == u'.') && !separator) {
            separator = true;
            normal.append('.');
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (significant - trailingZeros > kExactDigits)
        return std::nullopt;

    const double v = std::strtod(normal.constData(), nullptr);
    if (!std::isfinite(v))
        return std::nullopt;
    return v == 0 ? 0.0 : v;   // no negative zero in a cell
}

std::optional<double> CellNumber(qint64 value)
{
    constexpr qint64 limit = 999'999'999'999'999;   // the largest 15-digit number
    if (value > limit || value < -limit)
        return std::nullopt;
    return double(value);
}

} // namespace output
