// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/chart_inputs.h"

#include <string>
#include <vector>

// The saved births, as the program keeps them, for zenthra-calc. An empty
// store path means the program's own file in the user's data folder.
namespace zenthra::calc {

struct StoreReply {
    int status = 0;                    // the exit status
    std::vector<std::string> lines;    // for standard output
    std::vector<std::string> messages; // for standard error
    std::string data;                  // bytes for standard output as they stand (an export)
};

// False when this build has no store (it needs Qt).
bool birthStoreAvailable();

// One line a birth, by name then date: name, date, clock time, place.
StoreReply listBirths(const std::string& storePath);

// The births as CSV, into data when file is empty.
StoreReply exportBirths(const std::string& storePath, const std::string& file);

// Adds or updates the births of a CSV file; says how many of each, and
// which lines were left out.
StoreReply importBirths(const std::string& storePath, const std::string& file);

struct PersonReply : StoreReply {
    ChartInputs request;
    std::string zoneText; // set when the chart takes the place's exact offset
};

// The saved birth with exactly this name, ready to compute; its lines name
// the person and the place. Status 2 when no birth or more than one has the
// name, 1 when the store or the birth cannot be read.
PersonReply findPerson(const std::string& storePath, const std::string& name);

} // namespace zenthra::calc
