// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"

#include <QObject>
#include <QPointer>

namespace zenthra {

class FrmMain;
class FrmDisplay;

// Turns one press of "Find My Zodiac Rising Sign" into a shown result: checks
// the inputs, computes their chart, fills the result window with the rising
// sign's profile, shows it and hides the main window. Back on the result
// window brings the main window back as it was.
class RequestDriver : public QObject {
    Q_OBJECT
public:
    explicit RequestDriver(FrmMain& main, QObject* parent = nullptr);

    void onCalculateRequested();

    // The result window while one exists; it is created on first use and
    // after every Back.
    FrmDisplay* display() const;
    // The chart of the last request that got as far as the engine; an empty
    // chart before the first.
    const ChartState& lastChart() const { return chart_; }

private:
    FrmDisplay& ensureDisplay();
    void onBack();

    FrmMain& main_;
    QPointer<FrmDisplay> display_;
    ChartState chart_;
};

} // namespace zenthra
