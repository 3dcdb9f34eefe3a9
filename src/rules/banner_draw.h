// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zenthra {

// Which of the two promotional labels of the main window goes on top.
enum class BannerFront { CoBrand, FullBrand, Unchanged };

// r in [0, 1): r * 6 + 1 in single precision, rounded half to even, so 1..7.
// The rounding makes 1 and 7 half as likely as 2..6.
std::int16_t bannerDraw(float r);

// 1, 3, 5: co-brand; 2, 4, 6: full brand; 7 (and anything else): unchanged.
BannerFront bannerFront(int draw);

// A number in [0, 1) from 32 random bits: the top 24, like a float's
// mantissa, so it is exact as a float and never rounds up to 1.
float unitFloat(std::uint32_t bits);

} // namespace zenthra
