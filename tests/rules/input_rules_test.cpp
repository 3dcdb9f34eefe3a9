// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/input_rules.h"

#include <gtest/gtest.h>

#include <string>

using namespace zenthra;

namespace {

TEST(ToInt16, Conversions)
{
    struct Case {
        const char* text;
        std::optional<std::int16_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"7", 7},
        {"007", 7},
        {"  42  ", 42},
        {"-5", -5},
        {"+5", 5},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"0.5", 0},
        {"1.5", 2},
        {"12.4", 12},
        {".5", 0},
        {"5.", 5},
        {"32767", 32767},
        {"-32768", -32768},
        {"32767.4", 32767},
        {"32767.5", std::nullopt},
        {"32768", std::nullopt},
        {"-32769", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"12abc", std::nullopt},
        {"abc", std::nullopt},
        {"1e3", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1,000", std::nullopt},
        {"1 2", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"\t5", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toInt16(c.text), c.value) << '"' << c.text << '"';
    // Too large or too small for a double: no number, never 0.
    for (const std::string& text :
         {"1" + std::string(400, '0'), "0." + std::string(400, '0') + "1"})
        EXPECT_FALSE(parseNumber(text).has_value()) << text.size();
}

TEST(Calendar, GregorianLeapYears)
{
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_FALSE(isLeapYear(1901));
    EXPECT_TRUE(isLeapYear(1904));
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(2001, 4), 30);
    EXPECT_EQ(daysInMonth(2001, 12), 31);
    EXPECT_EQ(daysInMonth(2001, 13), 0);
}

BirthInputs valid()
{
    BirthInputs in;
    in.name = "ADA";
    in.lonDeg = "77";
    in.lonMin = "13";
    in.latDeg = "28";
    in.latMin = "40";
    in.year = 1947;
    in.monthIndex = 7;
    in.dayIndex = 14;
    return in;
}

TEST(Validation, AcceptsAValidBirth)
{
    EXPECT_FALSE(validateInputs(valid()).has_value());
}

