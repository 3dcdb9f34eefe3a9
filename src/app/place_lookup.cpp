// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/place_lookup.h"

#include "births/birth.h"
#include "entry/frm_main.h"
#include "links/mod_help.h"
#include "links/web_search.h"
#include "ui/message_box.h"

namespace zenthra {

QString placeSearchText(const QString& city, const QString& state, const QString& country)
{
    return city + QLatin1Char(' ') + state + QLatin1Char(' ') + country +
           QStringLiteral(" Latitude longitude ");
}

void lookUpPlace(FrmMain& main)
{
    const Birth typed = main.currentBirth();
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
