// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <optional>

namespace zenthra {

class FrmMain;
class SingleCopy;

// Name, version, desktop identity and icon of the running program.
void describeApplication();

struct Startup {
    FrmMain* window = nullptr;               // shown; nullptr when another copy runs
    std::int16_t intCoBrandRandomNumber = 0; // the banner draw, 1..7; 0 when refused
};

// The start-up steps: refuse a second copy (message, then the shutdown
// routine; when no lock can be made, say why and go on), seed the random
// generator (from the clock unless a seed is given), draw the promotional
// label, open the saved births (filling in the most recent) and show the
// main window; once it is up, a store that cannot be read is reported with
// the choice of going on without saving or quitting, and a damaged store
// that was moved aside is named.
Startup startProgram(SingleCopy& singleCopy, std::optional<quint32> seed = std::nullopt);

// Start-up, the event loop and the end: the whole of main() after the
// application object exists. Returns the process's exit code.
int runProgram();

} // namespace zenthra
