// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/sign_facts.h"

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
