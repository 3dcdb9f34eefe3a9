// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace zenthra {

// The program's icon (a sun rising inside the zodiac ring), in every size the
// desktop asks for: window icons, the about window, the task bar.
QIcon applicationIcon();

} // namespace zenthra
