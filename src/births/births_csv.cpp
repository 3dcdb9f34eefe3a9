// SPDX-License-Identifier: GPL-3.0-or-later
#include "births/births_csv.h"

#include <array>
#include <optional>

namespace zenthra {

CsvSplitter::CsvSplitter(const QByteArray& text) : text_(QString::fromUtf8(text))
{
    if (text_.startsWith(QChar(0xFEFF))) // a byte-order mark some spreadsheets write
        text_.remove(0, 1);
}

bool CsvSplitter::next(QStringList& fields)
{
    fields.clear();
    unterminated_ = false;
    if (pos_ >= text_.size())
        return false;
    recordLine_ = line_;
    QString field;
    bool quoted = false;
    while (pos_ < text_.size()) {
        const QChar ch = text_.at(pos_++);
        if (quoted) {
            if (ch == QLatin1Char('"')) {
                if (pos_ < text_.size() && text_.at(pos_) == QLatin1Char('"')) {
                    field += ch;
                    ++pos_;
                } else {
                    quoted = false;
                }
            } else {
                if (ch == QLatin1Char('\n'))
                    ++line_;
                field += ch;
            }
        } else if (ch == QLatin1Char('"')) {
            quoted = true;
        } else if (ch == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r')) {
            if (ch == QLatin1Char('\r') && pos_ < text_.size() && text_.at(pos_) == QLatin1Char('\n'))
                ++pos_;
            ++line_;
            fields << field;
            return true;
        } else {
            field += ch;
        }
    }
    unterminated_ = quoted;
    fields << field;
    return true;
}

QString csvField(const QString& field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    QString out = field;
    out.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

namespace {

// The batch columns of zenthra-calc first, then the rest of a birth.
enum Column {
    Year, Month, Day, Hour, Minute, Zone, LonDeg, LonMin, LonDir, LatDeg, LatMin, LatDir, Dst,
    Name, Second, City, State, Country, DstBox, PlaceZoneId, PlaceOffset, ZoneByHand, ZoneText,
    SavedAt, LastUsed, ColumnCount
};
constexpr int kRequired = Second; // the batch columns and the name
constexpr std::array<const char*, ColumnCount> kNames = {
    "year", "month", "day", "hour", "minute", "zone", "lon_deg", "lon_min", "lon_dir",
    "lat_deg", "lat_min", "lat_dir", "dst", "name", "second", "city", "state", "country",
    "dst_box", "place_zone_id", "place_offset", "zone_by_hand", "zone_text", "saved_at",
    "last_used"};
constexpr std::array<const char*, 3> kDstBox = {"unchecked", "greyed", "checked"}; // by Qt::CheckState

QString isoUtc(const QDateTime& t)
{
    return t.isValid() ? t.toUTC().toString(Qt::ISODateWithMs) : QString();
}

} // namespace

QByteArray exportBirthsCsv(const QList<Birth>& births)
{
    QStringList header;
    for (const char* name : kNames)
        header << QLatin1String(name);
    QString out = header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (const Birth& b : births) {
        const QString n[] = {QString::number(b.year),    QString::number(b.month),
                             QString::number(b.day),     QString::number(b.hour),
                             QString::number(b.minute),  QString::number(b.zonePosition),
                             QString::number(b.lonDeg),  QString::number(b.lonMin),
                             b.west ? "W" : "E",         QString::number(b.latDeg),
                             QString::number(b.latMin),  b.south ? "S" : "N",
                             b.dstInForce() ? "1" : "0", b.name, QString::number(b.second)};
        QStringList row(std::begin(n), std::end(n));
        row << b.city << b.state << b.country << QLatin1String(kDstBox[b.dst])
            << (b.placeTime ? b.placeTime->zoneId : QString())
            << (b.placeTime ? QString::number(b.placeTime->offsetSeconds) : QString())
            << ((b.placeTime && b.placeTime->zoneByHand) ? "1" : "0") << b.zoneText
            << isoUtc(b.savedAt) << isoUtc(b.lastUsedAt);
        for (QString& field : row)
            field = csvField(field);
        out += row.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

CsvBirths importBirthsCsv(const QByteArray& text)
{
    CsvBirths result;
    CsvSplitter csv(text);
    QStringList fields;
    if (!csv.next(fields)) {
        result.problems << QStringLiteral("the file is empty: a header row comes first");
        return result;
    }
    std::array<int, ColumnCount> where;
    where.fill(-1);
    for (int c = 0; c < ColumnCount; ++c) {
        where[c] = fields.indexOf(QLatin1String(kNames[c]));
        if (where[c] < 0 && c < kRequired) {
            result.problems << QStringLiteral("line %1: the header has no column '%2'")
                                   .arg(csv.recordLine())
                                   .arg(QLatin1String(kNames[c]));
            return result;
        }
    }
    const auto width = fields.size();
    while (csv.next(fields)) {
        if (fields.size() == 1 && fields[0].isEmpty() && !csv.unterminatedQuote())
            continue; // a blank line
        const auto problem = [&](const QString& why) {
            result.problems << QStringLiteral("line %1: %2").arg(csv.recordLine()).arg(why);
        };
        if (csv.unterminatedQuote()) {
            problem(QStringLiteral("a quoted field is not closed"));
            continue;
        }
        if (fields.size() != width) {
            problem(QStringLiteral("expected %1 fields but found %2").arg(width).arg(fields.size()));
            continue;
        }
        const auto at = [&](int c) { return where[c] < 0 ? QString() : fields[where[c]]; };
        std::optional<QString> bad;
        const auto number = [&](int c, int fallback = 0) {
            const QString t = at(c).trimmed();
            if (where[c] < 0 || (c >= Second && t.isEmpty()))
                return fallback;
            bool ok = false;
            const int v = t.toInt(&ok);
            if (!ok && !bad)
                bad = QStringLiteral("%1 '%2' is not a whole number")
                          .arg(QLatin1String(kNames[c]), at(c));
            return v;
        };
        const auto letter = [&](int c, char first, char second) {
            const QString t = at(c).trimmed().toUpper();
            if (t != QLatin1Char(first) && t != QLatin1Char(second) && !bad)
                bad = QStringLiteral("%1 '%2' is not %3 or %4")
                          .arg(QLatin1String(kNames[c]), at(c), QChar::fromLatin1(first),
                               QChar::fromLatin1(second));
            return t == QLatin1Char(second);
        };
        Birth b;
        b.year = number(Year);
        b.month = number(Month);
        b.day = number(Day);
        b.hour = number(Hour);
        b.minute = number(Minute);
        b.second = number(Second);
        b.zonePosition = number(Zone);
        b.lonDeg = number(LonDeg);
        b.lonMin = number(LonMin);
        b.west = letter(LonDir, 'E', 'W');
        b.latDeg = number(LatDeg);
        b.latMin = number(LatMin);
        b.south = letter(LatDir, 'N', 'S');
        const int dst = number(Dst);
        if (dst != 0 && dst != 1 && !bad)
            bad = QStringLiteral("dst %1 is not 0 or 1").arg(dst);
        b.dst = dst ? Qt::Checked : Qt::Unchecked;
        if (const QString box = at(DstBox).trimmed(); !box.isEmpty()) {
            int state = 0;
            while (state < 3 && box != QLatin1String(kDstBox[state]))
                ++state;
            if (state == 3 && !bad)
                bad = QStringLiteral("dst_box '%1' is not unchecked, checked or greyed").arg(box);
            else if (state < 3 && (state != 0) != (dst != 0) && !bad)
                bad = QStringLiteral("dst_box '%1' and dst %2 disagree").arg(box).arg(dst);
            else if (state < 3)
                b.dst = Qt::CheckState(state);
        }
        b.name = at(Name);
        b.city = at(City);
        b.state = at(State);
        b.country = at(Country);
        b.zoneText = at(ZoneText);
        if (const QString id = at(PlaceZoneId).trimmed(); !id.isEmpty())
            b.placeTime = PickedPlaceTime{id, number(PlaceOffset), number(ZoneByHand) != 0};
        for (const auto& [c, time] : {std::pair{SavedAt, &b.savedAt}, std::pair{LastUsed, &b.lastUsedAt}}) {
            const QString t = at(c).trimmed();
            if (t.isEmpty())
                continue;
            *time = QDateTime::fromString(t, Qt::ISODateWithMs);
            if (!time->isValid() && !bad)
                bad = QStringLiteral("%1 '%2' is not an ISO 8601 time").arg(QLatin1String(kNames[c]), t);
        }
        if (!bad)
            bad = checkBirth(b);
        if (!b.zoneText.isEmpty() && resolveZonePosition(b.zonePosition, b.zoneText) != b.zonePosition && !bad)
            bad = QStringLiteral("zone %1 is not '%2'").arg(b.zonePosition).arg(b.zoneText);
        if (bad)
            problem(*bad);
        else
            result.births << b;
    }
    return result;
}

} // namespace zenthra
