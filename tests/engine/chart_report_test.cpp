// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_fixture.h"

#include "engine/chart_report.h"

#include <gtest/gtest.h>

#include <string>

using namespace zenthra;
using zenthra::test::Birth;
using zenthra::test::chartFor;

namespace {

TEST(UniversalTime, WorkedRows)
{
    struct Case {
        Birth birth;
        UniversalMoment moment;
    };
    const Case cases[] = {
        {{2000, 1, 1, 12, 0, 0, 0, 0, 0, false, 0, 0, false, false}, {2000, 1, 1, 12 * 60}},
        {{1900, 1, 1, 0, 0, 0, 0, 0, 0, false, 0, 0, false, false}, {1900, 1, 1, 0}},
        {{1976, 7, 4, 12, 0, 5, 0, 74, 0, false, 40, 43, false, true}, {1976, 7, 4, 16 * 60}},
        {{1985, 3, 21, 6, 30, -10, 0, 151, 12, true, 33, 52, true, false},
         {1985, 3, 20, 20 * 60 + 30}},
        {{1947, 8, 15, 0, 0, -5, -30, 77, 13, true, 28, 40, false, false},
         {1947, 8, 14, 18 * 60 + 30}},
        {{2050, 12, 31, 23, 59, 12, 0, 170, 0, false, 10, 0, false, false},
         {2051, 1, 1, 11 * 60 + 59}},
        {{1900, 3, 1, 0, 15, -1, 0, 10, 0, true, 50, 0, false, false}, {1900, 2, 28, 23 * 60 + 15}},
    };
    for (const Case& c : cases) {
        const auto moment = universalMoment(chartFor(c.birth));
        ASSERT_TRUE(moment.has_value()) << c.birth.year;
        EXPECT_EQ(moment->year, c.moment.year);
        EXPECT_EQ(moment->month, c.moment.month);
        EXPECT_EQ(moment->day, c.moment.day);
        EXPECT_EQ(moment->minuteOfDay, c.moment.minuteOfDay) << c.birth.year;
    }
}

std::string codeAt(Birth b, int minuteOfDay)
{
    b.hour = minuteOfDay / 60;
    b.minute = minuteOfDay % 60;
    return chartFor(b).arrPositionText[10].substr(3, 3);
}

// The note must name the nearest change: no shift closer to the birth (either
// way) gives another sign, and the reported one does.
void expectNearest(const Birth& b, const std::optional<SignChange>& change, int window)
{
    const std::string own = codeAt(b, b.hour * 60 + b.minute);
    const int limit = change ? std::abs(change->minutes) : window + 1;
    for (int k = 1; k < limit; ++k) {
        EXPECT_EQ(codeAt(b, b.hour * 60 + b.minute - k), own) << "-" << k;
        EXPECT_EQ(codeAt(b, b.hour * 60 + b.minute + k), own) << "+" << k;
    }
    if (change) {
        EXPECT_EQ(codeAt(b, b.hour * 60 + b.minute + change->minutes), change->code);
        EXPECT_NE(change->code, own);
    }
}

TEST(SignChange, DelhiIsFourMinutesAfterTaurus)
{
    const auto change = nearestSignChange(
        chartFor({1947, 8, 15, 0, 0, -5, -30, 77, 13, true, 28, 40, false, false}));
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(change->minutes, -4);
    EXPECT_EQ(change->code, "Tau");
}

TEST(SignChange, JustInsideAnEdgeEitherWay)
{
    const Birth base{2000, 1, 1, 0, 0, 0, 0, 0, 0, false, 0, 0, false, false};
    // Find the minute at which the sign changes between 10:00 and 14:00.
    int change = -1;
    for (int m = 600; m < 840 && change < 0; ++m)
        if (codeAt(base, m) != codeAt(base, m - 1))
            change = m;
    ASSERT_GT(change, 0);
    const std::string before = codeAt(base, change - 1);
    const std::string after = codeAt(base, change);

    Birth early = base;
    early.hour = (change - 3) / 60;
    early.minute = (change - 3) % 60;
    auto note = nearestSignChange(chartFor(early));
    ASSERT_TRUE(note.has_value());
    EXPECT_EQ(note->minutes, 3);
    EXPECT_EQ(note->code, after);

    Birth late = base;
    late.hour = (change + 2) / 60;
    late.minute = (change + 2) % 60;
    note = nearestSignChange(chartFor(late));
    ASSERT_TRUE(note.has_value());
    EXPECT_EQ(note->minutes, -3);
    EXPECT_EQ(note->code, before);
}

TEST(SignChange, NothingComputedYetSaysNothing)
{
    EXPECT_FALSE(nearestSignChange(ChartState{}).has_value());
}

TEST(SignChange, FarFromAnEdgeSaysNothing)
{
    // 2000-01-01 noon at the equator: 11° 22' Aries, far from both edges at
    // about four minutes of time per degree.
    const Birth b{2000, 1, 1, 12, 0, 0, 0, 0, 0, false, 0, 0, false, false};
    EXPECT_FALSE(nearestSignChange(chartFor(b)).has_value());
    expectNearest(b, std::nullopt, 10);
}

TEST(SignChange, HighLatitudesAndMidnight)
{
    // Above the polar circle the ascendant races through some signs; around
    // midnight the shifted times cross into the neighbouring day.
    const Birth births[] = {
        {1990, 12, 21, 0, 3, -1, 0, 18, 57, true, 69, 39, false, false},
        {1990, 6, 21, 23, 58, -1, 0, 18, 57, true, 69, 39, false, true},
        {2020, 3, 1, 11, 30, 3, 0, 52, 0, false, 78, 13, true, false},
        {1950, 9, 10, 7, 45, 0, 0, 0, 0, false, 89, 59, false, false},
    };
    int notes = 0;
    for (const Birth& b : births) {
        for (int m = -40; m <= 40; m += 9) {
            Birth shifted = b;
            shifted.minute = b.minute + m; // the engine carries minutes into the day
            const auto change = nearestSignChange(chartFor(shifted));
            notes += change.has_value();
            expectNearest(shifted, change, 10);
        }
    }
    EXPECT_GT(notes, 0);
}

} // namespace
