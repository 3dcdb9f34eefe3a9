// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's day strip after an edit: reading the inputs, the zone of
// every clock minute, 1,440 engine runs and the new bands on the strip. The
// user sees it follow each keystroke, so the median must stay under 2 ms.
// Runs in process on the offscreen platform.
#include "delhi_1947.h"
#include "entry/day_strip.h"
#include "entry/frm_main.h"
#include "place/place_day.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>

namespace {

using zenthra::FrmMain;

zenthra::Place london()
{
    zenthra::Place p;
    p.name = QStringLiteral("London");
    p.zoneId = QStringLiteral("Europe/London");
    p.latitude = 51.5;
    p.longitude = -0.1167;
    return p;
}

// One edit of the birth day, alternating between two days, until the strip
// shows the new day's bands.
void editDayOnWindow(benchmark::State& state, bool pickedPlace)
{
    FrmMain main;
    zenthra::Birth birth = delhi1947();
    if (pickedPlace) {
        // 30 and 31 March 1985: the second day has the clocks go forward.
        birth.year = 1985;
        birth.month = 3;
        birth.day = 30;
    }
    main.showBirth(birth);
    if (pickedPlace)
        main.applyPlace(london());
    main.show();
    QCoreApplication::processEvents();
    // The user's edit, on the window's own day list.
    auto* day = main.findChild<QComboBox*>(QStringLiteral("cboDate"));
    const auto* strip = main.findChild<zenthra::DayStrip*>(QStringLiteral("dayStrip"));
    const int first = day->currentIndex();
    int edits = 0;
    for (auto _ : state) {
        day->setCurrentIndex(first + (++edits % 2));
        if (strip->bands().empty()) {
            state.SkipWithError("no bands");
            break;
        }
    }
}

void stripAfterAnEdit(benchmark::State& state)
{
    editDayOnWindow(state, false);
}
BENCHMARK(stripAfterAnEdit)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void stripAfterAnEditPickedPlace(benchmark::State& state)
{
    editDayOnWindow(state, true);
}
BENCHMARK(stripAfterAnEditPickedPlace)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The window's inputs to bands alone, without the widgets: a place's own time
// on its clock-change day.
void inputsToBandsPickedPlace(benchmark::State& state)
{
    zenthra::ChartInputs in;
    in.year = 1985;
    in.month = 3;
    in.day = 31;
    in.latDeg = 51;
    in.latMin = 30;
    in.lonDeg = 0;
    in.lonMin = 7;
    const std::optional<zenthra::Place> place = london();
    for (auto _ : state) {
        auto bands = zenthra::dayStripBands(in, place);
        benchmark::DoNotOptimize(bands);
    }
}
BENCHMARK(inputsToBandsPickedPlace)->Unit(benchmark::kMillisecond);

} // namespace
