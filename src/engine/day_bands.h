// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The rising signs of a whole birth date, for people who do not know the
// minute of birth.
namespace zenthra {

inline constexpr int kMinutesPerDay = 24 * 60;

// One stretch of the clock day over which one sign rises: clock minutes
// [fromMinute, toMinute), 0 to 1440. An empty code marks clock times that did
// not exist that day (the hour skipped when clocks went forward).
struct RisingBand {
    std::string code;
    int fromMinute = 0;
    int toMinute = 0;
};

// The zone at a clock minute of the day, or nothing when that clock time was
// skipped.
using ZoneAtMinute = std::function<std::optional<ClockZone>(int minuteOfDay)>;

// Runs the unchanged engine once for each clock minute of the birth date of
// a chart, at its place, and joins equal neighbours into bands. The zone
// comes from zoneAt, or is the chart's own when zoneAt is empty.
std::vector<RisingBand> dayBands(const ChartState& birth, const ZoneAtMinute& zoneAt = {});

// The band holding a clock minute, or nothing past the day.
std::optional<std::size_t> bandAt(const std::vector<RisingBand>& bands, int minuteOfDay);

} // namespace zenthra
