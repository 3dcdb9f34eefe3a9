// SPDX-License-Identifier: GPL-3.0-or-later
#include "place/place_day.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>

namespace zenthra {
namespace {

constexpr qint64 kDaySeconds = 86400;

// The zone the window applies for a birth at a stretch's first minute.
PlaceStretch stretchFrom(const Place& place, QDate date, int minute)
{
    PlaceStretch s;
    s.fromMinute = minute;
    s.choice = choosePlaceTime(place, date, QTime(minute / 60, minute % 60));
    const PlaceChoice& choice = s.choice;
    if (!choice.time.valid)
        return s;
    s.fits = true;
    if (choice.time.reading == ClockReading::Skipped)
        return s;
    if (choice.zonePosition >= 0)
        s.zone = chartZone(zoneEntry(choice.zonePosition).offset(), choice.dst);
    else if (choice.exactOffset)
        s.zone = chartZone(*choice.exactOffset);
    else
        s.fits = false;
    return s;
}

} // namespace

std::vector<PlaceStretch> placeDayStretches(const Place& place, QDate date)
{
    const QTimeZone zone(place.zoneId.toUtf8());
    if (!zone.isValid() || !date.isValid())
        return {};

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

    std::vector<PlaceStretch> stretches;
    for (const int from : starts)
        stretches.push_back(stretchFrom(place, date, from));
    return stretches;
}

std::optional<ZoneAtMinute> zoneAtMinute(const std::vector<PlaceStretch>& stretches)
{
    struct Zone {
        int fromMinute;
        std::optional<ClockZone> zone;
    };
    std::vector<Zone> zones;
    for (const PlaceStretch& s : stretches) {
        if (!s.fits)
            return std::nullopt;
        zones.push_back(Zone{s.fromMinute, s.zone});
    }
    if (zones.empty())
        return std::nullopt;
    return ZoneAtMinute([zones](int minute) {
        auto it = std::upper_bound(zones.begin(), zones.end(), minute,
                                   [](int m, const Zone& z) { return m < z.fromMinute; });
        return std::prev(it)->zone;
    });
}

std::optional<ZoneAtMinute> placeZoneAtMinute(const Place& place, QDate date)
{
    return zoneAtMinute(placeDayStretches(place, date));
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
