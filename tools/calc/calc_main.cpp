// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_main.h"

#include "calc/place_option.h"
#include "calc/store_option.h"
#include "engine/chart_report.h"
#include "engine/day_bands.h"
#include "engine/sky_positions.h"
#include "rules/calendar_text.h"
#include "rules/chart_inputs.h"
#include "rules/chart_notes.h"
#include "rules/csv.h"
#include "rules/sign_facts.h"
#include "rules/zone_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <optional>

namespace zenthra::calc {
namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  zenthra-calc --date YYYY-MM-DD --time HH:MM --zone N --lon DDD:MM{E|W}\n"
    "               --lat DD:MM{N|S} [--dst]\n"
    "  zenthra-calc --date YYYY-MM-DD --time HH:MM --utc-offset \u00B1HH:MM --lon DDD:MM{E|W}\n"
    "               --lat DD:MM{N|S}\n"
    "  zenthra-calc --date YYYY-MM-DD --time HH:MM --place \"City, Country\"\n"
    "  zenthra-calc --date YYYY-MM-DD --day [--format text|csv] <place options>\n"
    "  zenthra-calc --csv [--big-three] < births.csv > ascendants.csv\n"
    "  zenthra-calc --list | --person NAME | --export-births [FILE] | --import-births FILE\n"
    "               [--store FILE]\n"
    "  zenthra-calc --zones\n"
    "  zenthra-calc --help | --version\n";

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
    "  --utc-offset \u00B1HH:MM  instead of --zone and --dst: the clock's offset from\n"
    "                     UTC to the minute, daylight saving included, from -12:00\n"
    "                     to +14:00, e.g. +05:45\n"
    "  --place TEXT       instead of --zone, --lon, --lat and --dst: look the place\n"
    "                     up in the offline atlas (\"Pune, India\") and take its\n"
    "                     coordinates and its time on that date: a zone entry and\n"
    "                     daylight saving, or the exact offset when no entry has it\n"
    "                     (Kathmandu, UTC+05:45), or the place's own local mean time\n"
    "                     before its country kept a standard time; the lines before\n"
    "                     the chart say which\n"
    "  It prints the universal time used, the ascendant in degrees, its long and\n"
    "  short position texts, the sign, a note when a birth up to 10 minutes\n"
    "  earlier or later would have another rising sign, then the Sun and the Moon:\n"
    "  sign, degrees and minutes in the sign, and the longitude in degrees.\n"
    "\n"
    "The day's rising signs (--day, with --date and the place options but no\n"
    "--time): one row per sign in turn, its code and name and the local clock\n"
    "times it rises from and to; the first starts at 00:00, the last ends at 24:00,\n"
    "and each ends where the next starts. --format csv gives a header sign,from,to\n"
    "and rows such as Leo,06:12,08:03. With --place, a daylight-saving change that\n"
    "day follows the place's clock: the hour the clocks skipped is a row of its\n"
    "own, \"---  skipped\" in the text and an empty sign in CSV; an hour that came\n"
    "twice is shown once, as its first time.\n"
    "\n"
    "Batch (--csv): reads CSV (RFC 4180, UTF-8) on standard input, a header row\n"
    "first, with the columns\n"
    "  year,month,day,hour,minute,zone,lon_deg,lon_min,lon_dir,lat_deg,lat_min,lat_dir,dst\n"
    "(lon_dir E or W, lat_dir N or S, dst 0 or 1; columns may come in any order) and\n"
    "an optional utc_offset (+05:45): when not empty it replaces zone and dst, which\n"
    "may then be empty or left out. It writes a header and one row per input row,\n"
    "in order, with the columns\n"
    "  ascendant,long_text,short_text,sign,error\n"
    "With --big-three, sun_long,moon_long,sun_sign,moon_sign come before error:\n"
    "longitudes in degrees and three-letter sign codes.\n"
    "A row that cannot be read or breaks a limit gets empty results and an error\n"
    "naming its line; every other row is still computed. Blank lines are skipped.\n"
    "\n"
    "Saved births (the program's own store, shared with the desktop program):\n"
    "  --list             one line a birth: name, date, time, place\n"
    "  --person NAME      computes the birth saved under exactly that name\n"
    "  --export-births [FILE]  writes the births as CSV (the batch columns, then\n"
    "                     name, place and the rest) to FILE or standard output\n"
    "  --import-births FILE    adds the births of such a file, updating those\n"
    "                     already saved; says how many, and names bad rows by line\n"
    "  --store FILE       another births file instead of the program's own\n"
    "\n"
    "Exit status: 0 every chart computed, 1 some input had an error, 2 usage error\n"
    "(and for --person, no saved birth or more than one has the name).\n";

// Control bytes in a message become visible escapes, so that no input can
// end a line, clear a terminal or hide text.
std::string escaped(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (const char ch : s) {
        const auto u = static_cast<unsigned char>(ch);
        if (u >= 0x20 && u != 0x7F) {
            out += ch;
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\t') {
            out += "\\t";
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        }
    }
    return out;
}

// Input quoted in a message: long texts are cut, on a character boundary.
std::string shown(std::string_view s)
{
    constexpr std::size_t kMax = 64;
    if (s.size() <= kMax)
        return "'" + std::string(s) + "'";
    std::size_t cut = kMax;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80)
        --cut;
    return "'" + std::string(s.substr(0, cut)) + "...'";
}

