// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's picked place and its time, shown as the place-time state
// decides, and the day strip that follows the inputs.
#include "entry/frm_main.h"

#include "entry/day_strip.h"
#include "entry/place_completer.h"
#include "place/place_day.h"
#include "place/place_time.h"
#include "rules/input_rules.h"
#include "rules/zone_table.h"
#include "ui/status_label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <algorithm>

namespace zenthra {

void FrmMain::connectPlaceTime()
{
    placeCompleter = new PlaceCompleter(txtMCity);
    placeCompleter->setObjectName(QStringLiteral("placeCompleter"));
    connect(placeCompleter, &PlaceCompleter::placeChosen, this, &FrmMain::applyPlace);
    // Hand changes win until another place is picked.
    connect(cmbTimeZone, &QComboBox::activated, this,
            [this](int position) { showPlaceTime(placeTime_.zonePicked(position)); });
    connect(chkDST, &QCheckBox::clicked, this, [this] { showPlaceTime(placeTime_.dstClicked()); });
    // Before the day strip's handler, so that the strip sees the box as it ends.
    connect(cmbTimeZone, &QComboBox::currentIndexChanged, this, &FrmMain::settleDstBox);
    // Typing another place lets go of the picked one, and of its own time;
    // the line then says whose coordinates stand. The completer has offered
    // its list for the city by then: it was connected first.
    for (QLineEdit* box : {txtMCity, txtMState, txtMCountry})
        connect(box, &QLineEdit::textEdited, this, [this] {
            showPlaceTime(placeTime_.placeEdited(typedPlace(), placeCompleter->nearestOffered(),
                                                 typedDate(), typedTime()));
        });
    // Coordinates typed by hand belong to no atlas place.
    const auto typed = [this] {
        showPlaceTime(placeTime_.coordinatesTaken(txtMCity->text(), false));
    };
    for (QLineEdit* box : {txtLatD, txtLatM, txtLonD, txtLonM})
        connect(box, &QLineEdit::textEdited, this, typed);
    for (QRadioButton* option : {optLat[0], optLat[1], optLong[0], optLong[1]})
        connect(option, &QRadioButton::clicked, this, typed);
    for (QComboBox* list : {cboMonth, cboDate, cboYear, cboHH, cboMM})
        connect(list, &QComboBox::currentIndexChanged, this,
                [this] { showPlaceTime(placeTime_.dateOrTimeChanged(typedDate(), typedTime())); });
}

void FrmMain::applyPlace(const Place& place)
{
    // The day strip follows once the whole place is in, not box by box.
    stripHeld_ = true;
    placeTime_.pick(place);
    txtMCity->setText(place.name);
    txtMState->setText(place.state);
    txtMCountry->setText(place.country);
    const WindowCoordinates at = toWindowCoordinates(place.latitude, place.longitude);
    txtLatD->setText(QString::number(at.latDegrees));
    txtLatM->setText(QString::number(at.latMinutes));
    optLat[at.south ? 1 : 0]->setChecked(true);
    txtLonD->setText(QString::number(at.lonDegrees));
    txtLonM->setText(QString::number(at.lonMinutes));
    optLong[at.west ? 1 : 0]->setChecked(true);
    stripHeld_ = false;
    showPlaceTime(placeTime_.resolve(typedDate(), typedTime(), true));
    refreshDayStrip();
}

QDate FrmMain::typedDate() const
{
    return QDate(cboYear->currentText().toInt(), cboMonth->currentIndex() + 1,
                 cboDate->currentText().toInt());
}

QTime FrmMain::typedTime() const
{
    return QTime(cboHH->currentText().toInt(), cboMM->currentText().toInt());
}

PlaceNames FrmMain::typedPlace() const
{
    return {txtMCity->text(), txtMState->text(), txtMCountry->text()};
}

bool FrmMain::confirmPlace()
{
    if (!placeTime_.drifted())
        return true;
    const Place from = *placeTime_.coordinatesPlace();
    const QString city = txtMCity->text().trimmed();
    // The atlas place the City box names, or the one spelled most like it.
    std::optional<Place> offered;
    if (!city.isEmpty()) {
        std::vector<Place> found = Atlas::shared().search(city, 1);
        if (found.empty())
            found = Atlas::shared().nearest(city, 1);
        if (!found.empty())
            offered = found.front();
    }
    QMessageBox question(QMessageBox::Question, windowTitle(),
                         city.isEmpty()
                             ? QStringLiteral("The coordinates and time zone are those of %1, but "
                                              "the City box is empty.")
                                   .arg(from.displayName())
                             : QStringLiteral("The coordinates and time zone are those of %1, but "
                                              "the City box says %2.")
                                   .arg(from.displayName(), city),
                         QMessageBox::NoButton, this);
    question.setInformativeText(QStringLiteral("Which place was the birth in?"));
    QPushButton* use = nullptr;
    if (offered)
        use = question.addButton(QStringLiteral("Use %1").arg(offered->suggestionText()),
                                 QMessageBox::AcceptRole);
    QPushButton* keep = question.addButton(
        QStringLiteral("Keep the coordinates of %1").arg(from.name), QMessageBox::AcceptRole);
    QPushButton* cancel = question.addButton(QMessageBox::Cancel);
    question.setDefaultButton(cancel);
    question.setEscapeButton(cancel);
    question.exec();
    if (use && question.clickedButton() == use) {
        applyPlace(*offered);
        return true;
    }
    if (question.clickedButton() == keep) {
        showPlaceTime(placeTime_.coordinatesTaken(city, true));
        return true;
    }
    txtMCity->setFocus();
    return false;
}

void FrmMain::showPlaceTime(const PlaceTimeView& view)
{
    if (view.status)
        lblPlaceTime->setText(*view.status);
    if (!placeTime_.exactZone() && cmbTimeZone->count() > kZoneCount)
        cmbTimeZone->removeItem(kZoneCount);
    switch (view.zone) {
    case PlaceTimeView::Zone::Keep:
        break;
    case PlaceTimeView::Zone::Entry:
        cmbTimeZone->setCurrentIndex(view.position);
        chkDST->setChecked(view.dst);
        break;
    case PlaceTimeView::Zone::Exact:
        if (cmbTimeZone->count() == kZoneCount)
            cmbTimeZone->addItem(view.exactText);
        else
            cmbTimeZone->setItemText(kZoneCount, view.exactText);
        cmbTimeZone->setCurrentIndex(kZoneCount);
        break;
    case PlaceTimeView::Zone::None:
        cmbTimeZone->setCurrentIndex(-1);
        chkDST->setCheckState(Qt::Unchecked);
        break;
    }
    settleDstBox();
    if (!view.announcement.isEmpty())
        showMessage(view.announcement, MessageIcon::Information);
}

void FrmMain::settleDstBox()
{
    // The exact place time and an entry that names daylight time both hold
    // the daylight-saving hour already: the box is clear and cannot be
    // ticked (greyed would count as ticked).
    const int position = cmbTimeZone->currentIndex();
    QString why;
    if (position == kZoneCount && placeTime_.exactZone())
        why = QStringLiteral("Daylight saving is part of the place time.");
    else if (const auto entry = resolveZone(position); entry && namesDaylightTime(*entry))
        why = QStringLiteral("This zone already includes the daylight-saving hour.");
    if (!why.isEmpty())
        chkDST->setCheckState(Qt::Unchecked);
    chkDST->setEnabled(why.isEmpty());
    chkDST->setToolTip(why);
}

bool FrmMain::checkPlaceTime()
{
    const QString refusal = placeTime_.refusal(cmbTimeZone->currentIndex());
    if (refusal.isEmpty())
        return true;
    showMessage(refusal, MessageIcon::Information);
    cmbTimeZone->setFocus();
    return false;
}

void FrmMain::connectDayStrip()
{
    const auto refresh = [this] { refreshDayStrip(); };
    // Connected after the place-time handlers, so the strip sees the zone
    // they choose and whether it is set by hand.
    for (QComboBox* list : {cboMonth, cboDate, cboYear, cboHH, cboMM, cmbTimeZone})
        connect(list, &QComboBox::currentIndexChanged, this, refresh);
    connect(cmbTimeZone, &QComboBox::activated, this, refresh);
    for (QLineEdit* box : {txtLatD, txtLatM, txtLonD, txtLonM})
        connect(box, &QLineEdit::textChanged, this, refresh);
    for (QLineEdit* box : {txtMCity, txtMState, txtMCountry})
        connect(box, &QLineEdit::textEdited, this, refresh);
    for (QRadioButton* option : {optLat[0], optLat[1], optLong[0], optLong[1]})
        connect(option, &QRadioButton::toggled, this, refresh);
    connect(chkDST, &QCheckBox::stateChanged, this, refresh);
    connect(chkDST, &QCheckBox::clicked, this, refresh);
    for (QComboBox* list : {cboHH, cboMM})
        connect(list, &QComboBox::currentIndexChanged, this, [this] {
            if (!settingTimeFromStrip_)
                timeFromDayStrip_ = false;
        });
    connect(dayStrip, &DayStrip::bandChosen, this, &FrmMain::onBandChosen);
    refreshDayStrip();
}

void FrmMain::refreshDayStrip()
{
    if (stripHeld_)
        return;
    // A picked place's own time applies minute by minute unless the zone was set by hand.
    const std::optional<ChartInputs> inputs = chartInputs();
    std::optional<std::vector<RisingBand>> computed;
    if (inputs)
        computed = dayStripBands(*inputs, placeTime_.ownTimePlace());
    std::vector<RisingBand> bands = computed ? std::move(*computed) : std::vector<RisingBand>();
    const int birthMinute = cboHH->currentText().toInt() * 60 + cboMM->currentText().toInt();
    dayStrip->setMarker(bands.empty() ? -1 : birthMinute);
    const auto same = [](const RisingBand& a, const RisingBand& b) {
        return a.code == b.code && a.fromMinute == b.fromMinute && a.toMinute == b.toMinute;
    };
    const std::vector<RisingBand>& shown = dayStrip->bands();
    if (std::equal(bands.begin(), bands.end(), shown.begin(), shown.end(), same))
        return; // a time edit only moves the marker; the keyboard stays where it is
    dayStrip->setBands(std::move(bands));
    // New bands join the end of the window's tab chain: put them back after
    // the zone frame, where the strip lies.
    QWidget* previous = chkDST;
    for (DayBandButton* band : dayStrip->bandButtons()) {
        setTabOrder(previous, band);
        previous = band;
    }
    setTabOrder(previous, cmdRashi);
}

// The middle of the band, where its sign rises for sure.
void FrmMain::onBandChosen(int fromMinute, int toMinute)
{
    const int middle = (fromMinute + toMinute) / 2;
    {
        const QScopedValueRollback setting(settingTimeFromStrip_, true);
        cboHH->setCurrentIndex(cboHH->findText(QString::number(middle / 60)));
        cboMM->setCurrentIndex(cboMM->findText(QString::number(middle % 60)));
    }
    timeFromDayStrip_ = true;
}

} // namespace zenthra
