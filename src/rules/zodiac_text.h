// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"

#include <optional>
#include <string>
#include <string_view>

// The zodiac of a chart as the program names and writes it.
namespace zenthra {

// The Zodiac menu's entries: "Tropical", "Sidereal, Lahiri",
// "Sidereal, Fagan-Bradley", "Sidereal, Raman", "Sidereal, Krishnamurti".
const char* zodiacMenuText(Zodiac zodiac);

// "Zodiac: Tropical", "Zodiac: Sidereal, Lahiri": the zodiac a window will
// compute in, before there is a chart.
std::string zodiacInForceText(Zodiac zodiac);

// "Lahiri", "Fagan-Bradley", "Raman", "Krishnamurti"; empty for the tropical
// zodiac.
const char* ayanamsaName(Zodiac zodiac);

// zenthra-calc's names of the sidereal zodiacs: "lahiri", "fagan-bradley",
// "raman", "krishnamurti"; empty for the tropical zodiac.
const char* siderealOptionName(Zodiac zodiac);

// The sidereal zodiac of one of those names (exact, case-sensitive), or
// nothing.
std::optional<Zodiac> siderealZodiacNamed(std::string_view name);

// "lahiri, fagan-bradley, raman, krishnamurti", for a message.
std::string siderealOptionNames();

// "23° 51′ 26″": degrees, minutes and seconds, rounded to the second.
// Nonnegative finite angles only; anything else gives an empty text.
std::string degreesMinutesSecondsText(double degrees);

// "23.857092": the ayanamsa in degrees to six decimals.
std::string ayanamsaDegreesText(double degrees);

// ", sidereal (Lahiri, ayanamsa 23° 51′ 26″)" for a computed sidereal chart;
// empty for a tropical one.
std::string zodiacSuffix(const ChartState& chart);

// "Zodiac: sidereal, Lahiri ayanamsa 23° 51′ 26″ (23.857092°)" for a computed
// sidereal chart; empty for a tropical one.
std::string zodiacLine(const ChartState& chart);

// "Above the polar circle: the ecliptic point on the eastern horizon" when a
// computed chart's ascendant is the point opposite the formula's; empty
// otherwise.
std::string polarNote(const ChartState& chart);

} // namespace zenthra
