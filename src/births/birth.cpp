// SPDX-License-Identifier: GPL-3.0-or-later
#include "births/birth.h"

#include "rules/input_limits.h"

#include <QStringList>

#include <utility>

namespace zenthra {

QString Birth::placeText() const
{
    QStringList parts;
    for (const QString& part : {city, state, country})
        if (!part.trimmed().isEmpty())
            parts << part.trimmed();
    return parts.join(QStringLiteral(", "));
}

bool Birth::sameEntries(const Birth& o) const
{
    return name == o.name && year == o.year && month == o.month && day == o.day && hour == o.hour &&
           minute == o.minute && second == o.second && city == o.city && state == o.state &&
           country == o.country && latDeg == o.latDeg && latMin == o.latMin && south == o.south &&
           lonDeg == o.lonDeg && lonMin == o.lonMin && west == o.west &&
           zonePosition == o.zonePosition && zoneText == o.zoneText && dst == o.dst &&
           placeTime == o.placeTime;
}

namespace {

// The fields as they stand, with the zone entry and the box.
ChartInputs enteredFields(const Birth& b)
{
    ChartInputs in;
    in.year = b.year;
    in.month = b.month;
    in.day = b.day;
    in.hour = b.hour;
    in.minute = b.minute;
    in.second = b.second;
    in.lonDeg = b.lonDeg;
    in.lonMin = b.lonMin;
    in.east = !b.west;
    in.latDeg = b.latDeg;
    in.latMin = b.latMin;
    in.south = b.south;
    in.zone = b.zonePosition;
    in.dst = b.dstInForce();
    return in;
}

// Beyond the offsets any place has kept: the store's own limit.
constexpr InputLimit kPlaceOffsetLimit{"place_offset", -16 * 3600, 16 * 3600};

} // namespace

std::optional<QString> checkBirth(const Birth& b)
{
    if (b.name.trimmed().isEmpty())
        return QStringLiteral("the name is empty");
    for (const auto& [limit, text] :
         {std::pair{kNameLimit, &b.name}, std::pair{kCityLimit, &b.city},
          std::pair{kStateLimit, &b.state}, std::pair{kCountryLimit, &b.country}})
        if (const auto problem = checkTextLimit(limit, text->size()))
            return QString::fromStdString(*problem);
    auto problem = checkChartInputs(enteredFields(b));
    if (!problem)
        problem = checkLimit(kPlaceOffsetLimit, b.placeTime ? b.placeTime->offsetSeconds : 0);
    if (problem)
        return QString::fromStdString(*problem);
    if (b.dst != Qt::Unchecked && b.dst != Qt::PartiallyChecked && b.dst != Qt::Checked)
        return QStringLiteral("the daylight-saving box state %1 is unknown").arg(int(b.dst));
    return std::nullopt;
}

ChartInputs birthChartInputs(const Birth& b)
{
    ChartInputs in = enteredFields(b);
    if (!b.placeTime || b.placeTime->zoneByHand || !resolveZone(b.zonePosition))
        return in;
    const UtcOffset applied = UtcOffset::fromSeconds(b.placeTime->offsetSeconds).roundedToMinute();
    if (applied != in.offset() && applied.inRange())
        in.exactOffset = applied;
    return in;
}

int resolveZonePosition(int position, const QString& text)
{
    if (position >= 0 && position < kZoneCount &&
        (text.isEmpty() || text == QLatin1String(zoneEntry(position).text)))
        return position;
    for (int p = 0; p < kZoneCount; ++p)
        if (text == QLatin1String(zoneEntry(p).text))
            return p;
    return position >= 0 && position < kZoneCount ? position : -1;
}

} // namespace zenthra
