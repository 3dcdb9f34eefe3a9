// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/zodiac_text.h"

#include "engine/zodiac.h"

#include <charconv>
#include <cmath>

namespace zenthra {
namespace {

struct ZodiacNames {
    Zodiac zodiac;
    const char* menu;
    const char* ayanamsa;
    const char* option;
};

constexpr ZodiacNames kNames[] = {
    {Zodiac::Tropical, "Tropical", "", ""},
    {Zodiac::Lahiri, "Sidereal, Lahiri", "Lahiri", "lahiri"},
    {Zodiac::FaganBradley, "Sidereal, Fagan-Bradley", "Fagan-Bradley", "fagan-bradley"},
    {Zodiac::Raman, "Sidereal, Raman", "Raman", "raman"},
    {Zodiac::Krishnamurti, "Sidereal, Krishnamurti", "Krishnamurti", "krishnamurti"},
};

const ZodiacNames& namesOf(Zodiac zodiac)
{
    for (const ZodiacNames& n : kNames)
        if (n.zodiac == zodiac)
            return n;
    return kNames[0];
}

} // namespace

const char* zodiacMenuText(Zodiac zodiac)
{
    return namesOf(zodiac).menu;
}

std::string zodiacInForceText(Zodiac zodiac)
{
    return std::string("Zodiac: ") + zodiacMenuText(zodiac);
}

const char* ayanamsaName(Zodiac zodiac)
{
    return namesOf(zodiac).ayanamsa;
}

const char* siderealOptionName(Zodiac zodiac)
{
    return namesOf(zodiac).option;
}

std::optional<Zodiac> siderealZodiacNamed(std::string_view name)
{
    for (const ZodiacNames& n : kNames)
        if (isSidereal(n.zodiac) && name == n.option)
            return n.zodiac;
    return std::nullopt;
}

std::string siderealOptionNames()
{
    std::string out;
    for (const ZodiacNames& n : kNames) {
        if (!isSidereal(n.zodiac))
            continue;
        if (!out.empty())
            out += ", ";
        out += n.option;
    }
    return out;
}

std::string degreesMinutesSecondsText(double degrees)
{
    // Past a billion degrees the whole seconds no longer fit a long.
    if (!(degrees >= 0 && degrees < 1e9))
        return {};
    const long seconds = std::lround(degrees * 3600);
    return std::to_string(seconds / 3600) + "\u00B0 " + std::to_string(seconds / 60 % 60) +
           "\u2032 " + std::to_string(seconds % 60) + "\u2033";
}

std::string ayanamsaDegreesText(double degrees)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, degrees, std::chars_format::fixed, 6);
    return std::string(buf, res.ptr);
}

std::string zodiacSuffix(const ChartState& chart)
{
    if (!isSidereal(chart.zodiac))
        return {};
    return std::string(", sidereal (") + ayanamsaName(chart.zodiac) + ", ayanamsa " +
           degreesMinutesSecondsText(chart.varAyanamsa) + ")";
}

std::string zodiacLine(const ChartState& chart)
{
    if (!isSidereal(chart.zodiac))
        return {};
    return std::string("Zodiac: sidereal, ") + ayanamsaName(chart.zodiac) + " ayanamsa " +
           degreesMinutesSecondsText(chart.varAyanamsa) + " (" +
           ayanamsaDegreesText(chart.varAyanamsa) + "\u00B0)";
}

std::string polarNote(const ChartState& chart)
{
    if (chart.bAscendantTurned == 0)
        return {};
    return "Above the polar circle: the ecliptic point on the eastern horizon";
}

} // namespace zenthra
