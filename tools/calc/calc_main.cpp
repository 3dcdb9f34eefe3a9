// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_main.h"

#include "calc/chart_request.h"
#include "calc/csv.h"
#include "calc/place_option.h"
#include "engine/chart_state.h"
#include "entry/zone_table.h"
#include "engine/chart_report.h"
#include "result/chart_notes.h"
#include "result/sign_facts.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <charconv>
#include <cstring>
#include <optional>

namespace zenthra::calc {
namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  zenthra-calc --date YYYY-MM-DD --time HH:MM --zone N --lon DDD:MM{E|W}\n"
    "               --lat DD:MM{N|S} [--dst]\n"
    "  zenthra-calc --date YYYY-MM-DD --time HH:MM --place \"City, Country\"\n"
    "  zenthra-calc --csv  < births.csv > ascendants.csv\n"
    "  zenthra-calc --zones\n"
    "  zenthra-calc --help\n";

constexpr const char* kHelp =
    "Computes the rising sign (ascendant, tropical zodiac) of a birth.\n"
    "\n"
    "One chart:\n"
    "  --date YYYY-MM-DD  birth date, 1900-01-01 to 2050-12-31\n"
    "  --time HH:MM       clock time of birth at the birth place, 00:00 to 23:59\n"
    "  --zone N           the place's time zone as a position in the zone list\n"
    "                     (0 to 70; see --zones)\n"
    "  --lon DDD:MM{E|W}  longitude, degrees 0-179 and minutes 0-59, e.g. 77:13E\n"
    "  --lat DD:MM{N|S}   latitude, degrees 0-89 and minutes 0-59, e.g. 28:40N\n"
    "  --dst              daylight saving time was in force\n"
    "  --place TEXT       instead of --zone, --lon, --lat and --dst: look the place\n"
    "                     up in the offline atlas (\"Pune, India\") and take its\n"
    "                     coordinates, zone entry and daylight saving on that date\n"
    "  It prints the universal time used, the ascendant in degrees, its long and\n"
    "  short position texts, the sign, and a note when a birth up to 10 minutes\n"
    "  earlier or later would have another rising sign.\n"
    "\n"
    "Batch (--csv): reads CSV (RFC 4180, UTF-8) on standard input, a header row\n"
    "first, with the columns\n"
    "  year,month,day,hour,minute,zone,lon_deg,lon_min,lon_dir,lat_deg,lat_min,lat_dir,dst\n"
    "(lon_dir E or W, lat_dir N or S, dst 0 or 1; columns may come in any order) and\n"
    "writes a header and one row per input row, in order, with the columns\n"
    "  ascendant,long_text,short_text,sign,error\n"
    "A row that cannot be read or breaks a limit gets empty results and an error\n"
    "naming its line; every other row is still computed. Blank lines are skipped.\n"
    "\n"
    "Exit status: 0 every chart computed, 1 some input had an error, 2 usage error.\n";

void usageError(std::FILE* err, const std::string& why)
{
    std::fprintf(err, "zenthra-calc: %s\n%s", why.c_str(), kUsage);
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::optional<int> wholeNumber(std::string_view s)
{
    s = trimmed(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // Nine digits cannot overflow an int; longer numbers are outside every limit anyway.
    if (s.empty() || s.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const char ch : s) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return negative ? -value : value;
}

// "77:13E" → degrees, minutes and whether the letter is the second one given.
std::optional<std::array<int, 3>> angle(std::string_view s, char first, char second)
{
    s = trimmed(s);
    if (s.size() < 2)
        return std::nullopt;
    const char dir = static_cast<char>(std::toupper(static_cast<unsigned char>(s.back())));
    if (dir != first && dir != second)
        return std::nullopt;
    s.remove_suffix(1);
    const auto colon = s.find(':');
    const auto deg = wholeNumber(s.substr(0, colon));
    const auto min = colon == std::string_view::npos ? std::optional<int>(0)
                                                     : wholeNumber(s.substr(colon + 1));
    if (!deg || !min)
        return std::nullopt;
    return std::array<int, 3>{*deg, *min, dir == second};
}

void appendFixed6(std::string& out, double v)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
    out.append(buf, res.ptr);
}

int printZones(std::FILE* out)
{
    for (int pos = 0; pos < kZoneCount; ++pos)
        std::fprintf(out, "%2d  %s\n", pos, zoneEntry(pos).text);
    return 0;
}

int runOne(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    ChartRequest r;
    bool haveDate = false, haveTime = false, haveZone = false, haveLon = false, haveLat = false;
    std::string place;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        const auto eq = name.find('=');
        if (eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        static const char* const kValued[] = {"--date", "--time", "--zone", "--lon", "--lat",
                                              "--place"};
        if (name != "--dst" && std::find(std::begin(kValued), std::end(kValued), name) ==
                                   std::end(kValued)) {
            usageError(err, "unknown option '" + name + "'");
            return 2;
        }
        if (eq == std::string::npos && name != "--dst") {
            if (i + 1 >= args.size()) {
                usageError(err, name + " needs a value");
                return 2;
            }
            value = args[++i];
        }
        if (name == "--dst") {
            r.dst = true;
        } else if (name == "--date") {
            int y = 0, m = 0, d = 0;
            char tail = 0;
            if (std::sscanf(value.c_str(), "%d-%d-%d%c", &y, &m, &d, &tail) != 3) {
                usageError(err, "--date wants YYYY-MM-DD, not '" + value + "'");
                return 2;
            }
            r.year = y, r.month = m, r.day = d;
            haveDate = true;
        } else if (name == "--time") {
            int h = 0, m = 0;
            char tail = 0;
            if (std::sscanf(value.c_str(), "%d:%d%c", &h, &m, &tail) != 2) {
                usageError(err, "--time wants HH:MM, not '" + value + "'");
                return 2;
            }
            r.hour = h, r.minute = m;
            haveTime = true;
        } else if (name == "--zone") {
            const auto z = wholeNumber(value);
            if (!z) {
                usageError(err, "--zone wants a list position, not '" + value + "'");
                return 2;
            }
            r.zone = *z;
            haveZone = true;
        } else if (name == "--lon" || name == "--lat") {
            const bool lon = name == "--lon";
            const auto a = lon ? angle(value, 'W', 'E') : angle(value, 'N', 'S');
            if (!a) {
                usageError(err, name + (lon ? " wants DDD:MM followed by E or W"
                                            : " wants DD:MM followed by N or S") +
                                    ", not '" + value + "'");
                return 2;
            }
            (lon ? r.lonDeg : r.latDeg) = (*a)[0];
            (lon ? r.lonMin : r.latMin) = (*a)[1];
            (lon ? r.east : r.south) = (*a)[2] != 0;
            (lon ? haveLon : haveLat) = true;
        } else { // --place
            place = value;
        }
    }
    std::vector<std::string> placeLines;
    if (!place.empty()) {
        if (haveZone || haveLon || haveLat || r.dst) {
            usageError(err, "--place takes the place of --zone, --lon, --lat and --dst");
            return 2;
        }
        if (!placeLookupAvailable()) {
            usageError(err, "--place needs the place atlas, which this build does not have");
            return 2;
        }
        if (!haveDate || !haveTime) {
            usageError(err, "--place needs --date and --time");
            return 2;
        }
        // The atlas needs a real date; the limits are checked again below.
        r.zone = kDefaultZonePosition;
        if (const auto problem = checkRequest(r)) {
            std::fprintf(err, "zenthra-calc: %s\n", problem->c_str());
            return 1;
        }
        PlaceResolution resolved = resolvePlace(place, r);
        placeLines = std::move(resolved.lines);
        if (!resolved.ok) {
            for (const std::string& line : placeLines)
                std::fprintf(out, "%s\n", line.c_str());
            std::fprintf(err, "zenthra-calc: %s\n", resolved.error.c_str());
            return 1;
        }
        haveZone = haveLon = haveLat = true;
    }
    if (!haveDate || !haveTime || !haveZone || !haveLon || !haveLat) {
        usageError(err, "a chart needs --date, --time, --zone, --lon and --lat");
        return 2;
    }
    if (const auto problem = checkRequest(r)) {
        std::fprintf(err, "zenthra-calc: %s\n", problem->c_str());
        return 1;
    }
    const ChartResult res = computeRequest(r);
    for (const std::string& line : placeLines)
        std::fprintf(out, "%s\n", line.c_str());
    const int sign = signIndexOfCode(res.code);
    std::string ascendant;
    appendFixed6(ascendant, res.ascendant);
    std::fprintf(out, "Zone:           %d  %s%s\n", r.zone, zoneEntry(r.zone).text,
                 r.dst ? ", daylight saving" : "");
    std::fprintf(out, "Universal time: %s\n", universalTimeText().c_str());
    std::fprintf(out, "Ascendant:      %s\n", ascendant.c_str());
    std::fprintf(out, "Long text:      %s\n", res.longText.c_str());
    std::fprintf(out, "Short text:     %s\n", res.shortText.c_str());
    std::fprintf(out, "Sign:           %s (%s)\n", res.code.c_str(),
                 sign >= 0 ? signFacts(sign).name : "?");
    std::fprintf(out, "%s, %s\n", ascendantLine(res.longText).c_str(),
                 universalTimeLine(universalTimeText()).c_str());
    if (const auto change = nearestSignChange())
        std::fprintf(out, "%s\n", cuspNote(*change).c_str());
    return 0;
}

constexpr std::array<const char*, 13> kColumns = {
    "year",    "month",   "day",     "hour",    "minute",  "zone", "lon_deg",
    "lon_min", "lon_dir", "lat_deg", "lat_min", "lat_dir", "dst"};

} // namespace

int runCsv(std::FILE* in, std::FILE* out, std::FILE* err)
{
    CsvReader reader(in);
    std::vector<std::string_view> fields;
    if (!reader.next(fields)) {
        usageError(err, "the CSV input is empty: a header row comes first");
        return 2;
    }
    // Columns are found by name, so their order is free.
    std::array<std::size_t, kColumns.size()> where{};
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
        std::size_t i = 0;
        while (i < fields.size() && trimmed(fields[i]) != kColumns[c] &&
               !(i == 0 && trimmed(fields[i]) == std::string("\xEF\xBB\xBF") + kColumns[c]))
            ++i;
        if (i == fields.size()) {
            usageError(err, std::string("the header has no column '") + kColumns[c] + "'");
            return 2;
        }
        where[c] = i;
    }
    const std::size_t width = fields.size();

