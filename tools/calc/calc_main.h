// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"
#include "rules/csv.h"

#include <cstdio>
#include <string>
#include <vector>

namespace zenthra::calc {

// The whole command line program, with its streams passed in so that tests
// can drive it. Returns the exit status: 0 all computed, 1 some input had an
// error or the output could not be written, 2 usage error.
int runCalc(const std::vector<std::string>& args, std::FILE* in, std::FILE* out, std::FILE* err);

// The status of a run that wrote to out, once out is flushed: a write that
// failed on the way or now (a full disk) is reported on err and the status
// is at least 1.
int checkedOutput(std::FILE* out, std::FILE* err, int status);

// Batch mode alone: CSV rows on in, one result row per input row on out.
// Smaller limits than the defaults let a fuzzer reach them.
// With bigThree, each row also gets the Sun's and the Moon's longitudes and
// signs; in a sidereal zodiac, every longitude is sidereal and the row ends
// with the ayanamsa.
int runCsv(std::FILE* in, std::FILE* out, std::FILE* err, const CsvLimits& limits = {},
           bool bigThree = false, Zodiac zodiac = Zodiac::Tropical);

} // namespace zenthra::calc
