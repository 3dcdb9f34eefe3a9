// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>

class QWidget;

namespace zenthra {

// The program's own settings file (Zenthra/Zenthra.conf in the user's
// settings folder), wherever the application object is named; the
// application sets no organisation name, which would also move its data
// folder.
QSettings programSettings();

// Gives a window the place and size it had when it was last hidden or
// closed, in this run or an earlier one, and keeps them from now on. They
// are kept under key in the program's settings (Zenthra/Zenthra.conf in the
// user's settings folder); a place on a screen that is gone is moved
// onto one that is there. Call it once the window is built, before it shows.
void rememberGeometry(QWidget* window, const QString& key);

} // namespace zenthra
