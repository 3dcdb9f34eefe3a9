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

// The most characters any text field of a birth may hold (name, city, state,
// country and every other text a births file carries), counted as the
// window's fields count them (UTF-16 code units, QLineEdit::maxLength): the
// window, the saved births, their import and zenthra-calc keep to it, so
// that whatever one of them takes the others show whole.
inline constexpr int kMaxTextChars = 500;

// A text field of a birth by its column name.
struct TextLimit {
    const char* column;
    int maxChars;
};

inline constexpr TextLimit kNameLimit{"name", kMaxTextChars};
inline constexpr TextLimit kCityLimit{"city", kMaxTextChars};
inline constexpr TextLimit kStateLimit{"state", kMaxTextChars};
inline constexpr TextLimit kCountryLimit{"country", kMaxTextChars};

// "name is longer than 500 characters", or nothing within the limit.
std::optional<std::string> checkTextLimit(const TextLimit& limit, long long chars);

// The days of one month, leap years included.
InputLimit dayLimit(int year, int month);

// "<column> <value> is outside <low>-<high>", or nothing within the limit.
std::optional<std::string> checkLimit(const InputLimit& limit, int value);

} // namespace zenthra
