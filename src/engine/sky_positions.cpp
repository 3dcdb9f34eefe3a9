// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sky_positions.h"

#include "engine/chart_state.h"
#include "engine/sky_theory.h"
#include "engine/zodiac.h"

#include <libnova/dynamical_time.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <initializer_list>

namespace zenthra {
namespace {

constexpr double kJ2000 = 2451545.0;

// The fitted series: coefficients per span of days, evaluated by Clenshaw's
// recurrence.
template <std::size_t Spans, std::size_t Terms>
double seriesAt(const double (&coefficients)[Spans][Terms], double spanDays, double jde)
{
    const double offset = jde - sky::kSeriesStartJde;
    const auto span = std::min(static_cast<std::size_t>(offset / spanDays), Spans - 1);
    const double x = 2 * (offset - static_cast<double>(span) * spanDays) / spanDays - 1;
    const double* c = coefficients[span];
    double b1 = 0;
    double b2 = 0;
    for (std::size_t i = Terms - 1; i > 0; --i) {
        const double b0 = 2 * x * b1 - b2 + c[i];
        b2 = b1;
        b1 = b0;
    }
    const double r = std::fmod(x * b1 - b2 + c[0], 360.0);
    return r < 0 ? r + 360 : r;
}

#include "engine/sun_moon_series.inc"

bool inSeries(double jde)
{
    return jde >= sky::kSeriesStartJde && jde < sky::kSeriesEndJde;
}

// Espenak and Meeus's polynomials (NASA, Five Millennium Canon of Solar
// Eclipses, 2006) for 1900 to 2150; libnova's table elsewhere.
double espenakMeeusDeltaT(double year)
{
    if (year >= 1900 && year < 1920) {
        const double t = year - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t -
               0.000197 * t * t * t * t;
    }
    if (year >= 1920 && year < 1941) {
        const double t = year - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (year >= 1941 && year < 1961) {
        const double t = year - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (year >= 1961 && year < 1986) {
        const double t = year - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (year >= 1986 && year < 2005) {
        const double t = year - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t +
               0.000651814 * t * t * t * t + 0.00002373599 * t * t * t * t * t;
    }
    if (year >= 2005 && year < 2050) {
        const double t = year - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    if (year >= 2050 && year < 2150) {
        const double u = (year - 1820) / 100;
        return -20 + 32 * u * u - 0.5628 * (2150 - year);
    }
    return NAN;
}

} // namespace

double deltaTSeconds(double julianDayUt)
{
    const double year = 2000 + (julianDayUt - kJ2000) / 365.25;
    const double dt = espenakMeeusDeltaT(year);
    return std::isnan(dt) ? ln_get_dynamical_time_diff(julianDayUt) : dt;
}

double sunLongitudeAtDynamicalTime(double jde)
{
    return inSeries(jde) ? seriesAt(kSunSeries, kSunSpanDays, jde)
                         : sky::sunLongitudeFullTheory(jde);
}

double moonLongitudeAtDynamicalTime(double jde)
{
    return inSeries(jde) ? seriesAt(kMoonSeries, kMoonSpanDays, jde)
                         : sky::moonLongitudeFullTheory(jde);
}

double julianEphemerisDay(double julianDayUt)
{
    return julianDayUt + deltaTSeconds(julianDayUt) / 86400;
}

SunAndMoon sunAndMoonAt(double julianDayUt, Zodiac zodiac)
{
    const double jde = julianEphemerisDay(julianDayUt);
    SunAndMoon p{sunLongitudeAtDynamicalTime(jde), moonLongitudeAtDynamicalTime(jde)};
    if (isSidereal(zodiac)) {
        const double t = centuriesSinceJ2000(jde);
        const double shift = meanAyanamsa(zodiac, t) + nutationInLongitude(t);
        // A shift a hair above the longitude would leave 360 after the
        // turn is added.
        for (double* longitude : {&p.sunLongitude, &p.moonLongitude}) {
            *longitude -= shift;
            if (*longitude < 0)
                *longitude += 360;
            if (*longitude >= 360)
                *longitude = 0;
        }
    }
    return p;
}

double chartJulianDayUt(const ChartState& c)
{
    // The day number is reckoned at noon; universal hours count from midnight
    // and may run past either end of the civil day.
    return c.varJulianDayNumber - 0.5 + c.varUniversalHours / 24;
}

SunAndMoon chartSunAndMoon(const ChartState& c)
{
    return sunAndMoonAt(chartJulianDayUt(c), c.zodiac);
}

} // namespace zenthra
