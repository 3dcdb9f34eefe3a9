// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_args.h"

#include "calc/calc_help.h"
#include "rules/zodiac_text.h"

#include <algorithm>

namespace zenthra::calc {

void usageError(std::FILE* err, const std::string& why)
{
    std::fprintf(err, "zenthra-calc: %s\n%s", escaped(why).c_str(), kUsage);
}

void inputError(std::FILE* err, const std::string& why)
{
    std::fprintf(err, "zenthra-calc: %s\n", escaped(why).c_str());
}

std::optional<bool> direction(std::string_view s, char first, char second)
{
    if (s.size() != 1)
        return std::nullopt;
    const char c = s[0] >= 'a' && s[0] <= 'z' ? static_cast<char>(s[0] - 'a' + 'A') : s[0];
    if (c == first)
        return false;
    if (c == second)
        return true;
    return std::nullopt;
}

std::vector<std::string_view> splitAt(std::string_view s, char sep)
{
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    for (std::size_t at = s.find(sep, 1); at != std::string_view::npos; at = s.find(sep, at + 1)) {
        parts.push_back(s.substr(from, at - from));
        from = at + 1;
    }
    parts.push_back(s.substr(from));
    return parts;
}

std::optional<Zodiac> readSidereal(const std::string& value, std::FILE* err)
{
    const auto zodiac = siderealZodiacNamed(value);
    if (!zodiac)
        usageError(err,
                   "--sidereal wants one of " + siderealOptionNames() + ", not " + shown(value));
    return zodiac;
}

bool isOneOf(const std::string& name, const char* const* from, const char* const* to)
{
    return std::find_if(from, to, [&name](const char* o) { return name == o; }) != to;
}

} // namespace zenthra::calc
