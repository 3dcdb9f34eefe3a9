// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace zenthra {

// Verdana, which the windows are drawn for; it is rarely installed off
// Windows, so DejaVu Sans, of similar proportions, stands in. A size of 0
// keeps the platform's default size.
QFont programFont(double points = 0, bool bold = false);

} // namespace zenthra
