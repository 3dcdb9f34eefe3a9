// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the atlas in builds without Qt or the city data.
#include "calc/place_option.h"

namespace zenthra::calc {

bool placeLookupAvailable()
{
    return false;
}

PlaceResolution resolvePlace(const std::string&, ChartInputs&)
{
    PlaceResolution out;
    out.error = "this build has no place atlas";
    return out;
}

PlaceResolution resolvePlaceDay(const std::string& query, ChartInputs& request)
{
    return resolvePlace(query, request);
}

} // namespace zenthra::calc
