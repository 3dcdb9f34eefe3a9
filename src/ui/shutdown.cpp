// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shutdown.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include <utility>

namespace zenthra {
namespace {

std::function<void()>& processEnder()
{
    static std::function<void()> ender;
    return ender;
}

// Closing a window can run a close handler that asks for the shutdown again.
bool shuttingDown = false;

} // namespace

void setProcessEnder(std::function<void()> ender)
{
    processEnder() = std::move(ender);
}

void shutdownProgram()
{
    if (shuttingDown)
        return;
    shuttingDown = true;

    // Windows are unloaded later, not deleted here: this may run inside a
    // handler of one of them (a close event, a menu entry, a button).
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        window->close();
        // Owned windows (menus, dialogs) go with their owner; so does a
        // completer's suggestion list, a pop-up without a parent widget.
        if (window->parentWidget() == nullptr && window->windowType() != Qt::Popup)
            window->deleteLater();
    }

    shuttingDown = false;
    const std::function<void()> ender = processEnder(); // a copy: it may replace itself
    if (ender)
        ender();
    else
        QCoreApplication::exit(0);
}

} // namespace zenthra
