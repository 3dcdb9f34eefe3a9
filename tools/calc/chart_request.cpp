// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/chart_request.h"

#include "engine/chart_state.h"
#include "engine/western_planet_position.h"
#include "rules/input_rules.h"
#include "rules/zone_table.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zenthra::calc {
namespace {

std::optional<std::string> outside(const char* column, int value, int low, int high)
{
    if (value >= low && value <= high)
        return std::nullopt;
    return std::string(column) + ' ' + std::to_string(value) + " is outside " +
           std::to_string(low) + '-' + std::to_string(high);
}

std::int16_t i16(int v)
{
    return static_cast<std::int16_t>(v);
}

} // namespace

std::optional<std::string> checkRequest(const ChartRequest& r)
{
    if (auto e = outside("year", r.year, 1900, 2050))
        return e;
    if (auto e = outside("month", r.month, 1, 12))
        return e;
    if (auto e = outside("day", r.day, 1, daysInMonth(r.year, r.month)))
        return e;
    if (auto e = outside("hour", r.hour, 0, 23))
        return e;
    if (auto e = outside("minute", r.minute, 0, 59))
        return e;
    if (r.exactOffset) {
        if (!r.exactOffset->inRange())
            return "utc_offset " + r.exactOffset->text() + " is outside " +
                   UtcOffset::fromSeconds(UtcOffset::kMinSeconds).text() + " to " +
                   UtcOffset::fromSeconds(UtcOffset::kMaxSeconds).text();
    } else if (auto e = outside("zone", r.zone, 0, kZoneCount - 1)) {
        return e;
    }
    if (auto e = outside("lon_deg", r.lonDeg, 0, 179))
        return e;
    if (auto e = outside("lon_min", r.lonMin, 0, 59))
        return e;
    if (auto e = outside("lat_deg", r.latDeg, 0, 89))
        return e;
    if (auto e = outside("lat_min", r.latMin, 0, 59))
        return e;
    return std::nullopt;
}

void runRequest(const ChartRequest& r)
{
    ChartState& c = chartState();
    const ClockZone zone =
        r.exactOffset ? chartZone(*r.exactOffset) : chartZone(zoneEntry(r.zone).offset(), r.dst);
    c.intBirthMonth = i16(r.month);
    c.intBirthDay = i16(r.day);
    c.intBirthYear = i16(r.year);
    c.intBirthHour = i16(r.hour);
    c.intBirthMinute = i16(r.minute);
    c.varZoneHours = zone.zoneHours;
    c.varZoneMinutes = zone.zoneMinutes;
    c.intZoneHours = zone.zoneHours;
    c.intZoneMinutes = zone.zoneMinutes;
    c.intLonDeg = i16(r.lonDeg);
    c.intLonMin = i16(r.lonMin);
    c.intLatDeg = i16(r.latDeg);
    c.intLatMin = i16(r.latMin);
    c.bLonEast = r.east ? -1 : 0;
    c.bLatSouth = r.south ? -1 : 0;
    c.bDST = zone.dst ? -1 : 0;
    Chart_Angles();
    Position_Table();
    c.strAscSign.assign(c.arrPositionText[10], 3, 3);
}

ChartResult computeRequest(const ChartRequest& r)
{
    runRequest(r);
    const ChartState& c = chartState();
    ChartResult out;
    out.ascendant = c.varAscendant;
    out.longText = c.varAscendantText;
    out.shortText = c.arrPositionText[10];
    out.code = c.strAscSign;
    return out;
}

} // namespace zenthra::calc
