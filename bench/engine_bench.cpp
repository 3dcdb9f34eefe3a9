// SPDX-License-Identifier: GPL-3.0-or-later
// One chart as the calculate button runs it: Chart_Angles then Position_Table,
// position texts included.
#include "engine/chart_state.h"
#include "engine/day_bands.h"
#include "engine/sky_positions.h"
#include "engine/western_planet_position.h"

#include <benchmark/benchmark.h>

namespace {

// Delhi, 15 August 1947, at +05:30: the place and date every run starts from.
zenthra::ChartState delhi1947()
{
    zenthra::ChartState c;
    c.intBirthYear = 1947;
    c.intBirthMonth = 8;
    c.intBirthDay = 15;
    c.intZoneHours = -5;
    c.intZoneMinutes = -30;
    c.intLonDeg = 77;
    c.intLonMin = 13;
    c.bLonEast = -1;
    c.intLatDeg = 28;
    c.intLatMin = 40;
    return c;
}

void runCharts(benchmark::State& state, zenthra::Zodiac zodiac)
{
    zenthra::ChartState c = delhi1947();
    c.zodiac = zodiac;
    std::int16_t minute = 0;
    for (auto _ : state) {
        // A different time each round, so no result can be reused.
        c.intBirthHour = static_cast<std::int16_t>(minute / 60);
        c.intBirthMinute = static_cast<std::int16_t>(minute % 60);
        minute = static_cast<std::int16_t>((minute + 7) % 1440);
        zenthra::Chart_Angles(c);
        zenthra::Position_Table(c);
        benchmark::DoNotOptimize(c.arrPositionText[10].data());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_OneChart(benchmark::State& state)
{
    runCharts(state, zenthra::Zodiac::Tropical);
}
BENCHMARK(BM_OneChart);

// The same chart in the Lahiri zodiac: the ayanamsa and the nutation on top.
void BM_OneSiderealChart(benchmark::State& state)
{
    runCharts(state, zenthra::Zodiac::Lahiri);
}
BENCHMARK(BM_OneSiderealChart);

void BM_SignDmsAndShortText(benchmark::State& state)
{
    double p = 0;
    for (auto _ : state) {
        double q = p;
        auto text = zenthra::Short_Position_Text(zenthra::Sign_DMS_Text(q));
        benchmark::DoNotOptimize(text);
        p += 0.37;
        if (p >= 360)
            p -= 360;
    }
}
BENCHMARK(BM_SignDmsAndShortText);

// The rising signs of a whole day, as the day strip recomputes them after an
// edit: 1,440 charts.
void BM_DayBands(benchmark::State& state)
{
    zenthra::ChartState c = delhi1947();
    for (auto _ : state) {
        auto bands = zenthra::dayBands(c);
        benchmark::DoNotOptimize(bands.data());
        c.intBirthDay = static_cast<std::int16_t>(c.intBirthDay % 28 + 1);
    }
}
BENCHMARK(BM_DayBands)->Unit(benchmark::kMillisecond);

// The Sun and the Moon for one chart, over moments spread across 1900-2050.
void runSunAndMoon(benchmark::State& state, zenthra::Zodiac zodiac)
{
    double jd = 2415020.5;
    for (auto _ : state) {
        const zenthra::SunAndMoon p = zenthra::sunAndMoonAt(jd, zodiac);
        benchmark::DoNotOptimize(p);
        jd += 37.123;
        if (jd > 2470172.5)
            jd -= 55152;
    }
}

void BM_SunAndMoon(benchmark::State& state)
{
    runSunAndMoon(state, zenthra::Zodiac::Tropical);
}
BENCHMARK(BM_SunAndMoon);

// The same in the Lahiri zodiac: the mean ayanamsa and the nutation in
// longitude on top.
void BM_SunAndMoonSidereal(benchmark::State& state)
{
    runSunAndMoon(state, zenthra::Zodiac::Lahiri);
}
BENCHMARK(BM_SunAndMoonSidereal);

// The Sun and the Moon for every minute of one civil day, starting at its
// midnight as a Julian Day (UT): the first and last days the program accepts,
// in the zones that put them furthest out, and one in the middle.
void BM_SunAndMoonOneDay(benchmark::State& state, double midnightUt)
{
    int minute = 0;
    for (auto _ : state) {
        const zenthra::SunAndMoon p = zenthra::sunAndMoonAt(midnightUt + minute / 1440.0);
        benchmark::DoNotOptimize(p);
        minute = (minute + 1) % 1440;
    }
}
BENCHMARK_CAPTURE(BM_SunAndMoonOneDay, 1900_01_01_utc_plus_14, 2415020.5 - 14.0 / 24);
BENCHMARK_CAPTURE(BM_SunAndMoonOneDay, 1975_07_01_utc, 2442594.5);
BENCHMARK_CAPTURE(BM_SunAndMoonOneDay, 2050_12_31_utc_minus_12, 2470171.5 + 12.0 / 24);

} // namespace
