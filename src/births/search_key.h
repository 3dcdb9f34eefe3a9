// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "births/birth.h"

#include <QString>

namespace zenthra {

// The text the store searches: name and place folded as place names are
// ("Zoë Ødegård" → "zoe odegard"), one field a line, so that no search
// matches across two of them.
QString searchKey(const Birth& b);

} // namespace zenthra
