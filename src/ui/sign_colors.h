// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

namespace zenthra {

// Light tints of each sign's element (fire, earth, air, water) to fill its
// area, and dark inks for text on them, at least 4.5:1 apart.
QColor signFillColor(int sign);
QColor signInkColor(int sign);

// The sign's glyph, U+2648 to U+2653, asking for the text presentation.
QString signGlyph(int sign);

} // namespace zenthra
