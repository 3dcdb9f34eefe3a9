// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/calendar_text.h"

#include <cstdio>

namespace zenthra {

std::string clockText(int minuteOfDay)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", (minuteOfDay / 60) % 100, minuteOfDay % 60);
    return buf;
}

std::string birthDateText(int year, int month, int day, DateStyle style)
{
    char buf[64];
    if (style == DateStyle::Iso)
        std::snprintf(buf, sizeof buf, "%d-%02d-%02d", year, month, day);
    else if (style == DateStyle::DayMonth && month >= 1 && month <= 12)
        std::snprintf(buf, sizeof buf, "%d %s", day, kMonthNames[month - 1]);
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
    return birthDateText(moment->year, moment->month, moment->day) + ", " +
           clockText(moment->minuteOfDay) + " UT";
}

} // namespace zenthra
