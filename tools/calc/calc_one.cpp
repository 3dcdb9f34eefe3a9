// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_parts.h"

#include "calc/calc_args.h"
#include "calc/calc_print.h"
#include "calc/place_option.h"
#include "rules/chart_inputs.h"
#include "rules/zone_table.h"

#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>

namespace zenthra::calc {

namespace {

// Options of one chart or one day; names without a value are flags.
constexpr const char* kValued[] = {"--date",  "--time",       "--zone",   "--lon",     "--lat",
                                   "--place", "--utc-offset", "--format", "--sidereal"};
constexpr const char* kFlags[] = {"--dst", "--day"};

} // namespace

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
        } else if (name == "--sidereal") {
            const auto named = readSidereal(value, err);
            if (!named)
                return 2;
            r.zodiac = *named;
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
    if (const auto entry = resolveZone(r.zone);
        haveZone && r.dst && entry && namesDaylightTime(*entry)) {
        usageError(err, "--dst cannot go with --zone " + std::to_string(r.zone) + " (" +
                            entry->text +
                            "): that entry already includes the daylight-saving "
                            "hour");
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

} // namespace zenthra::calc
