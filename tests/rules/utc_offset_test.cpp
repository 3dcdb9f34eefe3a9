// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/utc_offset.h"
#include "rules/zone_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace zenthra;

namespace {

// West positive, minutes with the sign of the whole offset: what the engine
// adds as hours + minutes / 60.
TEST(UtcOffset, ParsesToSignedHoursAndMinutes)
{
    struct Case {
        const char* text;
        bool ok;
        int hours, minutes;
    } const cases[] = {
        {"+05:45", true, -5, -45}, // Kathmandu
        {"+04:30", true, -4, -30}, // Kabul
        {"-04:30", true, 4, 30},   // Caracas 2007-2016
        {"\xE2\x88\x92"
         "03:06",
         true, 3, 6}, // U+2212, as the texts for people write it
        {"UTC+02:45", true, -2, -45},
        {"UTC\xE2\x88\x92"
         "00:30",
         true, 0, 30},
        {"+5:45", true, -5, -45},
        {"-00:30", true, 0, 30},
        {"+00:20", true, 0, -20},
        {"+00:00", true, 0, 0},
        {"-00:00", true, 0, 0},
        {"+14:00", true, -14, 0}, // the ends of the range
        {"-12:00", true, 12, 0},
        {"+14:01", false, 0, 0},
        {"-12:01", false, 0, 0},
        {"+99:00", false, 0, 0},
        {"05:45", false, 0, 0}, // the sign is required
        {"+05:60", false, 0, 0},
        {"+05:4", false, 0, 0},
        {"+05:450", false, 0, 0},
        {"+005:45", false, 0, 0},
        {"+0545", false, 0, 0},
        {"+:45", false, 0, 0},
        {"+05:4x", false, 0, 0},
        {"+ 5:45", false, 0, 0},
        {" +05:45", false, 0, 0},
        {"+05:45 ", false, 0, 0},
        {"utc+05:45", false, 0, 0},
        {"+-5:45", false, 0, 0},
        {"+05:45:00", false, 0, 0}, // no seconds in what is typed
        {"", false, 0, 0},
        {"+", false, 0, 0},
    };
    for (const Case& c : cases) {
        const auto z = UtcOffset::parse(c.text);
        ASSERT_EQ(z.has_value(), c.ok) << '"' << c.text << '"';
        if (!z)
            continue;
        const ClockZone zone = chartZone(*z);
        EXPECT_EQ(zone.zoneHours, c.hours) << c.text;
        EXPECT_EQ(zone.zoneMinutes, c.minutes) << c.text;
    }
}

TEST(UtcOffset, ChartZoneRoundTripsThroughTheEngineSum)
{
    for (int east = UtcOffset::kMinSeconds / 60; east <= UtcOffset::kMaxSeconds / 60; ++east) {
        const ClockZone z = chartZone(UtcOffset::fromMinutes(east));
        EXPECT_EQ(z.zoneHours * 60 + z.zoneMinutes, -east) << east;
        EXPECT_TRUE(z.zoneMinutes == 0 || (z.zoneMinutes < 0) == (east > 0)) << east;
        EXPECT_LT(std::abs(z.zoneMinutes), 60) << east;
    }
    EXPECT_FALSE(UtcOffset::fromMinutes(UtcOffset::kMinSeconds / 60 - 1).inRange());
    EXPECT_FALSE(UtcOffset::fromMinutes(UtcOffset::kMaxSeconds / 60 + 1).inRange());
}

TEST(UtcOffset, EveryZoneEntryGivesBackItsOwnFields)
{
    for (int pos = 0; pos < kZoneCount; ++pos) {
        const ZoneEntry& e = zoneEntry(pos);
        const ClockZone z = chartZone(e.offset(), true);
        EXPECT_EQ(z.zoneHours, e.hours) << e.text;
        EXPECT_EQ(z.zoneMinutes, e.minutes) << e.text;
        EXPECT_TRUE(z.dst);
    }
}

TEST(UtcOffset, TextInEachStyle)
{
    struct Case {
        int seconds;
        const char* people;
        const char* csv;
    } const cases[] = {
        {19800, "UTC+05:30", "+05:30"},
        {-14400, "UTC\u221204:00", "-04:00"},
        {0, "UTC+00:00", "+00:00"},
        {-34200, "UTC\u221209:30", "-09:30"},
        {20700, "UTC+05:45", "+05:45"},
        {50400, "UTC+14:00", "+14:00"},
        {-43200, "UTC\u221212:00", "-12:00"},
        {-1800, "UTC\u221200:30", "-00:30"},
        {19270, "UTC+05:21:10", "+05:21:10"},
        {-11188, "UTC\u221203:06:28", "-03:06:28"},
        {-30, "UTC\u221200:00:30", "-00:00:30"},
    };
    for (const Case& c : cases) {
        const UtcOffset offset = UtcOffset::fromSeconds(c.seconds);
        EXPECT_EQ(offset.text(), c.people) << c.seconds;
        EXPECT_EQ(offset.text(OffsetStyle::PeopleNoUtc), std::string(c.people).substr(3))
            << c.seconds;
        EXPECT_EQ(offset.text(OffsetStyle::Csv), c.csv) << c.seconds;
        // Whole minutes read back as they were written, in either style.
        if (c.seconds % 60 == 0) {
            EXPECT_EQ(UtcOffset::parse(c.people), offset) << c.people;
            EXPECT_EQ(UtcOffset::parse(c.csv), offset) << c.csv;
        }
    }
}

TEST(UtcOffset, RoundsToTheNearestMinute)
{
    const std::pair<int, int> cases[] = {{1172, 1200}, {19270, 19260}, {-1521, -1500},
                                         {-30, -60},   {29, 0},        {-29, 0}};
    for (const auto& [seconds, rounded] : cases)
        EXPECT_EQ(UtcOffset::fromSeconds(seconds).roundedToMinute().seconds(), rounded) << seconds;
}

} // namespace
