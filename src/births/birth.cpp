// SPDX-License-Identifier: GPL-3.0-or-later
#include "births/birth.h"

#include "rules/input_rules.h"

#include <QStringList>

#include <tuple>

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
    return name == o.name && year == o.year && month == o.month && day == o.day &&
           hour == o.hour && minute == o.minute && second == o.second && city == o.city &&
           state == o.state && country == o.country && latDeg == o.latDeg &&
           latMin == o.latMin && south == o.south && lonDeg == o.lonDeg && lonMin == o.lonMin &&
           west == o.west && zonePosition == o.zonePosition && zoneText == o.zoneText &&
           dst == o.dst && placeTime == o.placeTime;
}

std::optional<QString> checkBirth(const Birth& b)
{
    const auto outside = [](const char* what, int v, int lo, int hi) -> std::optional<QString> {
        if (v >= lo && v <= hi)
            return std::nullopt;
        return QStringLiteral("%1 %2 is outside %3-%4").arg(QLatin1String(what)).arg(v).arg(lo).arg(hi);
    };
    if (b.name.trimmed().isEmpty())
        return QStringLiteral("the name is empty");
    using Limit = std::tuple<const char*, int, int, int>;
    // The month first: the day's limit depends on it.
    for (const auto& [what, v, lo, hi] : {Limit{"year", b.year, 1900, 2050}, Limit{"month", b.month, 1, 12}})
        if (auto e = outside(what, v, lo, hi))
            return e;
    const Limit rest[] = {
        {"day", b.day, 1, daysInMonth(b.year, b.month)},
        {"hour", b.hour, 0, 23},
        {"minute", b.minute, 0, 59},
        {"second", b.second, 0, 59},
        {"zone", b.zonePosition, 0, kZoneCount - 1},
        {"lon_deg", b.lonDeg, 0, 179},
        {"lon_min", b.lonMin, 0, 59},
        {"lat_deg", b.latDeg, 0, 89},
        {"lat_min", b.latMin, 0, 59},
        {"place_offset", b.placeTime ? b.placeTime->offsetSeconds : 0, -16 * 3600, 16 * 3600}};
    for (const auto& [what, v, lo, hi] : rest)
        if (auto e = outside(what, v, lo, hi))
            return e;
    if (b.dst != Qt::Unchecked && b.dst != Qt::PartiallyChecked && b.dst != Qt::Checked)
        return QStringLiteral("the daylight-saving box state %1 is unknown").arg(int(b.dst));
    return std::nullopt;
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

QString foldForSearch(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar ch : decomposed) {
        const auto cat = ch.category();
        if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining ||
            cat == QChar::Mark_Enclosing)
            continue;
        switch (ch.unicode()) {
        case 0x00DF: out += QLatin1String("ss"); break; // ß
        case 0x00C6: case 0x00E6: out += QLatin1String("ae"); break; // Æ æ
        case 0x0152: case 0x0153: out += QLatin1String("oe"); break; // Œ œ
        case 0x00D8: case 0x00F8: out += QLatin1Char('o'); break; // Ø ø
        case 0x0141: case 0x0142: out += QLatin1Char('l'); break; // Ł ł
        case 0x0110: case 0x0111: out += QLatin1Char('d'); break; // Đ đ
        case 0x0131: out += QLatin1Char('i'); break; // dotless ı
        default: out += ch.toCaseFolded();
        }
    }
    return out;
}

} // namespace zenthra
