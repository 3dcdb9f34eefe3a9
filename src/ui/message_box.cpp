// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/message_box.h"

#include "ui/app_strings.h"

namespace zenthra {

void showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon)
{
    QMessageBox box(icon, QLatin1String(kProgramTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace zenthra
