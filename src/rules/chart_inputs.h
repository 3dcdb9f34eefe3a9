// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"
#include "rules/input_limits.h"
#include "rules/utc_offset.h"

#include <optional>
#include <string>

namespace zenthra {

// A birth's inputs as numbers: what the window, the day strip, zenthra-calc
// and the saved births all compute a chart from.
struct ChartInputs {
    int year = kYearLimit.low, month = 1, day = 1; // month 1..12
    int hour = 0, minute = 0, second = 0;          // clock time at the place; seconds unused
    int lonDeg = 0, lonMin = 0;
    bool east = false;
    int latDeg = 0, latMin = 0;
    bool south = false;
    // The zone: a position in the zone list and the daylight-saving flag...
    int zone = kDefaultZonePosition;
    bool dst = false;
    // ...or, when set, the clock's exact offset, daylight saving included,
    // in place of both.
    std::optional<UtcOffset> exactOffset;
    Zodiac zodiac = Zodiac::Tropical;

    // The clock's offset from UTC, daylight saving included; the zone must
    // lie in the list.
    UtcOffset offset() const;
};

// The first input outside its limit, in the order date, time, zone,
// longitude, latitude: "<column> <value> is outside <low>-<high>"; a zone
// entry that names daylight time with the daylight-saving flag set is refused
// too, since the hour would count twice. Nothing when the chart can be
// computed.
std::optional<std::string> checkChartInputs(const ChartInputs& in);

// The computed chart of inputs that pass checkChartInputs.
ChartState chartOf(const ChartInputs& in);

} // namespace zenthra
