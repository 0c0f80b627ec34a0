#include "output/MonthName.h"

namespace output {

QString MonthName(int n)
{
    static const char* const names[] = {"январь", "февраль", "март",     "апрель",  "май",    "июнь",
                                        "июль",   "август",  "сентябрь", "октябрь", "ноябрь", "декабрь"};
    if (n < 1 || n > 12)
        return {};
    return QString::fromUtf8(names[n - 1]);
}

} // namespace output
