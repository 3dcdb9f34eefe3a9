// SPDX-License-Identifier: GPL-3.0-or-later
#include "births/births_csv.h"

#include "rules/input_limits.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace zenthra {
namespace {

// The batch columns of zenthra-calc first, then the rest of a birth.
enum Column {
    Year,
    Month,
    Day,
    Hour,
    Minute,
    Zone,
    LonDeg,
    LonMin,
    LonDir,
    LatDeg,
    LatMin,
    LatDir,
    Dst,
    UtcOffsetColumn,
    Name,
    Second,
    City,
    State,
    Country,
    DstBox,
    PlaceZoneId,
    PlaceOffset,
    ZoneByHand,
    ZoneText,
    SavedAt,
    LastUsed,
    ColumnCount
};
constexpr std::array<const char*, ColumnCount> kNames = {
    "year",         "month",        "day",       "hour",     "minute",   "zone",    "lon_deg",
    "lon_min",      "lon_dir",      "lat_deg",   "lat_min",  "lat_dir",  "dst",     "utc_offset",
    "name",         "second",       "city",      "state",    "country",  "dst_box", "place_zone_id",
    "place_offset", "zone_by_hand", "zone_text", "saved_at", "last_used"};
// By Qt::CheckState.
constexpr std::array<const char*, 3> kDstBox = {"unchecked", "greyed", "checked"};
constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

// The batch columns but utc_offset, and the name.
bool required(int c)
{
    return c <= Name && c != UtcOffsetColumn;
}

QString isoUtc(const QDateTime& t)
{
    return t.isValid() ? t.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QString fromUtf8(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Characters as read: a byte that is not UTF-8 reads as one (U+FFFD), so
// there are never more than bytes.
bool tooLongText(std::string_view s)
{
    if (s.size() <= static_cast<std::size_t>(kMaxTextChars))
        return false;
    const QString text = fromUtf8(s);
    qsizetype n = 0;
    for (const QChar ch : text)
        n += !ch.isLowSurrogate();
    return n > kMaxTextChars;
}

void appendField(std::string& out, const QString& field)
{
    const QByteArray utf8 = field.toUtf8();
    appendCsvField(out, std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace

QByteArray exportBirthsCsv(const QList<Birth>& births)
{
    std::string out;
    for (const char* name : kNames)
        (out += name) += ',';
    out.back() = '\r';
    out += '\n';
    const auto number = [&out](int n) { (out += std::to_string(n)) += ','; };
    const auto text = [&out](const QString& s) {
        appendField(out, s);
        out += ',';
    };
    for (const Birth& b : births) {
        const std::optional<UtcOffset> exact = birthChartInputs(b).exactOffset;
        for (const int n :
             {b.year, b.month, b.day, b.hour, b.minute, b.zonePosition, b.lonDeg, b.lonMin})
            number(n);
        out += b.west ? "W," : "E,";
        number(b.latDeg);
        number(b.latMin);
        out += b.south ? "S," : "N,";
        out += b.dstInForce() ? "1," : "0,";
        out += exact ? exact->text(OffsetStyle::Csv) + ',' : ",";
        text(b.name);
        number(b.second);
        for (const QString& part : {b.city, b.state, b.country})
            text(part);
        (out += b.dst >= 0 && b.dst < 3 ? kDstBox[b.dst] : "") += ',';
        text(b.placeTime ? b.placeTime->zoneId : QString());
        out += b.placeTime ? std::to_string(b.placeTime->offsetSeconds) + ',' : ",";
        out += b.placeTime && b.placeTime->zoneByHand ? "1," : "0,";
        for (const QString& t : {b.zoneText, isoUtc(b.savedAt), isoUtc(b.lastUsedAt)})
            text(t);
        out.back() = '\r';
        out += '\n';
    }
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

BirthsCsvReader::BirthsCsvReader(CsvReader::Source source)
    : csv_(std::move(source))
{
}

BirthsCsvReader::BirthsCsvReader(QIODevice& in)
    : BirthsCsvReader([&in](char* buffer, std::size_t size) {
        const qint64 got = in.read(buffer, static_cast<qint64>(size));
        return got > 0 ? static_cast<std::size_t>(got) : std::size_t{0};
    })
{
}

void BirthsCsvReader::note(const QString& problem, long line)
{
    if (++problemCount_ <= kMaxProblems)
        problems_ << QStringLiteral("line %1: %2").arg(line).arg(problem);
}

bool BirthsCsvReader::readHeader()
{
    if (!csv_.next(fields_)) {
        ++problemCount_;
        problems_ << QStringLiteral("the file is empty: a header row comes first");
        return false;
    }
    if (csv_.tooLong() || csv_.fieldCount() > csv_.limits().maxFields) {
        note(QStringLiteral("the header row is longer than %1 bytes or has more than %2 columns")
                 .arg(csv_.limits().maxRecord)
                 .arg(csv_.limits().maxFields),
             csv_.recordLine());
        return false;
    }
    where_.assign(ColumnCount, kAbsent);
    for (int c = 0; c < ColumnCount; ++c) {
        for (std::size_t i = 0; i < fields_.size() && where_[c] == kAbsent; ++i)
            if (fields_[i] == kNames[c])
                where_[c] = i;
        if (where_[c] == kAbsent && required(c)) {
            note(QStringLiteral("the header has no column '%1'").arg(QLatin1String(kNames[c])),
                 csv_.recordLine());
            return false;
        }
    }
    width_ = fields_.size();
    return true;
}

std::optional<Birth> BirthsCsvReader::next()
{
    if (!started_) {
        started_ = true;
        done_ = !readHeader();
    }
    while (!done_ && csv_.next(fields_)) {
        if (csv_.blank())
            continue;
        Birth b;
        if (const auto problem = readRow(b))
            note(*problem, csv_.recordLine());
        else
            return b;
    }
    done_ = true;
    return std::nullopt;
}

std::optional<QString> BirthsCsvReader::readRow(Birth& b) const
{
    if (csv_.tooLong())
        return QStringLiteral("the record is longer than %1 bytes").arg(csv_.limits().maxRecord);
    if (csv_.unterminatedQuote())
        return QStringLiteral("a quoted field is not closed");
    if (csv_.fieldCount() != width_)
        return QStringLiteral("expected %1 fields but found %2").arg(width_).arg(csv_.fieldCount());
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (!tooLongText(fields_[i]))
            continue;
        const auto c = std::find(where_.begin(), where_.end(), i) - where_.begin();
        return QStringLiteral("%1 is longer than %2 characters")
            .arg(c < ColumnCount ? QLatin1String(kNames[c]) : QStringLiteral("field %1").arg(i + 1))
            .arg(kMaxTextChars);
    }
    const auto at = [&](int c) {
        return where_[c] == kAbsent ? QString() : fromUtf8(fields_[where_[c]]);
    };
    std::optional<QString> bad;
    const auto number = [&](int c, int fallback = 0) {
        const QString t = at(c).trimmed();
        if (where_[c] == kAbsent || (c >= Second && t.isEmpty()))
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
    for (const auto& [c, time] :
         {std::pair{SavedAt, &b.savedAt}, std::pair{LastUsed, &b.lastUsedAt}}) {
        const QString t = at(c).trimmed();
        if (t.isEmpty())
            continue;
        *time = QDateTime::fromString(t, Qt::ISODateWithMs);
        // Written back as UTC, it must read back.
        const int year = time->isValid() ? time->toUTC().date().year() : 0;
        if ((year < 1 || year > 9999) && !bad)
            bad =
                QStringLiteral("%1 '%2' is not an ISO 8601 time").arg(QLatin1String(kNames[c]), t);
    }
    const QString offsetText = at(UtcOffsetColumn).trimmed();
    const auto offset = UtcOffset::parse(offsetText.toStdString());
    if (!offsetText.isEmpty() && !offset && !bad)
        bad = QStringLiteral("utc_offset '%1' is not a UTC offset from -12:00 to +14:00 such as "
                             "+05:45")
                  .arg(offsetText);
    if (!bad)
        bad = checkBirth(b);
    if (!b.zoneText.isEmpty() &&
        resolveZonePosition(b.zonePosition, b.zoneText) != b.zonePosition && !bad)
        bad = QStringLiteral("zone %1 is not '%2'").arg(b.zonePosition).arg(b.zoneText);
    // An offset the other columns do not give: a place time of its own, in the
    // fixed zone "UTC+05:45", whose time the window reads back as it is.
    if (!bad && offset && birthChartInputs(b).offset() != *offset)
        b.placeTime =
            PickedPlaceTime{QString::fromStdString("UTC" + offset->text(OffsetStyle::Csv)),
                            offset->seconds(), false};
    return bad;
}

CsvBirths importBirthsCsv(const QByteArray& text)
{
    std::size_t at = 0;
    BirthsCsvReader reader([&text, &at](char* buffer, std::size_t size) {
        const std::size_t n = std::min(size, static_cast<std::size_t>(text.size()) - at);
        std::memcpy(buffer, text.constData() + at, n);
        at += n;
        return n;
    });
    CsvBirths result;
    while (const auto b = reader.next())
        result.births << *b;
    result.problems = reader.problems();
    return result;
}

} // namespace zenthra
