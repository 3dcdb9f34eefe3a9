// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

using namespace zenthra;
using zenthra::test::Birth;
using zenthra::test::chartFor;

namespace {

std::string sixDecimals(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    return buf;
}

// Worked birth rows with their published ascendants. Zones are given as the
// list entries they stand for: EST is +5, IST -5 -30, AEST -10.
struct AscendantCase {
    const char* label;
    Birth birth;
    const char* ascendant;
    const char* longText;
    const char* shortText;
};

const AscendantCase kAscendantCases[] = {
    {"2000 noon, equator",
     {2000, 1, 1, 12, 0, 0, 0, 0, 0, false, 0, 0, false, false},
     "11.378149",
     "11\u00B0 22' 41\" Ari",
     "11 Ari 22"},
    {"2000 noon, 51N30",
     {2000, 1, 1, 12, 0, 0, 0, 0, 0, false, 51, 30, false, false},
     "24.297922",
     "24\u00B0 17' 52\" Ari",
     "24 Ari 17"},
    {"1900 midnight",
     {1900, 1, 1, 0, 0, 0, 0, 0, 0, false, 0, 0, false, false},
     "191.079042",
     "11\u00B0 4' 44\" Lib",
     "11 Lib 04"},
    {"New York 1976, DST",
     {1976, 7, 4, 12, 0, 5, 0, 74, 0, false, 40, 43, false, true},
     "179.035654",
     "29\u00B0 2' 8\" Vir",
     "29 Vir 02"},
    {"Sydney 1985",
     {1985, 3, 21, 6, 30, -10, 0, 151, 12, true, 33, 52, true, false},
     "5.920373",
     "5\u00B0 55' 13\" Ari",
     "05 Ari 55"},
    {"Delhi 1947",
     {1947, 8, 15, 0, 0, -5, -30, 77, 13, true, 28, 40, false, false},
     "60.893562",
     "0\u00B0 53' 36\" Gem",
     "00 Gem 53"},
};

class AscendantTest : public testing::TestWithParam<AscendantCase> {};

TEST_P(AscendantTest, MatchesWorkedValues)
{
    const AscendantCase& tc = GetParam();
    const ChartState& c = chartFor(tc.birth);
    EXPECT_EQ(sixDecimals(c.varAscendant), tc.ascendant);
    EXPECT_EQ(c.varAscendantText, tc.longText);
    EXPECT_EQ(c.arrPositionText[10], tc.shortText);
    EXPECT_EQ(c.arrPositionText[10].substr(3, 3),
              std::string(tc.longText).substr(std::string(tc.longText).size() - 3));
}

INSTANTIATE_TEST_SUITE_P(WorkedRows, AscendantTest, testing::ValuesIn(kAscendantCases),
                         [](const auto& info) {
                             std::string n = info.param.label;
                             for (char& ch : n)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return n;
                         });

TEST(Ascendant, EasternHorizonAbovePolarCircles)
{
    // By hand from the chart's RAMC and obliquity: the formula's point lambda,
    // alpha = atan2(sin(lambda) cos(eps), cos(lambda)), H = RAMC - alpha; with
    // H in (0, 180) it sets in the west and the ascendant is lambda + 180.
    const struct {
        Birth birth;
        bool west;
        double ascendant;
    } cases[] = {
        // 78 13 N: RAMC 283.7306, lambda 166.8449, alpha 167.8971, H 115.8335
        {{2000, 3, 20, 6, 0, 0, 0, 15, 39, true, 78, 13, false, false}, true, 346.844911},
        // 78 13 N: RAMC 104.2234, lambda 185.0218, alpha 184.6092, H 279.6142
        {{2000, 3, 20, 18, 0, 0, 0, 15, 39, true, 78, 13, false, false}, false, 185.021757},
        // 69 00 S: RAMC 86.8197, lambda 24.7639, alpha 22.9395, H 63.8802
        {{1985, 12, 1, 1, 30, -3, 0, 39, 35, true, 69, 0, true, false}, true, 204.763926},
        // 69 00 S: RAMC 244.7509, lambda 347.1248, alpha 348.1561, H 256.5949
        {{1985, 12, 1, 12, 0, -3, 0, 39, 35, true, 69, 0, true, false}, false, 347.124750},
        // 64 08 N: RAMC 273.6225, lambda 33.5948, alpha 31.3597, H 242.2627
        {{1975, 1, 1, 12, 0, 1, 0, 21, 56, false, 64, 8, false, false}, false, 33.594793},
    };
    for (const auto& tc : cases) {
        const ChartState c = chartFor(tc.birth);
        EXPECT_NEAR(c.varAscendant, tc.ascendant, 5e-7) << tc.ascendant;
        EXPECT_EQ(c.bAscendantTurned != 0, tc.west) << tc.ascendant;
    }
}

TEST(BirthMoment, JulianDayNumbers)
{
    EXPECT_EQ(Julian_Day_Number(1, 1, 2000), 2451545);
    EXPECT_EQ(Julian_Day_Number(1, 1, 1900), 2415021);
    EXPECT_EQ(Julian_Day_Number(12, 31, 2050), 2470172);
    // The Gregorian correction applies only above this number.
    EXPECT_EQ(Julian_Day_Number(10, 15, 1582), 2299171);
    EXPECT_EQ(Julian_Day_Number(10, 4, 1582), 2299160); // last Julian day
    EXPECT_EQ(Julian_Day_Number(2, 29, 2000), 2451604);
    EXPECT_EQ(Julian_Day_Number(3, 1, 1900), 2415080); // 1900 has no February 29
}

TEST(BirthMoment, NoonOfJ2000)
{
    const ChartState& c = chartFor({2000, 1, 1, 12, 0, 0, 0, 0, 0, false, 0, 0, false, false});
    EXPECT_EQ(c.varUniversalHours, 12);
    EXPECT_EQ(c.varCenturies, 1.0);
    EXPECT_EQ(sixDecimals(c.varRamcRad / c.dblDegToRad), "280.460871");
    EXPECT_EQ(sixDecimals(c.varObliquityRad / c.dblDegToRad), "23.439281");
    EXPECT_NEAR(c.varObliquityRad / c.dblDegToRad, 23.4392815, 1e-9);
}

TEST(BirthMoment, DaylightSavingTakesAnHourOff)
{
    const ChartState& c = chartFor({1976, 7, 4, 12, 0, 5, 0, 74, 0, false, 40, 43, false, true});
    EXPECT_EQ(c.varZoneOffset, 4);
    EXPECT_EQ(c.varUniversalHours, 16);
}

TEST(BirthMoment, EasternZoneCarriesIntoThePreviousDay)
{
    const ChartState& c =
        chartFor({1947, 8, 15, 0, 0, -5, -30, 77, 13, true, 28, 40, false, false});
    EXPECT_EQ(c.varUniversalHours, -5.5);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10f", c.varCenturies);
    EXPECT_STREQ(buf, "0.4761744239");
    EXPECT_EQ(c.varJulianDayNumber, 2432413); // the civil date, unchanged
}

// The zone's direction comes from the zone itself, not from the longitude's
// hemisphere, so places on the "wrong" side of Greenwich get the right time.
struct ZoneDirectionCase {
    const char* label;
    Birth birth;
    double universalHours;
};

const ZoneDirectionCase kZoneDirectionCases[] = {
    {"2W on CET", {1970, 7, 1, 12, 0, -1, 0, 2, 0, false, 40, 0, false, false}, 11},
    {"London on BST", {1970, 7, 1, 12, 0, -1, 0, 0, 7, false, 51, 30, false, false}, 11},
    {"2W on CET with DST", {1970, 7, 1, 12, 0, -1, 0, 2, 0, false, 40, 0, false, true}, 10},
    {"5E on EST", {1970, 7, 1, 12, 0, 5, 0, 5, 0, true, 40, 0, false, false}, 17},
    {"0E with DST on zone 0", {1970, 7, 1, 12, 0, 0, 0, 0, 0, true, 0, 0, false, true}, 11},
    {"Newfoundland half hour",
     {1970, 1, 1, 12, 0, 3, 30, 52, 43, false, 47, 34, false, false},
     15.5},
    {"Adelaide half hour", {1970, 1, 1, 12, 0, -9, -30, 138, 36, true, 34, 56, true, false}, 2.5},
};

class ZoneDirectionTest : public testing::TestWithParam<ZoneDirectionCase> {};

TEST_P(ZoneDirectionTest, UniversalTime)
{
    const ZoneDirectionCase& tc = GetParam();
    EXPECT_DOUBLE_EQ(chartFor(tc.birth).varUniversalHours, tc.universalHours) << tc.label;
}

INSTANTIATE_TEST_SUITE_P(Zones, ZoneDirectionTest, testing::ValuesIn(kZoneDirectionCases));

TEST(BirthMoment, EastZeroLongitudeIsNegativeZero)
{
    const ChartState& c = chartFor({2000, 1, 1, 12, 0, 0, 0, 0, 0, true, 0, 0, false, false});
    EXPECT_TRUE(std::signbit(c.varLongitude));
    EXPECT_EQ(c.varUniversalHours, 12);
}

TEST(ChartState, SecondRunLeavesNothingOfTheFirst)
{
    const Birth sydney{1985, 3, 21, 6, 30, -10, 0, 151, 12, true, 33, 52, true, false};
    const Birth delhi{1947, 8, 15, 0, 0, -5, -30, 77, 13, true, 28, 40, false, false};
    const ChartState fresh = chartFor(delhi);
    // The same value, run again for another birth.
    ChartState again = chartFor(sydney);
    zenthra::test::fillInputs(again, delhi);
    Chart_Angles(again);
    Position_Table(again);
    EXPECT_EQ(again.varAscendant, fresh.varAscendant);
    EXPECT_EQ(again.varCenturies, fresh.varCenturies);
    EXPECT_EQ(again.varLatitude, fresh.varLatitude);
    EXPECT_EQ(again.varAscendantText, fresh.varAscendantText);
    EXPECT_EQ(again.arrPositionText, fresh.arrPositionText);
}

TEST(ArcTan2, Cases)
{
    EXPECT_EQ(Arc_Tan2(0, -1), 0.0); // the sign of 0 is 0
    EXPECT_EQ(Arc_Tan2(0, 0), 0.0);
    EXPECT_EQ(Arc_Tan2(1, 0), kPi / 2);
    EXPECT_EQ(Arc_Tan2(-1, 0), -kPi / 2);
    EXPECT_EQ(Arc_Tan2(-1, -1), -(kPi - std::atan(1.0)));
    EXPECT_EQ(Arc_Tan2(1, -1), kPi - std::atan(1.0));
    EXPECT_EQ(Arc_Tan2(1, 1), std::atan(1.0));
    EXPECT_EQ(Arc_Tan2(-2, 1), std::atan(-2.0));
}

TEST(NormalizeDegrees, OneTurnEachWay)
{
    const double cases[][2] = {{-10, 350}, {370, 10}, {360, 360}, {-370, -10}, {0, 0}, {720, 360}};
    for (const auto& tc : cases) {
        double p = tc[0];
        EXPECT_EQ(Normalize_Degrees(p), tc[1]) << tc[0];
        EXPECT_EQ(p, tc[1]) << "stored back";
    }
}

struct TextCase {
    double longitude;
    const char* longText;
    const char* shortText;
};

const TextCase kTextCases[] = {
    {0, "0\u00B0 0' 0\" Ari", "00 Ari 00"},
    {11.37814883180745, "11\u00B0 22' 41\" Ari", "11 Ari 22"},
    {29.999999, "29\u00B0 59' 59\" Ari", "29 Ari 59"},
    {30, "0\u00B0 0' 0\" Tau", "00 Tau 00"},
    {60.893562038020754, "0\u00B0 53' 36\" Gem", "00 Gem 53"},
    {123.456, "3\u00B0 27' 21\" Leo", "03 Leo 27"},
    {179.0356539425358, "29\u00B0 2' 8\" Vir", "29 Vir 02"},
    {359.9999999, "29\u00B0 59' 59\" Pis", "29 Pis 59"},
    {-123.456, "3\u00B0 27' 21\" Leo", "03 Leo 27"}, // the absolute value
};

TEST(PositionTexts, LongAndShortForms)
{
    for (const TextCase& tc : kTextCases) {
        double p = tc.longitude;
        const std::string text = Sign_DMS_Text(p);
        EXPECT_EQ(text, tc.longText) << tc.longitude;
        EXPECT_EQ(p, std::abs(tc.longitude)) << "argument replaced by its absolute value";
        EXPECT_EQ(Short_Position_Text(text).value_or("<failed>"), tc.shortText) << tc.longitude;
    }
}

TEST(PositionTexts, AnyDoubleGivesATextQuickly)
{
    // Degrees reduce modulo 30 however large; past Pisces there is no code.
    const std::pair<double, const char*> cases[] = {
        {360, "0\u00B0 0' 0\" "},
        {123456789012.75, "12\u00B0 45' 0\" "},
        {1e20, "10\u00B0 0' 0\" "},
        {-1e20, "10\u00B0 0' 0\" "},
        {1e300, "0\u00B0 0' 0\" "},
        {std::numeric_limits<double>::max(), "8\u00B0 0' 0\" "},
        {std::numeric_limits<double>::infinity(), ""},
        {-std::numeric_limits<double>::infinity(), ""},
        {std::numeric_limits<double>::quiet_NaN(), ""},
    };
    for (const auto& [value, text] : cases) {
        double p = value;
        EXPECT_EQ(Sign_DMS_Text(p), text) << value;
    }
}

TEST(PositionTexts, ShortFormOfOddTexts)
{
    // Blanks around the parts are trimmed; the code is the last three characters.
    EXPECT_EQ(Short_Position_Text("  7\u00B0  5' 9\" Cap  ").value_or("<failed>"), "07 p 05");
    EXPECT_EQ(Short_Position_Text("12\u00B0 34' 56\" Sco").value_or("<failed>"), "12 Sco 34");
    EXPECT_EQ(Short_Position_Text("\u00B0'").value_or("<failed>"), "0 \u00B0' 0");
}

TEST(PositionTexts, UnreadableTextFailsSafely)
{
    const char* bad[] = {
        "",     " ", "no marks", "12' 34\" Ari", "12\u00B0 34 Ari", "12' 34\u00B0 Ari",
        "\xC2", "'", "\u00B0",   "\xB0'"};
    for (const char* s : bad)
        EXPECT_FALSE(Short_Position_Text(s).has_value()) << s;
}

TEST(PositionTable, FailureKeepsEntryTen)
{
    ChartState c = chartFor({2000, 1, 1, 12, 0, 0, 0, 0, 0, false, 0, 0, false, false});
    ASSERT_EQ(c.arrPositionText[10], "11 Ari 22");
    c.varAscendantText = "garbage";
    Position_Table(c);
    EXPECT_EQ(c.arrPositionText[10], "11 Ari 22");
    EXPECT_EQ(c.varSignCodes, kSignCodes);
    for (int i = 0; i < 14; ++i) {
        if (i != 10) {
            EXPECT_TRUE(c.arrPositionText[i].empty()) << i;
        }
    }
}

TEST(CivilDate, RoundTripsThroughTheDayNumber)
{
    for (long jd = Julian_Day_Number(1, 1, 1890); jd <= Julian_Day_Number(12, 31, 2060); ++jd) {
        const CivilDate d = civilFromDayNumber(jd);
        ASSERT_EQ(Julian_Day_Number(d.month, d.day, d.year), jd);
        ASSERT_GE(d.day, 1);
        ASSERT_LE(d.day, 31);
    }
    const CivilDate d = civilFromDayNumber(2451545);
    EXPECT_EQ(d.year, 2000);
    EXPECT_EQ(d.month, 1);
    EXPECT_EQ(d.day, 1);
}

} // namespace
