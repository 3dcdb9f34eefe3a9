// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace zenthra {

// What screen readers get beyond Qt's stock interfaces: link labels as links
// that can be pressed, the program's windows as windows, no hidden or merely
// decorative widget in the tree, and pop-up lists reachable from their window.
// Installed once per process; every window calls it before building widgets,
// since Qt keeps the first interface it hands out for a widget.
void installAccessibility();

// Keeps a widget that only decorates (a text's drop shadow) out of the tree.
void hideFromScreenReaders(QWidget* widget);

// Lists popup (a top-level pop-up list) as the last child of owner's window
// while it shows. Qt leaves pop-up windows out of the tree altogether.
void attachPopup(QWidget* popup, QWidget* owner);

} // namespace zenthra
