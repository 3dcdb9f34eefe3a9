// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_fixture.h"

#include "engine/day_bands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace zenthra;
using zenthra::test::Birth;
using zenthra::test::chartFor;

namespace {

std::string codeAt(Birth b, int minuteOfDay)
{
    b.hour = minuteOfDay / 60;
    b.minute = minuteOfDay % 60;
    return chartFor(b).arrPositionText[10].substr(3, 3);
}

int signIndex(const std::string& code)
{
    return static_cast<int>(std::string_view(kSignCodes).find(code)) / 3;
}

// Bands cover the day without gaps or overlaps, and every boundary lies where
// a single chart for the minute before and the minute itself disagree.
void expectMatchesEngine(const Birth& b, const std::vector<RisingBand>& bands)
{
    ASSERT_FALSE(bands.empty());
    EXPECT_EQ(bands.front().fromMinute, 0);
    EXPECT_EQ(bands.back().toMinute, kMinutesPerDay);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const RisingBand& band = bands[i];
        EXPECT_LT(band.fromMinute, band.toMinute);
        EXPECT_EQ(codeAt(b, band.fromMinute), band.code) << band.fromMinute;
        EXPECT_EQ(codeAt(b, band.toMinute - 1), band.code) << band.toMinute - 1;
        if (i + 1 < bands.size()) {
            EXPECT_EQ(band.toMinute, bands[i + 1].fromMinute);
            EXPECT_NE(band.code, bands[i + 1].code);
        }
    }
}

TEST(DayBands, WorkedBirthsAgreeWithTheEngineMinuteByMinute)
{
    // The places and dates of the worked births (Greenwich, New York, Sydney,
    // Delhi), every band in zodiac order as at any middle latitude.
    const Birth births[] = {
        {2000, 1, 1, 12, 0, 0, 0, 0, 0, false, 0, 0, false, false},
        {1976, 7, 4, 12, 0, 5, 0, 74, 0, false, 40, 43, false, true},
        {1985, 3, 21, 6, 30, -10, 0, 151, 12, true, 33, 52, true, false},
        {1947, 8, 15, 0, 0, -5, -30, 77, 13, true, 28, 40, false, false},
    };
    for (const Birth& b : births) {
        SCOPED_TRACE(b.year);
        const std::vector<RisingBand> bands = dayBands(chartFor(b));
        expectMatchesEngine(b, bands);
        EXPECT_GE(bands.size(), 13u); // a part sign at each end of the day
        for (std::size_t i = 1; i < bands.size(); ++i)
            EXPECT_EQ(signIndex(bands[i].code), (signIndex(bands[i - 1].code) + 1) % 12);
    }
}

TEST(DayBands, FarNorthSignsFlashPast)
{
    // 69° 39' N (Tromsø) around midsummer: every sign touches the eastern
    // horizon, Gemini only with its first degree, and the bands still follow
    // the engine exactly.
    const Birth b{1990, 6, 21, 12, 0, -1, 0, 18, 57, true, 69, 39, false, false};
    const std::vector<RisingBand> bands = dayBands(chartFor(b));
    expectMatchesEngine(b, bands);
    std::set<std::string> seen;
    for (const RisingBand& band : bands)
        seen.insert(band.code);
    EXPECT_EQ(seen.size(), 12u);
}

TEST(DayBands, At78NorthTheEasternPoint)
{
    // At 78° 13' N only longitudes within 30.9 degrees of the equinoxes
    // rise. The eastern point runs from Leo on to Scorpio, and from Taurus
    // back to Aquarius; it passes to the opposite point twice a day. The
    // formula's point ran from Scorpio back to Leo and never rose in Taurus.
    const Birth b{2000, 3, 20, 12, 0, 0, 0, 15, 39, true, 78, 13, false, false};
    const std::vector<RisingBand> bands = dayBands(chartFor(b));
    expectMatchesEngine(b, bands);
    std::set<std::string> seen{bands[0].code};
    int passes = 0;
    for (std::size_t i = 1; i < bands.size(); ++i) {
        seen.insert(bands[i].code);
        const int step = (signIndex(bands[i].code) - signIndex(bands[i - 1].code) + 12) % 12;
        EXPECT_TRUE(step == 1 || step == 11 || step == 6) << bands[i].fromMinute;
        passes += step == 6;
    }
    EXPECT_EQ(passes, 2);
    EXPECT_EQ(seen,
              (std::set<std::string>{"Aqu", "Pis", "Ari", "Tau", "Leo", "Vir", "Lib", "Sco"}));
}

TEST(DayBands, SkippedClockHourIsAGap)
{
    // Clocks forward at 02:00 to 03:00 local time, one hour west of Greenwich.
    const Birth b{1985, 3, 31, 12, 0, -1, 0, 13, 24, true, 52, 31, false, false};
    const std::vector<RisingBand> bands =
        dayBands(chartFor(b), [](int minute) -> std::optional<ClockZone> {
            if (minute >= 120 && minute < 180)
                return std::nullopt;
            return ClockZone{-1, 0, minute >= 180};
        });
    const std::optional<std::size_t> gap = bandAt(bands, 150);
    ASSERT_TRUE(gap);
    EXPECT_EQ(bands[*gap].code, "");
    EXPECT_EQ(bands[*gap].fromMinute, 120);
    EXPECT_EQ(bands[*gap].toMinute, 180);
    // After the change the clock reads one hour ahead: 03:00 summer time is
    // 02:00 standard time, so the sign rising then matches the fixed zone's.
    Birth summer = b;
    summer.dst = true;
    EXPECT_EQ(bands[*bandAt(bands, 200)].code, codeAt(summer, 200));
    EXPECT_EQ(bands.back().toMinute, kMinutesPerDay);
}

TEST(DayBands, NoBandPastTheEnd)
{
    EXPECT_FALSE(bandAt({{"Ari", 0, 10}}, 10));
}

} // namespace