    std::string buf;
    buf.reserve(1 << 17);
    buf += "ascendant,long_text,short_text,sign,error\n";
    bool anyError = false;
    while (reader.next(fields)) {
        if (fields.size() == 1 && fields[0].empty() && !reader.unterminatedQuote())
            continue; // a blank line
        std::string problem;
        ChartRequest r;
        if (reader.tooLong()) {
            problem = "the record is longer than " + std::to_string(CsvReader::kMaxRecord) + " bytes";
        } else if (reader.unterminatedQuote()) {
            problem = "a quoted field is not closed";
        } else if (fields.size() != width) {
            problem = "expected " + std::to_string(width) + " fields but found " +
                      std::to_string(fields.size());
        } else {
            int values[kColumns.size()] = {};
            for (std::size_t c = 0; c < kColumns.size() && problem.empty(); ++c) {
                const std::string_view f = fields[where[c]];
                const std::string_view t = trimmed(f);
                if (c == 8 || c == 11) {
                    const char* letters = c == 8 ? "EW" : "NS";
                    if (t.size() == 1 && std::strchr(letters, std::toupper(t[0])))
                        values[c] = std::toupper(t[0]) == letters[0];
                    else
                        problem = std::string(kColumns[c]) + " '" + std::string(f) + "' is not " + letters[0] +
                                  " or " + letters[1];
                } else if (const auto v = wholeNumber(f)) {
                    values[c] = *v;
                    if (c == 12 && *v != 0 && *v != 1)
                        problem = "dst " + std::to_string(*v) + " is not 0 or 1";
                } else {
                    problem = std::string(kColumns[c]) + " '" + std::string(f) + "' is not a whole number";
                }
            }
            r.year = values[0], r.month = values[1], r.day = values[2];
            r.hour = values[3], r.minute = values[4], r.zone = values[5];
            r.lonDeg = values[6], r.lonMin = values[7], r.east = values[8] != 0;
            r.latDeg = values[9], r.latMin = values[10], r.south = values[11] == 0;
            r.dst = values[12] != 0;
            if (problem.empty())
                if (auto limit = checkRequest(r))
                    problem = std::move(*limit);
        }
        if (problem.empty()) {
            runRequest(r);
            const ChartState& c = chartState();
            appendFixed6(buf, c.varAscendant);
            buf += ',';
            appendCsvField(buf, c.varAscendantText);
            buf += ',';
            buf += c.arrPositionText[10];
            buf += ',';
            buf += c.strAscSign;
            buf += ",\n";
        } else {
            anyError = true;
            buf += ",,,,";
            appendCsvField(buf, "line " + std::to_string(reader.recordLine()) + ": " + problem);
            buf += '\n';
        }
        if (buf.size() > (1 << 16)) {
            std::fwrite(buf.data(), 1, buf.size(), out);
            buf.clear();
        }
    }
    std::fwrite(buf.data(), 1, buf.size(), out);
    std::fflush(out);
    return anyError ? 1 : 0;
}

int runCalc(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err)
{
    if (args.empty()) {
        usageError(err, "nothing to do");
        return 2;
    }
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fprintf(out, "%s\n%s", kUsage, kHelp);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--zones")
        return printZones(out);
    if (args.size() == 1 && args[0] == "--csv")
        return runCsv(in, out, err);
    for (const std::string& a : args)
        if (a == "--csv" || a == "--zones" || a == "--help") {
            usageError(err, a + " takes no other options");
            return 2;
        }
    return runOne(args, out, err);
}

} // namespace zenthra::calc
