// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/zodiac_menu.h"

#include "engine/zodiac.h"
#include "rules/zodiac_text.h"
#include "ui/window_memory.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>

#include <algorithm>

namespace zenthra {
namespace {

const QString kZodiacKey = QStringLiteral("view/zodiac");

// The entry's text with its access key: the ayanamsa's initial, T for the
// tropical zodiac, all five different.
QString entryText(Zodiac zodiac)
{
    QString text = QString::fromUtf8(zodiacMenuText(zodiac));
    const int at = isSidereal(zodiac) ? text.indexOf(QString::fromUtf8(ayanamsaName(zodiac))) : 0;
    return text.insert(at, QLatin1Char('&'));
}

Zodiac savedZodiac()
{
    const QString saved = programSettings().value(kZodiacKey).toString();
    return siderealZodiacNamed(saved.toStdString()).value_or(Zodiac::Tropical);
}

} // namespace

ZodiacMenu::ZodiacMenu(QMenuBar* bar)
    : QMenu(QStringLiteral("Zod&iac"), bar)
{
    entries_ = new QActionGroup(this);
    entries_->setExclusive(true);
    zodiac_ = savedZodiac();
    for (const Zodiac z : kZodiacs) {
        QAction* entry = addAction(entryText(z));
        entry->setObjectName(QStringLiteral("mnu") + QString::fromUtf8(zodiacMenuText(z))
                                                         .remove(QLatin1Char(','))
                                                         .remove(QLatin1Char(' '))
                                                         .remove(QLatin1Char('-')));
        entry->setData(static_cast<int>(z));
        entry->setCheckable(true);
        entry->setChecked(z == zodiac_);
        entries_->addAction(entry);
    }
    bar->addMenu(this);

    lblZodiac = new QLabel(QString::fromStdString(zodiacInForceText(zodiac_)), bar);
    lblZodiac->setObjectName(QStringLiteral("lblZodiac"));
    lblZodiac->setTextFormat(Qt::PlainText);
    lblZodiac->setContentsMargins(8, 0, 8, 0);
    lblZodiac->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // As wide as the longest choice from the start: the bar places its
    // corner once, and a later choice must not be cut off.
    int widest = 0;
    for (const Zodiac z : kZodiacs)
        widest = std::max(widest, lblZodiac->fontMetrics().horizontalAdvance(
                                      QString::fromStdString(zodiacInForceText(z))));
    lblZodiac->setMinimumWidth(widest + 16);
    bar->setCornerWidget(lblZodiac, Qt::TopRightCorner);

    connect(entries_, &QActionGroup::triggered, this, &ZodiacMenu::onEntryTriggered);
}

void ZodiacMenu::onEntryTriggered(QAction* entry)
{
    setZodiac(static_cast<Zodiac>(entry->data().toInt()));
}

void ZodiacMenu::setZodiac(Zodiac zodiac)
{
    for (QAction* entry : entries_->actions())
        entry->setChecked(entry->data().toInt() == static_cast<int>(zodiac));
    if (zodiac == zodiac_)
        return;
    zodiac_ = zodiac;
    lblZodiac->setText(QString::fromStdString(zodiacInForceText(zodiac)));
    QSettings settings = programSettings();
    settings.setValue(kZodiacKey, isSidereal(zodiac) ? QString::fromUtf8(siderealOptionName(zodiac))
                                                     : QStringLiteral("tropical"));
    emit zodiacChanged(zodiac);
}

} // namespace zenthra
