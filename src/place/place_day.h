// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/day_bands.h"
#include "place/atlas.h"
#include "rules/chart_inputs.h"

#include <QDate>

#include <optional>
#include <string>
#include <vector>

namespace zenthra {

// The zone of each clock minute of a date at a place, as the window would
// choose it for a birth at that minute: entry and box, or the exact place
// time. A skipped clock time has none; a repeated one is read as the first.
// Nothing when the place's zone is unknown or some time of the day fits no
// zone. Asks the time-zone data a few times per clock change, not per minute.
std::optional<ZoneAtMinute> placeZoneAtMinute(const Place& place, QDate date);

// The rising signs of the date of the inputs, at their place: in their zone
// for the whole day, or in a picked place's own time minute by minute. Nothing
// while the inputs fail checkChartInputs, or the place's zone is unknown or
// fits no zone some minute of the day.
std::optional<std::vector<RisingBand>> dayStripBands(const ChartInputs& in,
                                                     const std::optional<Place>& place = {});

} // namespace zenthra
