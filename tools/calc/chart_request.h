// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/utc_offset.h"

#include <optional>
#include <string>

namespace zenthra::calc {

// One birth with the main window's limits.
struct ChartRequest {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    int zone = 0; // position in the zone list
    int lonDeg = 0, lonMin = 0;
    bool east = false;
    int latDeg = 0, latMin = 0;
    bool south = false;
    bool dst = false;
    // A UTC offset to the minute, used instead of the zone entry and the
    // daylight-saving flag when set.
    std::optional<UtcOffset> exactOffset;
};

// The first limit the request breaks, as "<column> <value> is outside <a>-<b>".
std::optional<std::string> checkRequest(const ChartRequest& r);

struct ChartResult {
    double ascendant = 0;
    std::string longText;
    std::string shortText;
    std::string code;
};

// Runs the engine on a request that passed checkRequest; the results stand in
// chartState().
void runRequest(const ChartRequest& r);
ChartResult computeRequest(const ChartRequest& r);

} // namespace zenthra::calc
