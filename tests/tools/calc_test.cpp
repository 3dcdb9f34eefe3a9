// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calc_args.h"
#include "calc/calc_main.h"
#include "calc/place_option.h"
#include "calc/store_option.h"
#include "rules/csv.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace zenthra;
using namespace zenthra::calc;

namespace {

struct CalcRun {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(std::FILE* f)
{
    std::rewind(f);
    std::string s;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        s.append(buf, n);
    std::fclose(f);
    return s;
}

CalcRun run(const std::vector<std::string>& args, const std::string& input = {})
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    const int status = runCalc(args, in, out, err);
    std::fclose(in);
    return {status, slurp(out), slurp(err)};
}

const std::string kHeader =
    "year,month,day,hour,minute,zone,lon_deg,lon_min,lon_dir,lat_deg,lat_min,lat_dir,dst\n";

std::vector<std::string> lines(const std::string& s)
{
    std::vector<std::string> out;
    std::istringstream is(s);
    for (std::string l; std::getline(is, l);)
        out.push_back(l);
    return out;
}

TEST(CalcCsv, WorkedRows)
{
    const CalcRun r = run({"--csv"}, kHeader + "2000,1,1,12,0,29,0,0,W,0,0,N,0\n"
                                               "2000,1,1,12,0,29,0,0,W,51,30,N,0\n"
                                               "1900,1,1,0,0,29,0,0,W,0,0,N,0\n"
                                               "1976,7,4,12,0,27,74,0,W,40,43,N,1\n"
                                               "1985,3,21,6,30,8,151,12,E,33,52,S,0\n"
                                               "1947,8,15,0,0,34,77,13,E,28,40,N,0\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "ascendant,long_text,short_text,sign,error\n"
                     "11.378149,\"11\u00B0 22' 41\"\" Ari\",11 Ari 22,Ari,\n"
                     "24.297922,\"24\u00B0 17' 52\"\" Ari\",24 Ari 17,Ari,\n"
                     "191.079042,\"11\u00B0 4' 44\"\" Lib\",11 Lib 04,Lib,\n"
                     "179.035654,\"29\u00B0 2' 8\"\" Vir\",29 Vir 02,Vir,\n"
                     "5.920373,\"5\u00B0 55' 13\"\" Ari\",05 Ari 55,Ari,\n"
                     "60.893562,\"0\u00B0 53' 36\"\" Gem\",00 Gem 53,Gem,\n");
    EXPECT_TRUE(r.err.empty());
}

TEST(CalcCsv, BadRowsAreReportedAndTheRestComputed)
{
    const CalcRun r = run({"--csv"}, kHeader + "2000,1,1,12,0,29,0,0,W,0,0,N,0\n"   // line 2
                                               "2000,1,1,12,0,29,0,0,W,95,0,N,0\n"  // 3
                                               "1901,2,29,12,0,29,0,0,W,0,0,N,0\n"  // 4
                                               "1900,2,29,12,0,29,0,0,W,0,0,N,0\n"  // 5
                                               "2000,1,1,12,0,71,0,0,W,0,0,N,0\n"   // 6
                                               "2000,1,1,12,0,29,0,0,X,0,0,N,0\n"   // 7
                                               "2000,1,1,1x,0,29,0,0,W,0,0,N,0\n"   // 8
                                               "2000,1,1,12,0,29,0,0,W,0,0,N\n"     // 9
                                               "2000,1,1,12,0,29,0,0,W,0,0,N,2\n"   // 10
                                               "1899,12,31,12,0,29,0,0,W,0,0,N,0\n" // 11
                                               "2000,1,1,24,0,29,180,0,W,0,0,N,0\n" // 12
                                               "2000,1,1,12,60,29,0,0,W,0,0,N,0\n"  // 13
                                               "2000,1,1,12,0,29,0,0,W,0,0,N,0\n"); // 14
    EXPECT_EQ(r.status, 1);
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 14u);
    EXPECT_EQ(out[1], "11.378149,\"11\u00B0 22' 41\"\" Ari\",11 Ari 22,Ari,");
    EXPECT_EQ(out[2], ",,,,line 3: lat_deg 95 is outside 0-89");
    EXPECT_EQ(out[3], ",,,,line 4: day 29 is outside 1-28");
    EXPECT_EQ(out[4], ",,,,line 5: day 29 is outside 1-28");
    EXPECT_EQ(out[5], ",,,,line 6: zone 71 is outside 0-70");
    EXPECT_EQ(out[6], ",,,,line 7: lon_dir 'X' is not E or W");
    EXPECT_EQ(out[7], ",,,,line 8: hour '1x' is not a whole number");
    EXPECT_EQ(out[8], ",,,,line 9: expected 13 fields but found 12");
    EXPECT_EQ(out[9], ",,,,line 10: dst 2 is not 0 or 1");
    EXPECT_EQ(out[10], ",,,,line 11: year 1899 is outside 1900-2050");
    EXPECT_EQ(out[11], ",,,,line 12: hour 24 is outside 0-23");
    EXPECT_EQ(out[12], ",,,,line 13: minute 60 is outside 0-59");
    EXPECT_EQ(out[13], out[1]);
}

TEST(CalcCsv, Rfc4180Details)
{
    // Columns in another order, quoted fields, CRLF line ends, a quoted line
    // break (which moves later line numbers), a blank line and no final newline.
    const std::string input = "dst,lat_dir,lat_min,lat_deg,lon_dir,lon_min,lon_deg,zone,minute,"
                              "hour,day,month,year,note\r\n"
                              "0,\"N\",0,0,W,0,0,29,0,12,1,1,2000,\"a, b\"\r\n"
                              "0,N,0,0,W,0,0,29,0,12,1,1,2000,\"two\nlines\"\r\n"
                              "\r\n"
                              "0,N,0,99,W,0,0,29,0,12,1,1,2000,\"say \"\"hi\"\"\"";
    const CalcRun r = run({"--csv"}, input);
    EXPECT_EQ(r.status, 1);
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 4u) << r.out;
    EXPECT_EQ(out[1], "11.378149,\"11\u00B0 22' 41\"\" Ari\",11 Ari 22,Ari,");
    EXPECT_EQ(out[2], out[1]);
    EXPECT_EQ(out[3], ",,,,line 6: lat_deg 99 is outside 0-89");
}

TEST(CalcCsv, UnclosedQuoteIsAnError)
{
    const CalcRun r = run({"--csv"}, kHeader + "2000,1,1,12,0,29,0,0,W,0,0,N,\"0\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.out).back(), ",,,,line 2: a quoted field is not closed");
}

TEST(CalcCsv, OverlongRecordKeepsMemoryBounded)
{
    // A quote that is never closed swallows the rest of the input as one record.
    std::string input = kHeader + "2000,1,1,12,0,29,0,0,W,0,0,N,\"";
    input.append(CsvReader::kMaxRecord + 10, 'x');
    const CalcRun r = run({"--csv"}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.out).back(), ",,,,line 2: the record is longer than 1048576 bytes");
}

