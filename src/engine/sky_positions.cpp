// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sky_positions.h"

#include "engine/chart_state.h"

#include <libnova/dynamical_time.h>
#include <libnova/lunar.h>
#include <libnova/nutation.h>
#include <libnova/solar.h>

#include <cmath>

namespace zenthra {
namespace {

constexpr double kRad = 3.14159265358979323846 / 180;
constexpr double kArcSecond = 1.0 / 3600;
constexpr double kJ2000 = 2451545.0;

double reduced(double degrees)
{
    const double r = std::fmod(degrees, 360.0);
    return r < 0 ? r + 360 : r;
}

// libnova gives both bodies on the ecliptic and equinox of J2000. Rigorous
// ecliptic precession to the mean equinox of date (Meeus, Astronomical
// Algorithms, 2nd ed., eq. 21.5 and 21.7, starting epoch J2000 so T = 0).
double precessedLongitude(double lambda0, double beta0, double jde)
{
    const double t = (jde - kJ2000) / 36525;
    const double eta = (47.0029 * t - 0.03302 * t * t + 0.000060 * t * t * t) * kArcSecond * kRad;
    const double bigPi = (174.876384 - (869.8089 * t - 0.03536 * t * t) * kArcSecond) * kRad;
    const double p = (5029.0966 * t + 1.11113 * t * t - 0.000006 * t * t * t) * kArcSecond * kRad;
    const double l0 = lambda0 * kRad;
    const double b0 = beta0 * kRad;
    const double a = std::cos(eta) * std::cos(b0) * std::sin(bigPi - l0) - std::sin(eta) * std::sin(b0);
    const double b = std::cos(b0) * std::cos(bigPi - l0);
    return (p + bigPi - std::atan2(a, b)) / kRad;
}

// Espenak and Meeus's polynomials (NASA, Five Millennium Canon of Solar
// Eclipses, 2006) for 1900 to 2150; libnova's table elsewhere.
double espenakMeeusDeltaT(double year)
{
    if (year >= 1900 && year < 1920) {
        const double t = year - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t
               - 0.000197 * t * t * t * t;
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
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t
               + 0.000651814 * t * t * t * t + 0.00002373599 * t * t * t * t * t;
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

double nutationInLongitude(double jde)
{
    ln_nutation nutation{};
    ln_get_nutation(jde, &nutation);
    return nutation.longitude;
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
    ln_helio_posn earth{};
    ln_get_solar_geom_coords(jde, &earth);
    // Annual aberration of the Sun, -20.4898" / R (Meeus eq. 25.10).
    return reduced(precessedLongitude(earth.L, earth.B, jde) + nutationInLongitude(jde)
                   - 20.4898 * kArcSecond / earth.R);
}

double moonLongitudeAtDynamicalTime(double jde)
{
    ln_lnlat_posn moon{};
    ln_get_lunar_ecl_coords(jde, &moon, 0);
    return reduced(precessedLongitude(moon.lng, moon.lat, jde) + nutationInLongitude(jde));
}

SunAndMoon sunAndMoonAt(double julianDayUt)
{
    const double jde = julianDayUt + deltaTSeconds(julianDayUt) / 86400;
    return {sunLongitudeAtDynamicalTime(jde), moonLongitudeAtDynamicalTime(jde)};
}

double chartJulianDayUt()
{
    const ChartState& c = chartState();
    // The day number is reckoned at noon; universal hours count from midnight
    // and may run past either end of the civil day.
    return c.varJulianDayNumber - 0.5 + c.varUniversalHours / 24;
}

} // namespace zenthra
