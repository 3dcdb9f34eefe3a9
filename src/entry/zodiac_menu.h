// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/chart_state.h"

#include <QMenu>

class QActionGroup;
class QLabel;
class QMenuBar;

namespace zenthra {

// The Zodiac menu: one checkable entry per zodiac, one checked at a time,
// the tropical zodiac first and the default. The choice is a way of viewing
// every birth, not part of one: it is kept in the user's settings between
// runs, never with a saved birth.
class ZodiacMenu : public QMenu {
    Q_OBJECT
public:
    // Joins the bar after its menus so far, and shows the choice in force in
    // the bar's right corner, where it moves no control of the window.
    explicit ZodiacMenu(QMenuBar* bar);

    Zodiac zodiac() const { return zodiac_; }
    // Checks the zodiac's entry and keeps the choice; says so when it differs.
    void setZodiac(Zodiac zodiac);

signals:
    void zodiacChanged(Zodiac zodiac);

private:
    void onEntryTriggered(QAction* entry);

    QActionGroup* entries_ = nullptr;
    QLabel* lblZodiac = nullptr;
    Zodiac zodiac_ = Zodiac::Tropical;
};

} // namespace zenthra
