// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"

// Sidereal zodiacs. The ayanamsa is how far the sidereal first point of Aries
// lies east of the equinox; a sidereal longitude is the tropical one less
// the ayanamsa.
namespace zenthra {

// Every zodiac, the tropical first, as a menu lists them.
inline constexpr Zodiac kZodiacs[] = {Zodiac::Tropical, Zodiac::Lahiri, Zodiac::FaganBradley,
                                      Zodiac::Raman, Zodiac::Krishnamurti};

constexpr bool isSidereal(Zodiac z)
{
    return z != Zodiac::Tropical;
}

// Julian centuries of dynamical time since J2000.0 (JD 2451545.0 TT) at a
// Julian Ephemeris Day.
double centuriesSinceJ2000(double julianEphemerisDay);

// The mean ayanamsa (referred to the mean equinox of date, no nutation) in
// degrees at t Julian centuries of TT since J2000.0; 0 for the tropical
// zodiac.
double meanAyanamsa(Zodiac zodiac, double t);

// Nutation in longitude and in obliquity in degrees at t Julian centuries of
// TT since J2000.0, to within 0.35" and 0.1" over 1900-2050.
double nutationInLongitude(double t);
double nutationInObliquity(double t);

} // namespace zenthra
