// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/place_option.h"

#include "entry/atlas.h"
#include "entry/place_time.h"

namespace zenthra::calc {

bool placeLookupAvailable() { return true; }

PlaceResolution resolvePlace(const std::string& query, ChartRequest& request)
{
    PlaceResolution out;
    const Atlas atlas = Atlas::loadFromGeonames();
    const auto found = atlas.search(QString::fromStdString(query), 1);
    if (found.empty()) {
        out.error = "no place in the atlas matches '" + query + "'";
        return out;
    }
    const PlaceChoice choice = choosePlaceTime(found.front(), QDate(request.year, request.month, request.day),
                                               QTime(request.hour, request.minute));
    out.lines.push_back("Place:          " + found.front().displayName().toStdString());
    out.lines.push_back("Place time:     " + choice.statusLine.toStdString());
    if (choice.zonePosition < 0) {
        out.error = "no zone in the list has the offset of " + found.front().displayName().toStdString() +
                    " on that date (" + formatUtcOffset(choice.time.offsetSeconds).toStdString() + ")";
        return out;
    }
    const WindowCoordinates& w = choice.coordinates;
    request.latDeg = w.latDegrees;
    request.latMin = w.latMinutes;
    request.south = w.south;
    request.lonDeg = w.lonDegrees;
    request.lonMin = w.lonMinutes;
    request.east = !w.west;
    request.zone = choice.zonePosition;
    request.dst = choice.dst;
    char coords[96];
    std::snprintf(coords, sizeof coords, "%d:%02d%c %d:%02d%c", w.latDegrees, w.latMinutes,
                  w.south ? 'S' : 'N', w.lonDegrees, w.lonMinutes, w.west ? 'W' : 'E');
    out.lines.push_back(std::string("Coordinates:    ") + coords);
    out.ok = true;
    return out;
}

} // namespace zenthra::calc
