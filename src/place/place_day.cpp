// SPDX-License-Identifier: GPL-3.0-or-later
#include "place/place_day.h"

#include "engine/chart_state.h"
#include "place/place_time.h"
#include "rules/input_rules.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>

namespace zenthra {
namespace {

constexpr qint64 kDaySeconds = 86400;

struct Stretch {
    int fromMinute = 0;
    std::optional<ClockZone> zone;
};

// The zone the window applies for a birth at this clock time: none for a
// skipped time; fits is false when no zone of the window expresses it.
struct Applied {
    bool fits = false;
    std::optional<ClockZone> zone;
};

Applied zoneFor(const Place& place, QDate date, int minute)
{
    const PlaceChoice choice = choosePlaceTime(place, date, QTime(minute / 60, minute % 60));
    Applied applied;
    if (!choice.time.valid)
        return applied;
    applied.fits = true;
    if (choice.time.reading == ClockReading::Skipped)
        return applied;
    if (choice.zonePosition >= 0)
        applied.zone = chartZone(zoneEntry(choice.zonePosition).offset(), choice.dst);
    else if (choice.exactOffset)
        applied.zone = chartZone(*choice.exactOffset);
    else
        applied.fits = false;
    return applied;
}

} // namespace

std::optional<ZoneAtMinute> placeZoneAtMinute(const Place& place, QDate date)
{
    const QTimeZone zone(place.zoneId.toUtf8());
    if (!zone.isValid() || !date.isValid())
        return std::nullopt;

    // Between two clock changes every minute is read alike, so the day splits
    // where a change lands on the clock, read with the offset before it and
    // with the one after (the ends of a skipped or a repeated stretch).
    const qint64 midnight = QDateTime(date, QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    std::vector<int> starts{0};
    const auto changes =
        zone.transitions(QDateTime::fromSecsSinceEpoch(midnight - 2 * kDaySeconds, Qt::UTC),
                         QDateTime::fromSecsSinceEpoch(midnight + 3 * kDaySeconds, Qt::UTC));
    for (const QTimeZone::OffsetData& change : changes) {
        const qint64 at = change.atUtc.toSecsSinceEpoch();
        const int before = zone.offsetFromUtc(change.atUtc.addSecs(-1));
        for (const int offset : {before, change.offsetFromUtc}) {
            const qint64 clock = at + offset - midnight; // seconds into the clock day
            // The first whole minute read on the far side of the change.
            const qint64 minute = clock <= 0 ? 0 : (clock + 59) / 60;
            if (minute > 0 && minute < kMinutesPerDay)
                starts.push_back(static_cast<int>(minute));
        }
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

    std::vector<Stretch> stretches;
    for (const int from : starts) {
        const Applied applied = zoneFor(place, date, from);
        if (!applied.fits)
            return std::nullopt;
        stretches.push_back(Stretch{from, applied.zone});
    }
    return ZoneAtMinute([stretches](int minute) {
        auto it = std::upper_bound(stretches.begin(), stretches.end(), minute,
                                   [](int m, const Stretch& s) { return m < s.fromMinute; });
        return std::prev(it)->zone;
    });
}

std::optional<std::vector<RisingBand>> dayStripBands(const ChartInputs& in,
                                                     const std::optional<Place>& place)
{
    if (checkChartInputs(in))
        return std::nullopt;
    ZoneAtMinute zoneAt;
    if (place) {
        auto byMinute = placeZoneAtMinute(*place, QDate(in.year, in.month, in.day));
        if (!byMinute)
            return std::nullopt;
        zoneAt = std::move(*byMinute);
    }
    return dayBands(chartOf(in), zoneAt);
}

} // namespace zenthra
