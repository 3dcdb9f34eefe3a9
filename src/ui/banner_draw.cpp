// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/banner_draw.h"

#include <QDateTime>
#include <QRandomGenerator>

#include <chrono>
#include <cmath>

namespace zenthra {

std::int16_t bannerDraw(float r)
{
    // Two float operations, each rounded to single precision (no contraction:
    // the target is built with -ffp-contract=off); then halves go to even.
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

float nextUnitFloat(QRandomGenerator& generator)
{
    constexpr float kTwoToMinus24 = 1.0f / 16777216.0f;
    return static_cast<float>(generator.generate() >> 8) * kTwoToMinus24;
}

QRandomGenerator clockSeededGenerator()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    const quint64 mixed = static_cast<quint64>(ticks) ^ (static_cast<quint64>(ms) << 20);
    return QRandomGenerator(static_cast<quint32>(mixed ^ (mixed >> 32)));
}

} // namespace zenthra
