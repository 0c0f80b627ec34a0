#pragma once

#include <QString>

namespace output {

// Month number 1..12 to the name of that month's column in the register ("январь" … "декабрь");
// empty text for any other number. The name serves as a heading and as a field name.
QString MonthName(int n);

} // namespace output