void usageError(std::FILE* err, const std::string& why)
{
    std::fprintf(err, "zenthra-calc: %s\n%s", escaped(why).c_str(), kUsage);
}

void inputError(std::FILE* err, const std::string& why)
{
    std::fprintf(err, "zenthra-calc: %s\n", escaped(why).c_str());
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

constexpr const char* kNotWhole = "is not a whole number";
constexpr const char* kOutOfRange = "is out of range";

// A whole number with blanks around it and an optional sign. Returns nothing
// when it is read, else why not (kNotWhole or kOutOfRange).
const char* readWhole(std::string_view s, int& value)
{
    s = trimmed(s);
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (s.empty() || s.front() < '0' || s.front() > '9')
            return kNotWhole;
    }
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    if (res.ptr != s.data() + s.size() || s.empty())
        return kNotWhole;
    if (res.ec == std::errc::result_out_of_range)
        return kOutOfRange;
    return res.ec == std::errc() ? nullptr : kNotWhole;
}

// A direction letter, in either case: true for the second of the two.
std::optional<bool> direction(std::string_view s, char first, char second)
{
    if (s.size() != 1)
        return std::nullopt;
    const char c = s[0] >= 'a' && s[0] <= 'z' ? static_cast<char>(s[0] - 'a' + 'A') : s[0];
    if (c == first)
        return false;
    if (c == second)
        return true;
    return std::nullopt;
}

// The parts of an option's value: "77:13E" with ':' gives "77" and "13E".
// The first part may begin with a sign, which is no separator.
std::vector<std::string_view> splitAt(std::string_view s, char sep)
{
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    for (std::size_t at = s.find(sep, 1); at != std::string_view::npos; at = s.find(sep, at + 1)) {
        parts.push_back(s.substr(from, at - from));
        from = at + 1;
    }
    parts.push_back(s.substr(from));
    return parts;
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

void appendFixed4(std::string& out, double v)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
    out.append(buf, res.ptr);
}

// "Leo 21° 30′ (141.5012°)"
std::string skyLine(double longitude)
{
    std::string s = signPositionText(longitude) + " (";
    appendFixed4(s, longitude);
    return s + "\u00B0)";
}

std::string zoneLine(const ChartInputs& r, const std::string& exactZoneText)
{
    if (r.exactOffset)
        return "Zone:           " + (exactZoneText.empty() ? r.exactOffset->text() : exactZoneText);
    return "Zone:           " + std::to_string(r.zone) + "  " + zoneEntry(r.zone).text +
           (r.dst ? ", daylight saving" : "");
}

