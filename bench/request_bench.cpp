// SPDX-License-Identifier: GPL-3.0-or-later
// One press of "Find My Zodiac Rising Sign" until the result window is up
// and painted: validation, the engine, a new result window filled with the
// sign's profile and picture. The user waits for all of it, so it must stay
// well under 30 ms. Runs in process on the offscreen platform.
#include "app/request_driver.h"
#include "delhi_1947.h"
#include "engine/chart_state.h"
#include "entry/frm_main.h"
#include "result/frm_display.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QWindow>

namespace {

using zenthra::FrmDisplay;
using zenthra::FrmMain;
using zenthra::RequestDriver;

void pressFindToResultShown(benchmark::State& state)
{
    FrmMain main;
    RequestDriver driver(main);
    zenthra::Birth ada = delhi1947();
    ada.name = QStringLiteral("ADA");
    main.showBirth(ada);
    main.show();
    QCoreApplication::processEvents();
    auto* find = main.findChild<QPushButton*>(QStringLiteral("cmdRashi"));

    for (auto _ : state) {
        find->click();
        FrmDisplay* display = driver.display();
        if (display == nullptr || !display->isVisible()) {
            state.SkipWithError("no result window");
            break;
        }
        // Shown means on the screen and painted.
        while (!display->windowHandle()->isExposed())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();

        state.PauseTiming();
        // Closes and deletes the window, brings the main one back.
        display->findChild<QPushButton*>(QStringLiteral("cmdBack"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(pressFindToResultShown)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
