// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/place_option.h"

#include "calc/calc_print.h"

#include "place/atlas.h"
#include "place/place_day.h"
#include "place/place_time.h"
#include "rules/calendar_text.h"
#include "rules/message_text.h"
#include "rules/zone_table.h"

namespace zenthra::calc {
namespace {

// The best match, with the lines naming it; nothing (and the error) when
// nothing matches.
std::optional<Place> findPlace(const std::string& query, PlaceResolution& out)
{
    const Atlas& atlas = Atlas::shared();
    const QString asked = QString::fromStdString(query);
    const auto found = atlas.match(asked, 1);
    if (found.empty()) {
        out.error = shown(query) + " not found";
        const auto near = atlas.nearest(asked, 5);
        for (std::size_t i = 0; i < near.size(); ++i) {
            out.error += i == 0                 ? "; did you mean \""
                         : i + 1 == near.size() ? "\" or \""
                                                : "\", \"";
            out.error += near[i].suggestionText().toStdString();
        }
        if (!near.empty())
            out.error += "\"?";
        return std::nullopt;
    }
    const Place& place = found.front().place;
    out.lines.push_back("Place:          " + place.suggestionText().toStdString());
    // Never a partial match without a word: say what was taken for it.
    if (!found.front().exact)
        out.lines.push_back("Note:           no place matches " + shown(query) +
                            " exactly; took the best match, " + place.displayName().toStdString());
    return place;
}

bool fits(const PlaceChoice& choice)
{
    return choice.zonePosition >= 0 || choice.exactOffset;
}

std::string refusal(const PlaceChoice& choice)
{
    return "no zone fits the time of " + choice.place.displayName().toStdString() +
           " on that date (" +
           (choice.time.valid ? UtcOffset::fromSeconds(choice.time.offsetSeconds).text()
                              : "unknown time zone " + choice.place.zoneId.toStdString()) +
           ")";
}

void fillCoordinates(const WindowCoordinates& w, ChartInputs& request, PlaceResolution& out)
{
    request.latDeg = w.latDegrees;
    request.latMin = w.latMinutes;
    request.south = w.south;
    request.lonDeg = w.lonDegrees;
    request.lonMin = w.lonMinutes;
    request.east = !w.west;
    out.lines.push_back("Coordinates:    " + coordinatesText(request));
}

} // namespace

bool placeLookupAvailable()
{
    return true;
}

PlaceResolution resolvePlace(const std::string& query, ChartInputs& request)
{
    PlaceResolution out;
    const std::optional<Place> place = findPlace(query, out);
    if (!place)
        return out;
    const PlaceChoice choice =
        choosePlaceTime(*place, QDate(request.year, request.month, request.day),
                        QTime(request.hour, request.minute));
    out.lines.push_back("Place time:     " + choice.statusLine.toStdString());
    if (!fits(choice)) {
        out.error = refusal(choice);
        return out;
    }
    if (choice.exactOffset) {
        request.exactOffset = choice.exactOffset;
        out.zoneText = choice.exactZoneText.toStdString();
    } else {
        request.zone = choice.zonePosition;
        request.dst = choice.dst;
    }
    fillCoordinates(choice.coordinates, request, out);
    out.ok = true;
    return out;
}

PlaceResolution resolvePlaceDay(const std::string& query, ChartInputs& request)
{
    PlaceResolution out;
    const std::optional<Place> place = findPlace(query, out);
    if (!place)
        return out;
    const QDate date(request.year, request.month, request.day);
    const std::vector<PlaceStretch> stretches = placeDayStretches(*place, date);
    if (stretches.empty()) { // the place's zone is unknown
        const PlaceChoice choice = choosePlaceTime(*place, date, QTime(0, 0));
        out.lines.push_back("Place time:     " + choice.statusLine.toStdString());
        out.error = refusal(choice);
        return out;
    }
    std::optional<ClockZone> last; // of the stretch before, when it existed
    for (const PlaceStretch& s : stretches) {
        if (!s.fits) {
            out.lines.push_back("Place time:     " + s.choice.statusLine.toStdString());
            out.error = refusal(s.choice);
            return out;
        }
        if (!s.zone) {
            last.reset();
            continue;
        }
        // A line for the first minute of each stretch of one zone.
        if (!last || *last != *s.zone) {
            const std::string label = s.fromMinute == 0
                                          ? "Place time:     "
                                          : "From " + clockText(s.fromMinute) + ":     ";
            out.lines.push_back(label + s.choice.statusLine.toStdString());
        }
        last = s.zone;
    }
    if (out.lines.size() == 1 ||
        out.lines.back().rfind("Note:", 0) == 0) // the whole date was skipped
        out.lines.push_back("Place time:     " +
                            choosePlaceTime(*place, date, QTime(0, 0)).statusLine.toStdString());
    out.zoneAt = *zoneAtMinute(stretches);
    fillCoordinates(toWindowCoordinates(place->latitude, place->longitude), request, out);
    out.ok = true;
    return out;
}

} // namespace zenthra::calc
