// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's place-time state without the window: what each change
// asks the window to show. Offsets are those of the tz database (file asia)
// as the system's tzdata carries them: Nepal on +05:30 from 1920 and on
// +05:45 since 1986, Kathmandu's local mean time before 1920; India on
// +05:30 since 1945.
#include "place/place_time_state.h"

#include "rules/zone_table.h"

#include <gtest/gtest.h>

#include <string>

using namespace zenthra;
using Zone = PlaceTimeView::Zone;

namespace {

Place place(const char* name, const char* state, const char* country, const char* zoneId,
            double latitude, double longitude)
{
    Place p;
    p.name = QString::fromUtf8(name);
    p.state = QString::fromUtf8(state);
    p.country = QString::fromUtf8(country);
    p.zoneId = QString::fromUtf8(zoneId);
    p.latitude = latitude;
    p.longitude = longitude;
    return p;
}

const Place kKathmandu = place("Kathmandu", "", "Nepal", "Asia/Kathmandu", 27.7017, 85.3206);
const Place kPune = place("Pune", "Maharashtra", "India", "Asia/Kolkata", 18.5196, 73.8553);
const Place kAtlantis = place("Atlantis", "", "", "Ocean/Atlantis", 0, 0);
// Pokhara's longitude as the window keeps it, 83° 58' E: local mean time
// 335.87 minutes, +05:36.
const Place kPokhara = place("Pokhara", "", "Nepal", "Asia/Kathmandu", 28.2667, 83.9667);

std::string str(const QString& s)
{
    return s.toStdString();
}

TEST(PlaceTimeState, StepsOfTheWindow)
{
    enum Act { PickKathmandu, PickPune, PickAtlantis, Date, ZoneByHand, DstClick, EditPlace };
    const QDate y2000(2000, 6, 1), y1980(1980, 6, 1), feb31(2000, 2, 31);
    struct Step {
        Act act;
        QDate date;         // for picks and date changes
        int zonePicked;     // for ZoneByHand
        Zone zone;          // what the window is asked to show
        int shown;          // the list position shown after the step: 71 the extra entry
        const char* status; // the line under the zone frame; nullptr: left as it was
        const char* refusal;
        bool byHand;
    } const steps[] = {
        {PickKathmandu, y2000, 0, Zone::Exact, 71,
         "Kathmandu, Nepal: UTC+05:45 (Asia/Kathmandu), no daylight saving", "", false},
        {Date, y1980, 0, Zone::Entry, 34,
         "Kathmandu, Nepal: UTC+05:30 (Asia/Kathmandu), no daylight saving", "", false},
        {Date, feb31, 0, Zone::None, -1,
         "Kathmandu, Nepal: choose a real date to find its time zone",
         "Choose a real date to find the time zone of Kathmandu, Nepal.", false},
        // The box alone does not settle a zone the window cannot show.
        {DstClick, feb31, 0, Zone::Keep, -1, nullptr,
         "Choose a real date to find the time zone of Kathmandu, Nepal.", false},
        {Date, y2000, 0, Zone::Exact, 71, "Kathmandu, Nepal: UTC+05:45", "", false},
        {ZoneByHand, y2000, 71, Zone::Keep, 71, nullptr, "", false}, // the place time again
        {ZoneByHand, y2000, 70, Zone::Keep, 70,
         "Kathmandu, Nepal: zone and daylight saving set by hand", "", true},
        {Date, y1980, 0, Zone::Keep, 70, nullptr, "", true},
        {PickPune, QDate(1947, 8, 15), 0, Zone::Entry, 34,
         "Pune, Maharashtra, India: UTC+05:30 (Asia/Kolkata), no daylight saving", "", false},
        {DstClick, y2000, 0, Zone::Keep, 34,
         "Pune, Maharashtra, India: zone and daylight saving set by hand", "", true},
        {PickAtlantis, y1980, 0, Zone::None, -1,
         "Atlantis: unknown time zone (Ocean/Atlantis); choose a zone by hand",
         "The time zone of Atlantis is unknown (Ocean/Atlantis). Choose a zone by hand, or another "
         "place or date, to find the rising sign.",
         false},
        {ZoneByHand, y1980, 29, Zone::Keep, 29, "Atlantis: zone and daylight saving set by hand",
         "", true},
        {PickKathmandu, y2000, 0, Zone::Exact, 71, "Kathmandu, Nepal: UTC+05:45", "", false},
        // Typing over the place drops the extra entry and leaves no zone;
        // the line says whose coordinates stand, at each edit.
        {EditPlace, y2000, 0, Zone::None, -1,
         "Kath: the coordinates and zone are still those of Kathmandu, Nepal; pick the place "
         "from the list to use its own.",
         "Choose the time zone of the birth place to find the rising sign.", false},
        {EditPlace, y2000, 0, Zone::Keep, -1, "Kath: the coordinates and zone are still those",
         "Choose the time zone of the birth place to find the rising sign.", false},
        {DstClick, y2000, 0, Zone::Keep, -1, nullptr,
         "Choose the time zone of the birth place to find the rising sign.", false},
    };
    PlaceTimeState state;
    const QTime noon(12, 0);
    bool picked = false;
    for (const Step& step : steps) {
        SCOPED_TRACE("step " + std::to_string(&step - steps));
        PlaceTimeView view;
        switch (step.act) {
        case PickKathmandu:
        case PickPune:
        case PickAtlantis:
            picked = true;
            state.pick(step.act == PickKathmandu ? kKathmandu
                       : step.act == PickPune    ? kPune
                                                 : kAtlantis);
            view = state.resolve(step.date, step.act == PickPune ? QTime(0, 0) : noon, true);
            break;
        case Date:
            view = state.dateOrTimeChanged(step.date, noon);
            break;
        case ZoneByHand:
            view = state.zonePicked(step.zonePicked);
            break;
        case DstClick:
            view = state.dstClicked();
            break;
        case EditPlace:
            picked = false;
            view = state.placeEdited({QStringLiteral("Kath"), QString(), QStringLiteral("Nepal")},
                                     std::nullopt, step.date, noon);
            break;
        }
        EXPECT_EQ(view.zone, step.zone);
        if (step.zone == Zone::Entry) {
            EXPECT_EQ(view.position, step.shown);
        }
        EXPECT_FALSE(view.dst);
        EXPECT_TRUE(view.announcement.isEmpty());
        ASSERT_EQ(view.status.has_value(), step.status != nullptr);
        if (step.status) {
            EXPECT_EQ(str(*view.status).rfind(step.status, 0), 0u) << str(*view.status);
        }
        EXPECT_EQ(str(state.refusal(step.shown)), step.refusal);
        EXPECT_EQ(state.zoneByHand(), step.byHand);
        EXPECT_EQ(state.pickedPlace().has_value(), picked);
        EXPECT_EQ(state.ownTimePlace().has_value(), picked && !step.byHand);
        // The extra entry is listed while it is shown, and stands for +05:45.
        const bool exact = step.shown == kZoneCount;
        ASSERT_EQ(state.exactZone().has_value(), exact);
        if (step.zone == Zone::Exact) {
            EXPECT_EQ(str(view.exactText), "Place time, UTC+05:45 (Asia/Kathmandu)");
        }
        const auto offset = state.zoneOffset(step.shown);
        ASSERT_EQ(offset.has_value(), step.shown >= 0);
        if (exact) {
            EXPECT_EQ(offset->seconds(), 5 * 3600 + 45 * 60);
        } else if (offset) {
            EXPECT_EQ(*offset, zoneEntry(step.shown).offset());
        }
    }
}

// The place boxes typed over after a pick: whose coordinates stand, and
// when they stand for no atlas place any more.
TEST(PlaceTimeState, CoordinatesOfAPlaceNoLongerNamed)
{
    enum Act { Type, Coordinates, Keep };
    const struct {
        Act act;
        const char *city, *state;
        bool nearest;       // the atlas offers Mumbai as spelled most like the city
        const char* status; // nullptr: left as it was
        bool picked, drifted;
    } steps[] = {
        // Another case, and the other name, still name the pick.
        {Type, "PUNE", "Maharashtra", false, nullptr, true, false},
        {Type, "Bombey", "Maharashtra", true,
         "Bombey is not in the atlas (did you mean Mumbai (Bombay), Maharashtra, India?); the "
         "coordinates and zone are still those of Pune, Maharashtra, India.",
         false, true},
        {Type, "", "Maharashtra", false,
         "The coordinates and zone are still those of Pune, Maharashtra, India.", false, true},
        // Named again: picked again, its zone chosen for the date.
        {Type, "pune", "maharashtra", false,
         "Pune, Maharashtra, India: UTC+05:30 (Asia/Kolkata), no daylight saving", true, false},
        {Type, "Pune", "Goa", false,
         "Pune: the coordinates and zone are still those of Pune, Maharashtra, India; pick the "
         "place from the list to use its own.",
         false, true},
        {Coordinates, "Pune", "Goa", false,
         "Pune: coordinates typed by hand; the zone is still that of Pune, Maharashtra, India.",
         false, false},
        // Typed coordinates belong to no place: nothing more to say.
        {Type, "Lonavala", "Goa", false, nullptr, false, false},
        {Keep, "Lonavala", "Goa", false, nullptr, false, false},
    };
    PlaceTimeState state;
    state.pick(kPune);
    (void)state.resolve({1947, 8, 15}, QTime(0, 0), false);
    Place mumbai = place("Mumbai", "Maharashtra", "India", "Asia/Kolkata", 19.07, 72.88);
    mumbai.matchedName = QStringLiteral("Bombay");
    for (const auto& step : steps) {
        SCOPED_TRACE("step " + std::to_string(&step - steps));
        const QString city = QString::fromUtf8(step.city);
        const PlaceTimeView view =
            step.act == Type
                ? state.placeEdited({city, QString::fromUtf8(step.state), QStringLiteral("India")},
                                    step.nearest ? std::optional(mumbai) : std::nullopt,
                                    {1947, 8, 15}, QTime(0, 0))
                : state.coordinatesTaken(city, step.act == Keep);
        EXPECT_EQ(view.status ? str(*view.status) : "-", step.status ? step.status : "-");
        EXPECT_EQ(state.pickedPlace().has_value(), step.picked);
        EXPECT_EQ(state.drifted(), step.drifted);
    }
    // Kept for the new name: said once, then the coordinates are that name's.
    state.pick(kPune);
    (void)state.placeEdited({QStringLiteral("Lonavala"), QString(), QString()}, std::nullopt,
                            {1947, 8, 15}, QTime(0, 0));
    EXPECT_EQ(str(*state.coordinatesTaken(QStringLiteral("Lonavala"), true).status),
              "Lonavala: the coordinates and zone of Pune, Maharashtra, India, kept for it.");
    EXPECT_FALSE(state.drifted());
}

// A saved birth's place time comes back as it was saved, local mean time
// included, which the window's longitude alone may miss by a minute.
TEST(PlaceTimeState, RestoreASavedPlaceTime)
{
    struct Case {
        const char* name;
        Place place;
        bool byHand;
        QDate date;
        int savedSeconds;
        Zone zone;
        int exactSeconds; // the extra entry's offset; -1 none listed
        const char* status;
    } const cases[] = {
        {"Kathmandu 2000",
         kKathmandu,
         false,
         {2000, 6, 1},
         20700,
         Zone::Exact,
         20700,
         "Kathmandu, Nepal: UTC+05:45 (Asia/Kathmandu)"},
        {"Kathmandu 1980",
         kKathmandu,
         false,
         {1980, 6, 1},
         19800,
         Zone::Entry,
         -1,
         "Kathmandu, Nepal: UTC+05:30 (Asia/Kathmandu)"},
        {"Pokhara 1910, as the window has it",
         kPokhara,
         false,
         {1910, 6, 1},
         20160,
         Zone::Exact,
         20160,
         "Pokhara, Nepal: local mean time of the place, UTC+05:36"},
        // Saved with a minute less than the window's longitude gives: the saved one wins.
        {"Pokhara 1910, saved a minute apart",
         kPokhara,
         false,
         {1910, 6, 1},
         20100,
         Zone::Exact,
         20100,
         "Pokhara, Nepal: local mean time of the place, UTC+05:35"},
        {"Pune by hand",
         kPune,
         true,
         {1947, 8, 15},
         19800,
         Zone::Keep,
         -1,
         "Pune, Maharashtra, India: zone and daylight saving set by hand"},
    };
    PlaceTimeState state;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state.pick(kAtlantis);
        (void)state.resolve(c.date, QTime(12, 0), false);
        const PlaceTimeView cleared = state.forget();
        EXPECT_EQ(cleared.status, QString());
        EXPECT_FALSE(state.pickedPlace());
        EXPECT_EQ(state.refusal(0), QString());

        const PlaceTimeView view =
            state.restore(c.place, c.byHand, c.savedSeconds, c.date, QTime(12, 0));
        EXPECT_EQ(view.zone, c.zone);
        ASSERT_TRUE(view.status);
        EXPECT_TRUE(view.status->startsWith(QString::fromUtf8(c.status))) << str(*view.status);
        EXPECT_EQ(state.zoneByHand(), c.byHand);
        ASSERT_EQ(state.exactZone().has_value(), c.exactSeconds >= 0);
        if (c.exactSeconds >= 0) {
            EXPECT_EQ(state.exactZone()->seconds(), c.exactSeconds);
        }
    }
}

} // namespace
