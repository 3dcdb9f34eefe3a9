// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zenthra {

// The zodiac a chart's longitudes are counted in: tropical, from the equinox
// of date, or sidereal, from a first point of Aries fixed among the stars by
// one of four ayanamsas.
enum class Zodiac : std::uint8_t { Tropical, Lahiri, FaganBradley, Raman, Krishnamurti };

// One chart: the record through which the program and the engine talk, a
// value each caller owns. The domain names are kept as they are: they are the
// vocabulary shared with the rest of the program. Angles are in degrees unless a name says Rad;
// inside the engine longitude is positive west of Greenwich and latitude positive north. Flags hold
// -1 for true and 0 for false.
struct ChartState {
    std::array<std::string, 14> arrPositionText; // short position texts; [10] is the ascendant
    std::string strPersonName;

    std::int16_t intBirthMonth = 0; // 1..12
    std::int16_t intBirthDay = 0;
    std::int16_t intBirthYear = 0;
    std::int16_t intBirthHour = 0;
    std::int16_t intBirthMinute = 0;
    // Signed zone offset, west of Greenwich positive; the minutes carry the
    // sign of the hours ("+5.3" is -5 and -30).
    std::int16_t intZoneHours = 0;
    std::int16_t intZoneMinutes = 0;
    std::int16_t intLonDeg = 0; // unsigned degrees and minutes
    std::int16_t intLonMin = 0;
    std::int16_t intLatDeg = 0;
    std::int16_t intLatMin = 0;
    std::int16_t bLonEast = 0;
    std::int16_t bLatSouth = 0;
    std::int16_t bDST = 0;
    Zodiac zodiac = Zodiac::Tropical;

    double dblDegToRad = 0;
    double varAscWork = 0;
    std::string_view varSignCodes; // the twelve codes, three characters each
    double varRadToDeg = 0;
    std::int16_t varMonth = 0;
    std::int16_t varDay = 0;
    std::int16_t varYear = 0;
    double varLocalHours = 0;
    double varZoneOffset = 0; // hours, west positive, after the daylight-saving hour
    double varLongitude = 0;
    double varLatitude = 0;
    double varUniversalHours = 0; // not reduced to 0..24; T carries the overflow
    double varJulianDayNumber = 0;
    double varCenturies = 0; // Julian centuries since JD 2415020.0
    double varRamcRad = 0;
    double varObliquityRad = 0;
    double varAscendant = 0; // [0, 360), in the chart's zodiac
    // -1 when the formula's ecliptic point stood on the western horizon (only
    // above the polar circles) and the ascendant is the opposite point.
    std::int16_t bAscendantTurned = 0;
    double varAyanamsa = 0; // degrees subtracted for a sidereal zodiac, 0 for the tropical
    std::string varAscendantText;
    // The zone resolved for the chart, as intZoneHours and intZoneMinutes.
    std::int16_t varZoneHours = 0;
    std::int16_t varZoneMinutes = 0;
    std::string strAscSign;
};

// The zone in force at one clock minute, as the chart state holds it: signed
// zone hours and minutes (west positive) and the daylight-saving flag.
struct ClockZone {
    std::int16_t zoneHours = 0;
    std::int16_t zoneMinutes = 0;
    bool dst = false;

    friend bool operator==(const ClockZone& a, const ClockZone& b)
    {
        return a.zoneHours == b.zoneHours && a.zoneMinutes == b.zoneMinutes && a.dst == b.dst;
    }
    friend bool operator!=(const ClockZone& a, const ClockZone& b) { return !(a == b); }
};

} // namespace zenthra
