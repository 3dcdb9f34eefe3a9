// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zenthra {

// Folds a name for matching: compatibility decomposition with the combining
// marks dropped, case folding, a few letters that do not decompose spelled out
// (ß ss, ø o, æ ae, ł l, ...), apostrophes dropped, and every other run of
// non-letters and non-digits made one blank, trimmed. "São Paulo" and
// "sao  paulo" both give "sao paulo"; "Saint-Étienne" gives "saint etienne".
QString foldPlaceName(const QString& text);

} // namespace zenthra
