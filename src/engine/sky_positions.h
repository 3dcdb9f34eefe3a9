// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"

// The Sun and the Moon at a moment: apparent geocentric ecliptic longitudes,
// tropical, referred to the true equinox of date, or sidereal. The ephemeris
// behind it (libnova: VSOP87 for the Sun, ELP 2000-82B for the Moon) stays
// out of every other header.
namespace zenthra {

struct SunAndMoon {
    double sunLongitude = 0;  // degrees, [0, 360)
    double moonLongitude = 0; // degrees, [0, 360)
};

// Dynamical time minus universal time, in seconds, for a Julian Day (UT).
double deltaTSeconds(double julianDayUt);
// The Julian Ephemeris Day (dynamical time, TT) of a Julian Day in UT.
double julianEphemerisDay(double julianDayUt);

// Apparent longitudes at a Julian Day in dynamical time (TD).
double sunLongitudeAtDynamicalTime(double julianEphemerisDay);
double moonLongitudeAtDynamicalTime(double julianEphemerisDay);

// Positions at a Julian Day in universal time. Sidereal longitudes are the
// apparent ones less the mean ayanamsa and the nutation in longitude.
SunAndMoon sunAndMoonAt(double julianDayUt, Zodiac zodiac = Zodiac::Tropical);

// The universal Julian Day of a computed chart.
double chartJulianDayUt(const ChartState& chart);

// The Sun and the Moon at a computed chart's moment, in its zodiac.
SunAndMoon chartSunAndMoon(const ChartState& chart);

} // namespace zenthra
