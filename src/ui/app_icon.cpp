// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app_icon.h"

#include <QSize>
#include <QString>

namespace zenthra {

QIcon applicationIcon()
{
    // Rendered PNGs rather than the SVG: Qt's SVG module is not a dependency.
    static const int kSizes[] = {16, 32, 48, 64, 128, 256};
    QIcon icon;
    for (const int size : kSizes) {
        icon.addFile(
            QStringLiteral(":/zenthra/icons/hicolor/%1x%1/apps/org.zenthra.Zenthra.png").arg(size),
            QSize(size, size));
    }
    return icon;
}

} // namespace zenthra
