// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/utc_offset.h"

#include <cstdint>
#include <optional>

namespace zenthra {

// One entry of the fixed time-zone list. The text is for display only; the
// values belong to the position.
struct ZoneEntry {
    const char* text;
    std::int16_t hours;   // offset from Greenwich negated: west positive
    std::int16_t minutes; // 0 or 30, with the sign of the hours

    UtcOffset offset() const { return UtcOffset::fromMinutes(-(hours * 60 + minutes)); }
};

inline constexpr int kZoneCount = 71;
inline constexpr int kDefaultZonePosition = 29; // "Greenwich Mean Time,GMT,0.0"

// position must lie in 0..kZoneCount-1.
const ZoneEntry& zoneEntry(int position);
// Nothing for a position outside the list (such as -1, no selection).
std::optional<ZoneEntry> resolveZone(int position);

// The entry's text names daylight time ("Eastern Daylight Time,EDT,-4.0"):
// its offset already includes the daylight-saving hour, so the
// daylight-saving flag must not add another.
bool namesDaylightTime(const ZoneEntry& entry);

} // namespace zenthra
