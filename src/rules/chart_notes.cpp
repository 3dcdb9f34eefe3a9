// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/chart_notes.h"

#include "rules/calendar_text.h"
#include "rules/sign_facts.h"
#include "rules/zodiac_text.h"

#include <cmath>
#include <cstdlib>

namespace zenthra {
namespace {

std::string signName(const std::string& code)
{
    const int k = signIndexOfCode(code);
    return k >= 0 ? signFacts(k).name : code;
}

} // namespace

std::string signPositionText(double longitude)
{
    if (!std::isfinite(longitude))
        return {};
    const SignPosition p = signPositionOf(longitude);
    return std::string(signFacts(p.sign).name) + " " + std::to_string(p.degrees) + "\u00B0 " +
           std::to_string(p.minutes) + "\u2032";
}

std::string bigThreeLine(const SunAndMoon& sky, const std::string& ascendantCode)
{
    return "Sun in " + signPositionText(sky.sunLongitude) + " \u00B7 Moon in " +
           signPositionText(sky.moonLongitude) + " \u00B7 " + signName(ascendantCode) + " rising";
}

std::string ascendantLine(const std::string& longText)
{
    if (longText.size() < 3)
        return "Ascendant " + longText;
    const std::string code = longText.substr(longText.size() - 3);
    return "Ascendant " + longText.substr(0, longText.size() - 3) + signName(code);
}

std::string ascendantLine(const ChartState& chart)
{
    return ascendantLine(chart.varAscendantText) + zodiacSuffix(chart);
}

std::string universalTimeLine(const std::string& universalTime)
{
    return "for " + universalTime;
}

std::string birthMomentLine(const ChartState& chart, const std::string& place)
{
    const int year = chart.intBirthYear, month = chart.intBirthMonth, day = chart.intBirthDay;
    std::string line = birthDateText(year, month, day) + ", " +
                       clockText(chart.intBirthHour * 60 + chart.intBirthMinute);
    if (!place.empty())
        line += " at " + place;
    const auto ut = universalMoment(chart);
    if (!ut)
        return line;
    line += " \u2014 ";
    if (ut->year != year)
        line += birthDateText(ut->year, ut->month, ut->day) + ", ";
    else if (ut->month != month || ut->day != day)
        line += birthDateText(ut->year, ut->month, ut->day, DateStyle::DayMonth) + ", ";
    return line + clockText(ut->minuteOfDay) + " UT";
}

std::string cuspNote(const SignChange& change)
{
    const int n = std::abs(change.minutes);
    return "Near the cusp: born " + std::to_string(n) + (n == 1 ? " minute " : " minutes ") +
           (change.minutes < 0 ? "earlier" : "later") + ", the rising sign would be " +
           signName(change.code) + ".";
}

} // namespace zenthra
