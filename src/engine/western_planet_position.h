// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"

#include <optional>
#include <string>
#include <string_view>

// The ascendant engine. Classical formulas referred to the epoch 1900 January
// 0.5 (JD 2415020.0): Newcomb's polynomials for sidereal time and obliquity,
// tan(ASC) = cos(RAMC) / -(sin(RAMC) cos(eps) + sin(eps) tan(phi)), taking
// the point on the eastern horizon, in the chart's zodiac. The constants are
// used exactly as written below, not computed at full precision, so that
// results agree with the reference values to the last printed digit.
namespace zenthra {

inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130823;
inline constexpr double kPi = 3.14159265358979;
inline constexpr const char* kSignCodes = "AriTauGemCanLeoVirLibScoSagCapAquPis";

// Reads the inputs of the chart (its zodiac among them), writes every
// intermediate value, the ayanamsa applied and the ascendant's long position
// text back into it.
void Chart_Angles(ChartState& c);
// Writes the short form of the ascendant text into arrPositionText[10]. When
// the long text cannot be read, entry 10 keeps its previous content.
void Position_Table(ChartState& c);
// The rising sign's code: characters 4 to 6 of the short position text
// arrPositionText[10], or nothing when it is too short to hold one (a chart
// never computed).
std::string risingCode(const ChartState& c);
// Chart_Angles, Position_Table, and strAscSign set to the rising code: a
// whole chart.
void computeChart(ChartState& c);

// Julian Day Number of a civil date (reckoned at noon); Gregorian above
// JD 2299171, Julian below.
long Julian_Day_Number(long month, long day, long year);
// Two-argument arc tangent in (-kPi, kPi]; Arc_Tan2(0, x < 0) is 0 because
// the sign of 0 is 0.
double Arc_Tan2(double y, double x);
// Reduces by at most one turn in each direction; stores the result back.
double Normalize_Degrees(double& p);
// "D° M' S\" Cod" with every part truncated; p is replaced by |p|.
// Past Pisces the code is left out; NaN and infinities give an empty text.
std::string Sign_DMS_Text(double& p);
// "DD Cod MM" from a long position text, or nothing when the text lacks the
// degree sign or the apostrophe in the right order.
std::optional<std::string> Short_Position_Text(std::string_view s);

// Civil date (Gregorian from 15 October 1582) of a Julian Day Number.
struct CivilDate {
    int year;
    int month;
    int day;
};
CivilDate civilFromDayNumber(long jdn);

} // namespace zenthra