TEST(CalcCsv, EveryRecordGivesOneRowWhateverCameBefore)
{
    const std::string good = "2000,1,1,12,0,29,0,0,W,0,0,N,0\n";
    const std::string computed = "11.378149,\"11\u00B0 22' 41\"\" Ari\",11 Ari 22,Ari,";
    const std::string over = std::to_string(CsvReader::kMaxRecord);
    struct Case {
        std::string body; // after the header
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {std::string(1100000, 'x') + ",a\"b\n" + good + good,
         {",,,,line 2: the record is longer than " + over + " bytes", computed, computed}},
        {std::string(CsvReader::kMaxRecord + 1, ',') + "\n" + good,
         {",,,,line 2: the record is longer than " + over + " bytes", computed}},
        {"\"" + std::string(1200000, '"') + "\"\n" + good,
         {",,,,line 2: the record is longer than " + over + " bytes", computed}},
        {"\"a\n\n\n" + std::string(CsvReader::kMaxRecord, '\n') + "\"\n" + good,
         {",,,,line 2: the record is longer than " + over + " bytes", computed}},
        {std::string(5000, ',') + "\n" + good,
         {",,,,line 2: expected 13 fields but found 5001", computed}},
        {"2000,1,1,12,0,29,0,0,W,0,0,N,0\r", {computed}},
        {good + "\r\n\r", {computed}},
        {"\r\n\n" + good, {computed}},
        {"\"\"\n" + good, {",,,,line 2: expected 13 fields but found 1", computed}},
        {"2000,1,1,12,0,29,0,0,W,0,0,N,\"0\r\"\n",
         {",,,,line 2: dst '0\\r' is not a whole number"}},
        {std::string("2000,1,1,12,0,29,0,0,\0,0,0,N,0\n", 31),
         {",,,,line 2: lon_dir '\\x00' is not E or W"}},
        {std::string("2000,1,1,12,0,29,0,0,W,0,0,\0,0\n", 31),
         {",,,,line 2: lat_dir '\\x00' is not N or S"}},
        {"2000,1,1,12,0,29,0,0,w,0,0,s,0\n", {computed}},
        {std::string("2000,1,1,1\0\x1B,0,29,0,0,W,0,0,N,0\n", 32),
         {",,,,line 2: hour '1\\x00\\x1B' is not a whole number"}},
        {"2000,1,1,99999999999,0,29,0,0,W,0,0,N,0\n",
         {",,,,line 2: hour '99999999999' is out of range"}},
        {"2000,1,1,12,0,29,0,0,W,0,0,N,-99999999999\n",
         {",,,,line 2: dst '-99999999999' is out of range"}},
        {"2000,1,1,+12,0,0000000000029,0,0,W,0,0,N,0\n", {computed}},
        {"2000,1,1,+-1,0,29,0,0,W,0,0,N,0\n", {",,,,line 2: hour '+-1' is not a whole number"}},
        {"2000,1,1,x" + std::string(100, '7') + ",0,29,0,0,W,0,0,N,0\n",
         {",,,,line 2: hour 'x" + std::string(63, '7') + "...' is not a whole number"}},
    };
    for (const Case& c : cases) {
        const CalcRun r = run({"--csv"}, kHeader + c.body);
        auto out = lines(r.out);
        ASSERT_FALSE(out.empty()) << c.body.substr(0, 40);
        out.erase(out.begin());
        EXPECT_EQ(out, c.rows) << c.body.substr(0, 40);
    }
}

TEST(CalcCsv, HeaderNames)
{
    const std::string row = "2000,1,1,12,0,29,0,0,W,0,0,N,0\n";
    const CalcRun bom = run({"--csv"}, "\xEF\xBB\xBF\"year\"" + kHeader.substr(4) + row);
    EXPECT_EQ(bom.status, 0) << bom.err;
    EXPECT_EQ(lines(bom.out).size(), 2u);
    const CalcRun twice = run({"--csv"}, "zone," + kHeader + "5," + row);
    EXPECT_EQ(twice.status, 2);
    EXPECT_NE(twice.err.find("the header has the column 'zone' twice"), std::string::npos)
        << twice.err;
    EXPECT_TRUE(twice.out.empty());
}

TEST(CalcCsv, UsageErrors)
{
    EXPECT_EQ(run({"--csv"}, "").status, 2);
    const CalcRun missing = run({"--csv"}, "year,month,day\n2000,1,1\n");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("'hour'"), std::string::npos) << missing.err;
    EXPECT_TRUE(missing.out.empty());
    EXPECT_EQ(run({"--csv", "--dst"}).status, 2);
}

TEST(CalcCsv, HeaderOnlyGivesHeaderOnly)
{
    const CalcRun r = run({"--csv"}, kHeader);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "ascendant,long_text,short_text,sign,error\n");
}

