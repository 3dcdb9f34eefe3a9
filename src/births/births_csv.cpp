// SPDX-License-Identifier: GPL-3.0-or-later
#include "births/births_csv.h"

#include "rules/input_limits.h"
#include "rules/message_text.h"
#include "rules/whole_number.h"

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
constexpr std::size_t kAbsent = CsvColumn::kAbsent;
// A time stamp later than this ahead of the clock is not believed.
constexpr qint64 kMaxAheadSeconds = 24 * 3600;

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

// Characters as the window counts them (UTF-16 code units); a byte that is
// not UTF-8 reads as one, so there are never more than bytes.
bool tooLongText(std::string_view s)
{
    return s.size() > static_cast<std::size_t>(kMaxTextChars) && fromUtf8(s).size() > kMaxTextChars;
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

BirthsCsvReader::BirthsCsvReader(CsvReader::Source source, std::size_t maxBytes)
    : maxBytes_(maxBytes)
    , csv_([this, source = std::move(source)](char* buffer, std::size_t size) -> std::size_t {
        // One byte past the limit is enough to know; the rest is not read.
        if (bytes_ > maxBytes_)
            return 0;
        const std::size_t got = source(buffer, std::min(size, maxBytes_ + 1 - bytes_));
        bytes_ += got;
        return bytes_ > maxBytes_ ? 0 : got;
    })
{
}

BirthsCsvReader::BirthsCsvReader(QIODevice& in, std::size_t maxBytes)
    : BirthsCsvReader(
          [&in](char* buffer, std::size_t size) {
              const qint64 got = in.read(buffer, static_cast<qint64>(size));
              return got > 0 ? static_cast<std::size_t>(got) : std::size_t{0};
          },
          maxBytes)
{
}

std::optional<QString> BirthsCsvReader::tooLarge() const
{
    if (bytes_ <= maxBytes_)
        return std::nullopt;
    return tooLargeText(maxBytes_);
}

QString BirthsCsvReader::tooLargeText(std::size_t maxBytes)
{
    return QStringLiteral("the input is larger than %1 MB: not a births file").arg(maxBytes >> 20);
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
        const CsvColumn column = findCsvColumn(fields_, kNames[c]);
        if (column.twice) {
            note(QString::fromStdString(csvColumnTwice(kNames[c])), csv_.recordLine());
            return false;
        }
        where_[c] = column.index;
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
    const auto quoted = [&](int c) {
        return QString::fromStdString(shown(where_[c] == kAbsent ? "" : fields_[where_[c]]));
    };
    const auto number = [&](int c, int fallback = 0) {
        const std::string_view t = where_[c] == kAbsent ? "" : trimmed(fields_[where_[c]]);
        if (where_[c] == kAbsent || (c >= Second && t.empty()))
            return fallback;
        int v = 0;
        if (const char* why = readWhole(t, v); why && !bad)
            bad = QStringLiteral("%1 %2 %3")
                      .arg(QLatin1String(kNames[c]), quoted(c), QLatin1String(why));
        return v;
    };
    const auto letter = [&](int c, char first, char second) {
        const QString t = at(c).trimmed().toUpper();
        if (t != QLatin1Char(first) && t != QLatin1Char(second) && !bad)
            bad = QStringLiteral("%1 %2 is not %3 or %4")
                      .arg(QLatin1String(kNames[c]), quoted(c), QChar::fromLatin1(first),
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
            bad = QStringLiteral("dst_box %1 is not unchecked, checked or greyed")
                      .arg(quoted(DstBox));
        else if (state < 3 && (state != 0) != (dst != 0) && !bad)
            bad = QStringLiteral("dst_box %1 and dst %2 disagree").arg(quoted(DstBox)).arg(dst);
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
        // Written back as UTC, it must read back; without its offset it would
        // be read in whatever zone the reading machine is in.
        const int year = time->isValid() ? time->toUTC().date().year() : 0;
        const bool zoned = time->timeSpec() == Qt::UTC || time->timeSpec() == Qt::OffsetFromUTC;
        if ((year < 1 || year > 9999 || !zoned) && !bad)
            bad = QStringLiteral("%1 %2 is not an ISO 8601 time with its offset, such as "
                                 "2024-03-01T09:30:00Z")
                      .arg(QLatin1String(kNames[c]), quoted(c));
        else if (time->isValid() &&
                 time->secsTo(QDateTime::currentDateTimeUtc()) < -kMaxAheadSeconds && !bad)
            bad = QStringLiteral("%1 %2 is more than a day ahead of the clock")
                      .arg(QLatin1String(kNames[c]), quoted(c));
    }
    const QString offsetText = at(UtcOffsetColumn).trimmed();
    const auto offset = UtcOffset::parse(offsetText.toStdString());
    if (!offsetText.isEmpty() && !offset && !bad)
        bad = QStringLiteral("utc_offset %1 is not a UTC offset from -12:00 to +14:00 such as "
                             "+05:45")
                  .arg(quoted(UtcOffsetColumn));
    if (!bad)
        bad = checkBirth(b);
    if (!b.zoneText.isEmpty() &&
        resolveZonePosition(b.zonePosition, b.zoneText) != b.zonePosition && !bad)
        bad = QStringLiteral("zone %1 is not %2").arg(b.zonePosition).arg(quoted(ZoneText));
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
