// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/place_lookup.h"

#include "ui/message_box.h"
#include "entry/frm_main.h"
#include "links/web_search.h"
#include "links/mod_help.h"

#include <QLineEdit>

namespace zenthra {

QString placeSearchText(const QString& city, const QString& state, const QString& country)
{
    return city + QLatin1Char(' ') + state + QLatin1Char(' ') + country +
           QStringLiteral(" Latitude longitude ");
}

void lookUpPlace(FrmMain& main)
{
    const struct {
        QLineEdit* box;
        const char* message;
    } required[] = {
        {main.txtMCity, "Please Enter City"},
        {main.txtMState, "Please Enter State"},
        {main.txtMCountry, "Please Enter Country"},
    };
    for (const auto& r : required) {
        if (r.box->text().isEmpty()) {
            showMessage(&main, QString::fromLatin1(r.message), QMessageBox::Critical);
            r.box->setFocus();
            return;
        }
    }
    const QString text =
        placeSearchText(main.txtMCity->text(), main.txtMState->text(), main.txtMCountry->text());
    if (const auto search = createWebSearch())
        search->search(text, modHelp::pageAddress("home-page").toString());
}

} // namespace zenthra
