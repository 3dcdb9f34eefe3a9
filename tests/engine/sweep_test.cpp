// SPDX-License-Identifier: GPL-3.0-or-later
// Invariants over every day of the selectable years, at several times and
// places, rather than single worked values.
#include "chart_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace zenthra;
using zenthra::test::Birth;
using zenthra::test::chartFor;

namespace {

constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool leap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

struct Place {
    int lonDeg, lonMin;
    bool east;
    int latDeg, latMin;
    bool south;
    int zoneHours, zoneMinutes;
};

const Place kPlaces[] = {
    {0, 0, false, 0, 0, false, 0, 0},      // equator at Greenwich
    {74, 0, false, 40, 43, false, 5, 0},   // New York
    {151, 12, true, 33, 52, true, -10, 0}, // Sydney
    {18, 57, true, 69, 39, false, -1, 0},  // Tromsø, fast-moving ascendant
    {179, 59, false, 89, 59, true, 12, 0}, // the extremes the window admits
};

TEST(Sweep, EveryDayKeepsTheInvariants)
{
    const std::string codes = kSignCodes;
    long charts = 0;
    for (int year = 1900; year <= 2050; ++year)
        for (int month = 1; month <= 12; ++month) {
            const int days = kDaysInMonth[month - 1] + (month == 2 && leap(year));
            for (int day = 1; day <= days; ++day) {
                // Vary time and place from day to day so that every combination occurs.
                const Place& p = kPlaces[(day + month) % 5];
                const int hour = (day * 7 + year) % 24;
                const int minute = (day * 13 + month * 7) % 60;
                const bool dst = (day % 3) == 0;
                const Birth b{year,        month,         day,      hour,     minute,
                              p.zoneHours, p.zoneMinutes, p.lonDeg, p.lonMin, p.east,
                              p.latDeg,    p.latMin,      p.south,  dst};
                const ChartState& c = chartFor(b);
                ++charts;
                ASSERT_GE(c.varAscendant, 0) << year << '-' << month << '-' << day;
                ASSERT_LT(c.varAscendant, 360) << year << '-' << month << '-' << day;
                const std::string& shortText = c.arrPositionText[10];
                ASSERT_EQ(shortText.size(), 9u) << shortText;
                const int sign = static_cast<int>(std::floor(c.varAscendant / 30));
                ASSERT_EQ(shortText.substr(3, 3), codes.substr(3 * sign, 3))
                    << year << '-' << month << '-' << day << ' ' << c.varAscendant;
                ASSERT_EQ(c.varAscendantText.substr(c.varAscendantText.size() - 3),
                          codes.substr(3 * sign, 3));
                ASSERT_EQ(shortText[2], ' ');
                ASSERT_EQ(shortText[6], ' ');
            }
        }
    EXPECT_EQ(charts, 55152);
}

// At the equator the ascendant stands 90 degrees past the sidereal angle,
// shifted by at most the ecliptic's tilt effect (about 2.5 degrees); a wrong
// quadrant correction would put it 180 degrees off.
TEST(Sweep, EquatorAscendantFollowsTheSiderealAngle)
{
    for (int minutes = 0; minutes < 24 * 60; minutes += 7) {
        const Birth b{2000,  3, 20, minutes / 60, minutes % 60, 0, 0, 0, 0,
                      false, 0, 0,  false,        false};
        const ChartState& c = chartFor(b);
        double theta = c.varRamcRad / c.dblDegToRad;
        double diff = std::fmod(c.varAscendant - (theta + 90) + 720, 360);
        if (diff > 180)
            diff -= 360;
        ASSERT_LT(std::abs(diff), 2.6) << "minute " << minutes << " asc " << c.varAscendant;
    }
}

// Outside the polar circles the ascendant runs once round the zodiac per
// sidereal day, always forward.
TEST(Sweep, AscendantAdvancesThroughTheDay)
{
    for (const Place& p : kPlaces) {
        if (p.latDeg > 66)
            continue;
        double previous = -1;
        double travelled = 0;
        for (int minutes = 0; minutes <= 24 * 60; minutes += 1) {
            const Birth b{
                2010,     6,        15,     minutes / 60, minutes % 60, p.zoneHours, p.zoneMinutes,
                p.lonDeg, p.lonMin, p.east, p.latDeg,     p.latMin,     p.south,     false};
            const double asc = chartFor(b).varAscendant;
            if (previous >= 0) {
                const double step = std::fmod(asc - previous + 360, 360);
                ASSERT_LT(step, 180) << "went backwards at minute " << minutes;
                travelled += step;
            }
            previous = asc;
        }
        EXPECT_NEAR(travelled, 361, 2) << p.latDeg;
    }
}

} // namespace
