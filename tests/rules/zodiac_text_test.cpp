// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/zodiac.h"
#include "rules/chart_inputs.h"
#include "rules/chart_notes.h"
#include "rules/zodiac_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace zenthra;

namespace {

TEST(ZodiacText, NamesAndAngles)
{
    EXPECT_EQ(siderealOptionNames(), "lahiri, fagan-bradley, raman, krishnamurti");
    for (const Zodiac z : kZodiacs)
        EXPECT_EQ(siderealZodiacNamed(siderealOptionName(z)),
                  isSidereal(z) ? std::optional(z) : std::nullopt);
    for (const char* wrong : {"Lahiri", "lahiri ", "tropical"})
        EXPECT_FALSE(siderealZodiacNamed(wrong)) << wrong;
    EXPECT_EQ(degreesMinutesSecondsText(23 + 59 / 60.0 + 59.6 / 3600), "24\u00B0 0\u2032 0\u2033");
    EXPECT_EQ(degreesMinutesSecondsText(NAN), "");
}

TEST(ZodiacText, LinesOfAComputedChart)
{
    // The Lahiri ayanamsa at J2000.0 is 85,885.53"; noon UT is 64 s of TT
    // later, 0.0001" more.
    ChartInputs in;
    in.year = 2000, in.month = 1, in.day = 1, in.hour = 12;
    in.exactOffset = UtcOffset::fromSeconds(0);
    const ChartState tropical = chartOf(in);
    in.zodiac = Zodiac::Lahiri;
    const ChartState lahiri = chartOf(in);
    EXPECT_EQ(ascendantLine(tropical), ascendantLine(tropical.varAscendantText));
    EXPECT_EQ(zodiacLine(tropical), "");
    EXPECT_EQ(ascendantLine(lahiri),
              ascendantLine(lahiri.varAscendantText) +
                  ", sidereal (Lahiri, ayanamsa 23\u00B0 51\u2032 26\u2033)");
    EXPECT_EQ(zodiacLine(lahiri),
              "Zodiac: sidereal, Lahiri ayanamsa 23\u00B0 51\u2032 26\u2033 (23.857092\u00B0)");
    EXPECT_EQ(polarNote(lahiri), "");
    in.latDeg = 78; // RAMC 280.46: the formula's point sets in the west
    EXPECT_EQ(polarNote(chartOf(in)),
              "Above the polar circle: the ecliptic point on the eastern horizon");
}

} // namespace
