// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/chart_request.h"

#include <string>
#include <vector>

namespace zenthra::calc {

struct PlaceResolution {
    bool ok = false;
    std::string error;              // when not ok
    std::vector<std::string> lines; // what was resolved, to print
};

// Finds the place in the offline atlas (best match first) and fills in its
// coordinates, time-zone entry and daylight-saving flag for the request's
// date and clock time. A match that is not exact adds a line naming the place
// taken; when nothing matches, the error names the closest spellings.
PlaceResolution resolvePlace(const std::string& query, ChartRequest& request);

// False when this build has no atlas.
bool placeLookupAvailable();

} // namespace zenthra::calc
