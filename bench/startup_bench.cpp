// SPDX-License-Identifier: GPL-3.0-or-later
// Each step of start-up on its own, in the order the program takes them;
// budget: 10 ms a step. Counter first_ms is the step's first run in the
// process, which is what start-up pays (the platform, fonts, icons and the
// time-zone data are read once); the time per iteration is the step once
// warm. Offscreen unless a platform is given. From launch to a window on the
// screen, and the memory it holds: bench/startup.sh.
#include "app/request_driver.h"
#include "app/startup.h"
#include "births/birth_store.h"
#include "entry/frm_main.h"
#include "place/atlas.h"
#include "place/place_day.h"
#include "ui/app_icon.h"
#include "ui/program_font.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cstdlib>

namespace {

using namespace zenthra;

// The application object with its platform and fonts, and the program's
// name and icon: made once, in main().
double applicationMs = 0;

void application(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(QApplication::instance());
    state.counters["first_ms"] = applicationMs;
}
BENCHMARK(application)->Iterations(1);

// Runs step once, timed, into first_ms; then as often as the benchmark asks.
template <typename Step> void timeStep(benchmark::State& state, Step step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    const std::chrono::duration<double, std::milli> first =
        std::chrono::steady_clock::now() - start;
    for (auto _ : state)
        step();
    state.counters["first_ms"] = first.count();
}

// A store as a returning user has it: a few births, one of them the last.
const QString& savedStore()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("births.sqlite"));
    static const bool filled = [] {
        BirthStore store(path);
        QList<Birth> births;
        for (int i = 0; i < 20; ++i) {
            Birth b;
            b.name = QStringLiteral("BIRTH %1").arg(i);
            b.city = QStringLiteral("Pune");
            b.state = QStringLiteral("Maharashtra");
            b.country = QStringLiteral("India");
            b.year = 1947, b.month = 8, b.day = 15, b.hour = i, b.minute = 30;
            b.latDeg = 18, b.latMin = 31, b.lonDeg = 73, b.lonMin = 51;
            b.placeTime = PickedPlaceTime{QStringLiteral("Asia/Kolkata"), 19800, false};
            births << b;
        }
        return store.importBirths(births).has_value();
    }();
    if (!filled)
        std::abort();
    return path;
}

void fonts(benchmark::State& state)
{
    timeStep(state, [] {
        benchmark::DoNotOptimize(QFontMetrics(programFont(8.25)).height());
        benchmark::DoNotOptimize(QFontMetrics(programFont(8.25, true)).height());
    });
}
BENCHMARK(fonts)->Unit(benchmark::kMicrosecond);

// The program's icon, read as a window shows it.
void icons(benchmark::State& state)
{
    timeStep(state, [] {
        QApplication::setWindowIcon(applicationIcon());
        benchmark::DoNotOptimize(QApplication::windowIcon().pixmap(32).cacheKey());
    });
}
BENCHMARK(icons)->Unit(benchmark::kMicrosecond);

void atlasOpen(benchmark::State& state)
{
    timeStep(state, [] { benchmark::DoNotOptimize(Atlas::openBuiltIn().size()); });
}
BENCHMARK(atlasOpen)->Unit(benchmark::kMicrosecond);

// Opening the saved births and reading the most recent ones.
void storeOpen(benchmark::State& state)
{
    const QString& path = savedStore();
    timeStep(state, [&path] {
        BirthStore store(path);
        benchmark::DoNotOptimize(store.mostRecent());
        benchmark::DoNotOptimize(store.recent(5).size());
    });
}
BENCHMARK(storeOpen)->Unit(benchmark::kMicrosecond);

// The day strip for a restored birth at a picked place: the place's time
// minute by minute, then the rising signs.
void firstDayStrip(benchmark::State& state)
{
    ChartInputs in;
    in.year = 1947;
    in.month = 8;
    in.day = 15;
    in.lonDeg = 73, in.lonMin = 51, in.latDeg = 18, in.latMin = 31;
    in.east = true;
    const Place pune = Atlas::shared().search(QStringLiteral("Pune, India"), 1).at(0);
    timeStep(state, [&in, &pune] { benchmark::DoNotOptimize(dayStripBands(in, pune)); });
}
BENCHMARK(firstDayStrip)->Unit(benchmark::kMicrosecond);

void windowConstruction(benchmark::State& state)
{
    timeStep(state, [] {
        FrmMain window;
        RequestDriver driver(window);
        benchmark::DoNotOptimize(&window);
    });
}
BENCHMARK(windowConstruction)->Unit(benchmark::kMillisecond);

void restoreLastBirth(benchmark::State& state)
{
    FrmMain window;
    BirthStore store(savedStore());
    timeStep(state, [&window, &store] { window.setBirthStore(&store); });
}
BENCHMARK(restoreLastBirth)->Unit(benchmark::kMillisecond);

// Shown and painted once.
void show(benchmark::State& state)
{
    double first = -1;
    for (auto _ : state) {
        state.PauseTiming();
        {
            FrmMain window;
            state.ResumeTiming();
            const auto start = std::chrono::steady_clock::now();
            window.show();
            if (!QTest::qWaitForWindowExposed(&window))
                state.SkipWithError("the window was never shown");
            QApplication::processEvents();
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            if (first < 0)
                first = took.count();
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.counters["first_ms"] = first;
}
BENCHMARK(show)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto start = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    zenthra::describeApplication();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    applicationMs = took.count();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