TEST(CalcOne, PrintsTheChart)
{
    const CalcRun r = run({"--date", "1947-08-15", "--time", "00:00", "--zone", "34", "--lon",
                           "77:13E", "--lat=28:40N"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Universal time: 14 August 1947, 18:30 UT"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Ascendant:      60.893562"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Long text:      0\u00B0 53' 36\" Gem"), std::string::npos);
    EXPECT_NE(r.out.find("Short text:     00 Gem 53"), std::string::npos);
    EXPECT_NE(r.out.find("Sign:           Gem (Gemini)"), std::string::npos);
    EXPECT_NE(r.out.find("Ascendant 0\u00B0 53' 36\" Gemini, for 14 August 1947, 18:30 UT\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(
        r.out.find("Near the cusp: born 4 minutes earlier, the rising sign would be Taurus.\n"),
        std::string::npos)
        << r.out;
}

TEST(CalcOne, DaylightSavingAndWest)
{
    const CalcRun r = run({"--date", "1976-07-04", "--time", "12:00", "--zone", "27", "--lon",
                           "74:00W", "--lat", "40:43N", "--dst"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("4 July 1976, 16:00 UT"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("179.035654"), std::string::npos) << r.out;
    // 29° 2' Virgo: Libra rises within minutes.
    EXPECT_NE(r.out.find("the rising sign would be Libra."), std::string::npos) << r.out;
}

TEST(CalcOne, BadInput)
{
    const std::vector<std::string> base = {"--date", "2000-01-01", "--time", "12:00",
                                           "--zone", "29",         "--lon",  "0:00W"};
    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> a = base;
        a.insert(a.end(), extra.begin(), extra.end());
        return run(a);
    };
    EXPECT_EQ(run(base).status, 2) << "no latitude";
    EXPECT_EQ(with({"--lat", "91:00N"}).status, 1);
    EXPECT_NE(with({"--lat", "91:00N"}).err.find("lat_deg 91 is outside 0-89"), std::string::npos);
    EXPECT_EQ(with({"--lat", "10:00X"}).status, 2);
    EXPECT_EQ(with({"--lat", "ab:00N"}).status, 2);
    EXPECT_EQ(with({"--lat", "10:00N", "--bogus"}).status, 2);
    EXPECT_NE(with({"--lat", "10:00N", "--bogus"}).err.find("unknown option '--bogus'"),
              std::string::npos);
    EXPECT_EQ(with({"--lat"}).status, 2);
    EXPECT_EQ(with({"--lat", "10:00N", "--date", "2001-02-29"}).status, 1);
    EXPECT_EQ(with({"--lat", "10:00N"}).status, 0);
    EXPECT_EQ(run({}).status, 2);
}

TEST(CalcOne, ValuesAreReadWhollyAndShownSafely)
{
    const std::vector<std::string> base = {"--time", "12:00", "--zone", "29",
                                           "--lon",  "0:00W", "--lat",  "0:00N"};
    struct Case {
        std::vector<std::string> extra;
        int status;
        std::string err; // a part of the message
    };
    const Case cases[] = {
        {{"--date", "2000-01-01", "--dst"}, 0, ""},
        {{"--date", "2000-01-01", "--dst=0"}, 2, "--dst takes no value"},
        {{"--date", "2000-01-01", "--dst=no"}, 2, "--dst takes no value"},
        {{"--date", "4294969243-08-15"}, 1, "year '4294969243' is out of range"},
        {{"--date", "2000-01-01", "--zone", "4294967325"}, 1, "zone '4294967325' is out of range"},
        {{"--date", "2000-01-01", "--lat", "4294967296:00N"},
         1,
         "lat_deg '4294967296' is out of range"},
        {{"--date", "2000-01-01", "--time", "12:99999999999"},
         1,
         "minute '99999999999' is out of range"},
        {{"--date", "2000-01-01-01"}, 2, "--date wants YYYY-MM-DD"},
        {{"--date", "2000-01-01x"}, 2, "--date wants YYYY-MM-DD"},
        {{"--date", "2000-01-01", "--time", "12:0x"}, 2, "--time wants HH:MM"},
        {{"--date", "2000-01-01", "--lat", "10:00n"}, 0, ""},
        {{"--date", "2000-01-01", "--lat", std::string("10:00\0", 6)}, 2, "not '10:00\\x00'"},
        {{"--date", "2000-01-01", "--b\x1B[2J"}, 2, "unknown option '--b\\x1B[2J'"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = base;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CalcRun r = run(args);
        EXPECT_EQ(r.status, c.status) << c.extra[1] << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        for (const char ch : r.err)
            EXPECT_TRUE(ch == '\n' || static_cast<unsigned char>(ch) >= 0x20) << r.err;
    }
}

TEST(CalcPlace, ResolvesPlaceZoneAndDaylightSaving)
{
    if (!placeLookupAvailable())
        GTEST_SKIP() << "built without the atlas";
    const CalcRun pune = run({"--date", "1947-08-15", "--time", "00:00", "--place", "Pune, India"});
    EXPECT_EQ(pune.status, 0) << pune.err;
    EXPECT_NE(pune.out.find("Place:          Pune, Maharashtra, India\n"), std::string::npos)
        << pune.out;
    EXPECT_NE(pune.out.find("Coordinates:    18:31N 73:51E\n"), std::string::npos) << pune.out;
    EXPECT_NE(pune.out.find("Zone:           34  Indian Time, IST, +5.3\n"), std::string::npos)
        << pune.out;

    const CalcRun ny = run({"--date", "1976-07-04", "--time", "12:00", "--place", "New York"});
    EXPECT_EQ(ny.status, 0) << ny.err;
    EXPECT_NE(ny.out.find("Zone:           27  Eastern Standard Time,EST,-5.0, daylight saving\n"),
              std::string::npos)
        << ny.out;
    EXPECT_NE(ny.out.find("179.035654"), std::string::npos) << ny.out;

    // No zone entry has Kathmandu's offset: it is applied to the minute, and
    // gives what the same offset given by hand gives.
    const CalcRun ktm = run({"--date", "2000-06-01", "--time", "12:00", "--place", "Kathmandu"});
    EXPECT_EQ(ktm.status, 0) << ktm.err;
    EXPECT_NE(ktm.out.find("Zone:           Place time, UTC+05:45 (Asia/Kathmandu)\n"),
              std::string::npos)
        << ktm.out;
    EXPECT_NE(ktm.out.find("Universal time: 1 June 2000, 06:15 UT\n"), std::string::npos)
        << ktm.out;
    const CalcRun byHand = run({"--date", "2000-06-01", "--time", "12:00", "--utc-offset", "+05:45",
                                "--lon", "85:19E", "--lat", "27:42N"});
    EXPECT_EQ(ktm.out.substr(ktm.out.find("Ascendant:")),
              byHand.out.substr(byHand.out.find("Ascendant:")));
    // Before standard time: the place's own mean time, from its longitude
    // (83° 58' E: 5 h 35 min 52 s, rounded), not Kathmandu's.
    const CalcRun pokhara = run({"--date", "1910-06-01", "--time", "12:00", "--place", "Pokhara"});
    EXPECT_EQ(pokhara.status, 0) << pokhara.err;
    EXPECT_NE(pokhara.out.find("local mean time of the place, UTC+05:36"), std::string::npos)
        << pokhara.out;
    EXPECT_NE(pokhara.out.find("Universal time: 1 June 1910, 06:24 UT\n"), std::string::npos)
        << pokhara.out;

    EXPECT_EQ(run({"--date", "2000-06-01", "--time", "12:00", "--place", "Pune", "--dst"}).status,
              2);
    EXPECT_EQ(run({"--date", "2000-06-01", "--place", "Pune"}).status, 2);
    EXPECT_EQ(run({"--date", "2001-02-29", "--time", "12:00", "--place", "Pune"}).status, 1);
}

// A match that is not exact is named; nothing found names the closest spellings.
TEST(CalcPlace, SaysWhatItTookOrWhatWasMeant)
{
    if (!placeLookupAvailable())
        GTEST_SKIP() << "built without the atlas";
    struct Case {
        const char* place;
        int status;
        const char* inOut; // expected in standard output, or in the error text when status is 1
        bool noted;        // a line names the place taken for a partial match
    } const cases[] = {
        {"Bombay", 0, "Place:          Mumbai (Bombay), Maharashtra, India\n", false},
        {"Houston, TX", 0, "Place:          Houston, Texas, United States of America\n", false},
        {"Pun", 0,
         "Note:           no place matches 'Pun' exactly; took the best match, Pune, Maharashtra, "
         "India\n",
         true},
        {"Pune, Ind", 0, "Place:          Pune, Maharashtra, India\n",
         false}, // "IND", India's code
        // A control byte in the place asked for is shown, not sent to the terminal.
        {"\x1BPun", 0,
         "Note:           no place matches '\\x1BPun' exactly; took the best match, Pune", true},
        {"Springfield, Illin", 0,
         "took the best match, Springfield, Illinois, United States of America", true},
        {"Bombey", 1, "'Bombey' not found; did you mean \"Mumbai (Bombay), Maharashtra, India\"",
         false},
        {"Qqqxxzz", 1, "zenthra-calc: 'Qqqxxzz' not found\n", false},
    };
    for (const Case& c : cases) {
        const CalcRun r = run({"--date", "2000-06-01", "--time", "12:00", "--place", c.place});
        EXPECT_EQ(r.status, c.status) << c.place << r.err;
        EXPECT_NE((c.status == 0 ? r.out : r.err).find(c.inOut), std::string::npos)
            << c.place << r.out << r.err;
        EXPECT_EQ(r.out.find("Note:") != std::string::npos, c.noted) << c.place;
    }
}

// The Sun on 1947-08-14 18:30 UT: it enters Virgo (150°) on 24 August 1947
// (almanac) and moves about 0.96° a day, so it stands near 141° in Leo.
TEST(CalcOne, SunAndMoonFollowTheAscendantLines)
{
    const CalcRun r = run({"--date", "1947-08-15", "--time", "00:00", "--zone", "34", "--lon",
                           "77:13E", "--lat", "28:40N"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string tail =
        "Near the cusp: born 4 minutes earlier, the rising sign would be Taurus.\n"
        "Sun:            Leo 21\u00B0 6\u2032 (141.1108\u00B0)\n"
        "Moon:           Cancer 27\u00B0 6\u2032 (117.1056\u00B0)\n"
        "Sun in Leo 21\u00B0 6\u2032 \u00B7 Moon in Cancer 27\u00B0 6\u2032 \u00B7 Gemini rising\n";
    ASSERT_GE(r.out.size(), tail.size());
    EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail) << r.out;
}

TEST(CalcOne, UtcOffsetReplacesZoneAndDaylightSaving)
{
    const std::vector<std::string> ny = {"--date", "1976-07-04", "--time", "12:00",
                                         "--lon",  "74:00W",     "--lat",  "40:43N"};
    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> a = ny;
        a.insert(a.end(), extra.begin(), extra.end());
        return run(a);
    };
    struct Case {
        std::vector<std::string> extra;
        int status;
        std::string text; // in the output when computed, else in the error
    };
    const Case cases[] = {
        {{"--utc-offset", "-04:00"},
         0,
         "Zone:           UTC\u221204:00\nUniversal time: 4 July 1976, 16:00 UT\n"
         "Ascendant:      179.035654\n"},
        {{"--utc-offset=UTC\u221204:00"}, 0, "Ascendant:      179.035654\n"},
        {{"--utc-offset", "+14:00"}, 0, "3 July 1976, 22:00 UT"},
        {{"--utc-offset", "-4:30"}, 0, "Zone:           UTC\u221204:30\n"},
        {{"--utc-offset", "04:00"}, 2, "--utc-offset wants +HH:MM or -HH:MM"},
        {{"--utc-offset", "+14:01"}, 2, "not '+14:01'"},
        {{"--utc-offset", "-12:30"}, 2, "not '-12:30'"},
        {{"--utc-offset", "+05:60"}, 2, "not '+05:60'"},
        {{"--utc-offset", "+5"}, 2, "not '+5'"},
        {{"--utc-offset", std::string("+05:\x1B", 5)}, 2, "not '+05:\\x1B'"},
        {{"--utc-offset"}, 2, "--utc-offset needs a value"},
        {{"--utc-offset", "-04:00", "--zone", "27"},
         2,
         "--utc-offset takes the place of --zone and --dst"},
        {{"--utc-offset", "-04:00", "--dst"},
         2,
         "--utc-offset takes the place of --zone and --dst"},
    };
    for (const Case& c : cases) {
        const CalcRun r = with(c.extra);
        EXPECT_EQ(r.status, c.status) << c.extra[0] << r.err;
        EXPECT_NE((c.status == 0 ? r.out : r.err).find(c.text), std::string::npos)
            << r.out << r.err;
    }
    const CalcRun place = run({"--date", "1976-07-04", "--time", "12:00", "--place", "New York",
                               "--utc-offset", "-04:00"});
    EXPECT_EQ(place.status, 2);
}

TEST(CalcCsv, UtcOffsetColumn)
{
    const std::string ny = "179.035654,\"29\u00B0 2' 8\"\" Vir\",29 Vir 02,Vir,";
    const std::string delhi = "60.893562,\"0\u00B0 53' 36\"\" Gem\",00 Gem 53,Gem,";
    struct Case {
        std::string input;
        std::vector<std::string> rows; // after the header
    };
    const Case cases[] = {
        // Empty: zone and dst as before; set: zone and dst are not read.
        {"year,month,day,hour,minute,zone,lon_deg,lon_min,lon_dir,lat_deg,lat_min,lat_dir,dst,utc_"
         "offset\n"
         "1976,7,4,12,0,27,74,0,W,40,43,N,1,\n"
         "1976,7,4,12,0,,74,0,W,40,43,N,x,-04:00\n"
         "1976,7,4,12,0,27,74,0,W,40,43,N,1,-4\n"
         "1976,7,4,12,0,27,74,0,W,40,43,N,1,+15:00\n",
         {ny, ny,
          ",,,,line 4: utc_offset '-4' is not a UTC offset from -12:00 to +14:00 such as +05:45",
          ",,,,line 5: utc_offset '+15:00' is not a UTC offset from -12:00 to +14:00 such as "
          "+05:45"}},
        // Without zone and dst columns every row needs its offset.
        {"utc_offset,year,month,day,hour,minute,lon_deg,lon_min,lon_dir,lat_deg,lat_min,lat_dir\n"
         " +05:30 ,1947,8,15,0,0,77,13,E,28,40,N\n"
         ",1947,8,15,0,0,77,13,E,28,40,N\n",
         {delhi, ",,,,line 3: utc_offset is empty and the header has no column 'zone'"}},
    };
    for (const Case& c : cases) {
        const CalcRun r = run({"--csv"}, c.input);
        auto out = lines(r.out);
        ASSERT_FALSE(out.empty()) << r.err;
        EXPECT_EQ(out.front(), "ascendant,long_text,short_text,sign,error");
        out.erase(out.begin());
        EXPECT_EQ(out, c.rows);
    }
}

TEST(CalcCsv, BigThreeColumns)
{
    const CalcRun r =
        run({"--big-three", "--csv"}, kHeader + "1947,8,15,0,0,34,77,13,E,28,40,N,0\n"
                                                "1947,8,15,0,0,34,77,13,E,98,40,N,0\n");
    EXPECT_EQ(r.status, 1);
    // The same longitudes as the one-chart lines of this birth.
    EXPECT_EQ(r.out,
              "ascendant,long_text,short_text,sign,sun_long,moon_long,sun_sign,moon_sign,error\n"
              "60.893562,\"0\u00B0 53' 36\"\" Gem\",00 Gem 53,Gem,141.1108,117.1056,Leo,Can,\n"
              ",,,,,,,,line 3: lat_deg 98 is outside 0-89\n");
    EXPECT_EQ(run({"--csv", "--big-three", "--dst"}).status, 2);
    EXPECT_EQ(run({"--big-three"}).status, 2);
    const CalcRun one = run({"--date", "2000-01-01", "--time", "12:00", "--zone", "29", "--lon",
                             "0:00W", "--lat", "0:00N", "--big-three"});
    EXPECT_EQ(one.status, 2);
    EXPECT_NE(one.err.find("--big-three goes with --csv"), std::string::npos) << one.err;
}

// Delhi, 1947-08-15 00:00 IST, one chart and batch. References apart from
// the engine: Meeus, Astronomical Algorithms, 2nd ed. (ascendant from apparent
// sidereal time and true obliquity, ch. 12, 22; Sun, ch. 25, to 0.01°), less
// nutation and the ayanamsa, carried from its defining value (as in
// tests/engine/zodiac_test.cpp) by the IAU 1976 precession (Lieske 1977).
// The program's tropical ascendant keeps its own formula, 10″ off.
TEST(CalcZodiac, WorkedBirthInEachZodiac)
{
    const struct {
        std::string name;
        double ayanamsa, ascendant, sun;
    } rows[] = {{"", 0, 60.8909, 141.1125},
                {"lahiri", 23.125407, 37.7691, 117.9907},
                {"fagan-bradley", 24.008771, 36.8857, 117.1073},
                {"raman", 21.679418, 39.2151, 119.4367},
                {"krishnamurti", 23.028867, 37.8656, 118.0872}};
    for (const auto& z : rows) {
        const bool sidereal = !z.name.empty();
        std::vector<std::string> one = {"--date", "1947-08-15", "--time", "00:00", "--zone",
                                        "34",     "--lon",      "77:13E", "--lat", "28:40N"};
        std::vector<std::string> batch = {"--csv", "--big-three"};
        if (sidereal) {
            one.insert(one.end(), {"--sidereal", z.name});
            batch.push_back("--sidereal=" + z.name);
        }
        const std::string chart = run(one).out;
        const auto csv = lines(run(batch, kHeader + "1947,8,15,0,0,34,77,13,E,28,40,N,0\n").out);
        ASSERT_EQ(csv.size(), 2u);
        const std::vector<std::string_view> f = splitAt(csv[1], ',');
        ASSERT_EQ(f.size(), sidereal ? 10u : 9u) << csv[1];
        const std::string ayanamsa(sidereal ? f[8] : "0");
        EXPECT_EQ(csv[0].find(",moon_sign,ayanamsa,error") != std::string::npos, sidereal);
        EXPECT_NE(chart.find("Ascendant:      " + std::string(f[0]) + "\n"), std::string::npos);
        EXPECT_NE(chart.find("(" + std::string(f[4]) + "\u00B0)\nMoon:"), std::string::npos);
        EXPECT_EQ(chart.find(" (" + ayanamsa + "\u00B0)\nAscendant:") != std::string::npos,
                  sidereal);
        EXPECT_EQ(f[3], sidereal ? "Tau" : "Gem");
        EXPECT_NEAR(std::stod(std::string(f[0])), z.ascendant, sidereal ? 0.001 : 0.005) << z.name;
        EXPECT_NEAR(std::stod(std::string(f[4])), z.sun, 0.01) << z.name;
        EXPECT_NEAR(std::stod(ayanamsa), z.ayanamsa, 0.0005) << z.name;
    }
}

TEST(CalcZodiac, BadNamesAndWrongCompany)
{
    const std::string four = "wants one of lahiri, fagan-bradley, raman, krishnamurti, not ";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--date", "2000-01-01", "--sidereal", "Lahiri"}, four + "'Lahiri'"},
        {{"--csv", "--sidereal=tropical"}, four + "'tropical'"},
        {{"--person", "A", "--sidereal", "sayana"}, four + "'sayana'"},
        {{"--list", "--sidereal", "lahiri"}, "--sidereal goes with --person, not --list"},
    };
    for (const auto& [args, err] : cases) {
        const CalcRun r = run(args);
        EXPECT_EQ(r.status, 2) << err;
        EXPECT_NE(r.err.find(err), std::string::npos) << r.err;
    }
}

// The formula's point sets in the west at 78° N (tests/rules/zodiac_text_test.cpp).
TEST(CalcZodiac, PolarNoteInEitherZodiac)
{
    std::vector<std::string> args = {"--date", "2000-01-01", "--time", "12:00", "--zone",
                                     "29",     "--lon",      "0:00W",  "--lat", "78:00N"};
    for (const char* zodiac : {"--lat=78:00N", "--sidereal=lahiri"}) {
        args.emplace_back(zodiac);
        EXPECT_NE(
            run(args).out.find(
                " UT\nAbove the polar circle: the ecliptic point on the eastern horizon\nSun"),
            std::string::npos);
    }
}

struct DayRow {
    std::string sign, from, to;
};

std::vector<DayRow> dayRows(const std::string& csv)
{
    std::vector<DayRow> rows;
    auto all = lines(csv);
    EXPECT_FALSE(all.empty());
    if (!all.empty()) {
        EXPECT_EQ(all.front(), "sign,from,to");
    }
    for (std::size_t i = 1; i < all.size(); ++i) {
        const auto c1 = all[i].find(','), c2 = all[i].rfind(',');
        rows.push_back(
            {all[i].substr(0, c1), all[i].substr(c1 + 1, c2 - c1 - 1), all[i].substr(c2 + 1)});
    }
    return rows;
}

std::string minuteBefore(const std::string& hhmm)
{
    const int m = std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(3)) - 1;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d", m / 60, m % 60);
    return buf;
}

// The table covers the day, and each band's first and last minute give its
// sign in a single chart.
void expectDayAgreesWithCharts(const std::vector<std::string>& where)
{
    std::vector<std::string> args = {"--date", where[0], "--day", "--format", "csv"};
    args.insert(args.end(), where.begin() + 1, where.end());
    const CalcRun day = run(args);
    ASSERT_EQ(day.status, 0) << day.err;
    const auto rows = dayRows(day.out);
    ASSERT_GE(rows.size(), 13u);
    EXPECT_EQ(rows.front().from, "00:00");
    EXPECT_EQ(rows.back().to, "24:00");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i + 1 < rows.size()) {
            EXPECT_EQ(rows[i].to, rows[i + 1].from);
        }
        if (rows[i].sign.empty())
            continue; // clock times that did not exist
        for (const std::string& at : {rows[i].from, minuteBefore(rows[i].to)}) {
            std::vector<std::string> one = {"--date", where[0], "--time", at};
            one.insert(one.end(), where.begin() + 1, where.end());
            const CalcRun chart = run(one);
            EXPECT_NE(chart.out.find("Sign:           " + rows[i].sign + " ("), std::string::npos)
                << where[0] << ' ' << at << chart.out << chart.err;
        }
    }
}

TEST(CalcDay, BandsAgreeWithSingleChartsOnBothSidesOfEachBoundary)
{
    expectDayAgreesWithCharts({"1947-08-15", "--zone", "34", "--lon", "77:13E", "--lat", "28:40N"});
    expectDayAgreesWithCharts(
        {"1985-03-21", "--utc-offset", "+10:00", "--lon", "151:12E", "--lat", "33:52S"});
}

TEST(CalcZodiac, DayBandsAreSidereal)
{
    const std::vector<std::string> delhi = {"1947-08-15", "--zone", "34",         "--lon", "77:13E",
                                            "--lat",      "28:40N", "--sidereal", "lahiri"};
    expectDayAgreesWithCharts(delhi);
    // The worked birth's line: the table starts at its moment.
    std::vector<std::string> text = {"--day", "--date"};
    text.insert(text.end(), delhi.begin(), delhi.end());
    EXPECT_EQ(lines(run(text).out).at(1),
              "Zodiac: sidereal, Lahiri ayanamsa 23\u00B0 7\u2032 32\u2033 (23.125450\u00B0)");
}

TEST(CalcDay, TextTable)
{
    const CalcRun r = run(
        {"--day", "--date", "1947-08-15", "--zone", "34", "--lon", "77:13E", "--lat", "28:40N"});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 15u) << r.out;
    EXPECT_EQ(out[0], "Zone:           34  Indian Time, IST, +5.3");
    EXPECT_EQ(out[1], "Rising sign       From   To");
    EXPECT_EQ(out[2], "Gem  Gemini       00:00  01:57");
    EXPECT_EQ(out[8], "Sag  Sagittarius  13:28  15:45");
    EXPECT_EQ(out[14], "Gem  Gemini       23:53  24:00");
}

