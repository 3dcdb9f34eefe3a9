// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/csv.h"
#include "rules/message_text.h"
#include "rules/whole_number.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace zenthra;

// UTF-8 bytes from the Unicode standard, table 3-7; bidi controls from UAX #9.
TEST(MessageText, InputIsQuotedShortAndHarmless)
{
    const std::string e64(64, 'e'), eAcute = "\xC3\xA9"; // U+00E9, two bytes
    const auto repeat = [](const std::string& s, int n) {
        std::string out;
        while (n-- > 0)
            out += s;
        return out;
    };
    const std::pair<std::string, std::string> cases[] = {
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
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(shown(input), expected) << expected;
}

TEST(WholeNumber, AnythingAfterTheNumberMakesItNone)
{
    for (const auto& [text, value] : {std::pair{" 1980 ", 1980}, {"+7", 7}, {"-12", -12}}) {
        int read = 0;
        EXPECT_EQ(readWhole(text, read), nullptr) << text;
        EXPECT_EQ(read, value) << text;
    }
    int unused = 0;
    for (const std::string& text :
         {std::string("1980\0junk", 9), std::string("1980x"), std::string("19 80"), std::string(),
          std::string("+"), std::string("+-1"), std::string("1e3")})
        EXPECT_EQ(readWhole(text, unused), kNotWhole) << text;
    EXPECT_EQ(readWhole("99999999999", unused), kOutOfRange);
}

TEST(CsvHeader, ColumnsAreFoundOnceOrRefused)
{
    const std::vector<std::string_view> header = {"year", " name ", "city", "name"};
    EXPECT_EQ(findCsvColumn(header, "year").index, 0u);
    EXPECT_FALSE(findCsvColumn(header, "year").twice);
    EXPECT_TRUE(findCsvColumn(header, "name").twice);
    EXPECT_EQ(findCsvColumn(header, "zone").index, CsvColumn::kAbsent);
}
