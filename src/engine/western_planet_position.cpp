// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/western_planet_position.h"

#include "engine/sky_positions.h"
#include "engine/zodiac.h"

#include <charconv>
#include <cmath>

namespace zenthra {
namespace {

constexpr std::string_view kDegreeSign = "\xC2\xB0"; // U+00B0 in UTF-8

int sgn(double v)
{
    return (v > 0) - (v < 0);
}

void appendNumber(std::string& out, long value)
{
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

std::string_view trimBlanks(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// Characters, not bytes: a UTF-8 continuation byte does not start one.
std::size_t charCount(std::string_view s)
{
    std::size_t n = 0;
    for (const unsigned char c : s)
        n += (c & 0xC0) != 0x80;
    return n;
}

// The last n characters of s (all of s when it is shorter).
std::string_view lastChars(std::string_view s, std::size_t n)
{
    std::size_t pos = s.size();
    while (n > 0 && pos > 0) {
        --pos;
        if ((static_cast<unsigned char>(s[pos]) & 0xC0) != 0x80)
            --n;
    }
    return s.substr(pos);
}

// The ascendant formula's point in radians, [0, 3 pi), given the sidereal
// angle, the obliquity and the latitude in radians. The formula gives one of
// the two points where the ecliptic meets the horizon, and above the polar
// circles it can be the western one, with an hour angle RAMC - alpha between
// 0 and 180 degrees; then the opposite point, on the eastern horizon, is
// taken and turned is set. The test below has the sign of
// sin(RAMC - alpha), as cos(alpha) and sin(alpha) are cos(a) and
// sin(a) cos(eps) over the positive cos(delta); worked out it is
// -cos(eps) - sin(RAMC) sin(eps) tan(phi), positive only where
// tan(phi) tan(eps) exceeds 1.
double easternAscendant(double ramc, double eps, double phi, bool& turned)
{
    const double x = (-std::sin(ramc)) * std::cos(eps) - std::sin(eps) * std::tan(phi);
    const double y = std::cos(ramc);
    double a = Arc_Tan2(y, x);
    if (a < 0)
        a += kPi;
    if (y < 0)
        a += kPi;
    turned = std::sin(ramc) * std::cos(a) - std::cos(ramc) * std::sin(a) * std::cos(eps) > 0;
    return turned ? a + kPi : a;
}

} // namespace

long Julian_Day_Number(long month, long day, long year)
{
    // Floor division on doubles, as the month-count form is defined.
    const auto intDiv = [](double a, double b) { return static_cast<long>(std::floor(a / b)); };
    const long m = 12 * (year + 4800) + month - 3;
    long j =
        intDiv(2.0 * (m - 12 * intDiv(m, 12)) + 7 + 365.0 * m, 12) + day + intDiv(m, 48) - 32083;
    if (j > 2299171)
        j = j + intDiv(m, 4800) - intDiv(m, 1200) + 38;
    return j;
}

double Arc_Tan2(double y, double x)
{
    if (x > 0)
        return std::atan(y / x);
    if (x < 0)
        return sgn(y) * (kPi - std::atan(std::abs(y / x)));
    if (y != 0)
        return sgn(y) * kPi / 2;
    return 0;
}

double Normalize_Degrees(double& p)
{
    if (p < 0)
        p += 360;
    if (p > 360)
        p -= 360;
    return p;
}

std::string Sign_DMS_Text(double& p)
{
    p = std::abs(p);
    // The engine never passes these; no text rather than undefined behaviour.
    if (!std::isfinite(p))
        return {};
    double d = std::floor(p);
    double f = (p - d) * 60;
    const double m = std::floor(f);
    f -= m;
    const double k = std::floor(d / 30);
    // Exact, as repeated subtraction of 30 is for the degrees the engine
    // gives, and quick for any size.
    d = std::fmod(d, 30);
    const double s = std::floor(f * 60);

    std::string out;
    out.reserve(24);
    appendNumber(out, static_cast<long>(d));
    out.append(kDegreeSign).append(" ");
    appendNumber(out, static_cast<long>(m));
    out.append("' ");
    appendNumber(out, static_cast<long>(s));
    out.append("\" ");
    // A sign index past Pisces has no code, as a substring past the end is empty.
    if (k >= 0 && k < 12)
        out.append(kSignCodes + 3 * static_cast<int>(k), 3);
    return out;
}

std::optional<std::string> Short_Position_Text(std::string_view s)
{
    const std::string_view t = trimBlanks(s);
    const auto a = t.find(kDegreeSign);
    const auto b = t.find('\'');
    if (a == std::string_view::npos || b == std::string_view::npos || b < a + kDegreeSign.size())
        return std::nullopt;
    const std::string_view deg = trimBlanks(t.substr(0, a));
    const std::string_view min =
        trimBlanks(t.substr(a + kDegreeSign.size(), b - a - kDegreeSign.size()));
    const std::string_view code = trimBlanks(lastChars(s, 3));

    std::string out;
    out.reserve(16);
    if (charCount(deg) <= 1)
        out += '0';
    out.append(deg).append(" ").append(code).append(" ");
    if (charCount(min) <= 1)
        out += '0';
    out.append(min);
    return out;
}

void Chart_Angles(ChartState& c)
{

    // Birth moment and sidereal time.
    c.varSignCodes = kSignCodes;
    c.dblDegToRad = kDegToRad;
    c.varRadToDeg = kRadToDeg;
    c.varMonth = c.intBirthMonth;
    c.varDay = c.intBirthDay;
    c.varYear = c.intBirthYear;
    c.varLocalHours = c.intBirthHour + c.intBirthMinute / 60.0;
    c.varZoneOffset = c.intZoneHours + c.intZoneMinutes / 60.0;
    c.varLongitude = c.intLonDeg + c.intLonMin / 60.0;
    c.varLatitude = c.intLatDeg + c.intLatMin / 60.0;
    if (c.bLonEast != 0)
        c.varLongitude = -c.varLongitude;
    if (c.bLatSouth != 0)
        c.varLatitude = -c.varLatitude;
    // The zone is signed (west positive), so the clock runs one hour ahead of
    // it under daylight saving wherever the place lies.
    if (c.bDST != 0)
        c.varZoneOffset -= 1;
    c.varJulianDayNumber = static_cast<double>(Julian_Day_Number(c.varMonth, c.varDay, c.varYear));
    c.varUniversalHours = c.varLocalHours + c.varZoneOffset;

    const double t = ((c.varJulianDayNumber - 2415020) + c.varUniversalHours / 24 - 0.5) / 36525;
    c.varCenturies = t;
    double theta =
        15 * (6.6460656 + 2400.0513 * t + 0.0000258 * t * t + c.varUniversalHours) - c.varLongitude;
    while (theta >= 360)
        theta -= 360;
    c.varRamcRad = theta * c.dblDegToRad;
    c.varObliquityRad = (23.452294 - 0.0130125 * t) * c.dblDegToRad;

    // Ascendant. A sidereal one is counted from the sidereal first point of
    // Aries on the true ecliptic of date, which lies the mean ayanamsa plus
    // the nutation in longitude east of the true equinox; the horizon meets
    // that ecliptic at the apparent sidereal time and the true obliquity.
    const double phi = c.varLatitude * c.dblDegToRad;
    bool turned = false;
    double shift = 0; // degrees
    double a = 0;
    c.varAyanamsa = 0;
    if (isSidereal(c.zodiac)) {
        const double jt = centuriesSinceJ2000(julianEphemerisDay(chartJulianDayUt(c)));
        const double nutation = nutationInLongitude(jt);
        c.varAyanamsa = meanAyanamsa(c.zodiac, jt);
        shift = c.varAyanamsa + nutation;
        a = easternAscendant(c.varRamcRad + nutation * std::cos(c.varObliquityRad) * c.dblDegToRad,
                             c.varObliquityRad + nutationInObliquity(jt) * c.dblDegToRad, phi,
                             turned);
    } else {
        a = easternAscendant(c.varRamcRad, c.varObliquityRad, phi, turned);
    }
    c.bAscendantTurned = turned ? -1 : 0;
    c.varAscWork = a * c.varRadToDeg;
    while (c.varAscWork >= 360)
        c.varAscWork -= 360;
    if (isSidereal(c.zodiac)) {
        c.varAscWork -= shift;
        if (c.varAscWork < 0)
            c.varAscWork += 360;
        // A hair below zero comes back as 360 exactly.
        if (c.varAscWork >= 360)
            c.varAscWork = 0;
    }
    c.varAscendant = c.varAscWork;
    double normalized = Normalize_Degrees(c.varAscendant);
    c.varAscendantText = Sign_DMS_Text(normalized);
}

void Position_Table(ChartState& c)
{
    c.varSignCodes = kSignCodes;
    if (auto text = Short_Position_Text(c.varAscendantText))
        c.arrPositionText[10] = std::move(*text);
}

std::string risingCode(const ChartState& c)
{
    const std::string& entry = c.arrPositionText[10];
    return entry.size() >= 6 ? entry.substr(3, 3) : std::string();
}

void computeChart(ChartState& c)
{
    Chart_Angles(c);
    Position_Table(c);
    c.strAscSign = risingCode(c);
}

CivilDate civilFromDayNumber(long jdn)
{
    // Richards' algorithm for the Gregorian calendar (Explanatory Supplement
    // to the Astronomical Almanac, 3rd ed., 15.11.3).
    const long f = jdn + 1401 + (((4 * jdn + 274277) / 146097) * 3) / 4 - 38;
    const long e = 4 * f + 3;
    const long g = (e % 1461) / 4;
    const long h = 5 * g + 2;
    const int day = static_cast<int>((h % 153) / 5 + 1);
    const int month = static_cast<int>((h / 153 + 2) % 12 + 1);
    const int year = static_cast<int>(e / 1461 - 4716 + (12 + 2 - month) / 12);
    return {year, month, day};
}

} // namespace zenthra