TEST(CalcDay, BadInput)
{
    const std::vector<std::string> base = {"--date", "1947-08-15", "--zone",
                                           "34",     "--lon",      "77:13E"};
    struct Case {
        std::vector<std::string> extra;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"--day"}, 2, "--day needs --date, --zone (or --utc-offset), --lon and --lat"},
        {{"--lat", "28:40N", "--day", "--time", "12:00"},
         2,
         "--day shows the whole date: leave out --time"},
        {{"--lat", "28:40N", "--day=yes"}, 2, "--day takes no value"},
        {{"--lat", "28:40N", "--day", "--format", "xml"},
         2,
         "--format wants text or csv, not 'xml'"},
        {{"--lat", "28:40N", "--day", "--format"}, 2, "--format needs a value"},
        {{"--lat", "28:40N", "--time", "12:00", "--format", "csv"}, 2, "--format goes with --day"},
        {{"--lat", "28:40N", "--day", "--date", "1947-02-29"}, 1, "day 29 is outside 1-28"},
        {{"--lat", "95:00N", "--day"}, 1, "lat_deg 95 is outside 0-89"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = base;
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CalcRun r = run(args);
        EXPECT_EQ(r.status, c.status) << c.err << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

TEST(CalcPlace, DayFollowsTheClockChanges)
{
    if (!placeLookupAvailable())
        GTEST_SKIP() << "built without the atlas";
    // London, 31 March 1985: clocks forward at 01:00 GMT to 02:00 BST.
    expectDayAgreesWithCharts({"1985-03-31", "--place", "London, UK"});
    const CalcRun spring =
        run({"--date", "1985-03-31", "--day", "--format", "csv", "--place", "London, UK"});
    EXPECT_NE(spring.out.find("\nSag,00:00,01:00\n,01:00,02:00\nSag,02:00,02:40\n"),
              std::string::npos)
        << spring.out;
    // 27 October 1985: 01:00 to 02:00 came twice, shown once.
    const CalcRun autumn = run({"--date", "1985-10-27", "--day", "--place", "London, UK"});
    EXPECT_EQ(autumn.status, 0) << autumn.err;
    EXPECT_NE(autumn.out.find(
                  "Place time:     London, England, United Kingdom: UTC+01:00 (Europe/London), "
                  "daylight saving\nFrom 02:00:     London, England, United Kingdom: UTC+00:00 "
                  "(Europe/London), no daylight saving\n"),
              std::string::npos)
        << autumn.out;
    expectDayAgreesWithCharts({"1985-10-27", "--place", "London, UK"});
    // Samoa skipped 30 December 2011 altogether.
    const CalcRun samoa =
        run({"--date", "2011-12-30", "--day", "--format", "csv", "--place", "Apia"});
    EXPECT_EQ(samoa.out, "sign,from,to\n,00:00,24:00\n");
    const CalcRun partial =
        run({"--date", "2000-06-01", "--day", "--format", "csv", "--place", "Pun"});
    EXPECT_NE(partial.err.find("took the best match, Pune"), std::string::npos) << partial.err;
    EXPECT_EQ(run({"--date", "2000-06-01", "--day", "--place", "Qqqxxzz"}).status, 1);
    EXPECT_EQ(run({"--date", "2000-06-01", "--day", "--place", "Pune", "--lat", "10:00N"}).status,
              2);
}

// A folder of its own for each store test, removed afterwards.
class CalcStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!birthStoreAvailable())
            GTEST_SKIP() << "built without the store of births";
        std::string pattern =
            (std::filesystem::temp_directory_path() / "calc-store-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override
    {
        if (!dir_.empty())
            std::filesystem::remove_all(dir_);
    }
    std::string path(const char* name) const
    {
        return (std::filesystem::path(dir_) / name).string();
    }
    std::string write(const char* name, const std::string& text) const
    {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    static std::string read(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string dir_;
};

// Batch columns, then the person and the place; the second birth has a
// picked place whose offset no zone entry has, the third a field out of range.
const std::string kBirths = "year,month,day,hour,minute,zone,lon_deg,lon_min,lon_dir,lat_deg,lat_"
                            "min,lat_dir,dst,name,city,country,"
                            "place_zone_id,place_offset\r\n"
                            "1947,8,15,0,0,34,77,13,E,28,40,N,0,Asha,Delhi,India,,\r\n"
                            "2000,6,1,12,0,34,85,19,E,27,42,N,0,\"Zo\u00EB \"\"Z\"\", "
                            "Jr.\",Kathmandu,Nepal,Asia/Kathmandu,20700\r\n"
                            "2000,13,1,12,0,34,85,19,E,27,42,N,0,Bad,,,,\r\n";

TEST_F(CalcStore, ImportListPersonAndRoundTrip)
{
    const std::string a = path("a.sqlite");
    const CalcRun imported = run({"--import-births", write("in.csv", kBirths), "--store", a});
    EXPECT_EQ(imported.status, 1);
    EXPECT_EQ(imported.out,
              "Imported from " + path("in.csv") + ": 2 added, 0 updated, 1 rows left out\n");
    EXPECT_EQ(imported.err, "zenthra-calc: line 4: month 13 is outside 1-12\n");

    const CalcRun list = run({"--store=" + a, "--list"});
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, "Asha          1947-08-15  00:00  Delhi, India\n"
                        "Zo\u00EB \"Z\", Jr.  2000-06-01  12:00  Kathmandu, Nepal\n");

    const CalcRun asha = run({"--person", "Asha", "--store", a});
    EXPECT_EQ(asha.status, 0) << asha.err;
    EXPECT_EQ(asha.out.find("Name:           Asha\nPlace:          Delhi, India\n"
                            "Zone:           34  Indian Time, IST, +5.3\n"),
              0u)
        << asha.out;
    EXPECT_NE(asha.out.find("Ascendant:      60.893562\n"), std::string::npos);
    // As the Lahiri row of CalcZodiac.WorkedBirthInEachZodiac.
    const CalcRun lahiri = run({"--person", "Asha", "--store", a, "--sidereal", "lahiri"});
    EXPECT_NE(lahiri.out.find("Ascendant:      37.769207\n"), std::string::npos) << lahiri.err;
    const CalcRun zoe = run({"--person", "Zo\u00EB \"Z\", Jr.", "--store", a});
    EXPECT_NE(zoe.out.find("Zone:           Place time, UTC+05:45 (Asia/Kathmandu)\n"
                           "Universal time: 1 June 2000, 06:15 UT\n"),
              std::string::npos)
        << zoe.out;

    // Export, import into an empty store, export again: the same bytes.
    EXPECT_EQ(run({"--export-births", path("a.csv"), "--store", a}).status, 0);
    const CalcRun intoEmpty = run({"--import-births", path("a.csv"), "--store", path("b.sqlite")});
    EXPECT_EQ(intoEmpty.out, "Imported from " + path("a.csv") + ": 2 added, 0 updated\n")
        << intoEmpty.err;
    const CalcRun again = run({"--store", path("b.sqlite"), "--export-births"});
    EXPECT_EQ(again.out, read(path("a.csv")));
    EXPECT_NE(again.out.find("Asha,0,Delhi,,India,unchecked,,,0,"), std::string::npos) << again.out;
    const CalcRun twice = run({"--import-births", path("a.csv"), "--store", path("b.sqlite")});
    EXPECT_EQ(twice.out, "Imported from " + path("a.csv") + ": 0 added, 2 updated\n");
}

// Every kind of saved birth gives the same ascendant through its exported
// row and the batch as by name: the export carries the offset the chart
// takes when it is not the zone entry's.
TEST_F(CalcStore, ExportIsBatchInputForEveryKindOfBirth)
{
    struct Kind {
        const char* row; // name first; sorted by name, as the export is
        const char* zone;
    };
    // Offsets of Asia/Kathmandu and Europe/Amsterdam from the IANA time zone
    // database; Pokhara's own mean time from its longitude, 83°58' E.
    const Kind kinds[] = {
        {"A entry,1947,8,15,0,0,34,77,13,E,28,40,N,0,unchecked,,,", "34  Indian Time, IST, +5.3"},
        {"B entry and daylight saving,1990,7,4,12,0,27,74,0,W,40,43,N,1,checked,America/New_York,"
         "-14400,0",
         "27  Eastern Standard Time,EST,-5.0, daylight saving"},
        {"C greyed box,1990,7,4,12,0,27,74,0,W,40,43,N,1,greyed,,,",
         "27  Eastern Standard Time,EST,-5.0, daylight saving"},
        {"D Kathmandu 1990,1990,6,1,12,0,34,85,19,E,27,42,N,0,unchecked,Asia/Kathmandu,20700,0",
         "Place time, UTC+05:45 (Asia/Kathmandu)"},
        {"E Pokhara 1910,1910,6,1,12,0,34,83,58,E,28,16,N,0,unchecked,Asia/Kathmandu,20160,0",
         "Place time, UTC+05:36 (Asia/Kathmandu)"},
        {"F Amsterdam 1930,1930,1,15,12,0,29,4,53,E,52,22,N,0,unchecked,Europe/Amsterdam,1200,0",
         "Place time, UTC+00:20 (Europe/Amsterdam)"},
        {"G zone by hand,1990,6,1,12,0,34,85,19,E,27,42,N,0,unchecked,Asia/Kathmandu,19800,1",
         "34  Indian Time, IST, +5.3"},
    };
    std::string csv = "name,year,month,day,hour,minute,zone,lon_deg,lon_min,lon_dir,lat_deg,"
                      "lat_min,lat_dir,dst,dst_box,place_zone_id,place_offset,zone_by_hand\r\n";
    for (const Kind& k : kinds)
        csv += std::string(k.row) + "\r\n";
    const std::string a = path("a.sqlite");
    ASSERT_EQ(run({"--import-births", write("in.csv", csv), "--store", a}).status, 0);
    const CalcRun exported = run({"--export-births", "--store", a});
    const std::vector<std::string> batch = lines(run({"--csv"}, exported.out).out);
    ASSERT_EQ(batch.size(), std::size(kinds) + 1) << exported.out;
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        const std::string row = kinds[i].row, name = row.substr(0, row.find(','));
        const CalcRun person = run({"--person", name, "--store", a});
        EXPECT_NE(person.out.find("Zone:           " + std::string(kinds[i].zone) + "\n"),
                  std::string::npos)
            << person.out;
        const std::size_t at = person.out.find("Ascendant:      ") + 16;
        EXPECT_EQ(batch[i + 1].substr(0, batch[i + 1].find(',')),
                  person.out.substr(at, person.out.find('\n', at) - at))
            << name;
    }
    // Imported again, the export gives the same bytes.
    run({"--import-births", write("out.csv", exported.out), "--store", path("b.sqlite")});
    EXPECT_EQ(run({"--export-births", "--store", path("b.sqlite")}).out, exported.out);
}

