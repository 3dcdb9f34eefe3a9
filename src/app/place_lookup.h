// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "place/atlas.h"

#include <QString>

#include <optional>

namespace zenthra {

class FrmMain;

// "Pune Maharashtra India Latitude longitude ": the three boxes as typed,
// untrimmed, for a web search.
QString placeSearchText(const QString& city, const QString& state, const QString& country);

// The atlas place the three boxes name exactly (the city by any of its names,
// state and country when filled in by name or code), the best of several;
// nothing when the atlas knows no such town.
std::optional<Place> atlasPlaceFor(const QString& city, const QString& state,
                                   const QString& country);

// The place lookup button: fills the place from the atlas when it knows the
// town (see atlasPlaceFor); otherwise asks for whichever of city, state and country is
// empty (a box of blanks counts as filled), else hands the search text and
// the home page's address to a fresh web-search component.
void lookUpPlace(FrmMain& main);

} // namespace zenthra
