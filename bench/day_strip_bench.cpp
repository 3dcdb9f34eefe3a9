// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's day strip after an edit: reading the inputs, the zone of
// every clock minute, 1,440 engine runs and the new bands on the strip. The
// user sees it follow each keystroke, so the median must stay under 2 ms.
// Runs in process on the offscreen platform.
#include "entry/day_strip.h"
#include "entry/frm_main.h"
#include "place/place_day.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

namespace {

using zenthra::FrmMain;

// Delhi, 15 August 1947, Indian time.
void enterDelhi1947(FrmMain& w)
{
    w.cboMonth->setCurrentIndex(7);
    w.cboDate->setCurrentIndex(14);
    w.cboYear->setCurrentIndex(w.cboYear->findText(QStringLiteral("1947")));
    w.txtLonD->setText(QStringLiteral("77"));
    w.txtLonM->setText(QStringLiteral("13"));
    w.txtLatD->setText(QStringLiteral("28"));
    w.txtLatM->setText(QStringLiteral("40"));
    w.cmbTimeZone->setCurrentIndex(34);
}

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
    enterDelhi1947(main);
    if (pickedPlace) {
        // 30 and 31 March 1985: the second day has the clocks go forward.
        main.cboYear->setCurrentIndex(main.cboYear->findText(QStringLiteral("1985")));
        main.cboMonth->setCurrentIndex(2);
        main.cboDate->setCurrentIndex(29);
        main.applyPlace(london());
    }
    main.show();
    QCoreApplication::processEvents();
    const int first = main.cboDate->currentIndex();
    int edits = 0;
    for (auto _ : state) {
        main.cboDate->setCurrentIndex(first + (++edits % 2));
        if (main.dayStrip->bands().empty()) {
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
