#pragma once

#include <QByteArray>
#include <QString>

namespace settings {

// The settings file is 8-bit Windows-1251 text, as the program has always written it.

// Bytes that have no character in the code page come out as U+FFFD.
QString decodeCp1251(const QByteArray& bytes);
// Characters that the code page cannot hold go out as '?'.
QByteArray encodeCp1251(const QString& text);

} // namespace settings
