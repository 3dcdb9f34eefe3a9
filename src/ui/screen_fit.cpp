// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/screen_fit.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace zenthra {

QSize roomOnScreen(const QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QSize available = screen->availableGeometry().size();
    return available - QSize(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight));
}

QSize scrolledSize(QSize full, QSize room, int scrollBarExtent)
{
    bool vertical = full.height() > room.height();
    bool horizontal = full.width() > room.width();
    // One bar can take the room that makes the other needed.
    if (vertical && !horizontal)
        horizontal = full.width() + scrollBarExtent > room.width();
    if (horizontal && !vertical)
        vertical = full.height() + scrollBarExtent > room.height();
    const QSize bars(vertical ? scrollBarExtent : 0, horizontal ? scrollBarExtent : 0);
    return (full + bars).boundedTo(room);
}

} // namespace zenthra
