// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "place/atlas.h"
#include "rules/utc_offset.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

namespace zenthra {

// How a local clock time was read on its day.
enum class ClockReading {
    Normal,
    Skipped,  // the clocks jumped over it: read with the offset in force just before the jump
    Repeated, // it came twice: read as the first time (before the clocks went back)
};

// The time of a place at a local clock time, from the system's time-zone data.
struct LocalTime {
    bool valid = false;            // the zone id, the date and the time are all known
    int offsetSeconds = 0;         // offset from UTC used for the reading, east positive
    int standardOffsetSeconds = 0; // the zone's standard offset then, east positive
    bool daylightSaving = false;   // the offset was ahead of standard time
    QString abbreviation;          // of the time in force, "EDT"
    QString standardAbbreviation;  // of standard time around that date, "EST"; may be empty
    ClockReading reading = ClockReading::Normal;
    QDateTime utc; // the moment read
};

LocalTime resolveLocalTime(const QString& zoneId, QDate date, QTime time);

// An entry of the window's zone list and the daylight-saving box.
struct ZoneChoice {
    int position = -1; // -1: no entry of the list has the offset
    bool dst = false;
};

// When daylight saving adds exactly one hour or nothing, the entry with the
// standard offset and the box ticked for daylight saving; otherwise the entry
// with the whole offset in force and the box clear (London 1941: +2, double
// summer time). Among entries with the same offset the one whose abbreviation
// matches the zone's wins, then the lowest position.
ZoneChoice chooseZoneEntry(const LocalTime& time);

// Coordinates as the window's boxes take them: whole degrees and minutes,
// rounded to the nearest minute and capped at 89° 59' and 179° 59'.
struct WindowCoordinates {
    int latDegrees = 0;
    int latMinutes = 0;
    bool south = false;
    int lonDegrees = 0;
    int lonMinutes = 0;
    bool west = false;
};

WindowCoordinates toWindowCoordinates(double latitude, double longitude);

// The mean solar time of a longitude (degrees, east positive): four minutes a
// degree, east ahead, rounded to the whole minute.
int localMeanTimeMinutes(double longitude);

// Everything the main window fills in for a chosen place at a birth date and time.
struct PlaceChoice {
    Place place;
    WindowCoordinates coordinates;
    int zonePosition = -1; // -1: no entry of the list (see exactOffset)
    bool dst = false;
    // Set instead of zonePosition when the time applied is not the offset of
    // an entry: an offset no entry has (Kathmandu +05:45), one with seconds
    // (rounded to the minute) or the place's own local mean time. Whole
    // minutes, daylight saving included; the window shows
    // it as an extra entry, exactZoneText, with the box clear.
    std::optional<UtcOffset> exactOffset;
    QString exactZoneText; // "Place time, UTC+05:45 (Asia/Kathmandu)"
    // The database gives a zone's local mean time ("LMT"), which is its
    // reference city's: the place's own, from its longitude, is applied.
    bool localMeanTime = false;
    LocalTime time;
    // The line under the zone frame, for example
    // "Pune, Maharashtra, India: UTC+05:30 (Asia/Kolkata), no daylight saving".
    // The offset may read "UTC+05:21:10, used as +05:21" or "local mean time
    // of the place, UTC+05:36". After it: "daylight saving", "no daylight
    // saving", or "daylight saving +2:00, included in the zone" when the box
    // stays clear; then, when they apply, "; 02:30 did not exist that day,
    // read as before the clock change", "; 01:30 came twice that day, read as
    // the first" and "; no zone in the list fits" (an offset beyond the range
    // clocks have kept). An unknown zone gives "<place>: unknown time zone (<id>)".
    QString statusLine;
};

PlaceChoice choosePlaceTime(const Place& place, QDate date, QTime time);

} // namespace zenthra
