// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// What runCalc hands a command line to, besides the batch.
namespace zenthra::calc {

// One chart, or with --day the rising signs of a whole date.
int runOne(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// The saved births: --list, --person, --export-births, --import-births, --store.
bool isStoreOption(const std::string& arg);
int runStore(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

} // namespace zenthra::calc