TEST_F(CalcStore, BadInput)
{
    const std::string a = path("a.sqlite");
    EXPECT_EQ(run({"--import-births", write("in.csv", kBirths), "--store", a}).status, 1);
    const std::string another = kBirths.substr(0, kBirths.find("1947")) +
                                "1950,1,1,12,0,34,72,50,E,18,58,N,0,Asha,Mumbai,India,,\r\n";
    EXPECT_EQ(run({"--import-births", write("more.csv", another), "--store", a}).status, 0);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"--person", "Nobody", "--store", a}, 2, "no saved birth is named 'Nobody'\n"},
        {{"--person", "Ash", "--store", a},
         2,
         "no saved birth is named 'Ash'; did you mean \"Asha\"?"},
        {{"--person", "asha", "--store", a}, 2, "no saved birth is named 'asha'"},
        {{"--person", "Asha", "--store", path("b.sqlite")}, 1, "no births file at '"},
        {{"--list", "--store", path("missing.sqlite")}, 1, "no births file at '"},
        {{"--person", "Asha\x1B[2J", "--store", a}, 2, "named 'Asha\\x1B[2J'"},
        {{"--person"}, 2, "--person needs a value"},
        {{"--person="}, 2, "--person needs a value that is not empty"},
        {{"--list=all"}, 2, "--list takes no value"},
        {{"--list", "--person", "Asha"},
         2,
         "give one of --list, --person, --export-births and --import-births"},
        {{"--list", "--dst"}, 2, "'--dst' does not go with --list"},
        {{"--person", "Asha", "--date", "2000-01-01"}, 2, "'--date' does not go with --person"},
        {{"--store", a},
         2,
         "--store goes with --list, --person, --export-births or --import-births"},
        {{"--import-births", path("none.csv"), "--store", a}, 1, "could not read '"},
        {{"--import-births", write("empty.csv", ""), "--store", a}, 1, "the file is empty"},
        {{"--import-births", write("bad.csv", "name,year\r\nX,2000\r\n"), "--store", a},
         1,
         "the header has no column 'month'"},
        {{"--export-births", path("no/such/folder/out.csv"), "--store", a}, 1, "could not write '"},
    };
    for (const Case& c : cases) {
        const CalcRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[0] << ' ' << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    // Two births of one name: neither is taken, both are named.
    const CalcRun twoAshas = run({"--person", "Asha", "--store", a});
    EXPECT_EQ(twoAshas.status, 2) << twoAshas.out;
    EXPECT_NE(twoAshas.err.find("2 saved births are named 'Asha': 1947-08-15 00:00 Delhi, India; "
                                "1950-01-01 12:00 Mumbai, India\n"),
              std::string::npos)
        << twoAshas.err;
    EXPECT_TRUE(twoAshas.out.empty());
}

