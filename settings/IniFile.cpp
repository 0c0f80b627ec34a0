#include "settings/IniFile.h"

#include "data/DbError.h"
#include "settings/Cp1251.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <limits>

namespace settings {

namespace {

const QByteArray kLineBreak = QByteArrayLiteral("\r\n");

// The name of the section that a line opens, if it opens one.
std::optional<QString> sectionOf(const QString& text)
{
    const QString t = text.trimmed();
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

struct KeyLine {
    QString key;
    QString value;
};

// The key and value of a key=value line; comments, blank lines and others give none.
std::optional<KeyLine> keyOf(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'['))
        return std::nullopt;
    const qsizetype eq = t.indexOf(u'=');
    if (eq <= 0)
        return std::nullopt;
    KeyLine k{t.left(eq).trimmed(), t.mid(eq + 1).trimmed()};
    if (k.key.isEmpty())
        return std::nullopt;
    return k;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value never spans lines: a line break in it would cut the file's structure.
QString oneLine(const QString& value)
{
    QString v = value;
    v.replace(u'\r', u' ');
    v.replace(u'\n', u' ');
    return v;
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

} // namespace

std::optional<int> parseIniInteger(const QString& text)
{
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = t.mid(2);
        if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), isHexDigit))
            return std::nullopt;
        bool ok = false;
        const qulonglong v = digits.toULongLong(&ok, 16);
        if (!ok || v > 0xFFFFFFFFull)
            return std::nullopt;
        // Eight hex digits fill the 32 bits, sign included, as the old files meant them.
        return static_cast<int>(static_cast<quint32>(v));
    }
    qsizetype start = 0;
    if (t.startsWith(u'+') || t.startsWith(u'-'))
        start = 1;
    if (start == t.size())
        return std::nullopt;
    for (qsizetype i = start; i < t.size(); ++i)
        if (t[i] < u'0' || t[i] > u'9')
            return std::nullopt;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok, 10);
    if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(v);
}

IniFile::IniFile(const QString& path)
    : path_(path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QByteArray all = f.readAll();
    qsizetype pos = 0;
    while (pos < all.size()) {
        qsizetype nl = all.indexOf('\n', pos);
        Line line;
        if (nl < 0) {
            line.raw = all.mid(pos);
            pos = all.size();
        } else {
            line.raw = all.mid(pos, nl - pos);
            line.eol = "\n";
            pos = nl + 1;
        }
        if (line.raw.endsWith('\r')) {
            line.raw.chop(1);
            line.eol.prepend('\r');
        }
        line.text = decodeCp1251(line.raw);
        lines_.push_back(std::move(line));
    }
}

std::optional<size_t> IniFile::findSection(const QString& section) const
{
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionOf(lines_[i].text);
        if (name && sameName(*name, section))
            return i;
    }
    return std::nullopt;
}

size_t IniFile::sectionEnd(size_t header) const
{
    size_t i = header + 1;
    while (i < lines_.size() && !sectionOf(lines_[i].text))
        ++i;
    return i;
}

std::optional<size_t> IniFile::findKey(size_t header, const QString& key) const
{
    const size_t end = sectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        const auto k = keyOf(lines_[i].text);
        if (k && sameName(k->key, key))
            return i;
    }
    return std::nullopt;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const auto header = findSection(section);
    if (!header)
        return defaultValue;
    const auto at = findKey(*header, key);
    if (!at)
        return defaultValue;
    QString value = keyOf(lines_[*at].text)->value;
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    return parseIniInteger(readString(section, key, QString())).value_or(defaultValue);
}

void IniFile::insertLine(size_t at, const QString& text)
{
    if (at > 0 && lines_[at - 1].eol.isEmpty())
        lines_[at - 1].eol = kLineBreak;
    Line line;
    line.raw = encodeCp1251(text);
    line.eol = kLineBreak;
    line.text = decodeCp1251(line.raw);
    lines_.insert(lines_.begin() + qsizetype(at), std::move(line));
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    const QString v = oneLine(value);
    const auto header = findSection(section);
    if (!header) {
        insertLine(lines_.size(), QLatin1Char('[') + section + QLatin1Char(']'));
        insertLine(lines_.size(), key + QLatin1Char('=') + v);
        return;
    }
    if (const auto at = findKey(*header, key)) {
        // The key keeps the spelling it has in the file; only the value changes.
        Line& line = lines_[*at];
        line.raw = encodeCp1251(keyOf(line.text)->key + QLatin1Char('=') + v);
        line.text = decodeCp1251(line.raw);
        return;
    }
    // A new key goes after the section's last non-blank line.
    size_t at = *header + 1;
    const size_t end = sectionEnd(*header);
    for (size_t i = *header + 1; i < end; ++i)
        if (!lines_[i].text.trimmed().isEmpty())
            at = i + 1;
    insertLine(at, key + QLatin1Char('=') + v);
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

QByteArray IniFile::bytes() const
{
    QByteArray out;
    for (size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i].raw;
        out += lines_[i].eol.isEmpty() && i + 1 < lines_.size() ? kLineBreak : lines_[i].eol;
    }
    return out;
}

void IniFile::save() const
{
    const QString failure = QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(path_);
    // Unbuffered, and every short write followed up: buffered QSaveFile on Qt 6.4 takes a
    // short write on a full disk for success and commits the cut file.
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw data::DbError(failure);
    const QByteArray all = bytes();
    qint64 done = 0;
    while (done < all.size()) {
        const qint64 n = f.write(all.constData() + done, all.size() - done);
        if (n <= 0) {
            f.cancelWriting();
            throw data::DbError(failure);
        }
        done += n;
    }
    if (!f.commit())
        throw data::DbError(failure);
}

} // namespace settings
