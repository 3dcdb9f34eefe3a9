// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/fill_display.h"

#include "result/frm_display.h"
#include "result/result_labels.h"
#include "rules/sign_facts.h"
#include "result/sign_image_list.h"
#include "result/sign_profiles.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace zenthra {

bool fillDisplay(FrmDisplay& form, int row, const SignImageList& images)
{
    if (row < 1 || row > kSignCount)
        return false;
    const SignProfile& profile = signProfile(row);

    form.lblYourRisingSign->setText(profile.name);
    form.txtYourLooks->setPlainText(profile.looks);
    form.txtYourNature->setPlainText(profile.nature);
    form.txtYourCareerandFinance->setPlainText(profile.career);
    form.txtYourLoveandDomesticLife->setPlainText(profile.love);
    form.txtYourHealth->setPlainText(profile.health);
    form.lblYourRulingPlanet->setText(profile.rulingPlanet);
    form.lblYourSymbol->setText(profile.symbol);
    form.lblYourElement->setText(profile.element);
    form.lblYourSignColor->setText(profile.signColor);
    form.lblYourTypeofSign->setText(profile.typeOfSign);
    form.lblYourLuckyDays->setText(profile.luckyDays);
    form.lblYourLuckyNumbers->setText(profile.luckyNumbers);
    form.lblYourLuckyDirection->setText(profile.luckyDirection);
    form.lblYourLuckyColors->setText(profile.luckyColors);
    form.lblYourLuckyGemstone->setText(profile.luckyGemstone);
    form.picSign->setPixmap(images.picture(row));
    form.picSign->setAccessibleName(profile.name + QStringLiteral(" picture"));
    return true;
}

} // namespace zenthra
