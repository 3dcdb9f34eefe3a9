// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zenthra {

// The title every window and message box carries.
inline constexpr const char* kProgramTitle = "Zenthra v1.35";

} // namespace zenthra
