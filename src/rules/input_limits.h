// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/zone_table.h"

#include <optional>
#include <string>

// The limits of every birth input: the window's lists and checks, the saved
// births and zenthra-calc all take them from here.
namespace zenthra {

bool isLeapYear(int year);            // Gregorian
int daysInMonth(int year, int month); // month 1..12; 0 outside

// One input, by the name zenthra-calc's CSV columns give it, and the values
// it may take.
struct InputLimit {
    const char* column;
    int low;
    int high;
};

inline constexpr InputLimit kYearLimit{"year", 1900, 2050};
inline constexpr InputLimit kMonthLimit{"month", 1, 12};
inline constexpr InputLimit kDayLimit{"day", 1, 31}; // dayLimit() for a given month
inline constexpr InputLimit kHourLimit{"hour", 0, 23};
inline constexpr InputLimit kMinuteLimit{"minute", 0, 59};
inline constexpr InputLimit kSecondLimit{"second", 0, 59};
inline constexpr InputLimit kZoneLimit{"zone", 0, kZoneCount - 1}; // list positions
inline constexpr InputLimit kLonDegLimit{"lon_deg", 0, 179};
inline constexpr InputLimit kLonMinLimit{"lon_min", 0, 59};
inline constexpr InputLimit kLatDegLimit{"lat_deg", 0, 89};
inline constexpr InputLimit kLatMinLimit{"lat_min", 0, 59};

// The longest field of a births file read in (name, city, state, country
// and the rest), in characters: plenty for any real name or place.
inline constexpr int kMaxTextChars = 500;

// The days of one month, leap years included.
InputLimit dayLimit(int year, int month);

// "<column> <value> is outside <low>-<high>", or nothing within the limit.
std::optional<std::string> checkLimit(const InputLimit& limit, int value);

} // namespace zenthra
