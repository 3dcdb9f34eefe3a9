// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/sign_facts.h"

#include <cstring>

namespace zenthra {
namespace {

constexpr SignFacts kSigns[] = {
    {"Ari", "Aries", "Mars", "The Ram", "Fire", "Red, Brown, Copper", "Movable",
     "Monday, Tuesday", "9, 1", "East", "Red, Brown, Copper", "Coral", "aries.jpg"},
    {"Tau", "Taurus", "Venus", "The Bull", "Earth", "White", "Fixed",
     "Thursday, Friday", "2, 8", "South", "Pink, Green", "Diamond", "taurus.jpg"},
    {"Gem", "Gemini", "Mercury", "The Twins", "Air", "Green", "Mixed",
     "Monday, Wednesday", "3, 7", "West", "Yellow, Purple, Blue", "Emerald", "gemini.jpg"},
    {"Can", "Cancer", "Moon", "The Crab", "Water", "Pink", "Movable",
     "Monday, Thursday", "2, 7, 9", "North", "White, Red, Yellow", "Pearl", "cancer.jpg"},
    {"Leo", "Leo", "Sun", "The Lion", "Fire", "White", "Fixed",
     "Sunday, Monday", "1, 4, 5, 9", "East", "Orange, Red, Green", "Ruby", "leo.jpg"},
    {"Vir", "Virgo", "Mercury", "The Virgin", "Earth", "Multicolored", "Mixed",
     "Wednesday, Friday", "2, 3, 5, 6", "South", "Green", "Emerald", "virgo.jpg"},
    {"Lib", "Libra", "Venus", "The Balance", "Air", "Black", "Movable",
     "Friday, Wednesday, Thursday", "1, 2, 4", "West", "White, Green, Yellow", "Diamond", "libra.jpg"},
    {"Sco", "Scorpio", "Mars", "The Scorpion", "Water", "Reddish Brown", "Fixed",
     "Monday, Tuesday, Thursday", "3, 7, 9", "North", "Brown, Red, Yellow, White", "Coral", "scorpio.jpg"},
    {"Sag", "Sagittarius", "Jupiter", "The Archer", "Fire", "Yellowish brown", "Mixed",
     "Sunday, Thursday", "3, 5, 6, 8", "East", "Yellow, Gray, Brown", "Yellow Sapphire", "sagittarius.jpg"},
    {"Cap", "Capricorn", "Saturn", "The Crocodile", "Earth", "Multicolored", "Movable",
     "Saturday, Wednesday", "6, 8, 9", "South", "Black, Blue", "Blue Sapphire", "capricorn.jpg"},
    {"Aqu", "Aquarius", "Saturn", "The Water Carrier", "Air", "Deep Brown", "Fixed",
     "Thursday, Friday, Saturday", "2, 3, 7, 9", "West", "Blue, Black", "Blue Sapphire", "aquarius.jpg"},
    {"Pis", "Pisces", "Jupiter", "The Double Fish", "Water", "Blue", "Mixed",
     "Thursday, Monday, Tuesday", "1, 3, 4", "North", "Pink, Cream", "Yellow Sapphire", "pisces.jpg"},
};
static_assert(sizeof kSigns / sizeof kSigns[0] == kSignCount, "one row per sign");

} // namespace

const SignFacts& signFacts(int index) { return kSigns[index]; }

int signIndexOfCode(std::string_view code)
{
    for (int k = 0; k < kSignCount; ++k)
        if (code == kSigns[k].code)
            return k;
    return -1;
}

} // namespace zenthra
