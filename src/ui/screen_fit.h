// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QWidget;

namespace zenthra {

// The size a window may take on its screen: the available area, less a title
// bar that a window manager may add.
QSize roomOnScreen(const QWidget* window);

// The size of a window whose contents (full, the window's natural size) scroll
// within room: a scroll bar (extent wide) is added across each direction that
// needs one, and the whole is kept within room.
QSize scrolledSize(QSize full, QSize room, int scrollBarExtent);

} // namespace zenthra
