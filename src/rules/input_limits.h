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

// A text field of a birth and the most characters it may hold, counted as
// the window's fields count them (UTF-16 code units, QLineEdit::maxLength):
// the window's fields, the saved births and their import keep to them, so
// that whatever one of them takes the others show whole.
struct TextLimit {
    const char* column;
    int maxChars;
};

inline constexpr TextLimit kNameLimit{"name", 200};
inline constexpr TextLimit kCityLimit{"city", 200};
inline constexpr TextLimit kStateLimit{"state", 200};
inline constexpr TextLimit kCountryLimit{"country", 200};

// Any field of a births file read in, before its column is known, in
// characters: a row with a longer one is not read further.
inline constexpr int kMaxTextChars = 500;

// "name is longer than 200 characters", or nothing within the limit.
std::optional<std::string> checkTextLimit(const TextLimit& limit, long long chars);

// The days of one month, leap years included.
InputLimit dayLimit(int year, int month);

// "<column> <value> is outside <low>-<high>", or nothing within the limit.
std::optional<std::string> checkLimit(const InputLimit& limit, int value);

} // namespace zenthra
