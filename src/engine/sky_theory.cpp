// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/sky_theory.h"

#include <libnova/lunar.h>
#include <libnova/nutation.h>
#include <libnova/solar.h>

#include <cmath>

namespace zenthra::sky {
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
// Algorithms, 2nd ed., eq. 21.5 and 21.7, from J2000 so that T = 0).
double precessedLongitude(double lambda0, double beta0, double jde)
{
    const double t = (jde - kJ2000) / 36525;
    const double eta = (47.0029 * t - 0.03302 * t * t + 0.000060 * t * t * t) * kArcSecond * kRad;
    const double bigPi = (174.876384 - (869.8089 * t - 0.03536 * t * t) * kArcSecond) * kRad;
    const double p = (5029.0966 * t + 1.11113 * t * t - 0.000006 * t * t * t) * kArcSecond * kRad;
    const double l0 = lambda0 * kRad;
    const double b0 = beta0 * kRad;
    const double a =
        std::cos(eta) * std::cos(b0) * std::sin(bigPi - l0) - std::sin(eta) * std::sin(b0);
    const double b = std::cos(b0) * std::cos(bigPi - l0);
    return (p + bigPi - std::atan2(a, b)) / kRad;
}

double nutationInLongitude(double jde)
{
    ln_nutation nutation{};
    ln_get_nutation(jde, &nutation);
    return nutation.longitude;
}

} // namespace

double sunLongitudeFullTheory(double jde)
{
    ln_helio_posn earth{};
    ln_get_solar_geom_coords(jde, &earth);
    // Annual aberration of the Sun, -20.4898" / R (Meeus eq. 25.10).
    return reduced(precessedLongitude(earth.L, earth.B, jde) + nutationInLongitude(jde) -
                   20.4898 * kArcSecond / earth.R);
}

double moonLongitudeFullTheory(double jde)
{
    ln_lnlat_posn moon{};
    ln_get_lunar_ecl_coords(jde, &moon, 0);
    return reduced(precessedLongitude(moon.lng, moon.lat, jde) + nutationInLongitude(jde));
}

} // namespace zenthra::sky
