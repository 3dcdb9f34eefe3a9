// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/banner_draw.h"

#include <cmath>

namespace zenthra {

std::int16_t bannerDraw(float r)
{
    // Two float operations, each rounded to single precision (no contraction:
    // the file is built with -ffp-contract=off); then halves go to even.
    const float scaled = r * 6.0f;
    const float shifted = scaled + 1.0f;
    return static_cast<std::int16_t>(std::nearbyint(shifted));
}

BannerFront bannerFront(int draw)
{
    switch (draw) {
    case 1:
    case 3:
    case 5:
        return BannerFront::CoBrand;
    case 2:
    case 4:
    case 6:
        return BannerFront::FullBrand;
    default:
        return BannerFront::Unchanged;
    }
}

float unitFloat(std::uint32_t bits)
{
    constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;
    return static_cast<float>(bits >> 8) * kTwoToMinus24;
}

} // namespace zenthra
