#pragma once

#include <QString>
#include <vector>

namespace search {

// The condition of the substring search by supplier, as the clerk is shown it: one
// "post_kod=<code>" a code, joined by "or", led by two blanks and ending in a blank
// ("  post_kod=3 or post_kod=5 "). Empty text for no code.
QString supplierConditionText(const std::vector<qint32>& codes);

// The same choice as a condition the engine takes for any number of codes: the text above for
// a short list, "post_kod in (...)" for a long one (a chain of a thousand "or" is too deep for
// the engine's expression tree).
QString supplierConditionSql(const std::vector<qint32>& codes);

// Longest list still written as a chain of "or".
inline constexpr size_t maxOrChain = 500;

} // namespace search
