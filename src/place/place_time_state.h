// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "place/atlas.h"
#include "rules/utc_offset.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace zenthra {

// What the main window shows after a change of the place-time state: the zone
// list, the daylight-saving box, the line under the zone frame and a message.
// Whatever the zone, the extra entry after the 71 is listed exactly while the
// state has an exact zone, and the box is disabled meanwhile.
struct PlaceTimeView {
    enum class Zone {
        Keep,  // the selection and the box stay as they are
        Entry, // entry `position` selected, the box ticked as `dst`
        Exact, // the extra entry, reading `exactText`, selected; the box clear
        None,  // nothing selected, the box clear
    };
    Zone zone = Zone::Keep;
    int position = -1;
    bool dst = false;
    QString exactText; // "Place time, UTC+05:45 (Asia/Kathmandu)"
    // The line under the zone frame; unset leaves it, empty clears it.
    std::optional<QString> status;
    // Said once in a message box; empty for nothing.
    QString announcement;
};

// The place boxes of the window as typed.
struct PlaceNames {
    QString city, state, country;
};

// The main window's picked place and its time: the place picked from the
// atlas, whether the zone was then set by hand, the exact place time no zone
// entry expresses, and why the zone shown may not be the place's. Each change
// takes the window's date and time as values and says what to show.
class PlaceTimeState {
public:
    const std::optional<Place>& pickedPlace() const { return picked_; }
    bool zoneByHand() const { return zoneByHand_; }
    // The offset of the extra entry while it is listed.
    const std::optional<UtcOffset>& exactZone() const { return exact_; }
    // The place whose own time applies minute by minute: the picked one,
    // unless the zone was set by hand.
    std::optional<Place> ownTimePlace() const;
    // The place the coordinates in the window were taken from: the picked
    // one, and after the place boxes were typed over still that one, until
    // the coordinates are typed or kept for the new name.
    const std::optional<Place>& coordinatesPlace() const { return source_; }
    // The coordinates (and the zone) are those of a place the boxes no
    // longer name: a chart would be labelled with one place and computed for
    // another.
    bool drifted() const { return source_ && !picked_; }

    // A place was picked: its zone and daylight saving follow the date and
    // time from now on. Follow with resolve().
    void pick(const Place& place);
    // Chooses the zone of the picked place for a date and time. announceNoFit:
    // a place time no entry can show is also said in a message.
    PlaceTimeView resolve(QDate date, QTime time, bool announceNoFit);
    // The birth date or time changed: chosen again unless set by hand.
    PlaceTimeView dateOrTimeChanged(QDate date, QTime time);
    // An entry was chosen from the zone list by hand (the extra entry chosen
    // again changes nothing).
    PlaceTimeView zonePicked(int position);
    // The daylight-saving box was clicked. It settles the zone only when the
    // zone shown is the place's.
    PlaceTimeView dstClicked();
    // The city, state or country was typed over. While the boxes still name
    // the picked place nothing changes, and when they name again the place
    // the coordinates come from, it is picked again for the date and time.
    // Otherwise the picked place is let go and the line says whose
    // coordinates and zone stand; nearest, the place spelled most like a
    // city the atlas lacks, is offered there ("did you mean").
    PlaceTimeView placeEdited(const PlaceNames& typed, const std::optional<Place>& nearest,
                              QDate date, QTime time);
    // The coordinates were typed by hand, or kept (kept true) for the place
    // now named: they stand for no atlas place any more.
    PlaceTimeView coordinatesTaken(const QString& city, bool kept);
    // Lets go of everything, as before a saved birth is shown.
    PlaceTimeView forget();
    // A saved birth's picked place: its zone set by hand, or chosen again for
    // the date and time; savedOffsetSeconds is the offset it was saved with.
    PlaceTimeView restore(const Place& place, bool zoneByHand, int savedOffsetSeconds, QDate date,
                          QTime time);

    // Why no rising sign can be found with the zone at this list position
    // (-1 none selected); empty when it can.
    QString refusal(int zonePosition) const;
    // The offset of the zone at a list position, without the daylight-saving
    // hour: the entry's, or the exact one of the extra entry.
    std::optional<UtcOffset> zoneOffset(int zonePosition) const;

private:
    PlaceTimeView setByHand(bool zonePicked);

    std::optional<Place> picked_;
    std::optional<Place> source_;
    bool zoneByHand_ = false;
    // Why the zone shown is not the picked place's; empty when it is.
    QString refusal_;
    std::optional<UtcOffset> exact_;
};

} // namespace zenthra
