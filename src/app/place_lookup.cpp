// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/place_lookup.h"

#include "births/birth.h"
#include "entry/frm_main.h"
#include "links/mod_help.h"
#include "links/web_search.h"
#include "place/atlas.h"
#include "ui/message_box.h"

namespace zenthra {

QString placeSearchText(const QString& city, const QString& state, const QString& country)
{
    return city + QLatin1Char(' ') + state + QLatin1Char(' ') + country +
           QStringLiteral(" Latitude longitude ");
}

std::optional<Place> atlasPlaceFor(const QString& city, const QString& state,
                                   const QString& country)
{
    QStringList parts;
    for (const QString& part : {city, state, country})
        if (!part.trimmed().isEmpty())
            parts << part.trimmed();
    if (city.trimmed().isEmpty())
        return std::nullopt;
    const std::vector<PlaceMatch> found =
        Atlas::shared().match(parts.join(QStringLiteral(", ")), 1);
    if (found.empty() || !found.front().exact)
        return std::nullopt;
    return found.front().place;
}

void lookUpPlace(FrmMain& main)
{
    const Birth typed = main.currentBirth();
    // A town the atlas knows needs no web search.
    if (const auto place = atlasPlaceFor(typed.city, typed.state, typed.country)) {
        main.applyPlace(*place);
        return;
    }
    const struct {
        const QString& text;
        FrmMain::PlaceBox box;
        const char* message;
    } required[] = {
        {typed.city, FrmMain::PlaceBox::City, "Please Enter City"},
        {typed.state, FrmMain::PlaceBox::State, "Please Enter State"},
        {typed.country, FrmMain::PlaceBox::Country, "Please Enter Country"},
    };
    for (const auto& r : required) {
        if (r.text.isEmpty()) {
            showMessage(&main, QString::fromLatin1(r.message), QMessageBox::Critical);
            main.focusPlaceBox(r.box);
            return;
        }
    }
    const QString text = placeSearchText(typed.city, typed.state, typed.country);
    if (const auto search = createWebSearch())
        search->search(text, modHelp::pageAddress("home-page").toString());
}

} // namespace zenthra
