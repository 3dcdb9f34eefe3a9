// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/zodiac.h"

#include <cmath>

namespace zenthra {
namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kRad = 3.14159265358979323846 / 180;
constexpr double kArcSecond = 1.0 / 3600;

// Mean ayanamsas at J2000.0, arc seconds, in the order of the Zodiac
// enumeration (the tropical zodiac has none):
// - Lahiri, 23° 51' 25.53": the Indian Astronomical Ephemeris definition,
//   23° 15' 00.658" (true, nutation included) on 1956 March 21, 0h TT
//   (IAE 1989, p. 556), as its mean value at J2000.0;
// - Fagan-Bradley, 24° 44' 25.08": the synetic vernal point, ayanamsa
//   24° 02' 31.36" at 1950.0 (C. Fagan and R. C. Firebrace, Primer of
//   Sidereal Astrology, 1971), carried on with Newcomb's precession;
// - Raman, 22° 24' 38.85": 21° 00' 51.98" at 1900.0 (B. V. Raman, Hindu
//   Predictive Astrology), likewise;
// - Krishnamurti, 23° 45' 36.86": 22° 21' 50.00" at 1900.0, fitted to the
//   table of K. S. Krishnamurti's KP Reader 1, p. 58, likewise.
constexpr double kAyanamsaAtJ2000[] = {0, 85885.53, 89065.08, 80678.85, 85536.86};

// The general precession in longitude of IAU 2006, arc seconds (Capitaine,
// Wallace and Chapront, "Expressions for IAU 2000 precession quantities",
// A&A 412, 567-586, 2003).
double generalPrecession(double t)
{
    return (((-0.000023857 * t + 0.00007964) * t + 1.1054348) * t + 5028.796195) * t;
}

// The four largest terms of the IAU 1980 theory of nutation (Meeus,
// Astronomical Algorithms, 2nd ed., chapter 22, table 22.A): the multiples of
// the Moon's mean elongation D, its argument of latitude F and the longitude
// of its ascending node Omega, with the coefficients, in 0.0001" and their
// change per century, of the sine in longitude and the cosine in obliquity.
// Leaving out the rest of the table costs at most 0.33" in longitude and 0.09"
// in obliquity over 1900-2050.
struct NutationTerm {
    int d, f, omega;
    double sine, sinePerCentury, cosine, cosinePerCentury;
};
constexpr NutationTerm kNutationTerms[] = {
    {0, 0, 1, -171996, -174.2, 92025, 8.9},
    {-2, 2, 2, -13187, -1.6, 5736, -3.1},
    {0, 2, 2, -2274, -0.2, 977, -0.5},
    {0, 0, 2, 2062, 0.2, -895, 0.5},
};

// Degrees reduced to [-180, 180).
double reduced(double degrees)
{
    return degrees - 360 * std::floor(degrees * (1.0 / 360) + 0.5);
}

// The sine of an angle in [-180, 180] degrees: its Taylor series to the 15th
// power, within 8e-7 (the next term at 180 degrees). The terms above need no
// more, and it costs about half of libm's sine.
double sineOf(double degrees)
{
    const double x = degrees * kRad;
    const double x2 = x * x;
    double sum = -1.0 / 1307674368000; // -1/15!
    for (const double c :
         {1.0 / 6227020800, -1.0 / 39916800, 1.0 / 362880, -1.0 / 5040, 1.0 / 120, -1.0 / 6, 1.0})
        sum = sum * x2 + c;
    return sum * x;
}

// The sum of the terms above in longitude (sines) or in obliquity (cosines),
// degrees. Meeus, equations 22.1, 22.4 and 22.5 for the arguments; their cubic
// terms are below 0.0001 degree within two centuries of J2000.0.
double nutationSum(double t, bool obliquity)
{
    const double d = 297.85036 + 445267.111480 * t - 0.0019142 * t * t;
    const double f = 93.27191 + 483202.017538 * t - 0.0036825 * t * t;
    const double omega = 125.04452 - 1934.136261 * t + 0.0020708 * t * t;
    double sum = 0;
    for (const NutationTerm& k : kNutationTerms) {
        const double argument = k.d * d + k.f * f + k.omega * omega;
        sum += obliquity ? (k.cosine + k.cosinePerCentury * t) * sineOf(reduced(argument + 90))
                         : (k.sine + k.sinePerCentury * t) * sineOf(reduced(argument));
    }
    return sum * 0.0001 * kArcSecond;
}

} // namespace

double centuriesSinceJ2000(double julianEphemerisDay)
{
    return (julianEphemerisDay - kJ2000) / 36525;
}

double meanAyanamsa(Zodiac zodiac, double t)
{
    if (!isSidereal(zodiac))
        return 0;
    return (kAyanamsaAtJ2000[static_cast<int>(zodiac)] + generalPrecession(t)) * kArcSecond;
}

double nutationInLongitude(double t)
{
    return nutationSum(t, false);
}

double nutationInObliquity(double t)
{
    return nutationSum(t, true);
}

} // namespace zenthra
