// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/input_limits.h"

namespace zenthra {

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

InputLimit dayLimit(int year, int month)
{
    return {kDayLimit.column, kDayLimit.low, daysInMonth(year, month)};
}

std::optional<std::string> checkLimit(const InputLimit& limit, int value)
{
    if (value >= limit.low && value <= limit.high)
        return std::nullopt;
    return std::string(limit.column) + ' ' + std::to_string(value) + " is outside " +
           std::to_string(limit.low) + '-' + std::to_string(limit.high);
}

std::optional<std::string> checkTextLimit(const TextLimit& limit, long long chars)
{
    if (chars <= limit.maxChars)
        return std::nullopt;
    return std::string(limit.column) + " is longer than " + std::to_string(limit.maxChars) +
           " characters";
}

} // namespace zenthra
