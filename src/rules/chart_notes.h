// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_report.h"
#include "engine/sky_positions.h"

#include <string>

namespace zenthra {

// "Ascendant 0° 53' 36\" Gemini": the long position text with the sign's name
// in place of its code.
std::string ascendantLine(const std::string& longText);
// The same for a computed chart, its zodiac said after the sign when it is
// sidereal: "Ascendant 27° 12' 5\" Cancer, sidereal (Lahiri, ayanamsa
// 23° 51′ 26″)".
std::string ascendantLine(const ChartState& chart);

// "for 14 August 1947, 18:30 UT"
std::string universalTimeLine(const std::string& universalTime);

// "15 August 1947, 00:00 at Delhi — 14 August, 18:30 UT": the birth's local
// date and clock time, the place (left out when empty) and the universal
// time the chart was computed for, with its date only when that differs and
// its year only when that differs too. The universal part is left out for a
// chart whose date cannot be read back.
std::string birthMomentLine(const ChartState& chart, const std::string& place);

// "Near the cusp: born 4 minutes earlier, the rising sign would be Taurus."
std::string cuspNote(const SignChange& change);

// "Leo 22° 30′": the sign of an ecliptic longitude and the whole degrees and
// minutes within it, truncated like every position the program shows.
std::string signPositionText(double longitude);

// "Sun in Leo 22° 30′ · Moon in Cancer 4° 12′ · Gemini rising"
std::string bigThreeLine(const SunAndMoon& sky, const std::string& ascendantCode);

} // namespace zenthra
