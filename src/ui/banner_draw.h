// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class QRandomGenerator;

namespace zenthra {

// Which of the two promotional labels of the main window goes on top.
enum class BannerFront { CoBrand, FullBrand, Unchanged };

// r in [0, 1): r * 6 + 1 in single precision, rounded half to even, so 1..7.
// The rounding makes 1 and 7 half as likely as 2..6.
std::int16_t bannerDraw(float r);

// 1, 3, 5: co-brand; 2, 4, 6: full brand; 7 (and anything else): unchanged.
BannerFront bannerFront(int draw);

// The next random number in [0, 1), with 24 bits like a float's mantissa, so
// it is exact as a float and never rounds up to 1.
float nextUnitFloat(QRandomGenerator& generator);

// A generator seeded from the clock, different on each start.
QRandomGenerator clockSeededGenerator();

} // namespace zenthra
