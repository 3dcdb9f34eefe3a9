// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_print.h"

#include "calc/calc_args.h"
#include "engine/chart_report.h"
#include "engine/sky_positions.h"
#include "engine/western_planet_position.h"
#include "engine/zodiac.h"
#include "rules/calendar_text.h"
#include "rules/chart_notes.h"
#include "rules/sign_facts.h"
#include "rules/zodiac_text.h"
#include "rules/zone_table.h"

#include <charconv>
#include <cstdio>

namespace zenthra::calc {

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

namespace {

// "Leo 21° 30′ (141.5012°)"
std::string skyLine(double longitude)
{
    std::string s = signPositionText(longitude) + " (";
    appendFixed4(s, longitude);
    return s + "\u00B0)";
}

} // namespace

std::string coordinatesText(const ChartInputs& r)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d:%02d%c %d:%02d%c", r.latDeg, r.latMin, r.south ? 'S' : 'N',
                  r.lonDeg, r.lonMin, r.east ? 'E' : 'W');
    return text;
}

std::string zoneLine(const ChartInputs& r, const std::string& exactZoneText)
{
    if (r.exactOffset)
        return "Zone:           " + (exactZoneText.empty() ? r.exactOffset->text() : exactZoneText);
    return "Zone:           " + std::to_string(r.zone) + "  " + zoneEntry(r.zone).text +
           (r.dst ? ", daylight saving" : "");
}

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
    if (const std::string zodiac = zodiacLine(chart); !zodiac.empty())
        std::fprintf(out, "%s\n", zodiac.c_str());
    std::fprintf(out, "Ascendant:      %s\n", ascendant.c_str());
    std::fprintf(out, "Long text:      %s\n", chart.varAscendantText.c_str());
    std::fprintf(out, "Short text:     %s\n", chart.arrPositionText[10].c_str());
    std::fprintf(out, "Sign:           %s (%s)\n", chart.strAscSign.c_str(),
                 sign >= 0 ? signFacts(sign).name : "?");
    std::fprintf(out, "%s, %s\n", ascendantLine(chart).c_str(),
                 universalTimeLine(universalTimeText(chart)).c_str());
    if (const std::string note = polarNote(chart); !note.empty())
        std::fprintf(out, "%s\n", note.c_str());
    if (const auto change = nearestSignChange(chart))
        std::fprintf(out, "%s\n", cuspNote(*change).c_str());
    const SunAndMoon sky = chartSunAndMoon(chart);
    std::fprintf(out, "Sun:            %s\n", skyLine(sky.sunLongitude).c_str());
    std::fprintf(out, "Moon:           %s\n", skyLine(sky.moonLongitude).c_str());
    std::fprintf(out, "%s\n", bigThreeLine(sky, chart.strAscSign).c_str());
}

void printDay(const ChartInputs& r, const ZoneAtMinute& zoneAt, bool csv, std::FILE* out)
{
    ChartState first = chartOf(r);
    const std::vector<RisingBand> bands = dayBands(first, zoneAt);
    std::string text = csv ? "sign,from,to\n" : "Rising sign       From   To\n";
    if (!csv && isSidereal(r.zodiac)) {
        // The ayanamsa of the day's first minute, in the place's time when it follows the clock.
        if (const auto zone = zoneAt ? zoneAt(0) : std::nullopt) {
            first.intZoneHours = zone->zoneHours;
            first.intZoneMinutes = zone->zoneMinutes;
            first.bDST = zone->dst ? -1 : 0;
            computeChart(first);
        }
        text.insert(0, zodiacLine(first) + '\n');
    }
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

} // namespace zenthra::calc
