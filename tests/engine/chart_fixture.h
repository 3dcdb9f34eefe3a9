// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"
#include "engine/western_planet_position.h"

#include <cstdint>

namespace zenthra::test {

// One birth as the window would enter it; zone values are the signed ones of
// the zone list (west positive).
struct Birth {
    int year, month, day, hour, minute;
    int zoneHours, zoneMinutes;
    int lonDeg, lonMin;
    bool east;
    int latDeg, latMin;
    bool south;
    bool dst;
};

// Puts the birth's inputs into a chart, leaving everything else as it is.
inline void fillInputs(ChartState& c, const Birth& b)
{
    c.intBirthYear = static_cast<std::int16_t>(b.year);
    c.intBirthMonth = static_cast<std::int16_t>(b.month);
    c.intBirthDay = static_cast<std::int16_t>(b.day);
    c.intBirthHour = static_cast<std::int16_t>(b.hour);
    c.intBirthMinute = static_cast<std::int16_t>(b.minute);
    c.intZoneHours = static_cast<std::int16_t>(b.zoneHours);
    c.intZoneMinutes = static_cast<std::int16_t>(b.zoneMinutes);
    c.intLonDeg = static_cast<std::int16_t>(b.lonDeg);
    c.intLonMin = static_cast<std::int16_t>(b.lonMin);
    c.bLonEast = b.east ? -1 : 0;
    c.intLatDeg = static_cast<std::int16_t>(b.latDeg);
    c.intLatMin = static_cast<std::int16_t>(b.latMin);
    c.bLatSouth = b.south ? -1 : 0;
    c.bDST = b.dst ? -1 : 0;
}

// The birth's chart, run as the engine's two steps.
inline ChartState chartFor(const Birth& b)
{
    ChartState c;
    fillInputs(c, b);
    Chart_Angles(c);
    Position_Table(c);
    return c;
}

} // namespace zenthra::test
