#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace settings {

// The settings file in the common INI layout, held in memory between reading and writing.
//
// Section and key names are compared without regard to letter case. Every line is kept as the
// bytes it was read as; only a line whose value is written is replaced, so lines, keys and
// sections that the program does not know survive a save unchanged. The text is Windows-1251.
// A missing or unreadable file reads as an empty one: every key then yields its default.
class IniFile {
public:
    explicit IniFile(const QString& path);

    const QString& path() const { return path_; }

    // The value's text, trimmed, with one pair of enclosing quotes removed; the default when
    // the section or the key is missing.
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    // A decimal integer or a hexadecimal one with the prefix 0x; anything else, and a value
    // out of the 32-bit range, yields the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;

    // Sets the value in memory; the section and the key are added when they are missing.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);

    // Replaces the file on disk by the text held here. The file is replaced whole or not at
    // all; on failure throws data::DbError "Unable to write to <path>".
    void save() const;

    // The text as save() would write it.
    QByteArray bytes() const;

private:
    struct Line {
        QByteArray raw;   // without its line break
        QByteArray eol;   // the line break it had; empty for a last line without one
        QString text;     // raw decoded
    };

    std::optional<size_t> findSection(const QString& section) const;
    size_t sectionEnd(size_t header) const;
    std::optional<size_t> findKey(size_t header, const QString& key) const;
    void insertLine(size_t at, const QString& text);

    QString path_;
    std::vector<Line> lines_;
};

// The integer an INI value stands for, as readInteger takes it; nullopt when it is none.
std::optional<int> parseIniInteger(const QString& text);

} // namespace settings
