// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/sign_facts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace zenthra;

namespace {

TEST(SignFacts, CodesInZodiacOrderMatchTheEngine)
{
    const std::string codes = "AriTauGemCanLeoVirLibScoSagCapAquPis";
    for (int k = 0; k < kSignCount; ++k) {
        EXPECT_EQ(signFacts(k).code, codes.substr(3 * k, 3));
        EXPECT_EQ(signIndexOfCode(codes.substr(3 * k, 3)), k);
    }
}

TEST(SignFacts, LookupIsExact)
{
    EXPECT_EQ(signIndexOfCode("leo"), -1);
    EXPECT_EQ(signIndexOfCode(""), -1);
    EXPECT_EQ(signIndexOfCode("Leo "), -1);
    EXPECT_EQ(signIndexOfCode("Le"), -1);
}

TEST(SignFacts, RowsAsShown)
{
    const SignFacts& aries = signFacts(0);
    EXPECT_STREQ(aries.signColor, "Red, Brown, Copper");
    EXPECT_STREQ(aries.luckyColors, "Red, Brown, Copper");
    EXPECT_STREQ(signFacts(4).name, "Leo");
    EXPECT_STREQ(signFacts(8).signColor, "Yellowish brown");
    EXPECT_STREQ(signFacts(9).symbol, "The Crocodile");
    EXPECT_STREQ(signFacts(10).symbol, "The Water Carrier");
    EXPECT_STREQ(signFacts(6).luckyDays, "Friday, Wednesday, Thursday");
    EXPECT_STREQ(signFacts(11).pictureFile, "pisces.jpg");

    std::multiset<std::string> types, gems;
    for (int k = 0; k < kSignCount; ++k) {
        types.insert(signFacts(k).typeOfSign);
        gems.insert(signFacts(k).luckyGemstone);
    }
    EXPECT_EQ(types.count("Movable"), 4u);
    EXPECT_EQ(types.count("Fixed"), 4u);
    EXPECT_EQ(types.count("Mixed"), 4u);
    EXPECT_EQ(gems.count("Pearl"), 1u);
    EXPECT_EQ(gems.count("Ruby"), 1u);
    EXPECT_EQ(gems.count("Blue Sapphire"), 2u);
}

} // namespace

#include "rules/chart_notes.h"

#include <cmath>

namespace {

TEST(ChartNotes, Texts)
{
    EXPECT_EQ(zenthra::ascendantLine("0\u00B0 53' 36\" Gem"), "Ascendant 0\u00B0 53' 36\" Gemini");
    EXPECT_EQ(zenthra::ascendantLine("29\u00B0 2' 8\" Vir"), "Ascendant 29\u00B0 2' 8\" Virgo");
    EXPECT_EQ(zenthra::universalTimeLine("14 August 1947, 18:30 UT"),
              "for 14 August 1947, 18:30 UT");
    EXPECT_EQ(zenthra::cuspNote({-4, "Tau"}),
              "Near the cusp: born 4 minutes earlier, the rising sign would be Taurus.");
    EXPECT_EQ(zenthra::cuspNote({1, "Pis"}),
              "Near the cusp: born 1 minute later, the rising sign would be Pisces.");
}

TEST(ChartNotes, BigThree)
{
    // Meeus's worked Sun (199.906060°) and Moon (133.167265°) as a chart.
    EXPECT_EQ(
        zenthra::bigThreeLine({199.906060, 133.167265}, "Gem"),
        "Sun in Libra 19\u00B0 54\u2032 \u00B7 Moon in Leo 13\u00B0 10\u2032 \u00B7 Gemini rising");
    struct Case {
        double longitude;
        const char* text;
    };
    const Case cases[] = {
        {29.99999, "Aries 29\u00B0 59\u2032"},   {30, "Taurus 0\u00B0 0\u2032"},
        {359.99999, "Pisces 29\u00B0 59\u2032"}, {360, "Aries 0\u00B0 0\u2032"},
        {-0.5, "Pisces 29\u00B0 30\u2032"},      {std::nan(""), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zenthra::signPositionText(c.longitude), c.text) << c.longitude;
}

} // namespace
