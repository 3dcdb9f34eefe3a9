// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"

#include <optional>
#include <string>

// What a computed chart can tell beyond its sign: the universal time it was
// made for, and how close the birth time lies to a change of rising sign.
namespace zenthra {

// A civil date and the minute of that day, in universal time.
struct UniversalMoment {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;
    int minuteOfDay = 0; // 0..1439
};

// The universal date and time of a computed chart, to the nearest minute; the
// day follows when the universal hours run past either end of the civil
// day. Nothing for a chart whose date cannot be read back.
std::optional<UniversalMoment> universalMoment(const ChartState& chart);

struct SignChange {
    int minutes;      // how far from the birth time: negative earlier, positive later
    std::string code; // the sign rising then
};

// Runs the engine at clock times up to window minutes before and after the
// birth time of a computed chart, minute by minute outwards, and returns the
// nearest time at which another sign rises (earlier wins a tie).
std::optional<SignChange> nearestSignChange(const ChartState& chart, int window = 10);

} // namespace zenthra
