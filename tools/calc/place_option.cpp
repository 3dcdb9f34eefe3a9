// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/place_option.h"

#include "entry/atlas.h"
#include "entry/place_time.h"

#include <cstdio>

namespace zenthra::calc {

bool placeLookupAvailable() { return true; }

PlaceResolution resolvePlace(const std::string& query, ChartRequest& request)
{
    PlaceResolution out;
    const Atlas& atlas = Atlas::shared();
    const QString asked = QString::fromStdString(query);
    const auto found = atlas.match(asked, 1);
    if (found.empty()) {
        out.error = "'" + query + "' not found";
        const auto near = atlas.nearest(asked, 5);
        for (std::size_t i = 0; i < near.size(); ++i) {
            out.error += i == 0 ? "; did you mean \"" : i + 1 == near.size() ? "\" or \"" : "\", \"";
            out.error += near[i].suggestionText().toStdString();
        }
        if (!near.empty())
            out.error += "\"?";
        return out;
    }
    const Place& place = found.front().place;
    const PlaceChoice choice = choosePlaceTime(place, QDate(request.year, request.month, request.day),
                                               QTime(request.hour, request.minute));
    out.lines.push_back("Place:          " + place.suggestionText().toStdString());
    // Never a partial match without a word: say what was taken for it.
    if (!found.front().exact)
        out.lines.push_back("Note:           no place matches '" + query + "' exactly; took the best match, " +
                            place.displayName().toStdString());
    out.lines.push_back("Place time:     " + choice.statusLine.toStdString());
    if (choice.zonePosition < 0) {
        out.error = "no zone in the list has the offset of " + place.displayName().toStdString() +
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
