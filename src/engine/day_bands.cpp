// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/day_bands.h"

#include "engine/western_planet_position.h"

namespace zenthra {

std::vector<RisingBand> dayBands(const ChartState& birth, const ZoneAtMinute& zoneAt)
{
    std::vector<RisingBand> bands;
    for (int minute = 0; minute < kMinutesPerDay; ++minute) {
        std::string code;
        const std::optional<ClockZone> zone =
            zoneAt ? zoneAt(minute)
                   : ClockZone{birth.intZoneHours, birth.intZoneMinutes, birth.bDST != 0};
        if (zone) {
            ChartState c = birth;
            c.intBirthHour = static_cast<std::int16_t>(minute / 60);
            c.intBirthMinute = static_cast<std::int16_t>(minute % 60);
            c.intZoneHours = zone->zoneHours;
            c.intZoneMinutes = zone->zoneMinutes;
            c.bDST = zone->dst ? -1 : 0;
            computeChart(c);
            code = std::move(c.strAscSign);
        }
        if (!bands.empty() && bands.back().code == code)
            bands.back().toMinute = minute + 1;
        else
            bands.push_back(RisingBand{std::move(code), minute, minute + 1});
    }
    return bands;
}

std::optional<std::size_t> bandAt(const std::vector<RisingBand>& bands, int minuteOfDay)
{
    for (std::size_t i = 0; i < bands.size(); ++i) {
        if (minuteOfDay >= bands[i].fromMinute && minuteOfDay < bands[i].toMinute)
            return i;
    }
    return std::nullopt;
}

} // namespace zenthra
