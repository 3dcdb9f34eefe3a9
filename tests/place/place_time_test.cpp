// SPDX-License-Identifier: GPL-3.0-or-later
#include "place/place_time.h"

#include "rules/zone_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

using namespace zenthra;

namespace {

std::string str(const QString& s)
{
    return s.toStdString();
}

Place placeFor(const char* query)
{
    const auto found = Atlas::shared().search(QString::fromUtf8(query), 1);
    if (found.empty())
        throw std::runtime_error(std::string("no place for ") + query);
    return found.front();
}

// Offsets and daylight saving are those of the tz database (files asia,
// northamerica, australasia, europe) as the system's tzdata carries them.
TEST(ChoosePlaceTime, HistoricalZonesPickTheListEntry)
{
    struct Case {
        const char* query;
        QDate date;
        QTime time;
        int position; // in the window's zone list, -1 none
        bool dst;
        int offsetSeconds;
    } const cases[] = {
        // India on IST +05:30 since 1945-10-15.
        {"Pune, India", {1947, 8, 15}, {0, 0}, 34, false, 19800},
        // US daylight saving 1976: 25 April to 31 October.
        {"New York, New York", {1976, 7, 4}, {12, 0}, 27, true, -14400},
        // New South Wales summer time 1984-85 ended on 3 March 1985.
        {"Sydney, Australia", {1985, 3, 21}, {12, 0}, 8, false, 36000},
        // British double summer time, 4 May to 10 August 1941: GMT+2 in one entry.
        {"London, England", {1941, 6, 1}, {12, 0}, 15, false, 7200},
        // Spain kept CET without summer time from 1950 to 1973.
        {"Madrid, Spain", {1970, 7, 1}, {12, 0}, 20, false, 3600},
        // Nepal on +05:45 since 1986: no entry has it.
        {"Kathmandu", {2000, 6, 1}, {12, 0}, -1, false, 20700},
        // Germany in summer 2000: CET with the box ticked.
        {"Munich", {2000, 7, 1}, {12, 0}, 20, true, 7200},
        // Tokyo, no daylight saving since 1951.
        {"Tokyo", {1990, 1, 1}, {12, 0}, 38, false, 32400},
        // Alaska on AKST -9:00 since 1983, AKDT in summer: never the daylight
        // entry with the box ticked.
        {"Anchorage", {1990, 7, 1}, {12, 0}, 2, true, -28800},
    };
    for (const Case& c : cases) {
        const PlaceChoice choice = choosePlaceTime(placeFor(c.query), c.date, c.time);
        EXPECT_TRUE(choice.time.valid) << c.query;
        EXPECT_EQ(choice.time.offsetSeconds, c.offsetSeconds) << c.query;
        EXPECT_EQ(choice.zonePosition, c.position)
            << c.query << ": "
            << (choice.zonePosition >= 0 ? zoneEntry(choice.zonePosition).text : "none");
        EXPECT_EQ(choice.dst, c.dst) << c.query;
    }
}

TEST(ChoosePlaceTime, StatusLines)
{
    struct Case {
        const char* query;
        QDate date;
        QTime time;
        const char* line;
    } const cases[] = {
        {"Pune, India",
         {1947, 8, 15},
         {0, 0},
         "Pune, Maharashtra, India: UTC+05:30 (Asia/Kolkata), no daylight saving"},
        {"New York, New York",
         {1976, 7, 4},
         {12, 0},
         "New York City, New York, United States of America: UTC\u221204:00 (America/New_York), "
         "daylight saving"},
        {"London, England",
         {1941, 6, 1},
         {12, 0},
         "London, England, United Kingdom: UTC+02:00 (Europe/London), "
         "daylight saving +2:00, included in the zone"},
        {"New York, New York",
         {2021, 3, 14},
         {2, 30},
         "New York City, New York, United States of America: UTC\u221205:00 (America/New_York), "
         "no daylight saving; 02:30 did not exist that day, read as before the clock change"},
        {"New York, New York",
         {2021, 11, 7},
         {1, 30},
         "New York City, New York, United States of America: UTC\u221204:00 (America/New_York), "
         "daylight saving; 01:30 came twice that day, read as the first"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(str(choosePlaceTime(placeFor(c.query), c.date, c.time).statusLine), c.line);
}

// Offsets no entry has, offsets with seconds and local mean time go to the
// window's extra entry, in whole minutes east. Database values: asia, africa,
// southamerica and europe files of the system's tzdata.
TEST(ChoosePlaceTime, ExactOffsetsAndLocalMeanTime)
{
    Place pokhara; // GeoNames 1282898
    pokhara.name = QStringLiteral("Pokhara");
    pokhara.state = QStringLiteral("Gandaki Province");
    pokhara.country = QStringLiteral("Nepal");
    pokhara.zoneId = QStringLiteral("Asia/Kathmandu");
    pokhara.latitude = 28.26689;
    pokhara.longitude = 83.96851; // 83° 58.1' E
    constexpr int kEntry = 9999;
    struct Case {
        const char* query; // nullptr: Pokhara
        QDate date;
        int exactMinutes; // kEntry: a list entry
        bool lmt;
        const char* line; // after "<place>: "
    } const cases[] = {
        {"Kathmandu", {2000, 6, 1}, 345, false, "UTC+05:45 (Asia/Kathmandu), no daylight saving"},
        {"Kabul", {2000, 6, 1}, 270, false, "UTC+04:30 (Asia/Kabul), no daylight saving"},
        {"Caracas",
         {2010, 6, 1},
         -270,
         false,
         "UTC\u221204:30 (America/Caracas), no daylight saving"},
        {"Nairobi", {1942, 6, 1}, 165, false, "UTC+02:45 (Africa/Nairobi), no daylight saving"},
        // Kathmandu mean time +05:41:16 ("LMT") until 1920; Pokhara's own is +05:35:52.
        {nullptr,
         {1910, 6, 1},
         336,
         true,
         "local mean time of the place, UTC+05:36 (Asia/Kathmandu), no daylight saving"},
        // Amsterdam time +00:19:32 ("AMT") is a named time, not local mean time.
        {"Amsterdam",
         {1930, 1, 15},
         20,
         false,
         "UTC+00:19:32, used as +00:20 (Europe/Amsterdam), no daylight saving"},
        {"Amsterdam",
         {1930, 7, 1},
         80,
         false,
         "UTC+01:19:32, used as +01:20 (Europe/Amsterdam), daylight saving +1:00, included in "
         "the zone"},
        {"Kolkata",
         {1905, 6, 1},
         321,
         false,
         "UTC+05:21:10, used as +05:21 (Asia/Kolkata), no daylight saving"},
        {"Dublin",
         {1905, 6, 1},
         -25,
         false,
         "UTC\u221200:25:21, used as \u221200:25 (Europe/Dublin), no daylight saving"},
        // Standard time in whole hours: the list entry.
        {"Berlin", {1900, 6, 1}, kEntry, false, "UTC+01:00 (Europe/Berlin), no daylight saving"},
    };
    for (const Case& c : cases) {
        const Place place = c.query ? placeFor(c.query) : pokhara;
        const PlaceChoice choice = choosePlaceTime(place, c.date, {12, 0});
        const std::string what = str(place.name) + " " + str(c.date.toString(Qt::ISODate));
        EXPECT_EQ(str(choice.statusLine), str(place.displayName()) + ": " + c.line) << what;
        EXPECT_EQ(choice.localMeanTime, c.lmt) << what;
        if (c.exactMinutes == kEntry) {
            EXPECT_GE(choice.zonePosition, 0) << what;
            EXPECT_FALSE(choice.exactOffset.has_value()) << what;
            continue;
        }
        EXPECT_EQ(choice.zonePosition, -1) << what;
        EXPECT_FALSE(choice.dst) << what;
        ASSERT_TRUE(choice.exactOffset.has_value()) << what;
        EXPECT_EQ(choice.exactOffset->seconds(), c.exactMinutes * 60) << what;
        EXPECT_EQ(str(choice.exactZoneText),
                  "Place time, " + choice.exactOffset->text() + " (" + str(place.zoneId) + ")")
            << what;
    }
    EXPECT_EQ(str(choosePlaceTime(placeFor("Kathmandu"), {2000, 6, 1}, {12, 0}).exactZoneText),
              "Place time, UTC+05:45 (Asia/Kathmandu)");
}

TEST(LocalMeanTimeMinutes, FourMinutesADegreeEastAhead)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double longitude;
        int minutes;
    } const cases[] = {
        {83.98333, 336},   // 83° 59' E: 5 h 35.93 min
        {-46.63611, -187}, // São Paulo: -3 h 6.54 min
        {4.88969, 20},     // Amsterdam: 19.56 min
        {0.1249, 0},       // 29.98 s rounds down
        {-0.125, -1},      // half a minute rounds away from zero
        {180.0, 720},      {-180.0, -720}, {nan, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(localMeanTimeMinutes(c.longitude), c.minutes) << c.longitude;
}

TEST(ChoosePlaceTime, CoordinatesOfPune)
{
    const WindowCoordinates c =
        choosePlaceTime(placeFor("Pune, India"), {1947, 8, 15}, {0, 0}).coordinates;
    EXPECT_EQ(c.latDegrees, 18);
    EXPECT_EQ(c.latMinutes, 31);
    EXPECT_FALSE(c.south);
    EXPECT_EQ(c.lonDegrees, 73);
    EXPECT_EQ(c.lonMinutes, 51);
    EXPECT_FALSE(c.west);
}

TEST(ChoosePlaceTime, UnknownZoneOrDateGivesNoEntry)
{
    Place p;
    p.name = QStringLiteral("Nowhere");
    p.zoneId = QStringLiteral("Mars/Olympus_Mons");
    const PlaceChoice c = choosePlaceTime(p, {2000, 1, 1}, {12, 0});
    EXPECT_FALSE(c.time.valid);
    EXPECT_EQ(c.zonePosition, -1);
    EXPECT_FALSE(c.dst);
    EXPECT_EQ(str(c.statusLine), "Nowhere: unknown time zone (Mars/Olympus_Mons)");

    EXPECT_FALSE(resolveLocalTime(QStringLiteral("Europe/Paris"), QDate(), QTime(1, 0)).valid);
    EXPECT_FALSE(resolveLocalTime(QStringLiteral("Europe/Paris"), {2000, 1, 1}, QTime()).valid);
}

// US clocks 2021: forward at 02:00 on 14 March, back at 02:00 on 7 November.
TEST(ResolveLocalTime, GapsAndOverlaps)
{
    struct Case {
        const char* zone;
        QDate date;
        QTime time;
        ClockReading reading;
        int offsetSeconds;
        bool dst;
        QDateTime utc;
    } const cases[] = {
        {"America/New_York",
         {2021, 3, 14},
         {2, 30},
         ClockReading::Skipped,
         -18000,
         false,
         QDateTime({2021, 3, 14}, {7, 30}, Qt::UTC)},
        {"America/New_York",
         {2021, 3, 14},
         {1, 59},
         ClockReading::Normal,
         -18000,
         false,
         QDateTime({2021, 3, 14}, {6, 59}, Qt::UTC)},
        {"America/New_York",
         {2021, 3, 14},
         {3, 0},
         ClockReading::Normal,
         -14400,
         true,
         QDateTime({2021, 3, 14}, {7, 0}, Qt::UTC)},
        {"America/New_York",
         {2021, 11, 7},
         {1, 30},
         ClockReading::Repeated,
         -14400,
         true,
         QDateTime({2021, 11, 7}, {5, 30}, Qt::UTC)},
        {"America/New_York",
         {2021, 11, 7},
         {2, 0},
         ClockReading::Normal,
         -18000,
         false,
         QDateTime({2021, 11, 7}, {7, 0}, Qt::UTC)},
        // Europe: forward at 01:00 UTC on 28 March 2021.
        {"Europe/Berlin",
         {2021, 3, 28},
         {2, 15},
         ClockReading::Skipped,
         3600,
         false,
         QDateTime({2021, 3, 28}, {1, 15}, Qt::UTC)},
        // Samoa left out 30 December 2011 when it crossed the date line.
        {"Pacific/Apia",
         {2011, 12, 30},
         {12, 0},
         ClockReading::Skipped,
         -36000,
         true,
         QDateTime({2011, 12, 30}, {22, 0}, Qt::UTC)},
    };
    for (const Case& c : cases) {
        const LocalTime t = resolveLocalTime(QString::fromLatin1(c.zone), c.date, c.time);
        const std::string what = std::string(c.zone) + " " + str(c.date.toString(Qt::ISODate)) +
                                 " " + str(c.time.toString());
        ASSERT_TRUE(t.valid) << what;
        EXPECT_EQ(t.reading, c.reading) << what;
        EXPECT_EQ(t.offsetSeconds, c.offsetSeconds) << what;
        EXPECT_EQ(t.daylightSaving, c.dst) << what;
        EXPECT_EQ(t.utc, c.utc) << what << " got " << str(t.utc.toString(Qt::ISODate));
    }
}

TEST(ChooseZoneEntry, RuleTable)
{
    auto lt = [](int offset, int standard, const char* abbr, const char* stdAbbr) {
        LocalTime t;
        t.valid = true;
        t.offsetSeconds = offset;
        t.standardOffsetSeconds = standard;
        t.daylightSaving = offset > standard;
        t.abbreviation = QString::fromLatin1(abbr);
        t.standardAbbreviation = QString::fromLatin1(stdAbbr);
        return t;
    };
    struct Case {
        const char* what;
        LocalTime time;
        int position;
        bool dst;
    } const cases[] = {
        {"CEST: standard entry, box ticked", lt(7200, 3600, "CEST", "CET"), 20, true},
        {"abbreviation beats lowest position", lt(7200, 7200, "EET", "EET"), 26, false},
        {"no abbreviation match: lowest position", lt(7200, 7200, "SAST", "SAST"), 15, false},
        {"Newfoundland summer: -3:30 entry ticked", lt(-9000, -12600, "NDT", "NST"), 50, true},
        {"Hawaii 1940s -10:30", lt(-37800, -37800, "HST", "HST"), 32, false},
        {"one hour ahead but no standard entry", lt(19800, 16200, "X", "Y"), 34, false},
        {"half an hour ahead: whole offset", lt(39600, 37800, "+11", "+1030"), 7, false},
        {"negative daylight saving: whole offset", lt(0, 3600, "GMT", "IST"), 29, false},
        {"Kathmandu", lt(20700, 20700, "+0545", "+0545"), -1, false},
        // Alaska: the first -9:00 entry names daylight time, so the box would count twice.
        {"AKDT: no daylight entry with the box", lt(-28800, -32400, "AKDT", "AKST"), 2, true},
        {"not valid", LocalTime{}, -1, false},
    };
    for (const Case& c : cases) {
        const ZoneChoice z = chooseZoneEntry(c.time);
        EXPECT_EQ(z.position, c.position) << c.what;
        EXPECT_EQ(z.dst, c.dst) << c.what;
    }
}

TEST(ToWindowCoordinates, RoundsToTheNearestMinuteAndCaps)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double lat, lon;
        int latD, latM;
        bool south;
        int lonD, lonM;
        bool west;
    } const cases[] = {
        {18.51957, 73.85535, 18, 31, false, 73, 51, false},   // Pune
        {40.71427, -74.00597, 40, 43, false, 74, 0, true},    // New York
        {-33.86785, 151.20732, 33, 52, true, 151, 12, false}, // Sydney
        {10.9999, -0.0083, 11, 0, false, 0, 0, false},  // 59.994' carries; 0.498' rounds to 0° 0'
                                                        // East
        {0.5 / 60, -0.5 / 60, 0, 1, false, 0, 1, true}, // half a minute rounds up
        {-0.001, -0.001, 0, 0, false, 0, 0, false},     // 0° 0' is North and East
        {89.9999, 179.995, 89, 59, false, 179, 59, false}, // 179° 59.7' stays 179° 59'
        {-90.0, -180.0, 89, 59, true, 179, 59, true},
        {nan, nan, 0, 0, false, 0, 0, false},
    };
    for (const Case& c : cases) {
        const WindowCoordinates w = toWindowCoordinates(c.lat, c.lon);
        const std::string what = std::to_string(c.lat) + " " + std::to_string(c.lon);
        EXPECT_EQ(w.latDegrees, c.latD) << what;
        EXPECT_EQ(w.latMinutes, c.latM) << what;
        EXPECT_EQ(w.south, c.south) << what;
        EXPECT_EQ(w.lonDegrees, c.lonD) << what;
        EXPECT_EQ(w.lonMinutes, c.lonM) << what;
        EXPECT_EQ(w.west, c.west) << what;
    }
}

} // namespace
