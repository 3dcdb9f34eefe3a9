// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/calendar_text.h"

#include <cstdio>

namespace zenthra {

std::string birthDateText(int year, int month, int day, DateStyle style)
{
    char buf[64];
    if (style == DateStyle::Iso)
        std::snprintf(buf, sizeof buf, "%d-%02d-%02d", year, month, day);
    else if (month >= 1 && month <= 12)
        std::snprintf(buf, sizeof buf, "%d %s %d", day, kMonthNames[month - 1], year);
    else
        std::snprintf(buf, sizeof buf, "%d %d %d", day, month, year);
    return buf;
}

std::string universalTimeText(const ChartState& chart)
{
    const auto moment = universalMoment(chart);
    if (!moment)
        return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, ", %02d:%02d UT", moment->minuteOfDay / 60,
                  moment->minuteOfDay % 60);
    return birthDateText(moment->year, moment->month, moment->day) + buf;
}

} // namespace zenthra
