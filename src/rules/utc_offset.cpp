// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/utc_offset.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zenthra {
namespace {

constexpr std::string_view kMinusSign = "\xE2\x88\x92"; // U+2212 in UTF-8

} // namespace

std::optional<UtcOffset> UtcOffset::parse(std::string_view text)
{
    constexpr std::string_view kUtc = "UTC";
    if (text.substr(0, kUtc.size()) == kUtc)
        text.remove_prefix(kUtc.size());
    int sign = 0;
    if (text.substr(0, kMinusSign.size()) == kMinusSign) {
        sign = -1;
        text.remove_prefix(kMinusSign.size());
    } else if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const std::size_t colon = text.find(':');
    if (sign == 0 || colon == std::string_view::npos || colon < 1 || colon > 2 ||
        text.size() != colon + 3)
        return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != colon && !digit(text[i]))
            return std::nullopt;
    }
    const int hours = colon == 1 ? text[0] - '0' : (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[colon + 1] - '0') * 10 + (text[colon + 2] - '0');
    if (minutes > 59)
        return std::nullopt;
    const UtcOffset offset = fromMinutes(sign * (hours * 60 + minutes));
    if (!offset.inRange())
        return std::nullopt;
    return offset;
}

UtcOffset UtcOffset::roundedToMinute() const
{
    return fromMinutes(static_cast<int>(std::lround(seconds_ / 60.0)));
}

std::string UtcOffset::text(OffsetStyle style) const
{
    const long whole = std::labs(static_cast<long>(seconds_));
    std::string out = style == OffsetStyle::People ? "UTC" : "";
    if (seconds_ >= 0)
        out += '+';
    else if (style == OffsetStyle::Csv)
        out += '-';
    else
        out += kMinusSign;
    char buf[32];
    if (whole % 60 != 0)
        std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    else
        std::snprintf(buf, sizeof buf, "%02ld:%02ld", whole / 3600, whole / 60 % 60);
    return out + buf;
}

ClockZone chartZone(UtcOffset offset, bool dst)
{
    const int west = -(offset.seconds() / 60);
    // Division truncates toward zero, so the minutes keep the sign of the whole.
    return ClockZone{static_cast<std::int16_t>(west / 60), static_cast<std::int16_t>(west % 60),
                     dst};
}

} // namespace zenthra
