// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The twelve profile rows as the program's description gives them, typed here
// on their own so that a slip in the program's tables shows up as a failure.
// Long texts are known only by their length in characters and their opening.

namespace zenthra::testdata {

struct LongText {
    int length;
    const char* opening;
};

struct ExpectedSign {
    const char* code;
    const char* name;
    const char* rulingPlanet;
    const char* symbol;
    const char* element;
    const char* signColor;
    const char* typeOfSign;
    const char* luckyDays;
    const char* luckyNumbers;
    const char* luckyDirection;
    const char* luckyColors;
    const char* luckyGemstone;
    LongText nature;
    LongText looks;
    LongText health;
    LongText love;
    LongText career;
    const char* pictureFile;
};

inline constexpr ExpectedSign kExpectedSigns[12] = {
    {"Ari", "Aries", "Mars", "The Ram", "Fire", "Red, Brown, Copper", "Movable",
     "Monday, Tuesday", "9, 1", "East", "Red, Brown, Copper", "Coral",
     {883, "You are very independent and dynamic."},
     {185, "You may be slim and of medium complexion."},
     {122, "You may be prone to blood circulation problems, head related illnesses and BP issues."},
     {210, "You are a romantic to the core by nature."},
     {175, "You are ambitious by nature."}, "aries.jpg"},
    {"Tau", "Taurus", "Venus", "The Bull", "Earth", "White", "Fixed",
     "Thursday, Friday", "2, 8", "South", "Pink, Green", "Diamond",
     {685, "You have a powerful and commanding personality."},
     {191, "You are attractive and beautiful."},
     {84, "You may not enjoy good health all the time."},
     {140, "You may not express your emotions but you are still a romantic at heart."},
     {282, "You love spending on luxurious things."}, "taurus.jpg"},
    {"Gem", "Gemini", "Mercury", "The Twins", "Air", "Green", "Mixed",
     "Monday, Wednesday", "3, 7", "West", "Yellow, Purple, Blue", "Emerald",
     {652, "You have an analytical mind."},
     {127, "You are tall slim and good looking."},
     {108, "You may have some problems of the sexual nature."},
     {216, "You are blessed with a long life."},
     {227, "You will do very well in jobs that need interaction with people."}, "gemini.jpg"},
    {"Can", "Cancer", "Moon", "The Crab", "Water", "Pink", "Movable",
     "Monday, Thursday", "2, 7, 9", "North", "White, Red, Yellow", "Pearl",
     {619, "You are a patient person and very emotional."},
     {136, "You have a medium stature and may be a bit stout."},
     {166, "You may have stress and mental illnesses because of your highly emotional"},
     {220, "Parents will mean a lot to you."},
     {186, "You have an artistic bent of mind."}, "cancer.jpg"},
    {"Leo", "Leo", "Sun", "The Lion", "Fire", "White", "Fixed",
     "Sunday, Monday", "1, 4, 5, 9", "East", "Orange, Red, Green", "Ruby",
     {716, "You are a leader and can never take orders."},
     {137, "You are tall  and have broad squarely built shoulders."},
     {124, "Heart problems may occur."},
     {321, "You love living life king size."},
     {215, "You can do well in professions that need you to be in the limelight."}, "leo.jpg"},
    {"Vir", "Virgo", "Mercury", "The Virgin", "Earth", "Multicolored", "Mixed",
     "Wednesday, Friday", "2, 3, 5, 6", "South", "Green", "Emerald",
     {855, "You are practical and polished."},
     {131, "You are tall and slim with sharp features."},
     {81, "Your intestine and liver may give you some problems."},
     {148, "You are not romantic at all."},
     {126, "You are skilled in music and dance."}, "virgo.jpg"},
    {"Lib", "Libra", "Venus", "The Balance", "Air", "Black", "Movable",
     "Friday, Wednesday, Thursday", "1, 2, 4", "West", "White, Green, Yellow", "Diamond",
     {769, "Justice means everything to you."},
     {150, "You are tall and thin."},
     {96, "1. Kidney and liver are your weak parts."},
     {184, "Being peaceful and loving by nature, you have good love life."},
     {156, "You could make a career of the artistic kind."}, "libra.jpg"},
    {"Sco", "Scorpio", "Mars", "The Scorpion", "Water", "Reddish Brown", "Fixed",
     "Monday, Tuesday, Thursday", "3, 7, 9", "North", "Brown, Red, Yellow, White", "Coral",
     {812, "Mysterious is the first word that comes to mind about this moon sign."},
     {103, "You have broad body shape."},
     {110, "You may have problems from piles and colic."},
     {282, "1.    Your possessive nature may create problems in life."},
     {257, "You may come in possession of sudden legacies and gifts."}, "scorpio.jpg"},
    {"Sag", "Sagittarius", "Jupiter", "The Archer", "Fire", "Yellowish brown", "Mixed",
     "Sunday, Thursday", "3, 5, 6, 8", "East", "Yellow, Gray, Brown", "Yellow Sapphire",
     {515, "You are very optimistic and spontaneous by nature."},
     {167, "You may be medium to tall and well built."},
     {156, "Your body gives out too much heat, which may create a few problems."},
     {297, "You may have some problem dealing with other people."},
     {240, "You always yearn to learn more in life."}, "sagittarius.jpg"},
    {"Cap", "Capricorn", "Saturn", "The Crocodile", "Earth", "Multicolored", "Movable",
     "Saturday, Wednesday", "6, 8, 9", "South", "Black, Blue", "Blue Sapphire",
     {726, "You want to achieve a lot in life."},
     {107, "You have beautiful eyes."},
     {93, "You may be prone to gout and blood related problems."},
     {326, ": Domestic life will have its share of problems mainly because of"},
     {167, "Material wealth means a lot to you."}, "capricorn.jpg"},
    {"Aqu", "Aquarius", "Saturn", "The Water Carrier", "Air", "Deep Brown", "Fixed",
     "Thursday, Friday, Saturday", "2, 3, 7, 9", "West", "Blue, Black", "Blue Sapphire",
     {629, "1. You are a thinker, philosopher and an idealist."},
     {221, "You have a fair complexion."},
     {155, "Your legs and eyes may be weak."},
     {177, "You are influenced more by your friends than your relatives."},
     {195, "You will do very well in public related jobs and businesses."}, "aquarius.jpg"},
    {"Pis", "Pisces", "Jupiter", "The Double Fish", "Water", "Blue", "Mixed",
     "Thursday, Monday, Tuesday", "1, 3, 4", "North", "Pink, Cream", "Yellow Sapphire",
     {699, "You are very creative and soft by nature."},
     {154, "You have the perfect body with the right nose, eyes and mouth."},
     {131, "Common cold will be your constant companion."},
     {293, "Your children will be very fortunate to be born to you."},
     {231, "You are artistically inclined."}, "pisces.jpg"},
};

} // namespace zenthra::testdata
