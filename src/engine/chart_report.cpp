// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/chart_report.h"

#include "engine/chart_state.h"
#include "engine/western_planet_position.h"

#include <cmath>
#include <cstdio>

namespace zenthra {
namespace {

// The code in a short position text, or nothing when the text is too short
// to hold one (no chart computed yet).
std::string codeOf(const std::string& shortText)
{
    return shortText.size() >= 6 ? shortText.substr(3, 3) : std::string();
}

std::string signCodeAtShift(int minutes, const ChartState& original)
{
    ChartState& c = chartState();
    c = original;
    // Minutes past 59 or below 0 are fine: the engine reads hour + minute / 60
    // and carries any overflow of the day into T.
    c.intBirthMinute = static_cast<std::int16_t>(original.intBirthMinute + minutes);
    Chart_Angles();
    Position_Table();
    return codeOf(c.arrPositionText[10]);
}

} // namespace

std::string universalTimeText()
{
    const ChartState& c = chartState();
    // Universal time may run past either end of the civil day; count whole
    // minutes so that 23:59.99.. never prints as 24:00.
    const long minutes = std::lround(c.varUniversalHours * 60);
    const long dayShift = static_cast<long>(std::floor(minutes / 1440.0));
    const long minuteOfDay = minutes - dayShift * 1440;
    const CivilDate d = civilFromDayNumber(static_cast<long>(c.varJulianDayNumber) + dayShift);
    if (d.month < 1 || d.month > 12)
        return {};
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d %s %d, %02ld:%02ld UT", d.day, kMonthNames[d.month - 1],
                  d.year, minuteOfDay / 60, minuteOfDay % 60);
    return buf;
}

std::optional<SignChange> nearestSignChange(int window)
{
    const ChartState original = chartState();
    const std::string code = codeOf(original.arrPositionText[10]);
    if (code.empty())
        return std::nullopt;
    std::optional<SignChange> found;
    for (int k = 1; k <= window && !found; ++k) {
        for (const int shift : {-k, k}) {
            std::string other = signCodeAtShift(shift, original);
            if (other != code) {
                found = SignChange{shift, std::move(other)};
                break;
            }
        }
    }
    chartState() = original;
    return found;
}

} // namespace zenthra
