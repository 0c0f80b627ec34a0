#pragma once

#include <QString>
#include <optional>

namespace output {

// The number a cell text stands for, read the way the spreadsheet application reads what is
// typed into a cell: an optional sign, digits, and at most one decimal separator (a comma or a
// full stop) with digits on at least one side. Texts with more significant digits than a double
// holds exactly (15) stay texts, so that a long code or price is never rounded; so does anything
// else (blanks, letters, exponents, thousands separators).
std::optional<double> CellNumber(const QString& text);

// The same reading for a whole number that is already an integer.
std::optional<double> CellNumber(qint64 value);

} // namespace output
