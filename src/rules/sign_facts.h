// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace zenthra {

inline constexpr int kSignCount = 12;

// The short facts of one sign, exactly as they are shown.
struct SignFacts {
    std::string_view code; // "Ari" .. "Pis", from the engine's kSignCodes
    const char* name;
    const char* rulingPlanet;
    const char* symbol;
    const char* element;
    const char* signColor;
    const char* typeOfSign;
    const char* luckyDays;
    const char* luckyNumbers;
    const char* luckyDirection;
    const char* luckyColors;
    const char* luckyGemstone;
    const char* pictureFile; // "aries.jpg" .. "pisces.jpg"
};

// index 0 (Aries) .. 11 (Pisces)
const SignFacts& signFacts(int index);
// Exact, case-sensitive match in zodiac order; -1 when no sign has the code.
int signIndexOfCode(std::string_view code);

// Where an ecliptic longitude lies: the sign (0 Aries .. 11 Pisces) and the
// whole degrees and minutes within it, truncated like every position the
// program shows. Any finite longitude, reduced to [0, 360).
struct SignPosition {
    int sign = 0;
    int degrees = 0;
    int minutes = 0;
};
SignPosition signPositionOf(double longitude);

} // namespace zenthra
