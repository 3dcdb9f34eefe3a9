// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/birth_text.h"

#include "births/birth.h"
#include "entry/frm_open_birth.h"

#include <QLatin1Char>
#include <QStringList>

namespace zenthra {

QString coordinatesText(const Birth& b)
{
    return QStringLiteral("%1° %2′ %3 %4° %5′ %6")
        .arg(b.latDeg)
        .arg(b.latMin, 2, 10, QLatin1Char('0'))
        .arg(b.south ? QLatin1Char('S') : QLatin1Char('N'))
        .arg(b.lonDeg)
        .arg(b.lonMin, 2, 10, QLatin1Char('0'))
        .arg(b.west ? QLatin1Char('W') : QLatin1Char('E'));
}

QString distinguishingText(const Birth& b)
{
    QStringList parts = {FrmOpenBirth::dateText(b)};
    if (!b.placeText().isEmpty())
        parts << b.placeText();
    parts << coordinatesText(b);
    return parts.join(QStringLiteral(", "));
}

QList<bool> namesShared(const QList<Birth>& births)
{
    QList<bool> shared(births.size(), false);
    for (qsizetype i = 0; i < births.size(); ++i)
        for (qsizetype j = i + 1; j < births.size(); ++j)
            if (births[i].name.trimmed().compare(births[j].name.trimmed(), Qt::CaseInsensitive) ==
                0)
                shared[i] = shared[j] = true;
    return shared;
}

} // namespace zenthra
