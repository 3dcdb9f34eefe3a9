// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>

namespace zenthra {

// A modal message with one OK button and the program's title as caption;
// returns when the user has closed it.
void showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon);

} // namespace zenthra
