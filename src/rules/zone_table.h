// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zenthra {

// One entry of the fixed time-zone list. The text is for display only; the
// values belong to the position.
struct ZoneEntry {
    const char* text;
    std::int16_t hours;   // offset from Greenwich negated: west positive
    std::int16_t minutes; // 0 or 30, with the sign of the hours
};

inline constexpr int kZoneCount = 71;
inline constexpr int kDefaultZonePosition = 29; // "Greenwich Mean Time,GMT,0.0"

// position must lie in 0..kZoneCount-1.
const ZoneEntry& zoneEntry(int position);
// Nothing for a position outside the list (such as -1, no selection).
std::optional<ZoneEntry> resolveZone(int position);

// A UTC offset to the minute as the chart state carries it: hours negated
// (west positive) and minutes with the same sign, "+05:45" is -5 and -45,
// "-00:30" is 0 and 30.
struct ZoneOffset {
    std::int16_t hours = 0;
    std::int16_t minutes = 0;
};

// The range of offsets clocks have kept since 1900: UTC-12:00 to UTC+14:00.
inline constexpr int kMinOffsetMinutes = -12 * 60;
inline constexpr int kMaxOffsetMinutes = 14 * 60;

// From whole minutes east of Greenwich; nothing outside the range.
std::optional<ZoneOffset> zoneOffsetFromMinutes(int eastMinutes);

// "+05:45", "-04:30", "+5:45", optionally after "UTC"; the minus may also be
// U+2212 (as the place-time line writes it). The sign is required, the
// minutes have two digits and lie in 0..59. Nothing for any other text or an
// offset outside the range.
std::optional<ZoneOffset> parseUtcOffset(std::string_view text);

} // namespace zenthra
