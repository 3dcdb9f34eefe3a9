// SPDX-License-Identifier: GPL-3.0-or-later
#include "births/search_key.h"

#include "place/atlas.h"

#include <QStringList>

namespace zenthra {

QString searchKey(const Birth& b)
{
    QStringList fields;
    for (const QString& field : {b.name, b.city, b.state, b.country})
        fields << foldPlaceName(field);
    return fields.join(QLatin1Char('\n'));
}

} // namespace zenthra
