// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zenthra {

class FrmDisplay;
class SignImageList;

// Writes profile row 1 (Aries) .. 12 (Pisces) into the result window: the
// sign's name, the five texts, the ten other facts and the picture, in that
// order. Nothing is cleared first and nothing else is touched. A row outside
// 1..12 changes nothing and gives false.
bool fillDisplay(FrmDisplay& form, int row, const SignImageList& images);

} // namespace zenthra
