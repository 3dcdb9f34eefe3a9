// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/day_bands.h"
#include "rules/chart_inputs.h"

#include <optional>
#include <string>
#include <vector>

namespace zenthra::calc {

struct PlaceResolution {
    bool ok = false;
    std::string error;              // when not ok
    std::vector<std::string> lines; // what was resolved, to print
    // Set when the place time is an offset no zone entry has (or the place's
    // own local mean time): "Place time, UTC+05:45 (Asia/Kathmandu)".
    std::string zoneText;
    // Only from resolvePlaceDay: the zone in force at each clock minute of
    // the day, nothing for a minute the clocks skipped.
    ZoneAtMinute zoneAt;
};

// Finds the place in the offline atlas (best match first) and fills in its
// coordinates and time for the request's date and clock time: a zone entry
// and the daylight-saving flag, or the exact offset when no entry has it. A
// match that is not exact adds a line naming the place taken; when nothing
// matches, the error names the closest spellings.
PlaceResolution resolvePlace(const std::string& query, ChartInputs& request);

// The same for every clock minute of the request's date, following the
// place-time rules: a skipped minute has no zone, a repeated one is read as
// the first. The lines give the place time at the start of the day and
// after each change.
PlaceResolution resolvePlaceDay(const std::string& query, ChartInputs& request);

// False when this build has no atlas.
bool placeLookupAvailable();

} // namespace zenthra::calc
