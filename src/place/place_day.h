// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/day_bands.h"
#include "place/atlas.h"
#include "place/place_time.h"
#include "rules/chart_inputs.h"

#include <QDate>

#include <optional>
#include <string>
#include <vector>

namespace zenthra {

// One stretch of a date's clock over which a place's time is read alike.
struct PlaceStretch {
    int fromMinute = 0; // the stretch runs to the next one's start, or to 24:00
    PlaceChoice choice; // as the window chooses it for a birth at fromMinute
    bool fits = false;  // a zone of the window expresses it (a skipped stretch always fits)
    std::optional<ClockZone> zone; // the zone applied; nothing while the clocks skipped it
};

// A date at a place split where a clock change lands on the clock, the zone
// of each stretch chosen as the window chooses it for a birth: entry and box,
// or the exact place time. A skipped clock time has no zone; a repeated one
// is read as the first. Empty when the place's zone is unknown or the date is
// not valid. Asks the time-zone data a few times per clock change, not per
// minute.
std::vector<PlaceStretch> placeDayStretches(const Place& place, QDate date);

// The zone of each clock minute of a date at a place, from its stretches.
// Nothing when there are none or some stretch fits no zone.
std::optional<ZoneAtMinute> zoneAtMinute(const std::vector<PlaceStretch>& stretches);
std::optional<ZoneAtMinute> placeZoneAtMinute(const Place& place, QDate date);

// The rising signs of the date of the inputs, at their place: in their zone
// for the whole day, or in a picked place's own time minute by minute. Nothing
// while the inputs fail checkChartInputs, or the place's zone is unknown or
// fits no zone some minute of the day.
std::optional<std::vector<RisingBand>> dayStripBands(const ChartInputs& in,
                                                     const std::optional<Place>& place = {});

} // namespace zenthra
