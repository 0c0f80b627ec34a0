#include "settings/Cp1251.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace settings {

namespace {

// One conversion descriptor for the length of one call.
class Converter {
public:
    Converter(const char* to, const char* from)
        : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv: conversion not available");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input; onInvalid is told how many input bytes to skip and what to emit
    // when the input holds a sequence that the target cannot take.
    template <typename OnInvalid>
    QByteArray run(const QByteArray& input, OnInvalid onInvalid)
    {
        QByteArray out;
        out.reserve(input.size() * 2 + 16);
        char* in = const_cast<char*>(input.constData());
        size_t inLeft = size_t(input.size());
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, qsizetype(outPtr - buffer));
            if (rc != size_t(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (a truncated sequence at the end): replace and go on.
            const size_t skip = std::min(inLeft, onInvalid(static_cast<unsigned char>(*in), out));
            in += skip;
            inLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
size_t utf8Length(unsigned char lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

QString decodeCp1251(const QByteArray& bytes)
{
    Converter c("UTF-8", "CP1251");
    const QByteArray utf8 = c.run(bytes, [](unsigned char, QByteArray& out) {
        out.append("\xEF\xBF\xBD");
        return size_t(1);
    });
    return QString::fromUtf8(utf8);
}

QByteArray encodeCp1251(const QString& text)
{
    Converter c("CP1251", "UTF-8");
    return c.run(text.toUtf8(), [](unsigned char lead, QByteArray& out) {
        out.append('?');
        return utf8Length(lead);
    });
}

} // namespace settings
