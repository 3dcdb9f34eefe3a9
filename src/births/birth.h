// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/chart_inputs.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace zenthra {

// What the place-time line held when the birth place was picked from the atlas.
struct PickedPlaceTime {
    QString zoneId;          // IANA id, "Asia/Kolkata"
    int offsetSeconds = 0;   // offset from UTC in force at the birth, east positive
    bool zoneByHand = false; // the zone or the box was changed after the pick
    bool operator==(const PickedPlaceTime& o) const
    {
        return zoneId == o.zoneId && offsetSeconds == o.offsetSeconds && zoneByHand == o.zoneByHand;
    }
};

// One saved birth, field for field as the main window holds it.
struct Birth {
    qint64 id = 0; // 0 until stored
    QString name;
    int year = 1900, month = 1, day = 1; // month 1..12
    int hour = 0, minute = 0, second = 0;
    QString city, state, country;
    int latDeg = 0, latMin = 0;
    bool south = false;
    int lonDeg = 0, lonMin = 0;
    bool west = false;
    int zonePosition = kDefaultZonePosition; // into the zone list
    QString zoneText;                        // the entry's text; set by the store
    // Kept exactly: the window reads a greyed box (PartiallyChecked) as ticked.
    Qt::CheckState dst = Qt::Unchecked;
    std::optional<PickedPlaceTime> placeTime;
    QDateTime savedAt;    // UTC; set by the store
    QDateTime lastUsedAt; // UTC; set by the store

    bool dstInForce() const { return dst != Qt::Unchecked; }
    // "Pune, Maharashtra, India"; empty parts are left out.
    QString placeText() const;
    // Everything the user entered is the same (ids and times aside).
    bool sameEntries(const Birth& o) const;
};

// The first field outside the window's limits, as "month 13 is outside 1-12"
// or "name is longer than 200 characters"; nothing when the birth can be
// computed and kept.
std::optional<QString> checkBirth(const Birth& b);

// What a birth is computed with, wherever it is computed: the zone entry
// and the daylight-saving box (greyed counts as ticked), unless the place was
// picked from the atlas and its time, kept to the minute, is not what the
// entry and the box give (an offset no entry has, or the place's own local
// mean time): then that offset. A zone set by hand always takes the entry.
ChartInputs birthChartInputs(const Birth& b);

// The zone list position for a stored position and text: the position when
// it is in the list, else the entry with that text, else -1.
int resolveZonePosition(int position, const QString& text);

} // namespace zenthra
