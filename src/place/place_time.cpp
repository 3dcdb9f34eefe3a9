// SPDX-License-Identifier: GPL-3.0-or-later
#include "place/place_time.h"

#include "rules/zone_table.h"

#include <QStringList>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zenthra {
namespace {

constexpr qint64 kDay = 86400;
constexpr int kHour = 3600;

QDateTime utcAt(qint64 secs)
{
    return QDateTime::fromSecsSinceEpoch(secs, Qt::UTC);
}

// The abbreviation of the nearest standard-time period, looking back first:
// for New York in July that is "EST".
QString standardAbbreviationNear(const QTimeZone& zone, const QDateTime& at)
{
    constexpr int kMaxSteps = 12;
    QDateTime from = at;
    for (int i = 0; i < kMaxSteps; ++i) {
        const QTimeZone::OffsetData t = zone.previousTransition(from);
        if (!t.atUtc.isValid())
            break;
        if (t.daylightTimeOffset == 0)
            return t.abbreviation;
        from = t.atUtc;
    }
    from = at;
    for (int i = 0; i < kMaxSteps; ++i) {
        const QTimeZone::OffsetData t = zone.nextTransition(from);
        if (!t.atUtc.isValid())
            break;
        if (t.daylightTimeOffset == 0)
            return t.abbreviation;
        from = t.atUtc;
    }
    return {};
}

QString entryAbbreviation(const ZoneEntry& e)
{
    const QStringList parts = QString::fromLatin1(e.text).split(u',');
    return parts.size() > 1 ? parts[1].trimmed() : QString();
}

// standard: the entry is to take the daylight-saving box, so one that names
// daylight time (which includes the hour already) cannot be it.
int bestEntry(int offsetSeconds, const QString& abbreviation, bool standard)
{
    int first = -1;
    for (int pos = 0; pos < kZoneCount; ++pos) {
        const ZoneEntry& e = zoneEntry(pos);
        if (e.offset().seconds() != offsetSeconds || (standard && namesDaylightTime(e)))
            continue;
        if (!abbreviation.isEmpty() &&
            entryAbbreviation(e).compare(abbreviation, Qt::CaseInsensitive) == 0)
            return pos;
        if (first < 0)
            first = pos;
    }
    return first;
}

void toDegreesMinutes(double value, int maxDegrees, int& degrees, int& minutes, bool& negative)
{
    if (!std::isfinite(value))
        value = 0;
    const long long cap = maxDegrees * 60LL + 59;
    const long long total = std::min(std::llround(std::fabs(value) * 60.0), cap);
    degrees = static_cast<int>(total / 60);
    minutes = static_cast<int>(total % 60);
    negative = value < 0 && total > 0; // 0° 0' is always North / East
}

QString text(UtcOffset offset, OffsetStyle style = OffsetStyle::People)
{
    return QString::fromStdString(offset.text(style));
}

// "+2:00", "+0:30": the size of a daylight-saving shift.
QString formatShift(int seconds)
{
    const int minutes = std::abs(seconds) / 60;
    return QStringLiteral("%1%2:%3")
        .arg(seconds < 0 ? QStringLiteral("\u2212") : QStringLiteral("+"))
        .arg(minutes / 60)
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

LocalTime resolveLocalTime(const QString& zoneId, QDate date, QTime time)
{
    LocalTime result;
    const QTimeZone zone(zoneId.toUtf8());
    if (!zone.isValid() || !date.isValid() || !time.isValid())
        return result;

    // The clock reading as if it were UTC; a moment u is a reading of it when
    // u + offset(u) gives it back.
    const qint64 local = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
    auto offsetAt = [&zone](qint64 u) { return zone.offsetFromUtc(utcAt(u)); };

    std::vector<int> offsets;
    for (qint64 days = -2; days <= 2; ++days)
        offsets.push_back(offsetAt(local + days * kDay));
    for (std::size_t i = 0, n = offsets.size(); i < n; ++i)
        offsets.push_back(offsetAt(local - offsets[i]));
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());

    std::vector<qint64> readings;
    for (const int o : offsets) {
        if (offsetAt(local - o) == o)
            readings.push_back(local - o);
    }
    std::sort(readings.begin(), readings.end());

    qint64 stateAt = 0; // the moment whose offset and daylight saving we report
    qint64 moment = 0;
    if (readings.empty()) {
        // Skipped: the earliest candidate moment lies before the jump.
        stateAt = local - offsets.back();
        moment = local - offsetAt(stateAt);
        result.reading = ClockReading::Skipped;
    } else {
        stateAt = moment = readings.front(); // the first of two, before the clocks went back
        result.reading = readings.size() > 1 ? ClockReading::Repeated : ClockReading::Normal;
    }

    const QDateTime state = utcAt(stateAt);
    result.valid = true;
    result.utc = utcAt(moment);
    result.offsetSeconds = zone.offsetFromUtc(state);
    result.standardOffsetSeconds = zone.standardTimeOffset(state);
    result.daylightSaving = result.offsetSeconds > result.standardOffsetSeconds;
    result.abbreviation = zone.abbreviation(state);
    result.standardAbbreviation =
        zone.isDaylightTime(state) ? standardAbbreviationNear(zone, state) : result.abbreviation;
    return result;
}

ZoneChoice chooseZoneEntry(const LocalTime& time)
{
    if (!time.valid)
        return {};
    const int shift = time.offsetSeconds - time.standardOffsetSeconds;
    if (shift == 0 || shift == kHour) {
        const int pos = bestEntry(time.standardOffsetSeconds, time.standardAbbreviation, true);
        if (pos >= 0)
            return {pos, shift == kHour};
    }
    return {bestEntry(time.offsetSeconds, time.abbreviation, false), false};
}

WindowCoordinates toWindowCoordinates(double latitude, double longitude)
{
    WindowCoordinates c;
    toDegreesMinutes(latitude, 89, c.latDegrees, c.latMinutes, c.south);
    toDegreesMinutes(longitude, 179, c.lonDegrees, c.lonMinutes, c.west);
    return c;
}

int localMeanTimeMinutes(double longitude)
{
    if (!std::isfinite(longitude))
        return 0;
    return static_cast<int>(std::lround(std::clamp(longitude, -180.0, 180.0) * 4));
}

PlaceChoice choosePlaceTime(const Place& place, QDate date, QTime time)
{
    PlaceChoice choice;
    choice.place = place;
    choice.coordinates = toWindowCoordinates(place.latitude, place.longitude);
    choice.time = resolveLocalTime(place.zoneId, date, time);

    const QString where = place.displayName();
    if (!choice.time.valid) {
        choice.statusLine = QStringLiteral("%1: unknown time zone (%2)").arg(where, place.zoneId);
        return choice;
    }
    const LocalTime& t = choice.time;
    choice.localMeanTime = t.abbreviation == QLatin1String("LMT");
    const UtcOffset inForce = UtcOffset::fromSeconds(t.offsetSeconds);
    const UtcOffset applied = choice.localMeanTime
                                  ? UtcOffset::fromMinutes(localMeanTimeMinutes(place.longitude))
                                  : inForce.roundedToMinute();
    ZoneChoice zone;
    if (!choice.localMeanTime && applied == inForce)
        zone = chooseZoneEntry(t);
    choice.zonePosition = zone.position;
    choice.dst = zone.dst;
    if (zone.position < 0 && applied.inRange()) {
        choice.exactOffset = applied;
        choice.exactZoneText =
            QStringLiteral("Place time, %1 (%2)").arg(text(applied), place.zoneId);
    }
    const bool fits = zone.position >= 0 || choice.exactOffset;

    QString daylight;
    if (!t.daylightSaving)
        daylight = QStringLiteral("no daylight saving");
    else if (zone.dst || !fits)
        daylight = QStringLiteral("daylight saving");
    else
        daylight = QStringLiteral("daylight saving %1, included in the zone")
                       .arg(formatShift(t.offsetSeconds - t.standardOffsetSeconds));

    QString offset;
    if (choice.localMeanTime)
        offset = QStringLiteral("local mean time of the place, %1").arg(text(applied));
    else if (applied != inForce)
        offset = QStringLiteral("%1, used as %2")
                     .arg(text(inForce), text(applied, OffsetStyle::PeopleNoUtc));
    else
        offset = text(inForce);
    QString line = QStringLiteral("%1: %2 (%3), %4").arg(where, offset, place.zoneId, daylight);
    const QString clock = time.toString(QStringLiteral("HH:mm"));
    if (t.reading == ClockReading::Skipped)
        line += QStringLiteral("; %1 did not exist that day, read as before the clock change")
                    .arg(clock);
    else if (t.reading == ClockReading::Repeated)
        line += QStringLiteral("; %1 came twice that day, read as the first").arg(clock);
    if (!fits)
        line += QStringLiteral("; no zone in the list fits");
    choice.statusLine = line;
    return choice;
}

} // namespace zenthra
