// SPDX-License-Identifier: GPL-3.0-or-later
#include "../engine/chart_fixture.h"

#include "engine/day_bands.h"
#include "rules/calendar_text.h"
#include "rules/chart_inputs.h"
#include "rules/chart_notes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace zenthra;

namespace {

ChartInputs inputs(int year, int month, int day, int hour, int minute, int lonDeg, int lonMin,
                   bool east, int latDeg, int latMin, bool south)
{
    ChartInputs in;
    in.year = year, in.month = month, in.day = day, in.hour = hour, in.minute = minute;
    in.lonDeg = lonDeg, in.lonMin = lonMin, in.east = east;
    in.latDeg = latDeg, in.latMin = latMin, in.south = south;
    return in;
}

ChartInputs withZone(ChartInputs in, int zone, bool dst)
{
    in.zone = zone;
    in.dst = dst;
    return in;
}

ChartInputs withOffset(ChartInputs in, const char* offset)
{
    in.exactOffset = UtcOffset::parse(offset);
    return in;
}

// Each kind of zone gives the chart the engine computes from the signed zone
// values written out by hand (west positive, minutes with the sign of the
// hours). Ascendants from the engine's worked rows; universal times by hand.
TEST(ChartInputs, EveryKindOfZoneAgreesWithTheEngine)
{
    struct Case {
        const char* what;
        ChartInputs in;
        test::Birth engine;
        const char* universalTime;
        const char* ascendant; // nullptr: not a worked row
        const char* place;
        const char* moment; // the result's line
    } const cases[] = {
        {"entry 34, Delhi 1947",
         withZone(inputs(1947, 8, 15, 0, 0, 77, 13, true, 28, 40, false), 34, false),
         {1947, 8, 15, 0, 0, -5, -30, 77, 13, true, 28, 40, false, false},
         "14 August 1947, 18:30 UT",
         "0\u00B0 53' 36\" Gem",
         "Delhi",
         "15 August 1947, 00:00 at Delhi \u2014 14 August, 18:30 UT"},
        {"entry 27 and DST, New York 1976",
         withZone(inputs(1976, 7, 4, 12, 0, 74, 0, false, 40, 43, false), 27, true),
         {1976, 7, 4, 12, 0, 5, 0, 74, 0, false, 40, 43, false, true},
         "4 July 1976, 16:00 UT",
         "29\u00B0 2' 8\" Vir",
         "New York",
         "4 July 1976, 12:00 at New York \u2014 16:00 UT"},
        {"+05:45, Kathmandu 2000",
         withOffset(inputs(2000, 6, 1, 12, 0, 85, 19, true, 27, 42, false), "+05:45"),
         {2000, 6, 1, 12, 0, -5, -45, 85, 19, true, 27, 42, false, false},
         "1 June 2000, 06:15 UT",
         nullptr,
         "Kathmandu",
         "1 June 2000, 12:00 at Kathmandu \u2014 06:15 UT"},
        {"-03:30, St. John's 1990",
         withOffset(inputs(1990, 1, 15, 8, 0, 52, 43, false, 47, 34, false), "-03:30"),
         {1990, 1, 15, 8, 0, 3, 30, 52, 43, false, 47, 34, false, false},
         "15 January 1990, 11:30 UT",
         nullptr,
         "St. John's",
         "15 January 1990, 08:00 at St. John's \u2014 11:30 UT"},
        {"-00:30, DST ignored",
         withOffset(withZone(inputs(2000, 1, 1, 12, 0, 0, 0, false, 0, 0, false), 3, true),
                    "-00:30"),
         {2000, 1, 1, 12, 0, 0, 30, 0, 0, false, 0, 0, false, false},
         "1 January 2000, 12:30 UT",
         nullptr,
         "",
         "1 January 2000, 12:00 \u2014 12:30 UT"},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(checkChartInputs(c.in)) << c.what;
        const ChartState chart = chartOf(c.in);
        const ChartState engine = test::chartFor(c.engine);
        EXPECT_EQ(chart.intZoneHours, engine.intZoneHours) << c.what;
        EXPECT_EQ(chart.intZoneMinutes, engine.intZoneMinutes) << c.what;
        EXPECT_EQ(chart.bDST, engine.bDST) << c.what;
        EXPECT_EQ(chart.varAscendant, engine.varAscendant) << c.what;
        EXPECT_EQ(chart.arrPositionText[10], engine.arrPositionText[10]) << c.what;
        EXPECT_EQ(chart.strAscSign, risingCode(engine)) << c.what;
        EXPECT_EQ(universalTimeText(chart), c.universalTime) << c.what;
        if (c.ascendant) {
            EXPECT_EQ(chart.varAscendantText, c.ascendant) << c.what;
        }
        EXPECT_EQ(birthMomentLine(chart, c.place), c.moment) << c.what;
    }
    // Another year in universal time: the whole date.
    EXPECT_EQ(
        birthMomentLine(
            chartOf(withZone(inputs(1900, 1, 1, 0, 0, 77, 13, true, 28, 40, false), 34, false)),
            "Delhi"),
        "1 January 1900, 00:00 at Delhi \u2014 31 December 1899, 18:30 UT");
}

TEST(ChartInputs, EachFieldOutsideItsLimitIsNamed)
{
    const ChartInputs valid =
        withZone(inputs(2000, 2, 29, 23, 59, 179, 59, true, 89, 59, true), 70, true);
    ASSERT_FALSE(checkChartInputs(valid));
    struct Case {
        std::function<void(ChartInputs&)> change;
        const char* problem; // nullptr: still valid
    } const cases[] = {
        {[](ChartInputs& in) { in.year = 1899; }, "year 1899 is outside 1900-2050"},
        {[](ChartInputs& in) { in.year = 2051; }, "year 2051 is outside 1900-2050"},
        {[](ChartInputs& in) { in.month = 0; }, "month 0 is outside 1-12"},
        {[](ChartInputs& in) { in.month = 13; }, "month 13 is outside 1-12"},
        {[](ChartInputs& in) { in.year = 1900; }, "day 29 is outside 1-28"}, // not a leap year
        {[](ChartInputs& in) { in.day = 0; }, "day 0 is outside 1-29"},
        {[](ChartInputs& in) { in.month = 4, in.day = 31; }, "day 31 is outside 1-30"},
        {[](ChartInputs& in) { in.month = 12, in.day = 31; }, nullptr},
        {[](ChartInputs& in) { in.hour = 24; }, "hour 24 is outside 0-23"},
        {[](ChartInputs& in) { in.minute = -1; }, "minute -1 is outside 0-59"},
        {[](ChartInputs& in) { in.second = 60; }, "second 60 is outside 0-59"},
        {[](ChartInputs& in) { in.zone = 71; }, "zone 71 is outside 0-70"},
        {[](ChartInputs& in) { in.zone = -1; }, "zone -1 is outside 0-70"},
        {[](ChartInputs& in) { in.zone = -1, in.exactOffset = UtcOffset::fromMinutes(840); },
         nullptr},
        {[](ChartInputs& in) { in.exactOffset = UtcOffset::fromMinutes(841); },
         "utc_offset UTC+14:01 is outside UTC\u221212:00 to UTC+14:00"},
        {[](ChartInputs& in) { in.lonDeg = 180; }, "lon_deg 180 is outside 0-179"},
        {[](ChartInputs& in) { in.lonMin = 60; }, "lon_min 60 is outside 0-59"},
        {[](ChartInputs& in) { in.latDeg = 90; }, "lat_deg 90 is outside 0-89"},
        {[](ChartInputs& in) { in.latMin = -1; }, "lat_min -1 is outside 0-59"},
    };
    for (const Case& c : cases) {
        ChartInputs in = valid;
        c.change(in);
        const auto problem = checkChartInputs(in);
        EXPECT_EQ(problem.value_or("valid"), c.problem ? c.problem : "valid");
    }
}

TEST(CalendarText, ClockTexts)
{
    EXPECT_EQ(clockText(0), "00:00");
    EXPECT_EQ(clockText(372), "06:12");
    EXPECT_EQ(clockText(kMinutesPerDay), "24:00");
}

TEST(CalendarText, BirthDates)
{
    EXPECT_EQ(birthDateText(1947, 8, 15), "15 August 1947");
    EXPECT_EQ(birthDateText(1900, 1, 1), "1 January 1900");
    EXPECT_EQ(birthDateText(1947, 8, 5, DateStyle::Iso), "1947-08-05");
    EXPECT_EQ(birthDateText(1947, 13, 5), "5 13 1947");
}

} // namespace
