// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/input_rules.h"

#include <charconv>
#include <cmath>

namespace zenthra {

std::optional<double> parseNumber(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    std::size_t i = 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    // Check the shape ourselves: from_chars would also take exponents, "inf"
    // and "nan". It is locale-independent, unlike strtod.
    const std::size_t start = i;
    bool anyDigit = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        anyDigit = true;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            anyDigit = true;
    if (!anyDigit || i != text.size())
        return std::nullopt;
    double value = 0;
    const auto res = std::from_chars(text.data() + start, text.data() + text.size(), value);
    // Out of range (too many digits for a double either way) is no number.
    if (res.ec != std::errc())
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int16_t> toInt16(std::string_view text)
{
    const auto value = parseNumber(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // default rounding: halves to even
    if (rounded < -32768 || rounded > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

namespace {

// Empty, not a number, or outside the limit: a refusal.
bool inRange(std::string_view text, const InputLimit& limit)
{
    const auto value = parseNumber(text);
    return value && *value >= limit.low && *value <= limit.high;
}

// "Please Enter Value Between 0 And 179 in the Degree of Longitude"
std::string between(const InputLimit& limit, const char* what)
{
    return "Please Enter Value Between " + std::to_string(limit.low) + " And " +
           std::to_string(limit.high) + " in the " + what;
}

std::string trimmedSpaces(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

} // namespace

std::optional<InputProblem> validateInputs(const BirthInputs& in)
{
    if (trimmedSpaces(in.name).empty())
        return InputProblem{"Please Enter Name", MessageIcon::Stop, InputField::Name};
    return validatePlaceAndDate(in);
}

std::optional<InputProblem> validatePlaceAndDate(const BirthInputs& in)
{
    if (!inRange(in.lonDeg, kLonDegLimit))
        return InputProblem{between(kLonDegLimit, "Degree of Longitude"), MessageIcon::Stop,
                            InputField::LonDeg};
    if (!inRange(in.lonMin, kLonMinLimit))
        return InputProblem{between(kLonMinLimit, " Minute of Longitude"), MessageIcon::Stop,
                            InputField::LonMin};
    if (!inRange(in.latDeg, kLatDegLimit))
        return InputProblem{between(kLatDegLimit, "Degree of Latitude"), MessageIcon::Stop,
                            InputField::LatDeg};
    if (!inRange(in.latMin, kLatMinLimit))
        return InputProblem{between(kLatMinLimit, " Minute of Latitude"), MessageIcon::Stop,
                            InputField::LatMin};

    const int month = in.monthIndex + 1;
    const int day = in.dayIndex + 1;
    if (month == 2 && day > dayLimit(in.year, 2).high)
        return InputProblem{"Please Enter Correct Date Or Month!", MessageIcon::Information,
                            InputField::None};
    if (month != 2 && day > dayLimit(in.year, month).high && month >= kMonthLimit.low &&
        month <= kMonthLimit.high)
        return InputProblem{"Please Enter Correct Date Or Month !", MessageIcon::Information,
                            InputField::None};
    return std::nullopt;
}

} // namespace zenthra