// One chart of inputs that passed checkChartInputs, after the lines that say
// where its values came from.
void printChart(const ChartInputs& r, const std::vector<std::string>& leadLines,
                const std::string& exactZoneText, std::FILE* out)
{
    const ChartState chart = chartOf(r);
    for (const std::string& line : leadLines)
        std::fprintf(out, "%s\n", escaped(line).c_str());
    const int sign = signIndexOfCode(chart.strAscSign);
    std::string ascendant;
    appendFixed6(ascendant, chart.varAscendant);
    std::fprintf(out, "%s\n", zoneLine(r, exactZoneText).c_str());
    std::fprintf(out, "Universal time: %s\n", universalTimeText(chart).c_str());
    std::fprintf(out, "Ascendant:      %s\n", ascendant.c_str());
    std::fprintf(out, "Long text:      %s\n", chart.varAscendantText.c_str());
    std::fprintf(out, "Short text:     %s\n", chart.arrPositionText[10].c_str());
    std::fprintf(out, "Sign:           %s (%s)\n", chart.strAscSign.c_str(),
                 sign >= 0 ? signFacts(sign).name : "?");
    std::fprintf(out, "%s, %s\n", ascendantLine(chart.varAscendantText).c_str(),
                 universalTimeLine(universalTimeText(chart)).c_str());
    if (const auto change = nearestSignChange(chart))
        std::fprintf(out, "%s\n", cuspNote(*change).c_str());
    const SunAndMoon sky = sunAndMoonAt(chartJulianDayUt(chart));
    std::fprintf(out, "Sun:            %s\n", skyLine(sky.sunLongitude).c_str());
    std::fprintf(out, "Moon:           %s\n", skyLine(sky.moonLongitude).c_str());
    std::fprintf(out, "%s\n", bigThreeLine(sky, chart.strAscSign).c_str());
}

// The rising signs of the request's whole date, band by band. zoneAt, when
// set, gives the zone at each clock minute.
void printDay(const ChartInputs& r, const ZoneAtMinute& zoneAt, bool csv, std::FILE* out)
{
    const std::vector<RisingBand> bands = dayBands(chartOf(r), zoneAt);
    std::string text = csv ? "sign,from,to\n" : "Rising sign       From   To\n";
    for (const RisingBand& band : bands) {
        const int sign = signIndexOfCode(band.code);
        char line[96];
        if (csv)
            std::snprintf(line, sizeof line, "%s,%s,%s\n", sign >= 0 ? band.code.c_str() : "",
                          clockText(band.fromMinute).c_str(), clockText(band.toMinute).c_str());
        else
            std::snprintf(line, sizeof line, "%-3s  %-11s  %s  %s\n",
                          sign >= 0 ? band.code.c_str() : "---",
                          sign >= 0 ? signFacts(sign).name : "skipped",
                          clockText(band.fromMinute).c_str(), clockText(band.toMinute).c_str());
        text += line;
    }
    std::fwrite(text.data(), 1, text.size(), out);
}

// Options of one chart or one day; names without a value are flags.
constexpr const char* kValued[] = {"--date", "--time",  "--zone",       "--lon",
                                   "--lat",  "--place", "--utc-offset", "--format"};
constexpr const char* kFlags[] = {"--dst", "--day"};

bool isOneOf(const std::string& name, const char* const* from, const char* const* to)
{
    return std::find_if(from, to, [&name](const char* o) { return name == o; }) != to;
}

