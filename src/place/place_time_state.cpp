// SPDX-License-Identifier: GPL-3.0-or-later
#include "place/place_time_state.h"

#include "place/atlas_fold.h"
#include "place/place_time.h"
#include "rules/zone_table.h"

namespace zenthra {

std::optional<Place> PlaceTimeState::ownTimePlace() const
{
    return zoneByHand_ ? std::nullopt : picked_;
}

void PlaceTimeState::pick(const Place& place)
{
    picked_ = place;
    source_ = place;
    zoneByHand_ = false;
}

namespace {

// The boxes hold the place as a pick writes it (or its other name).
bool namesPlace(const PlaceNames& typed, const Place& place)
{
    const QString city = foldPlaceName(typed.city);
    return (city == foldPlaceName(place.name) ||
            (!place.matchedName.isEmpty() && city == foldPlaceName(place.matchedName))) &&
           foldPlaceName(typed.state) == foldPlaceName(place.state) &&
           foldPlaceName(typed.country) == foldPlaceName(place.country);
}

} // namespace

PlaceTimeView PlaceTimeState::resolve(QDate date, QTime time, bool announceNoFit)
{
    PlaceTimeView view;
    if (!picked_)
        return view;
    const QString where = picked_->displayName();
    refusal_.clear();
    if (!date.isValid()) {
        exact_.reset();
        view.zone = PlaceTimeView::Zone::None;
        view.status = where + QStringLiteral(": choose a real date to find its time zone");
        refusal_ = QStringLiteral("Choose a real date to find the time zone of %1.").arg(where);
        return view;
    }
    const PlaceChoice choice = choosePlaceTime(*picked_, date, time);
    view.status = choice.statusLine;
    if (choice.zonePosition >= 0) {
        exact_.reset();
        view.zone = PlaceTimeView::Zone::Entry;
        view.position = choice.zonePosition;
        view.dst = choice.dst;
        return view;
    }
    if (choice.exactOffset) {
        exact_ = choice.exactOffset;
        view.zone = PlaceTimeView::Zone::Exact;
        view.exactText = choice.exactZoneText;
        return view;
    }
    // No zone is shown rather than one that is not this place's time.
    exact_.reset();
    view.zone = PlaceTimeView::Zone::None;
    view.status = choice.statusLine + QStringLiteral("; choose a zone by hand");
    const QString byHand = QStringLiteral("Choose a zone by hand, or another place or date, "
                                          "to find the rising sign.");
    const QString inForce =
        QString::fromStdString(UtcOffset::fromSeconds(choice.time.offsetSeconds).text());
    refusal_ = choice.time.valid
                   ? QStringLiteral("No time zone in the list is %1, the time of %2 on that "
                                    "date. %3")
                         .arg(inForce, where, byHand)
                   : QStringLiteral("The time zone of %1 is unknown (%2). %3")
                         .arg(where, picked_->zoneId, byHand);
    if (announceNoFit && choice.time.valid)
        view.announcement = QStringLiteral("No time zone in the list is %1, the time of %2 on "
                                           "that date, so no zone is chosen.")
                                .arg(inForce, where);
    return view;
}

PlaceTimeView PlaceTimeState::dateOrTimeChanged(QDate date, QTime time)
{
    if (!picked_ || zoneByHand_)
        return {};
    return resolve(date, time, false);
}

PlaceTimeView PlaceTimeState::setByHand(bool zonePicked)
{
    // The box alone does not settle a zone that fits no entry: only a zone
    // picked from the list does.
    if (!picked_ || (!zonePicked && !refusal_.isEmpty()))
        return {};
    zoneByHand_ = true;
    refusal_.clear();
    PlaceTimeView view;
    view.status = picked_->displayName() + QStringLiteral(": zone and daylight saving set by hand");
    return view;
}

PlaceTimeView PlaceTimeState::zonePicked(int position)
{
    if (position >= kZoneCount)
        return {}; // the place time itself, chosen again
    exact_.reset();
    return setByHand(true);
}

PlaceTimeView PlaceTimeState::dstClicked()
{
    return setByHand(false);
}

PlaceTimeView PlaceTimeState::placeEdited(const PlaceNames& typed,
                                          const std::optional<Place>& nearest, QDate date,
                                          QTime time)
{
    PlaceTimeView view;
    if (!source_ || (picked_ && namesPlace(typed, *picked_)))
        return view;
    if (!picked_ && namesPlace(typed, *source_)) {
        pick(*source_);
        return resolve(date, time, false);
    }
    if (picked_) {
        picked_.reset();
        refusal_.clear();
        if (exact_) {
            exact_.reset();
            view.zone = PlaceTimeView::Zone::None;
        }
    }
    const QString city = typed.city.trimmed();
    const QString stillThere = QStringLiteral("the coordinates and zone are still those of %1")
                                   .arg(source_->displayName());
    if (city.isEmpty())
        view.status = stillThere.at(0).toUpper() + stillThere.mid(1) + QLatin1Char('.');
    else if (nearest)
        view.status = QStringLiteral("%1 is not in the atlas (did you mean %2?); %3.")
                          .arg(city, nearest->suggestionText(), stillThere);
    else
        view.status = QStringLiteral("%1: %2; pick the place from the list to use its own.")
                          .arg(city, stillThere);
    return view;
}

PlaceTimeView PlaceTimeState::coordinatesTaken(const QString& city, bool kept)
{
    PlaceTimeView view;
    if (!source_)
        return view;
    if (!picked_) {
        const QString where =
            city.trimmed().isEmpty() ? QStringLiteral("The place") : city.trimmed();
        view.status = kept ? QStringLiteral("%1: the coordinates and zone of %2, kept for it.")
                                 .arg(where, source_->displayName())
                           : QStringLiteral("%1: coordinates typed by hand; the zone is still "
                                            "that of %2.")
                                 .arg(where, source_->displayName());
    }
    source_.reset();
    return view;
}

PlaceTimeView PlaceTimeState::forget()
{
    picked_.reset();
    source_.reset();
    zoneByHand_ = false;
    refusal_.clear();
    exact_.reset();
    PlaceTimeView view;
    view.status = QString();
    return view;
}

PlaceTimeView PlaceTimeState::restore(const Place& place, bool zoneByHand, int savedOffsetSeconds,
                                      QDate date, QTime time)
{
    pick(place);
    if (zoneByHand)
        return setByHand(true);
    // The same place, date and time choose the same zone as when saved.
    PlaceTimeView view = resolve(date, time, false);
    const int savedMinutes = savedOffsetSeconds / 60;
    if (exact_ && exact_->seconds() / 60 != savedMinutes) {
        // A place's own mean time comes from its longitude, which the window
        // keeps to the minute of arc only: take the saved one.
        picked_->longitude = savedMinutes / 4.0;
        view = resolve(date, time, false);
    }
    return view;
}

QString PlaceTimeState::refusal(int zonePosition) const
{
    if (!refusal_.isEmpty())
        return refusal_;
    if (zonePosition < 0)
        return QStringLiteral("Choose the time zone of the birth place to find the rising sign.");
    return QString();
}

std::optional<UtcOffset> PlaceTimeState::zoneOffset(int zonePosition) const
{
    if (exact_ && zonePosition == kZoneCount)
        return exact_;
    if (const auto zone = resolveZone(zonePosition))
        return zone->offset();
    return std::nullopt;
}

} // namespace zenthra
