// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The full theories behind the Sun and Moon positions (libnova: VSOP87 and
// ELP 2000-82B), slow but exact; the program reads the fitted series made
// from them and falls back to these outside the series' years.
namespace zenthra::sky {

// Julian Ephemeris Days covered by the fitted series: 1899 November 22 0h to
// 2051 February 10 0h, so every chart of 1900 to 2050 in any zone lies inside
// with forty days to spare at each end. The 55,232 days are whole spans of
// both series (1,726 of 32 days for the Sun, 3,452 of 16 for the Moon).
inline constexpr double kSeriesStartJde = 2414980.5;
inline constexpr double kSeriesEndJde = 2470212.5;

// Apparent geocentric longitudes of date, degrees in [0, 360), at a Julian
// Day in dynamical time.
double sunLongitudeFullTheory(double jde);
double moonLongitudeFullTheory(double jde);

} // namespace zenthra::sky