TEST(CalcOther, ZonesAndHelp)
{
    const CalcRun z = run({"--zones"});
    EXPECT_EQ(z.status, 0);
    const auto zl = lines(z.out);
    ASSERT_EQ(zl.size(), 71u);
    EXPECT_EQ(zl[29], "29  Greenwich Mean Time,GMT,0.0");
    EXPECT_EQ(zl[34], "34  Indian Time, IST, +5.3");
    const CalcRun h = run({"--help"});
    EXPECT_EQ(h.status, 0);
    EXPECT_NE(h.out.find("--csv"), std::string::npos);
}

TEST(CsvField, QuotesOnlyWhenNeeded)
{
    std::string out;
    appendCsvField(out, "plain");
    out += '|';
    appendCsvField(out, "a,b");
    out += '|';
    appendCsvField(out, "say \"x\"");
    out += '|';
    appendCsvField(out, "two\nlines");
    EXPECT_EQ(out, "plain|\"a,b\"|\"say \"\"x\"\"\"|\"two\nlines\"");
}

// The zone list's entries whose text names daylight time, read off the list.
constexpr int kDaylightEntries[] = {0, 5, 7, 9, 18, 19, 24, 25, 31, 40, 43, 53, 56, 57, 68};

TEST(CalcDaylight, EntriesNamingDaylightTimeRefuseTheHourAgain)
{
    // New York, 4 July 1976, 12:00 with the box ticked, in every zone of the list.
    std::string csv = kHeader;
    for (int zone = 0; zone < 71; ++zone)
        csv += "1976,7,4,12,0," + std::to_string(zone) + ",74,0,W,40,43,N,1\n";
    const CalcRun batch = run({"--csv"}, csv);
    EXPECT_EQ(batch.status, 1);
    const auto rows = lines(batch.out);
    ASSERT_EQ(rows.size(), 72u);
    for (int zone = 0; zone < 71; ++zone) {
        const std::string z = std::to_string(zone), &row = rows[std::size_t(zone) + 1];
        if (std::find(std::begin(kDaylightEntries), std::end(kDaylightEntries), zone) ==
            std::end(kDaylightEntries)) {
            EXPECT_EQ(row.back(), ',') << row;
            continue;
        }
        EXPECT_EQ(row, ",,,,line " + std::to_string(zone + 2) + ": zone " + z +
                           " is a daylight-time entry and dst is 1: the entry already includes "
                           "the hour");
        std::vector<std::string> args = {"--date", "1976-07-04", "--time", "12:00", "--zone",
                                         z,        "--lon",      "74:00W", "--lat", "40:43N"};
        // Eastern Daylight Time alone is New York's July clock, UTC-4: 16:00 UT.
        const CalcRun plain = run(args);
        EXPECT_EQ(plain.status, 0) << z;
        EXPECT_EQ(plain.out.find("4 July 1976, 16:00 UT") != std::string::npos, zone == 24) << z;
        args.push_back("--dst");
        const CalcRun refused = run(args);
        EXPECT_EQ(refused.status, 2);
        EXPECT_NE(refused.err.find("--dst cannot go with --zone " + z + " ("), std::string::npos)
            << refused.err;
    }
}

