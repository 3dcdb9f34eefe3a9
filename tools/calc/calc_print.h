// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/day_bands.h"
#include "rules/chart_inputs.h"

#include <cstdio>
#include <string>
#include <vector>

// What zenthra-calc prints of charts and days.
namespace zenthra::calc {

// Fixed point with six and four decimals: "141.501234", "141.5012".
void appendFixed6(std::string& out, double v);
void appendFixed4(std::string& out, double v);

// The zone list, one "NN  text" line an entry.
int printZones(std::FILE* out);

// "28:40N 77:13E": the latitude and longitude of the inputs.
std::string coordinatesText(const ChartInputs& r);

// "Zone:           34  Indian Time, IST, +5.3", or with an exact offset
// exactZoneText (the offset itself when that is empty).
std::string zoneLine(const ChartInputs& r, const std::string& exactZoneText);

// One chart of inputs that passed checkChartInputs, after the lines that say
// where its values came from.
void printChart(const ChartInputs& r, const std::vector<std::string>& leadLines,
                const std::string& exactZoneText, std::FILE* out);

// The rising signs of the request's whole date, band by band. zoneAt, when
// set, gives the zone at each clock minute.
void printDay(const ChartInputs& r, const ZoneAtMinute& zoneAt, bool csv, std::FILE* out);

} // namespace zenthra::calc
