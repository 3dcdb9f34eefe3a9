// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/chart_inputs.h"

#include "engine/western_planet_position.h"
#include "rules/zone_table.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

namespace zenthra {
namespace {

std::int16_t i16(int v)
{
    return static_cast<std::int16_t>(v);
}
std::int16_t flag(bool on)
{
    return on ? -1 : 0;
}

} // namespace

UtcOffset ChartInputs::offset() const
{
    if (exactOffset)
        return *exactOffset;
    return UtcOffset::fromSeconds(zoneEntry(zone).offset().seconds() + (dst ? 3600 : 0));
}

std::optional<std::string> checkChartInputs(const ChartInputs& in)
{
    // The month before the day, whose limit depends on it.
    for (const auto& [limit, value] :
         {std::pair{kYearLimit, in.year}, std::pair{kMonthLimit, in.month},
          std::pair{dayLimit(in.year, in.month), in.day}, std::pair{kHourLimit, in.hour},
          std::pair{kMinuteLimit, in.minute}, std::pair{kSecondLimit, in.second}})
        if (auto e = checkLimit(limit, value))
            return e;
    if (in.exactOffset) {
        if (!in.exactOffset->inRange())
            return "utc_offset " + in.exactOffset->text() + " is outside " +
                   UtcOffset::fromSeconds(UtcOffset::kMinSeconds).text() + " to " +
                   UtcOffset::fromSeconds(UtcOffset::kMaxSeconds).text();
    } else if (auto e = checkLimit(kZoneLimit, in.zone)) {
        return e;
    } else if (in.dst && namesDaylightTime(zoneEntry(in.zone))) {
        return "zone " + std::to_string(in.zone) +
               " is a daylight-time entry and dst is 1: the entry already includes the hour";
    }
    for (const auto& [limit, value] :
         {std::pair{kLonDegLimit, in.lonDeg}, std::pair{kLonMinLimit, in.lonMin},
          std::pair{kLatDegLimit, in.latDeg}, std::pair{kLatMinLimit, in.latMin}})
        if (auto e = checkLimit(limit, value))
            return e;
    return std::nullopt;
}

ChartState chartOf(const ChartInputs& in)
{
    const ClockZone zone = in.exactOffset ? chartZone(*in.exactOffset)
                                          : chartZone(zoneEntry(in.zone).offset(), in.dst);
    ChartState c;
    c.intBirthMonth = i16(in.month);
    c.intBirthDay = i16(in.day);
    c.intBirthYear = i16(in.year);
    c.intBirthHour = i16(in.hour);
    c.intBirthMinute = i16(in.minute);
    c.varZoneHours = zone.zoneHours;
    c.varZoneMinutes = zone.zoneMinutes;
    c.intZoneHours = zone.zoneHours;
    c.intZoneMinutes = zone.zoneMinutes;
    c.intLonDeg = i16(in.lonDeg);
    c.intLonMin = i16(in.lonMin);
    c.intLatDeg = i16(in.latDeg);
    c.intLatMin = i16(in.latMin);
    c.bLonEast = flag(in.east);
    c.bLatSouth = flag(in.south);
    c.bDST = flag(zone.dst);
    c.zodiac = in.zodiac;
    computeChart(c);
    return c;
}

} // namespace zenthra
