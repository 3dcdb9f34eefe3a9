// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// What a computed chart can tell beyond its sign: the universal time it was
// made for, and how close the birth time lies to a change of rising sign.
namespace zenthra {

inline constexpr const char* kMonthNames[12] = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// "14 August 1947, 18:30 UT": the universal date and time of the chart last
// computed into chartState().
std::string universalTimeText();

struct SignChange {
    int minutes;      // how far from the birth time: negative earlier, positive later
    std::string code; // the sign rising then
};

// Runs the engine at clock times up to window minutes before and after the
// birth time in chartState(), minute by minute outwards, and returns the
// nearest time at which another sign rises (earlier wins a tie). The chart
// state is left exactly as it was.
std::optional<SignChange> nearestSignChange(int window = 10);

} // namespace zenthra
