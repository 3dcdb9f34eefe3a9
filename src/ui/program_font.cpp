// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program_font.h"

#include <QStringList>

namespace zenthra {

QFont programFont(double points, bool bold)
{
    QFont font(QStringLiteral("Verdana"));
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    if (points > 0)
        font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace zenthra
