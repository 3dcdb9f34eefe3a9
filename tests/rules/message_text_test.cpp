// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/csv.h"
#include "rules/message_text.h"
#include "rules/whole_number.h"

#include <gtest/gtest.h>

#include <string>

using namespace zenthra;

namespace {

std::string repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

} // namespace

// Code points and their UTF-8 bytes from the Unicode standard (chapter 3,
// table 3-7; the bidirectional controls from UAX #9).
TEST(MessageText, InputIsQuotedShortAndHarmless)
{
    const std::string e64(64, 'e');
    const std::string eAcute = "\xC3\xA9"; // U+00E9, two bytes
    struct Case {
        std::string input;
        std::string shown;
    };
    const Case cases[] = {
        {"Pune", "'Pune'"},
        {"a\nb\r\tc", "'a\\nb\\r\\tc'"},
        {"\x1B[2J\x7F", "'\\x1B[2J\\x7F'"},
        {std::string("1980\0x", 6), "'1980\\x00x'"},
        {"\xC2\x85", "'\\u0085'"}, // NEL, a C1 control
        {"ab\xE2\x80\xAE"
         "cd",
         "'ab\\u202Ecd'"},
        {"\xE2\x80\x8E\xE2\x80\x8F\xE2\x81\xA6\xE2\x81\xA9\xD8\x9C",
         "'\\u200E\\u200F\\u2066\\u2069\\u061C'"},
        {"\xE2\x80\x8B", "'\xE2\x80\x8B'"}, // a zero-width space is no control
        {"\xFF\xC3(\xED\xA0\x80", "'\\xFF\\xC3(\\xED\\xA0\\x80'"}, // not UTF-8, a surrogate
        {e64, "'" + e64 + "'"},
        {e64 + "f", "'" + e64 + "...'"},
        // Cut by characters, never inside one.
        {repeat(eAcute, 65), "'" + repeat(eAcute, 64) + "...'"},
        {repeat("\xE2", 100000), "'" + repeat("\\xE2", 64) + "...'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shown(c.input), c.shown) << c.shown;
}

TEST(WholeNumber, AnythingAfterTheNumberMakesItNone)
{
    struct Case {
        std::string text;
        const char* why;
        int value;
    };
    const Case cases[] = {
        {" 1980 ", nullptr, 1980},
        {"+7", nullptr, 7},
        {"-12", nullptr, -12},
        {std::string("1980\0junk", 9), kNotWhole, 0},
        {"1980x", kNotWhole, 0},
        {"19 80", kNotWhole, 0},
        {"", kNotWhole, 0},
        {"+", kNotWhole, 0},
        {"+-1", kNotWhole, 0},
        {"1e3", kNotWhole, 0},
        {"99999999999", kOutOfRange, 0},
    };
    for (const Case& c : cases) {
        int value = 0;
        EXPECT_EQ(readWhole(c.text, value), c.why) << c.text;
        if (!c.why) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(CsvHeader, ColumnsAreFoundOnceOrRefused)
{
    const std::vector<std::string_view> header = {"year", " name ", "city", "name"};
    EXPECT_EQ(findCsvColumn(header, "year").index, 0u);
    EXPECT_FALSE(findCsvColumn(header, "year").twice);
    EXPECT_TRUE(findCsvColumn(header, "name").twice);
    EXPECT_EQ(findCsvColumn(header, "zone").index, CsvColumn::kAbsent);
    EXPECT_EQ(csvColumnTwice("name"), "the header has the column 'name' twice");
}