int runOne(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    ChartInputs r;
    bool haveDate = false, haveTime = false, haveZone = false, haveLon = false, haveLat = false;
    bool day = false;
    std::optional<std::string> place, format;
    // Reads the parts of an option's value; 0 when all are read, else the
    // exit status, the message given.
    const auto readParts = [err](std::vector<std::string_view> parts,
                                 std::initializer_list<std::pair<const char*, int*>> into,
                                 const std::string& usage) {
        if (parts.size() != into.size()) {
            usageError(err, usage);
            return 2;
        }
        auto part = parts.begin();
        for (const auto& [column, field] : into) {
            const char* why = readWhole(*part, *field);
            if (why == kNotWhole) {
                usageError(err, usage);
                return 2;
            }
            if (why) {
                inputError(err, std::string(column) + ' ' + shown(*part) + ' ' + why);
                return 1;
            }
            ++part;
        }
        return 0;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        const auto eq = name.find('=');
        if (eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const bool flag = isOneOf(name, std::begin(kFlags), std::end(kFlags));
        if (name == "--big-three") {
            usageError(err,
                       "--big-three goes with --csv; one chart always shows the Sun and the Moon");
            return 2;
        }
        if (!flag && !isOneOf(name, std::begin(kValued), std::end(kValued))) {
            usageError(err, "unknown option " + shown(name));
            return 2;
        }
        if (name == "--dst" && eq != std::string::npos) {
            usageError(
                err,
                "--dst takes no value: give it alone for daylight saving, leave it out for none");
            return 2;
        }
        if (flag && eq != std::string::npos) {
            usageError(err, name + " takes no value");
            return 2;
        }
        if (eq == std::string::npos && !flag) {
            if (i + 1 >= args.size()) {
                usageError(err, name + " needs a value");
                return 2;
            }
            value = args[++i];
        }
        int status = 0;
        if (name == "--dst") {
            r.dst = true;
        } else if (name == "--day") {
            day = true;
        } else if (name == "--date") {
            status = readParts(splitAt(value, '-'),
                               {{"year", &r.year}, {"month", &r.month}, {"day", &r.day}},
                               "--date wants YYYY-MM-DD, not " + shown(value));
            haveDate = true;
        } else if (name == "--time") {
            status = readParts(splitAt(value, ':'), {{"hour", &r.hour}, {"minute", &r.minute}},
                               "--time wants HH:MM, not " + shown(value));
            haveTime = true;
        } else if (name == "--zone") {
            status = readParts({value}, {{"zone", &r.zone}},
                               "--zone wants a list position, not " + shown(value));
            haveZone = true;
        } else if (name == "--utc-offset") {
            const auto offset = UtcOffset::parse(trimmed(value));
            if (!offset) {
                usageError(err, "--utc-offset wants +HH:MM or -HH:MM from -12:00 to +14:00, not " +
                                    shown(value));
                return 2;
            }
            r.exactOffset = offset;
        } else if (name == "--lon" || name == "--lat") {
            const bool lon = name == "--lon";
            const std::string usage =
                name +
                (lon ? " wants DDD:MM followed by E or W" : " wants DD:MM followed by N or S") +
                ", not " + shown(value);
            const std::string_view v = trimmed(value);
            const auto dir = v.empty() ? std::nullopt
                             : lon     ? direction(v.substr(v.size() - 1), 'W', 'E')
                                       : direction(v.substr(v.size() - 1), 'N', 'S');
            if (v.size() < 2 || !dir) {
                usageError(err, usage);
                return 2;
            }
            auto parts = splitAt(v.substr(0, v.size() - 1), ':');
            if (parts.size() == 1)
                parts.emplace_back("0");
            status =
                lon ? readParts(parts, {{"lon_deg", &r.lonDeg}, {"lon_min", &r.lonMin}}, usage)
                    : readParts(parts, {{"lat_deg", &r.latDeg}, {"lat_min", &r.latMin}}, usage);
            (lon ? r.east : r.south) = *dir;
            (lon ? haveLon : haveLat) = true;
        } else if (name == "--format") {
            if (value != "text" && value != "csv") {
                usageError(err, "--format wants text or csv, not " + shown(value));
                return 2;
            }
            format = value;
        } else { // --place
            place = value;
        }
        if (status != 0)
            return status;
    }
    if (r.exactOffset && (haveZone || r.dst)) {
        usageError(err, "--utc-offset takes the place of --zone and --dst");
        return 2;
    }
    if (format && !day) {
        usageError(err, "--format goes with --day");
        return 2;
    }
    if (day && haveTime) {
        usageError(err, "--day shows the whole date: leave out --time");
        return 2;
    }
    if (day) { // any clock time will do for the checks
        r.hour = r.minute = 0;
        haveTime = true;
    }
    std::vector<std::string> placeLines;
    PlaceResolution resolved;
    if (place) {
        if (haveZone || haveLon || haveLat || r.dst || r.exactOffset) {
            usageError(err,
                       "--place takes the place of --zone, --lon, --lat, --dst and --utc-offset");
            return 2;
        }
        if (!placeLookupAvailable()) {
            usageError(err, "--place needs the place atlas, which this build does not have");
            return 2;
        }
        if (!haveDate || !haveTime) {
            usageError(err, "--place needs --date and --time, or --date and --day");
            return 2;
        }
        // The atlas needs a real date; the limits are checked again below.
        r.zone = kDefaultZonePosition;
        if (const auto problem = checkChartInputs(r)) {
            inputError(err, *problem);
            return 1;
        }
        resolved = day ? resolvePlaceDay(*place, r) : resolvePlace(*place, r);
        placeLines = std::move(resolved.lines);
        if (!resolved.ok) {
            for (const std::string& line : placeLines)
                std::fprintf(out, "%s\n", escaped(line).c_str());
            inputError(err, resolved.error);
            return 1;
        }
        haveZone = haveLon = haveLat = true;
    }
    if (r.exactOffset)
        haveZone = true;
    if (!haveDate || !haveTime || !haveZone || !haveLon || !haveLat) {
        usageError(err, day ? "--day needs --date, --zone (or --utc-offset), --lon and --lat, or "
                              "--date and --place"
                            : "a chart needs --date, --time, --zone, --lon and --lat");
        return 2;
    }
    if (const auto problem = checkChartInputs(r)) {
        inputError(err, *problem);
        return 1;
    }
    if (!day) {
        printChart(r, placeLines, resolved.zoneText, out);
        return 0;
    }
    const bool csv = format == std::optional<std::string>("csv");
    if (csv) {
        // The table alone; a place taken for a partial match is still named.
        for (const std::string& line : placeLines)
            if (line.rfind("Note:", 0) == 0)
                inputError(err, line);
    } else {
        for (const std::string& line : placeLines)
            std::fprintf(out, "%s\n", escaped(line).c_str());
        if (!place)
            std::fprintf(out, "%s\n", zoneLine(r, {}).c_str());
    }
    printDay(r, resolved.zoneAt, csv, out);
    return 0;
}

// What the saved births are asked for; each takes --store too.
constexpr const char* kStoreActions[] = {"--list", "--person", "--export-births",
                                         "--import-births"};

int printReply(const StoreReply& reply, std::FILE* out, std::FILE* err)
{
    for (const std::string& line : reply.lines)
        std::fprintf(out, "%s\n", escaped(line).c_str());
    std::fwrite(reply.data.data(), 1, reply.data.size(), out);
    for (const std::string& message : reply.messages)
        inputError(err, message);
    return reply.status;
}

int runStore(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    std::string action, value, storePath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        const auto eq = name.find('=');
        std::optional<std::string> given;
        if (eq != std::string::npos) {
            given = name.substr(eq + 1);
            name.resize(eq);
        }
        const bool isAction = isOneOf(name, std::begin(kStoreActions), std::end(kStoreActions));
        if (!isAction && name != "--store") {
            usageError(err, shown(name) + " does not go with " +
                                (action.empty() ? "the saved births" : action));
            return 2;
        }
        if (isAction && !action.empty()) {
            usageError(err, "give one of --list, --person, --export-births and --import-births");
            return 2;
        }
        if (name == "--list" && given) {
            usageError(err, "--list takes no value");
            return 2;
        }
        // The file of an export may be left out: the CSV then goes to standard output.
        const bool optional = name == "--export-births";
        if (!given && name != "--list" && i + 1 < args.size() &&
            (!optional || args[i + 1].rfind("--", 0) != 0))
            given = args[++i];
        if (!given && name != "--list" && !optional) {
            usageError(err, name + " needs a value");
            return 2;
        }
        if (given && given->empty()) {
            usageError(err, name + " needs a value that is not empty");
            return 2;
        }
        if (name == "--store") {
            storePath = *given;
        } else {
            action = name;
            value = given && *given != "-" ? *given : std::string();
        }
    }
    if (action.empty()) {
        usageError(err, "--store goes with --list, --person, --export-births or --import-births");
        return 2;
    }
    if (!birthStoreAvailable()) {
        usageError(err, action + " needs the saved births, which this build does not have");
        return 2;
    }
    if (action == "--list")
        return printReply(listBirths(storePath), out, err);
    if (action == "--export-births")
        return printReply(exportBirths(storePath, value), out, err);
    if (action == "--import-births") {
        if (value.empty()) {
            usageError(err, "--import-births needs a file");
            return 2;
        }
        return printReply(importBirths(storePath, value), out, err);
    }
    PersonReply person = findPerson(storePath, value);
    if (person.status != 0) {
        person.lines.clear();
        return printReply(person, out, err);
    }
    if (const auto problem = checkChartInputs(person.request)) {
        inputError(err, *problem);
        return 1;
    }
    printChart(person.request, person.lines, person.zoneText, out);
    return 0;
}

