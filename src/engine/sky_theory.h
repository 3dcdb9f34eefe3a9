// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The full theories behind the Sun and Moon positions (libnova: VSOP87 and
// ELP 2000-82B), slow but exact; the program reads the fitted series made
// from them and falls back to these outside the series' years.
namespace zenthra::sky {

// Julian Ephemeris Days covered by the fitted series: 1899 December 11 to
// 2051 February 9, so every chart of 1900 to 2050 in any zone lies inside.
inline constexpr double kSeriesStartJde = 2415000.5;
inline constexpr double kSeriesEndJde = 2469840.5;

// Apparent geocentric longitudes of date, degrees in [0, 360), at a Julian
// Day in dynamical time.
double sunLongitudeFullTheory(double jde);
double moonLongitudeFullTheory(double jde);

} // namespace zenthra::sky
