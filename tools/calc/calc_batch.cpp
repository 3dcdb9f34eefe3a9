// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_main.h"

#include "calc/calc_args.h"
#include "calc/calc_print.h"
#include "engine/chart_report.h"
#include "engine/sky_positions.h"
#include "engine/zodiac.h"
#include "rules/chart_inputs.h"
#include "rules/sign_facts.h"
#include "rules/zodiac_text.h"

#include <algorithm>
#include <array>

namespace zenthra::calc {
namespace {

constexpr std::array<const char*, 14> kColumns = {
    "year",    "month",   "day",     "hour",    "minute",  "zone", "lon_deg",
    "lon_min", "lon_dir", "lat_deg", "lat_min", "lat_dir", "dst",  "utc_offset"};
constexpr std::size_t kZoneColumn = 5, kDstColumn = 12, kOffsetColumn = 13;
constexpr std::size_t kAbsent = CsvColumn::kAbsent;

} // namespace

int runCsv(std::FILE* in, std::FILE* out, std::FILE* err, const CsvLimits& limits, bool bigThree,
           Zodiac zodiac)
{
    // Tropical output keeps its columns; a sidereal one says its ayanamsa.
    const bool sidereal = isSidereal(zodiac);
    CsvReader reader(in, limits);
    std::vector<std::string_view> fields;
    if (!reader.next(fields)) {
        usageError(err, "the CSV input is empty: a header row comes first");
        return 2;
    }
    if (reader.tooLong() || reader.fieldCount() > limits.maxFields) {
        usageError(err, "the header row is longer than " + std::to_string(limits.maxRecord) +
                            " bytes or has more than " + std::to_string(limits.maxFields) +
                            " columns");
        return 2;
    }
    // Columns are found by name, so their order is free. With a utc_offset
    // column, zone and dst may be left out.
    const bool offsetColumn = std::any_of(fields.begin(), fields.end(), [](std::string_view f) {
        return trimmed(f) == "utc_offset";
    });
    std::array<std::size_t, kColumns.size()> where{};
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
        const CsvColumn column = findCsvColumn(fields, kColumns[c]);
        where[c] = column.index;
        if (column.twice) {
            usageError(err, csvColumnTwice(kColumns[c]));
            return 2;
        }
        if (column.index == kAbsent &&
            (c == kOffsetColumn || (offsetColumn && (c == kZoneColumn || c == kDstColumn))))
            continue;
        if (column.index == kAbsent) {
            usageError(err, std::string("the header has no column '") + kColumns[c] + "'");
            return 2;
        }
    }
    const std::size_t width = fields.size();

    std::string buf;
    buf.reserve(1 << 17);
    buf += "ascendant,long_text,short_text,sign";
    if (bigThree)
        buf += ",sun_long,moon_long,sun_sign,moon_sign";
    buf += sidereal ? ",ayanamsa,error\n" : ",error\n";
    bool anyError = false;
    while (reader.next(fields)) {
        if (reader.blank())
            continue;
        std::string problem;
        ChartInputs r;
        r.zodiac = zodiac;
        if (reader.tooLong()) {
            problem = "the record is longer than " + std::to_string(limits.maxRecord) + " bytes";
        } else if (reader.unterminatedQuote()) {
            problem = "a quoted field is not closed";
        } else if (reader.fieldCount() != width) {
            problem = "expected " + std::to_string(width) + " fields but found " +
                      std::to_string(reader.fieldCount());
        } else {
            int* const numbers[kColumns.size()] = {
                &r.year,   &r.month, &r.day,    &r.hour,   &r.minute, &r.zone, &r.lonDeg,
                &r.lonMin, nullptr,  &r.latDeg, &r.latMin, nullptr,   nullptr, nullptr};
            // A utc_offset that is not empty replaces zone and dst.
            const bool byOffset =
                where[kOffsetColumn] != kAbsent && !trimmed(fields[where[kOffsetColumn]]).empty();
            for (std::size_t c = 0; c < kColumns.size() && problem.empty(); ++c) {
                if (c == kOffsetColumn ? !byOffset
                                       : (c == kZoneColumn || c == kDstColumn) && byOffset)
                    continue;
                if (where[c] == kAbsent) {
                    problem = std::string("utc_offset is empty and the header has no column '") +
                              kColumns[c] + "'";
                    break;
                }
                const std::string_view f = fields[where[c]];
                const std::string_view t = trimmed(f);
                const std::string column = kColumns[c];
                if (c == 8 || c == 11) {
                    const auto dir = c == 8 ? direction(t, 'W', 'E') : direction(t, 'N', 'S');
                    if (dir)
                        (c == 8 ? r.east : r.south) = *dir;
                    else
                        problem = column + ' ' + shown(f) +
                                  (c == 8 ? " is not E or W" : " is not N or S");
                } else if (c == kOffsetColumn) {
                    if (const auto offset = UtcOffset::parse(t))
                        r.exactOffset = offset;
                    else
                        problem = column + ' ' + shown(f) +
                                  " is not a UTC offset from -12:00 to +14:00 such as +05:45";
                } else if (c == kDstColumn) {
                    int dst = 0;
                    if (const char* why = readWhole(f, dst))
                        problem = column + ' ' + shown(f) + ' ' + why;
                    else if (dst != 0 && dst != 1)
                        problem = "dst " + std::to_string(dst) + " is not 0 or 1";
                    r.dst = dst != 0;
                } else if (const char* why = readWhole(f, *numbers[c])) {
                    problem = column + ' ' + shown(f) + ' ' + why;
                }
            }
            if (problem.empty())
                if (auto limit = checkChartInputs(r))
                    problem = std::move(*limit);
        }
        if (problem.empty()) {
            const ChartState c = chartOf(r);
            appendFixed6(buf, c.varAscendant);
            buf += ',';
            appendCsvField(buf, c.varAscendantText);
            buf += ',';
            buf += c.arrPositionText[10];
            buf += ',';
            buf += c.strAscSign;
            if (bigThree) {
                const SunAndMoon sky = chartSunAndMoon(c);
                for (const double longitude : {sky.sunLongitude, sky.moonLongitude}) {
                    buf += ',';
                    appendFixed4(buf, longitude);
                }
                for (const double longitude : {sky.sunLongitude, sky.moonLongitude}) {
                    buf += ',';
                    buf += signFacts(signPositionOf(longitude).sign).code;
                }
            }
            if (sidereal) {
                buf += ',';
                buf += ayanamsaDegreesText(c.varAyanamsa);
            }
            buf += ",\n";
        } else {
            anyError = true;
            buf += bigThree ? ",,,,,,,," : ",,,,";
            if (sidereal)
                buf += ',';
            appendCsvField(buf,
                           "line " + std::to_string(reader.recordLine()) + ": " + escaped(problem));
            buf += '\n';
        }
        if (buf.size() > (1 << 16)) {
            std::fwrite(buf.data(), 1, buf.size(), out);
            buf.clear();
            if (std::ferror(out)) // the rest could not be written either
                break;
        }
    }
    std::fwrite(buf.data(), 1, buf.size(), out); // flushed and checked by the caller
    return anyError ? 1 : 0;
}

} // namespace zenthra::calc
