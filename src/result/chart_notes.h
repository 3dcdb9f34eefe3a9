// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_report.h"

#include <string>

namespace zenthra {

// "Ascendant 0° 53' 36\" Gemini": the long position text with the sign's name
// in place of its code.
std::string ascendantLine(const std::string& longText);

// "for 14 August 1947, 18:30 UT"
std::string universalTimeLine(const std::string& universalTime);

// "Near the cusp: born 4 minutes earlier, the rising sign would be Taurus."
std::string cuspNote(const SignChange& change);

} // namespace zenthra
