// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"

#include <optional>
#include <string>
#include <string_view>

namespace zenthra {

// How an offset is written.
enum class OffsetStyle {
    People,      // "UTC+05:30", "UTC−04:00" with U+2212 MINUS SIGN
    PeopleNoUtc, // "+05:30", "−04:00": the same without "UTC"
    Csv,         // "+05:30", "-04:00": ASCII only
};

// An offset from UTC, east of Greenwich positive, to the second. Any value
// can be held and written (place times with seconds, local mean times); the
// parser and inRange() keep to the offsets clocks have kept since 1900.
class UtcOffset {
public:
    static constexpr int kMinSeconds = -12 * 3600; // UTC−12:00
    static constexpr int kMaxSeconds = 14 * 3600;  // UTC+14:00

    constexpr UtcOffset() = default;
    static constexpr UtcOffset fromSeconds(int eastSeconds) { return UtcOffset(eastSeconds); }
    static constexpr UtcOffset fromMinutes(int eastMinutes) { return UtcOffset(eastMinutes * 60); }

    // "+05:45", "-04:30", "+5:45", optionally after "UTC"; the minus may also
    // be U+2212 (as the texts for people write it). The sign is required, the
    // minutes have two digits and lie in 0..59. Nothing for any other text or
    // an offset outside UTC−12:00..UTC+14:00.
    static std::optional<UtcOffset> parse(std::string_view text);

    constexpr int seconds() const { return seconds_; }
    constexpr bool inRange() const { return seconds_ >= kMinSeconds && seconds_ <= kMaxSeconds; }
    // To the nearest whole minute, halves away from zero.
    UtcOffset roundedToMinute() const;

    // Hours and minutes with two digits each; seconds only when there are
    // any ("UTC+05:21:10"). A sign always: "UTC+00:00", "UTC−00:00:30".
    std::string text(OffsetStyle style = OffsetStyle::People) const;

    friend constexpr bool operator==(UtcOffset a, UtcOffset b) { return a.seconds_ == b.seconds_; }
    friend constexpr bool operator!=(UtcOffset a, UtcOffset b) { return a.seconds_ != b.seconds_; }

private:
    constexpr explicit UtcOffset(int seconds)
        : seconds_(seconds)
    {
    }
    int seconds_ = 0;
};

// The zone of an offset as the chart state holds it: the whole minutes west
// of Greenwich as signed hours and minutes, the minutes carrying the sign of
// the hours ("+05:30" is -5 and -30, "-00:30" is 0 and 30), and the
// daylight-saving flag. Seconds are dropped: round the offset first.
ClockZone chartZone(UtcOffset offset, bool dst = false);

} // namespace zenthra
