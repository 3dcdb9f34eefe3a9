// SPDX-License-Identifier: GPL-3.0-or-later
// One press of "Find My Zodiac Rising Sign" until the result window is up
// and painted: validation, the engine, a new result window filled with the
// sign's profile and picture. The user waits for all of it, so it must stay
// well under 30 ms. Runs in process on the offscreen platform.
#include "engine/chart_state.h"
#include "entry/frm_main.h"
#include "app/request_driver.h"
#include "result/frm_display.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

namespace {

using zenthra::FrmDisplay;
using zenthra::FrmMain;
using zenthra::RequestDriver;

// Delhi, 15 August 1947, 00:00 Indian time: a Gemini ascendant.
void enterDelhi1947(FrmMain& w)
{
    w.txtName->setText(QStringLiteral("ADA"));
    w.cboMonth->setCurrentIndex(7);
    w.cboDate->setCurrentIndex(w.cboDate->findText(QStringLiteral("15")));
    w.cboYear->setCurrentIndex(w.cboYear->findText(QStringLiteral("1947")));
    w.txtLonD->setText(QStringLiteral("77"));
    w.txtLonM->setText(QStringLiteral("13"));
    w.txtLatD->setText(QStringLiteral("28"));
    w.txtLatM->setText(QStringLiteral("40"));
    w.cmbTimeZone->setCurrentIndex(34);
}

void pressFindToResultShown(benchmark::State& state)
{
    FrmMain main;
    RequestDriver driver(main);
    enterDelhi1947(main);
    main.show();
    QCoreApplication::processEvents();

    for (auto _ : state) {
        main.cmdRashi->click();
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
        display->cmdBack->click(); // closes and deletes the window, brings the main one back
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
