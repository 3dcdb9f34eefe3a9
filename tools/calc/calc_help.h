// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zenthra::calc {

// The usage lines, printed after a usage error and before the help.
extern const char* const kUsage;
// The rest of --help; the manual page is made from both by help2man.
extern const char* const kHelp;

} // namespace zenthra::calc