// The columns of a batch file and a person's name.
const std::string kNamed = kHeader.substr(0, kHeader.size() - 1) + ",name";
const std::string kRow = "1947,8,15,0,0,34,77,13,E,28,40,N,0,";

// As run, with standard output into out.
CalcRun runInto(std::FILE* out, const std::vector<std::string>& args, const std::string& input)
{
    std::FILE *in = std::tmpfile(), *err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    const int status = runCalc(args, in, out, err);
    std::fclose(in);
    return {status, "", slurp(err)};
}

// "--list --store a.sqlite" as its words.
std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
}

// zenthra-calc under faults: stores it cannot read, outputs it cannot write,
// inputs beyond the limits.
class CalcFaults : public CalcStore {
protected:
    // A store holding Asha, made as a user makes one.
    std::string goodStore(const char* name) const
    {
        const std::string csv = write("asha.csv", kNamed + "\n" + kRow + "Asha\n");
        EXPECT_EQ(run({"--import-births", csv, "--store", path(name)}).status, 0);
        return read(path(name));
    }
};

// Byte offset of SQLite's user_version in the file header (sqlite.org/fileformat.html).
constexpr std::size_t kUserVersionAt = 60;

TEST_F(CalcFaults, StoresThatCannotBeReadAreRefusedUntouched)
{
    const std::string good = goodStore("good.sqlite");
    ASSERT_GT(good.size(), 4096u);
    std::string newer = good, foreign = good, schema = good;
    newer[kUserVersionAt + 3] = 9;
    foreign[kUserVersionAt + 3] = 0;                          // tables, yet no version of ours
    schema.replace(schema.find("city TEXT"), 9, "town TEXT"); // same length: SQLite's checks pass
    const struct {
        const char* name;
        std::string bytes; // a folder when empty
        const char* why;
    } kinds[] = {
        {"folder", "", "is a folder"},
        {"newer", newer, "newer version"},
        {"unknown-schema", schema, "no such column: city"},
        {"foreign", foreign, "tables that are not births"},
        {"truncated", good.substr(0, 3000), "malformed"},
        {"not-SQLite", std::string(5000, 'z'), "not a database"},
    };
    write("backup.csv", "an earlier export");
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.name);
        const std::string store = k.bytes.empty() ? path(k.name) : write(k.name, k.bytes);
        if (k.bytes.empty())
            std::filesystem::create_directory(store);
        for (const std::string& command : std::initializer_list<std::string>{
                 "--list", "--export-births " + path("backup.csv"), "--export-births",
                 "--person Asha", "--import-births " + path("asha.csv")}) {
            const std::vector<std::string> args = words(command + " --store " + store);
            const CalcRun r = run(args);
            EXPECT_EQ(r.status, 1) << args[0];
            EXPECT_NE(r.err.find(store), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(k.why), std::string::npos) << r.err;
            EXPECT_EQ(r.out, "") << args[0];
        }
        EXPECT_EQ(read(path("backup.csv")), "an earlier export");
        EXPECT_EQ(k.bytes.empty() ? "" : read(store), k.bytes);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 4)
            << "nothing moved or added";
        std::filesystem::remove_all(store);
    }
    EXPECT_EQ(run({"--list", "--store", write("empty.sqlite", "")}).status, 0); // no births yet
}

