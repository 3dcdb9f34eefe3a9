// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zenthra {

class FrmMain;

// "Pune Maharashtra India Latitude longitude ": the three boxes as typed,
// untrimmed, for a web search.
QString placeSearchText(const QString& city, const QString& state, const QString& country);

// The place lookup button: asks for whichever of city, state and country is
// empty (a box of blanks counts as filled), else hands the search text and
// the home page's address to a fresh web-search component.
void lookUpPlace(FrmMain& main);

} // namespace zenthra
