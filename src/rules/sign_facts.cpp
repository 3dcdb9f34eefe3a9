// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/sign_facts.h"

#include "engine/western_planet_position.h"

#include <cmath>

namespace zenthra {
namespace {

// The sign's three letters in the engine's list of codes.
constexpr std::string_view codeAt(int k)
{
    return std::string_view(kSignCodes).substr(static_cast<std::size_t>(3 * k), 3);
}

constexpr SignFacts kSigns[] = {
    {codeAt(0), "Aries", "Mars", "The Ram", "Fire", "Red, Brown, Copper", "Movable",
     "Monday, Tuesday", "9, 1", "East", "Red, Brown, Copper", "Coral", "aries.jpg"},
    {codeAt(1), "Taurus", "Venus", "The Bull", "Earth", "White", "Fixed", "Thursday, Friday",
     "2, 8", "South", "Pink, Green", "Diamond", "taurus.jpg"},
    {codeAt(2), "Gemini", "Mercury", "The Twins", "Air", "Green", "Mixed", "Monday, Wednesday",
     "3, 7", "West", "Yellow, Purple, Blue", "Emerald", "gemini.jpg"},
    {codeAt(3), "Cancer", "Moon", "The Crab", "Water", "Pink", "Movable", "Monday, Thursday",
     "2, 7, 9", "North", "White, Red, Yellow", "Pearl", "cancer.jpg"},
    {codeAt(4), "Leo", "Sun", "The Lion", "Fire", "White", "Fixed", "Sunday, Monday", "1, 4, 5, 9",
     "East", "Orange, Red, Green", "Ruby", "leo.jpg"},
    {codeAt(5), "Virgo", "Mercury", "The Virgin", "Earth", "Multicolored", "Mixed",
     "Wednesday, Friday", "2, 3, 5, 6", "South", "Green", "Emerald", "virgo.jpg"},
    {codeAt(6), "Libra", "Venus", "The Balance", "Air", "Black", "Movable",
     "Friday, Wednesday, Thursday", "1, 2, 4", "West", "White, Green, Yellow", "Diamond",
     "libra.jpg"},
    {codeAt(7), "Scorpio", "Mars", "The Scorpion", "Water", "Reddish Brown", "Fixed",
     "Monday, Tuesday, Thursday", "3, 7, 9", "North", "Brown, Red, Yellow, White", "Coral",
     "scorpio.jpg"},
    {codeAt(8), "Sagittarius", "Jupiter", "The Archer", "Fire", "Yellowish brown", "Mixed",
     "Sunday, Thursday", "3, 5, 6, 8", "East", "Yellow, Gray, Brown", "Yellow Sapphire",
     "sagittarius.jpg"},
    {codeAt(9), "Capricorn", "Saturn", "The Crocodile", "Earth", "Multicolored", "Movable",
     "Saturday, Wednesday", "6, 8, 9", "South", "Black, Blue", "Blue Sapphire", "capricorn.jpg"},
    {codeAt(10), "Aquarius", "Saturn", "The Water Carrier", "Air", "Deep Brown", "Fixed",
     "Thursday, Friday, Saturday", "2, 3, 7, 9", "West", "Blue, Black", "Blue Sapphire",
     "aquarius.jpg"},
    {codeAt(11), "Pisces", "Jupiter", "The Double Fish", "Water", "Blue", "Mixed",
     "Thursday, Monday, Tuesday", "1, 3, 4", "North", "Pink, Cream", "Yellow Sapphire",
     "pisces.jpg"},
};
static_assert(sizeof kSigns / sizeof kSigns[0] == kSignCount, "one row per sign");

} // namespace

const SignFacts& signFacts(int index)
{
    return kSigns[index];
}

int signIndexOfCode(std::string_view code)
{
    for (int k = 0; k < kSignCount; ++k)
        if (code == kSigns[k].code)
            return k;
    return -1;
}

SignPosition signPositionOf(double longitude)
{
    if (!std::isfinite(longitude))
        return {};
    double l = std::fmod(longitude, 360.0);
    if (l < 0)
        l += 360;
    const int whole = static_cast<int>(std::floor(l));
    const int minutes = static_cast<int>(std::floor((l - whole) * 60));
    return {(whole / 30) % kSignCount, whole % 30, minutes};
}

} // namespace zenthra
