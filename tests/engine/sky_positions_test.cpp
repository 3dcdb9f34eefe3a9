// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_fixture.h"

#include "engine/sky_positions.h"
#include "engine/sky_theory.h"
#include "rules/input_limits.h"
#include "rules/utc_offset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using namespace zenthra;

namespace {

constexpr double kRad = 3.14159265358979323846 / 180;

// Signed difference a - b folded into (-180, 180].
double angleDiff(double a, double b)
{
    double d = std::fmod(a - b, 360.0);
    if (d > 180)
        d -= 360;
    if (d <= -180)
        d += 360;
    return d;
}

TEST(SkyPositions, MeeusWorkedExamples)
{
    // Meeus, Astronomical Algorithms (2nd ed.): example 25.b, the Sun on
    // 1992 October 13.0 TD, apparent longitude 199° 54' 21.818"; example 47.a,
    // the Moon on 1992 April 12.0 TD, apparent longitude 133.167265°.
    EXPECT_NEAR(sunLongitudeAtDynamicalTime(2448908.5), 199.906060, 1.0 / 3600);
    EXPECT_NEAR(moonLongitudeAtDynamicalTime(2448724.5), 133.167265, 2.0 / 3600);
}

TEST(SkyPositions, NewAndFullMoonsAtTheirPublishedTimes)
{
    // Published times of conjunction in longitude, UT unless noted; the Moon
    // moves about 0.0085° a minute, so each is checked to about two minutes.
    const double newMoons[] = {
        2443192.65118 - 48.0 / 86400, // 1977 Feb 18, 3:37:42 TD (Meeus, example 49.a)
        2451550.26,                   // 2000 Jan 6, 18:14 UT
        2451401.964,                  // 1999 Aug 11, 11:08 UT (total solar eclipse)
        2457987.271,                  // 2017 Aug 21, 18:30 UT (total solar eclipse)
        2460409.264,                  // 2024 Apr 8, 18:21 UT (total solar eclipse)
    };
    for (const double jd : newMoons) {
        const SunAndMoon p = sunAndMoonAt(jd);
        EXPECT_NEAR(angleDiff(p.moonLongitude, p.sunLongitude), 0, 0.02) << jd;
    }
    // Full moons at total lunar eclipses: opposition in longitude.
    const double fullMoons[] = {
        2451564.694, // 2000 Jan 21, 4:40 UT
        2458327.347, // 2018 Jul 27, 20:20 UT
        2459891.960, // 2022 Nov 8, 11:02 UT
    };
    for (const double jd : fullMoons) {
        const SunAndMoon p = sunAndMoonAt(jd);
        EXPECT_NEAR(angleDiff(p.moonLongitude, p.sunLongitude + 180), 0, 0.02) << jd;
    }
}

TEST(SkyPositions, SunAgreesWithTheShortSeriesAcross1900To2050)
{
    // Meeus's low-accuracy solar theory (chapter 25, good to 0.01°) is an
    // independent check of the full theory on random moments.
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> moment(2415020.5, 2470172.5);
    for (int i = 0; i < 2000; ++i) {
        const double jde = moment(random);
        const double t = (jde - 2451545.0) / 36525;
        const double l0 = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
        const double m = (357.52911 + 35999.05029 * t - 0.0001537 * t * t) * kRad;
        const double c = (1.914602 - 0.004817 * t - 0.000014 * t * t) * std::sin(m) +
                         (0.019993 - 0.000101 * t) * std::sin(2 * m) + 0.000289 * std::sin(3 * m);
        const double omega = (125.04 - 1934.136 * t) * kRad;
        const double apparent = l0 + c - 0.00569 - 0.00478 * std::sin(omega);
        ASSERT_NEAR(angleDiff(sunLongitudeAtDynamicalTime(jde), apparent), 0, 0.01) << jde;
    }
}

TEST(SkyPositions, FittedSeriesFollowTheFullTheories)
{
    // Random moments over the whole fitted range, its two ends and the edge
    // of a span; past the range the full theories answer themselves.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> moment(sky::kSeriesStartJde, sky::kSeriesEndJde);
    std::vector<double> moments = {sky::kSeriesStartJde, sky::kSeriesEndJde - 1e-6,
                                   sky::kSeriesStartJde + 16 * 1000, sky::kSeriesEndJde + 10};
    for (int i = 0; i < 200; ++i)
        moments.push_back(moment(random));
    for (const double jde : moments) {
        EXPECT_NEAR(angleDiff(sunLongitudeAtDynamicalTime(jde), sky::sunLongitudeFullTheory(jde)),
                    0, 1e-5)
            << jde;
        EXPECT_NEAR(angleDiff(moonLongitudeAtDynamicalTime(jde), sky::moonLongitudeFullTheory(jde)),
                    0, 1e-5)
            << jde;
    }
}

// Julian Day at 0h UT of a Gregorian date (Meeus, Astronomical Algorithms,
// 2nd ed., chapter 7).
double julianDay(int year, int month, int day)
{
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    const int b = 2 - year / 100 + year / 400;
    return std::floor(365.25 * (year + 4716)) + std::floor(30.6001 * (month + 1)) + day + b -
           1524.5;
}

TEST(SkyPositions, EveryAcceptedBirthLiesInsideTheFittedSeries)
{
    // Meeus, example 7.a: 1957 October 4.81 is JD 2436116.31.
    ASSERT_EQ(julianDay(1957, 10, 4), 2436115.5);
    // The window and zenthra-calc accept the years 1900 to 2050 and clocks
    // from UTC-12:00 to UTC+14:00, daylight saving adding an hour: the first
    // and last moments a birth can name, as dynamical time.
    struct Moment {
        int year, month, day, hour, minute, eastMinutes;
    };
    const Moment extremes[] = {
        {kYearLimit.low, 1, 1, 0, 0, UtcOffset::kMaxSeconds / 60 + 60},
        {kYearLimit.low, 1, 1, 0, 0, UtcOffset::kMaxSeconds / 60},
        {kYearLimit.high, 12, 31, 23, 59, UtcOffset::kMinSeconds / 60},
    };
    for (const Moment& m : extremes) {
        const double ut =
            julianDay(m.year, m.month, m.day) + (m.hour * 60 + m.minute - m.eastMinutes) / 1440.0;
        const double jde = ut + deltaTSeconds(ut) / 86400;
        EXPECT_GE(jde, sky::kSeriesStartJde) << m.year;
        EXPECT_LT(jde, sky::kSeriesEndJde) << m.year;
    }
    // And a month to spare on either side of those years.
    EXPECT_LE(sky::kSeriesStartJde, julianDay(1899, 12, 1));
    EXPECT_GE(sky::kSeriesEndJde, julianDay(2051, 2, 1));
}

TEST(SkyPositions, DeltaT)
{
    // Espenak and Meeus's polynomials meet at their seams; values near the
    // observed ones (about 63.8 s in 2000, 29.1 s in 1950, -2.8 s in 1900).
    struct Case {
        double year, seconds, tolerance;
    };
    const Case cases[] = {
        {1900, -2.8, 0.2}, {1950, 29.1, 0.2}, {2000, 63.8, 0.2}, {2020, 71.6, 1.5}};
    for (const Case& c : cases)
        EXPECT_NEAR(deltaTSeconds(2451545.0 + (c.year - 2000) * 365.25), c.seconds, c.tolerance)
            << c.year;
    for (const double seam : {1920.0, 1941.0, 1961.0, 1986.0, 2005.0, 2050.0}) {
        const double jd = 2451545.0 + (seam - 2000) * 365.25;
        EXPECT_NEAR(deltaTSeconds(jd - 1e-6), deltaTSeconds(jd + 1e-6), 1.0) << seam;
    }
}

TEST(SkyPositions, ChartMomentIsItsUniversalTime)
{
    // Delhi, 15 August 1947 00:00 at +05:30 is 14 August 18:30 UT.
    const ChartState delhi =
        test::chartFor({1947, 8, 15, 0, 0, -5, -30, 77, 13, true, 28, 40, false, false});
    EXPECT_NEAR(chartJulianDayUt(delhi), 2432411.5 + 18.5 / 24, 1e-9);
}

} // namespace
