// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_args.h"

#include "calc/calc_help.h"
#include "rules/zodiac_text.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace zenthra::calc {

const char* const kNotWhole = "is not a whole number";
const char* const kOutOfRange = "is out of range";

std::string escaped(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (const char ch : s) {
        const auto u = static_cast<unsigned char>(ch);
        if (u >= 0x20 && u != 0x7F) {
            out += ch;
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\t') {
            out += "\\t";
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        }
    }
    return out;
}

std::string shown(std::string_view s)
{
    constexpr std::size_t kMax = 64;
    if (s.size() <= kMax)
        return "'" + std::string(s) + "'";
    std::size_t cut = kMax;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80)
        --cut;
    return "'" + std::string(s.substr(0, cut)) + "...'";
}

void usageError(std::FILE* err, const std::string& why)
{
    std::fprintf(err, "zenthra-calc: %s\n%s", escaped(why).c_str(), kUsage);
}

void inputError(std::FILE* err, const std::string& why)
{
    std::fprintf(err, "zenthra-calc: %s\n", escaped(why).c_str());
}

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
