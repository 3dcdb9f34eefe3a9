// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/zone_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace zenthra;

namespace {

// Reads the offset at the end of an entry ("+5.3", "-10.5", "0.0") and turns
// it into the stored values independently of the table: sign reversed, and a
// digit after the point meaning half an hour.
std::pair<int, int> expectedFromText(const std::string& text)
{
    const std::string offset = text.substr(text.rfind(',') + 1);
    std::size_t i = offset.find_first_not_of(' ');
    int sign = 1;
    if (offset[i] == '+' || offset[i] == '-')
        sign = offset[i++] == '-' ? -1 : 1;
    const std::size_t point = offset.find('.');
    const int hours = std::stoi(offset.substr(i, point - i));
    const int digit = offset[point + 1] - '0';
    return {-sign * hours, digit == 0 ? 0 : -sign * 30};
}

TEST(ZoneTable, EveryPositionFollowsItsText)
{
    for (int pos = 0; pos < kZoneCount; ++pos) {
        const ZoneEntry& e = zoneEntry(pos);
        const auto [hours, minutes] = expectedFromText(e.text);
        EXPECT_EQ(e.hours, hours) << pos << ' ' << e.text;
        EXPECT_EQ(e.minutes, minutes) << pos << ' ' << e.text;
    }
}

TEST(ZoneTable, KnownPositions)
{
    struct Case {
        int pos;
        const char* text;
        int hours, minutes;
    };
    const Case cases[] = {
        {0, "Alaska/Hawaii Daylight Time,AHDT,-9.0", 9, 0},
        {5, "Australian Central Daylight Time,ACDT,+10.5", -10, -30},
        {11, "Azores Time, AT, -2.0", 2, 0},
        {20, "Central European Time,CET,+1.0", -1, 0},
        {27, "Eastern Standard Time,EST,-5.0", 5, 0},
        {29, "Greenwich Mean Time,GMT,0.0", 0, 0},
        {32, "Hawaiian Standard Time,HST,-10.5", 10, 30},
        {34, "Indian Time, IST, +5.3", -5, -30},
        {35, "Int'l Date Line East,IDLE,+12.0", -12, 0},
        {36, "Int'l Date Line West,IDLW,-12.0", 12, 0},
        {46, "New Zealand Std Summer Time,NZST,+13.0", -13, 0},
        {50, "Newfoundland Standard Time,NST,-3.5", 3, 30},
        {61, "Universal Time, UT, 0.0", 0, 0},
        {70, "Yukon War Time,YWT,-8.0", 8, 0},
    };
    for (const Case& c : cases) {
        const auto e = resolveZone(c.pos);
        ASSERT_TRUE(e.has_value()) << c.pos;
        EXPECT_STREQ(e->text, c.text);
        EXPECT_EQ(e->hours, c.hours) << c.pos;
        EXPECT_EQ(e->minutes, c.minutes) << c.pos;
    }
    EXPECT_STREQ(zoneEntry(kDefaultZonePosition).text, "Greenwich Mean Time,GMT,0.0");
}

TEST(ZoneTable, TextsAreUniqueAndEightHaveBlanksAfterCommas)
{
    int blankAfterComma = 0;
    for (int pos = 0; pos < kZoneCount; ++pos) {
        const std::string text = zoneEntry(pos).text;
        blankAfterComma += text.find(", ") != std::string::npos;
        for (int other = pos + 1; other < kZoneCount; ++other)
            EXPECT_NE(text, zoneEntry(other).text);
    }
    EXPECT_EQ(blankAfterComma, 8);
}

TEST(ZoneTable, OutsideTheListResolvesToNothing)
{
    EXPECT_FALSE(resolveZone(-1).has_value());
    EXPECT_FALSE(resolveZone(kZoneCount).has_value());
    EXPECT_FALSE(resolveZone(1000).has_value());
}

} // namespace
