// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/day_bands.h"
#include "place/atlas.h"
#include "rules/zone_table.h"

#include <QDate>

#include <optional>
#include <string>
#include <vector>

namespace zenthra {

// What the main window's day strip is computed from, as the window shows it.
struct DayStripInputs {
    int year = 1900;
    int monthIndex = 0; // 0 for January
    int dayIndex = 0;   // 0 for day 1
    std::string lonDeg, lonMin, latDeg, latMin;
    bool lonEast = false;
    bool latSouth = false;
    // The zone entry (or the extra place-time entry) and the box, for the
    // whole day...
    std::optional<UtcOffset> zone;
    bool dst = false;
    // ...unless a picked place's own time applies, minute by minute.
    std::optional<Place> place;
};

// The zone of each clock minute of a date at a place, as the window would
// choose it for a birth at that minute: entry and box, or the exact place
// time. A skipped clock time has none; a repeated one is read as the first.
// Nothing when the place's zone is unknown or some time of the day fits no
// zone. Asks the time-zone data a few times per clock change, not per minute.
std::optional<ZoneAtMinute> placeZoneAtMinute(const Place& place, QDate date);

// The rising signs of the day, or nothing while the date, the coordinates or
// the zone are not valid. The chart state is left as it was; nothing is shown.
std::optional<std::vector<RisingBand>> dayStripBands(const DayStripInputs& in);

} // namespace zenthra
