// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/input_limits.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The main window's rules for what it accepts, free of any widget so that
// they can be tested and reused (the command line applies the same limits).
namespace zenthra {

// A number as typed: blanks around it, an optional sign, digits with an
// optional decimal point. Nothing else (no exponent, no thousands separator),
// and nothing too large or too small for a double.
std::optional<double> parseNumber(std::string_view text);

// Text to a 16-bit integer: blanks ignored, halves rounded to the even
// neighbour; nothing for empty text, text that is not a number, or a value
// outside -32768..32767.
std::optional<std::int16_t> toInt16(std::string_view text);

enum class MessageIcon { Stop, Information };

// Which box gets the focus after a failed check.
enum class InputField { None, Name, LonDeg, LonMin, LatDeg, LatMin };

struct InputProblem {
    std::string message;
    MessageIcon icon;
    InputField focus;
};

// What the validation looks at, as the window shows it.
struct BirthInputs {
    std::string name;
    std::string lonDeg, lonMin, latDeg, latMin;
    int year = 1900;
    int monthIndex = 0; // 0 for January, -1 for no selection
    int dayIndex = 0;   // 0 for day 1
};

// The first problem, in the order name, longitude degrees and minutes,
// latitude degrees and minutes, day of the month; nothing when all pass.
// Every text that passes converts cleanly with toInt16.
std::optional<InputProblem> validateInputs(const BirthInputs& in);

// The same checks without the name: what a place and a date need on their own.
std::optional<InputProblem> validatePlaceAndDate(const BirthInputs& in);

} // namespace zenthra
