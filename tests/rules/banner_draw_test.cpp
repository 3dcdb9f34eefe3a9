// SPDX-License-Identifier: GPL-3.0-or-later
// The banner draw: r * 6 + 1 in single precision, rounded half to even.
#include "rules/banner_draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

using namespace zenthra;

namespace {

TEST(BannerDraw, Boundaries)
{
    // Worked by hand in single precision: 1/12 times 6 rounds to exactly
    // 0.5, so 1.5, a tie that goes to the even 2; the last r that gives 1
    // lies three floats below 1/12.
    const struct {
        const char* name;
        float r;
        int draw;
    } rows[] = {
        {"0", 0.0f, 1},
        {"last 1", 0x1.55555p-4f, 1},
        {"first 2", 0x1.555552p-4f, 2},
        {"1/12", 1.0f / 12.0f, 2},
        {"0.25: 2.5 to even", 0.25f, 2},
        {"just above 0.25", 0x1.000002p-2f, 3},
        {"0.5: 4 exactly", 0.5f, 4},
        {"just below 0.75", 0x1.7ffffep-1f, 5},
        {"0.75: 5.5 to even", 0.75f, 6},
        {"last 6", 0x1.d55556p-1f, 6},
        {"first 7", 0x1.d55558p-1f, 7},
        {"just below 1", 0x1.fffffep-1f, 7},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(int(bannerDraw(row.r)), row.draw);
        // Odd draws below 7 bring the co-brand label to the front, even ones
        // the full-brand label; 7 changes nothing.
        EXPECT_EQ(bannerFront(row.draw), row.draw == 7       ? BannerFront::Unchanged
                                         : row.draw % 2 == 1 ? BannerFront::CoBrand
                                                             : BannerFront::FullBrand);
    }
    EXPECT_EQ(bannerFront(0), BannerFront::Unchanged); // no draw yet
}

TEST(BannerDraw, Distribution)
{
    // Every value the generator can give, once each: 1/12 for draws 1 and
    // 7, 2/12 for the others, but for the float grid's rounding.
    constexpr std::uint32_t kValues = 1u << 24;
    std::array<std::uint32_t, 8> count{};
    for (std::uint32_t k = 0; k < kValues; ++k)
        ++count[static_cast<std::size_t>(bannerDraw(static_cast<float>(k) / 16777216.0f))];
    EXPECT_EQ(count[0], 0u);
    for (int draw = 1; draw <= 7; ++draw) {
        const double expected = (draw == 1 || draw == 7 ? 1 : 2) * (kValues / 12.0);
        EXPECT_LE(std::abs(count[std::size_t(draw)] - expected), 4) << "draw " << draw;
    }
}

TEST(BannerDraw, UnitFloatFromRandomBits)
{
    // Exactly those values, below 1, over the whole range.
    EXPECT_EQ(unitFloat(0), 0.0f);
    EXPECT_EQ(unitFloat(0xFFFFFFFFu), 0x1.fffffep-1f);
    std::mt19937 generator(7u);
    float lowest = 1, highest = 0;
    for (int i = 0; i < 100000; ++i) {
        const float r = unitFloat(static_cast<std::uint32_t>(generator()));
        ASSERT_TRUE(r >= 0.0f && r < 1.0f) << r;
        ASSERT_EQ(std::ldexp(r, 24), std::floor(std::ldexp(r, 24)));
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_TRUE(lowest < 0.001f && highest > 0.999f);
}

} // namespace