TEST(Validation, FirstProblemWins)
{
    const std::string lonDeg = "Please Enter Value Between 0 And 179 in the Degree of Longitude";
    const std::string lonMin = "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
    const std::string latDeg = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
    const std::string latMin = "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
    struct Case {
        const char* label;
        void (*change)(BirthInputs&);
        std::string message; // empty: passes
        InputField focus;
    };
    const Case cases[] = {
        {"empty name", [](BirthInputs& in) { in.name = ""; }, "Please Enter Name",
         InputField::Name},
        {"blank name", [](BirthInputs& in) { in.name = "   "; }, "Please Enter Name",
         InputField::Name},
        {"name hides bad date",
         [](BirthInputs& in) {
             in.name = "";
             in.monthIndex = 1;
             in.dayIndex = 30;
         },
         "Please Enter Name", InputField::Name},
        {"lon 179", [](BirthInputs& in) { in.lonDeg = "179"; }, "", InputField::None},
        {"lon 180", [](BirthInputs& in) { in.lonDeg = "180"; }, lonDeg, InputField::LonDeg},
        {"lon 0", [](BirthInputs& in) { in.lonDeg = "0"; }, "", InputField::None},
        {"lon 007", [](BirthInputs& in) { in.lonDeg = "007"; }, "", InputField::None},
        {"lon empty", [](BirthInputs& in) { in.lonDeg = ""; }, lonDeg, InputField::LonDeg},
        {"lon not a number", [](BirthInputs& in) { in.lonDeg = "12ab"; }, lonDeg,
         InputField::LonDeg},
        {"lon min 59", [](BirthInputs& in) { in.lonMin = "59"; }, "", InputField::None},
        {"lon min 60", [](BirthInputs& in) { in.lonMin = "60"; }, lonMin, InputField::LonMin},
        {"lon min text", [](BirthInputs& in) { in.lonMin = "x"; }, lonMin, InputField::LonMin},
        {"lat 89", [](BirthInputs& in) { in.latDeg = "89"; }, "", InputField::None},
        {"lat 90", [](BirthInputs& in) { in.latDeg = "90"; }, latDeg, InputField::LatDeg},
        {"lat min 60", [](BirthInputs& in) { in.latMin = "60"; }, latMin, InputField::LatMin},
        {"lat min 0", [](BirthInputs& in) { in.latMin = "0"; }, "", InputField::None},
        {"all coordinates empty",
         [](BirthInputs& in) { in.lonDeg = in.lonMin = in.latDeg = in.latMin = ""; }, lonDeg,
         InputField::LonDeg},
        {"Feb 29 1900",
         [](BirthInputs& in) {
             in.year = 1900;
             in.monthIndex = 1;
             in.dayIndex = 28;
         },
         "Please Enter Correct Date Or Month!", InputField::None},
        {"Feb 29 1901",
         [](BirthInputs& in) {
             in.year = 1901;
             in.monthIndex = 1;
             in.dayIndex = 28;
         },
         "Please Enter Correct Date Or Month!", InputField::None},
        {"Feb 29 1904",
         [](BirthInputs& in) {
             in.year = 1904;
             in.monthIndex = 1;
             in.dayIndex = 28;
         },
         "", InputField::None},
        {"Feb 29 2000",
         [](BirthInputs& in) {
             in.year = 2000;
             in.monthIndex = 1;
             in.dayIndex = 28;
         },
         "", InputField::None},
        {"Feb 30 2000",
         [](BirthInputs& in) {
             in.year = 2000;
             in.monthIndex = 1;
             in.dayIndex = 29;
         },
         "Please Enter Correct Date Or Month!", InputField::None},
        {"Apr 31",
         [](BirthInputs& in) {
             in.monthIndex = 3;
             in.dayIndex = 30;
         },
         "Please Enter Correct Date Or Month !", InputField::None},
        {"Nov 31",
         [](BirthInputs& in) {
             in.monthIndex = 10;
             in.dayIndex = 30;
         },
         "Please Enter Correct Date Or Month !", InputField::None},
        {"Apr 30",
         [](BirthInputs& in) {
             in.monthIndex = 3;
             in.dayIndex = 29;
         },
         "", InputField::None},
        {"Jan 31",
         [](BirthInputs& in) {
             in.monthIndex = 0;
             in.dayIndex = 30;
         },
         "", InputField::None},
        {"Dec 31",
         [](BirthInputs& in) {
             in.monthIndex = 11;
             in.dayIndex = 30;
         },
         "", InputField::None},
    };
    for (const Case& c : cases) {
        BirthInputs in = valid();
        c.change(in);
        const auto problem = validateInputs(in);
        if (c.message.empty()) {
            EXPECT_FALSE(problem.has_value()) << c.label << ": " << problem->message;
            continue;
        }
        ASSERT_TRUE(problem.has_value()) << c.label;
        EXPECT_EQ(problem->message, c.message) << c.label;
        EXPECT_EQ(problem->focus, c.focus) << c.label;
        const bool dateMessage = c.message.rfind("Please Enter Correct", 0) == 0;
        EXPECT_EQ(problem->icon, dateMessage ? MessageIcon::Information : MessageIcon::Stop)
            << c.label;
    }
}

// Whatever passes validation converts cleanly, so the driver never falls back
// on a value from an earlier request.
TEST(Validation, PassingTextsConvert)
{
    const char* texts[] = {"0", "7", "007", "59", " 12 ", "12.4", "89"};
    for (const char* t : texts) {
        BirthInputs in = valid();
        in.latDeg = in.latMin = in.lonDeg = in.lonMin = t;
        if (!validateInputs(in)) {
            EXPECT_TRUE(toInt16(t).has_value()) << t;
        }
    }
}

} // namespace
