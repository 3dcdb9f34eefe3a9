// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/whole_number.h"

#include <charconv>
#include <system_error>

namespace zenthra {

const char* const kNotWhole = "is not a whole number";
const char* const kOutOfRange = "is out of range";

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

const char* readWhole(std::string_view s, int& value)
{
    s = trimmed(s);
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (s.empty() || s.front() < '0' || s.front() > '9')
            return kNotWhole;
    }
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    if (res.ptr != s.data() + s.size() || s.empty())
        return kNotWhole;
    if (res.ec == std::errc::result_out_of_range)
        return kOutOfRange;
    return res.ec == std::errc() ? nullptr : kNotWhole;
}

} // namespace zenthra