constexpr std::array<const char*, 14> kColumns = {
    "year",    "month",   "day",     "hour",    "minute",  "zone", "lon_deg",
    "lon_min", "lon_dir", "lat_deg", "lat_min", "lat_dir", "dst",  "utc_offset"};
constexpr std::size_t kZoneColumn = 5, kDstColumn = 12, kOffsetColumn = 13;
constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

} // namespace

int runCsv(std::FILE* in, std::FILE* out, std::FILE* err, const CsvLimits& limits, bool bigThree)
{
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
        const auto named = [&](std::size_t i) { return trimmed(fields[i]) == kColumns[c]; };
        std::size_t i = 0;
        while (i < fields.size() && !named(i))
            ++i;
        where[c] = kAbsent;
        if (i == fields.size() &&
            (c == kOffsetColumn || (offsetColumn && (c == kZoneColumn || c == kDstColumn))))
            continue;
        if (i == fields.size()) {
            usageError(err, std::string("the header has no column '") + kColumns[c] + "'");
            return 2;
        }
        for (std::size_t j = i + 1; j < fields.size(); ++j)
            if (named(j)) {
                usageError(err,
                           std::string("the header has the column '") + kColumns[c] + "' twice");
                return 2;
            }
        where[c] = i;
    }
    const std::size_t width = fields.size();

    std::string buf;
    buf.reserve(1 << 17);
    buf += bigThree
               ? "ascendant,long_text,short_text,sign,sun_long,moon_long,sun_sign,moon_sign,error\n"
               : "ascendant,long_text,short_text,sign,error\n";
    bool anyError = false;
    while (reader.next(fields)) {
        if (reader.blank())
            continue;
        std::string problem;
        ChartInputs r;
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
                const SunAndMoon sky = sunAndMoonAt(chartJulianDayUt(c));
                for (const double longitude : {sky.sunLongitude, sky.moonLongitude}) {
                    buf += ',';
                    appendFixed4(buf, longitude);
                }
                for (const double longitude : {sky.sunLongitude, sky.moonLongitude}) {
                    buf += ',';
                    buf += signFacts(signPositionOf(longitude).sign).code;
                }
            }
            buf += ",\n";
        } else {
            anyError = true;
            buf += bigThree ? ",,,,,,,," : ",,,,";
            appendCsvField(buf,
                           "line " + std::to_string(reader.recordLine()) + ": " + escaped(problem));
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
    if (args.size() == 1 && args[0] == "--version") {
        std::fprintf(out, "zenthra-calc %s\n", ZENTHRA_VERSION);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--zones")
        return printZones(out);
    if (args.size() == 1 && args[0] == "--csv")
        return runCsv(in, out, err);
    if (args.size() == 2 && std::count(args.begin(), args.end(), "--csv") == 1 &&
        std::count(args.begin(), args.end(), "--big-three") == 1)
        return runCsv(in, out, err, {}, true);
    for (const std::string& a : args)
        if (a == "--csv" || a == "--zones" || a == "--help" || a == "--version") {
            usageError(err, a + (a == "--csv" ? " takes no other options but --big-three"
                                              : " takes no other options"));
            return 2;
        }
    for (const std::string& a : args)
        if (isOneOf(a.substr(0, a.find('=')), std::begin(kStoreActions), std::end(kStoreActions)) ||
            a.substr(0, a.find('=')) == "--store")
            return runStore(args, out, err);
    return runOne(args, out, err);
}

} // namespace zenthra::calc
