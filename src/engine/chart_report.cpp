// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/chart_report.h"

#include "engine/western_planet_position.h"

#include <cmath>

namespace zenthra {

std::optional<UniversalMoment> universalMoment(const ChartState& c)
{
    // Universal time may run past either end of the civil day; count whole
    // minutes so that 23:59.99.. never reads as 24:00.
    const long minutes = std::lround(c.varUniversalHours * 60);
    const long dayShift = static_cast<long>(std::floor(minutes / 1440.0));
    const long minuteOfDay = minutes - dayShift * 1440;
    const CivilDate d = civilFromDayNumber(static_cast<long>(c.varJulianDayNumber) + dayShift);
    if (d.month < 1 || d.month > 12)
        return std::nullopt;
    return UniversalMoment{d.year, d.month, d.day, static_cast<int>(minuteOfDay)};
}

std::optional<SignChange> nearestSignChange(const ChartState& chart, int window)
{
    const std::string code = risingCode(chart);
    if (code.empty())
        return std::nullopt;
    for (int k = 1; k <= window; ++k) {
        for (const int shift : {-k, k}) {
            ChartState shifted = chart;
            // Minutes past 59 or below 0 are fine: the engine reads hour +
            // minute / 60 and carries any overflow of the day into T.
            shifted.intBirthMinute = static_cast<std::int16_t>(chart.intBirthMinute + shift);
            computeChart(shifted);
            if (shifted.strAscSign != code)
                return SignChange{shift, std::move(shifted.strAscSign)};
        }
    }
    return std::nullopt;
}

} // namespace zenthra
