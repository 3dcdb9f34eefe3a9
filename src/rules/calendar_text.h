// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_report.h"

#include <string>

// Dates and times as the program writes them.
namespace zenthra {

// The program's one list of month names.
inline constexpr const char* kMonthNames[12] = {"January",   "February", "March",    "April",
                                                "May",       "June",     "July",     "August",
                                                "September", "October",  "November", "December"};

enum class DateStyle {
    Words,    // "15 August 1947", for people
    Iso,      // "1947-08-15", as zenthra-calc's --date takes it
    DayMonth, // "15 August", next to a date of the same year
};

// "HH:MM" of a clock minute, "24:00" at the end of the day.
std::string clockText(int minuteOfDay);

// A birth date; a month outside 1..12 is written as its number.
std::string birthDateText(int year, int month, int day, DateStyle style = DateStyle::Words);

// "14 August 1947, 18:30 UT": the universal date and time of a computed
// chart; empty for one whose date cannot be read back.
std::string universalTimeText(const ChartState& chart);

} // namespace zenthra
