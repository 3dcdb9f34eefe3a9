// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "births/birth.h"

// Delhi, 15 August 1947, 00:00 Indian time, as the main window takes a birth:
// a Gemini ascendant.
inline zenthra::Birth delhi1947()
{
    zenthra::Birth b;
    b.year = 1947;
    b.month = 8;
    b.day = 15;
    b.lonDeg = 77;
    b.lonMin = 13;
    b.latDeg = 28;
    b.latMin = 40;
    b.zonePosition = 34; // "Indian Time, IST, +5.3"
    return b;
}
