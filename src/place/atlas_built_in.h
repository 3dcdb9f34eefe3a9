// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace zenthra {

// The compiled atlas built into the program, not copied.
QByteArray builtInAtlasIndex();

} // namespace zenthra