TEST_F(CalcFaults, OutputThatCannotBeWrittenIsAnError)
{
    const std::string store = path("a.sqlite");
    goodStore("a.sqlite");
    const std::string batch = kHeader + kRow.substr(0, kRow.size() - 1) + "\n";
    const std::string place = " --zone 34 --lon 77:13E --lat 28:40N";
    for (const std::string& command : std::initializer_list<std::string>{
             "--list --store " + store, "--export-births --store " + store,
             "--export-births /dev/full --store " + store, "--person Asha --store " + store,
             "--csv", "--date 1947-08-15 --time 00:00" + place, "--date 1947-08-15 --day" + place,
             "--zones"}) {
        const std::vector<std::string> args = words(command);
        std::FILE* full = std::fopen("/dev/full", "w");
        ASSERT_NE(full, nullptr);
        const CalcRun r = runInto(full, args, batch);
        std::fclose(full);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.err.find("zenthra-calc: could not write "), 0u) << r.err;
        EXPECT_NE(r.err.find(": No space left on device"), std::string::npos) << r.err;
    }
    // An export into a pipe writes into it: the pipe is not replaced.
    const std::string fifo = path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int reader = open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(run({"--export-births", fifo, "--store", store}).status, 0);
    char got[4096];
    const ssize_t n = ::read(reader, got, sizeof got);
    close(reader);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(std::string(got, n > 0 ? std::size_t(n) : 0),
              run({"--export-births", "--store", store}).out);
}

TEST_F(CalcFaults, ImportsBeyondTheLimitsAreRefused)
{
    const std::string store = path("a.sqlite");
    const std::string bidi = "\xE2\x80\xAE"; // U+202E, right-to-left override
    const struct {
        std::string header; // kNamed when empty
        std::string row;
        std::string err;
    } cases[] = {
        {"", std::string("1980\0junk", 9) + kRow.substr(4) + "A",
         "year '1980\\x00junk' is not a whole number"},
        {"", std::string(300, '7') + kRow.substr(4) + "A",
         "year '" + std::string(64, '7') + "...' is out of range"},
        {kNamed + ",name", kRow + "A,B", "the header has the column 'name' twice"},
        {kNamed + ",saved_at", kRow + "A,2020-01-01T00:00:00",
         "saved_at '2020-01-01T00:00:00' is not an ISO 8601 time with its offset"},
        {kNamed + ",last_used", kRow + "A,9999-01-01T00:00:00Z", "more than a day ahead"},
        {"", kRow + std::string(501, 'n'), "name is longer than 500 characters"},
        {kNamed + ",city", kRow + "A," + std::string(501, 'c'),
         "city is longer than 500 characters"},
        {kNamed + ",dst_box", kRow + "A," + bidi + "x\x1B[2J",
         "dst_box '\\u202Ex\\x1B[2J' is not unchecked"},
    };
    for (const auto& c : cases) {
        const std::string in =
            write("in.csv", (c.header.empty() ? kNamed : c.header) + "\n" + c.row);
        const CalcRun r = run({"--import-births", in, "--store", store});
        EXPECT_EQ(r.status, 1) << c.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find(bidi), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(store)) << "no birth, no store";
    }
    // One byte over 64 MB, from a file or through a pipe: refused whole, the
    // good row before it too.
    const std::string head = kNamed + "\n" + kRow + "Asha\n";
    const auto feed = [&head](const std::string& to) {
        std::ofstream out(to, std::ios::binary);
        const std::string junk(std::size_t{1} << 20, 'x');
        out << head;
        for (std::size_t left = (std::size_t{64} << 20) + 1 - head.size(); left > 0;) {
            const std::size_t n = std::min(left, junk.size());
            out.write(junk.data(), std::streamsize(n));
            left -= n;
        }
    };
    feed(path("big.csv"));
    ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
    for (const char* from : {"big.csv", "pipe"}) {
        const bool piped = from == std::string("pipe");
        std::thread feeder = piped ? std::thread(feed, path(from)) : std::thread();
        const CalcRun r = run({"--import-births", path(from), "--store", store});
        if (piped)
            feeder.join();
        EXPECT_EQ(r.status, 1) << from;
        EXPECT_NE(r.err.find("larger than 64 MB"), std::string::npos) << r.err;
        EXPECT_EQ(run({"--list", "--store", store}).out, "") << from;
    }
}

} // namespace
