// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's saved births: the File menu's entries, the save after
// each Find, and filling the window from a saved birth.
#include "entry/frm_main.h"

#include "births/birth_store.h"
#include "entry/birth_text.h"
#include "entry/frm_open_birth.h"
#include "place/place_time.h"
#include "rules/input_rules.h"
#include "ui/message_box.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <cstdlib>

namespace zenthra {
namespace {

// How many saved births of a name a Find looks through for one to update.
constexpr int kNamesakeLimit = 50;

// The entries by which the store's saveRecent finds the birth it updates:
// name, date and time, place and coordinates (the zone follows them).
bool sameBirthMoment(const Birth& a, const Birth& b)
{
    return a.name == b.name && a.year == b.year && a.month == b.month && a.day == b.day &&
           a.hour == b.hour && a.minute == b.minute && a.second == b.second && a.city == b.city &&
           a.state == b.state && a.country == b.country && a.latDeg == b.latDeg &&
           a.latMin == b.latMin && a.south == b.south && a.lonDeg == b.lonDeg &&
           a.lonMin == b.lonMin && a.west == b.west;
}

void selectText(QComboBox* list, int value)
{
    list->setCurrentIndex(list->findText(QString::number(value)));
}

// A coordinate box as the window's checks read it; 0 when it holds no number.
int boxNumber(const QLineEdit* box)
{
    return toInt16(box->text().toStdString()).value_or(0);
}

// The list entry nearest an offset: what a reader of the zone column alone
// gets for a place time no entry has.
int nearestZonePosition(UtcOffset offset)
{
    const auto distance = [offset](int position) {
        return std::abs(zoneEntry(position).offset().seconds() - offset.seconds());
    };
    int best = kDefaultZonePosition;
    for (int p = 0; p < kZoneCount; ++p)
        if (distance(p) < distance(best))
            best = p;
    return best;
}

} // namespace

void FrmMain::createBirthMenus()
{
    mnuFile->addSeparator();
    const auto entry = [this](const char* name, const QString& text, QKeySequence keys) {
        QAction* action = mnuFile->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        return action;
    };
    mnuOpenBirth = entry("mnuOpenBirth", QStringLiteral("&Open Birth…"), QKeySequence::Open);
    mnuSaveBirth = entry("mnuSaveBirth", QStringLiteral("&Save Birth"), QKeySequence::Save);
    mnuSaveBirthAs = entry("mnuSaveBirthAs", QStringLiteral("Save Birth &As…"),
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mnuDeleteBirth = entry("mnuDeleteBirth", QStringLiteral("&Delete Birth"), QKeySequence());
    mnuFile->addSeparator();
    for (int i = 0; i < 5; ++i) {
        mnuRecent[i] = mnuFile->addAction(QString());
        mnuRecent[i]->setObjectName(QStringLiteral("mnuRecent_%1").arg(i));
        mnuRecent[i]->setVisible(false);
        connect(mnuRecent[i], &QAction::triggered, this, [this, i] {
            if (!store_)
                return;
            if (const auto birth = store_->byId(mnuRecent[i]->data().toLongLong()))
                showBirth(*birth);
            else
                fillRecentMenu(); // deleted meanwhile, by zenthra-calc perhaps
        });
    }
    mnuFile->addSeparator();
    for (QAction* a : {mnuOpenBirth, mnuSaveBirth, mnuSaveBirthAs, mnuDeleteBirth})
        a->setEnabled(false);
    connect(mnuOpenBirth, &QAction::triggered, this, &FrmMain::onOpenBirth);
    connect(mnuSaveBirth, &QAction::triggered, this, &FrmMain::onSaveBirth);
    connect(mnuSaveBirthAs, &QAction::triggered, this, &FrmMain::onSaveBirthAs);
    connect(mnuDeleteBirth, &QAction::triggered, this, &FrmMain::onDeleteBirth);
    // The other program may have changed the store since the last look.
    connect(mnuFile, &QMenu::aboutToShow, this, &FrmMain::fillRecentMenu);
}

void FrmMain::setBirthStore(BirthStore* store)
{
    store_ = store;
    birthId_ = 0;
    for (QAction* a : {mnuOpenBirth, mnuSaveBirth, mnuSaveBirthAs})
        a->setEnabled(store_ != nullptr);
    if (store_)
        if (const auto last = store_->mostRecent())
            showBirth(*last);
    fillRecentMenu();
}

void FrmMain::fillRecentMenu()
{
    const QList<Birth> births = store_ ? store_->recent(5) : QList<Birth>();
    const QList<bool> shared = namesShared(births);
    for (int i = 0; i < 5; ++i) {
        const bool shown = i < births.size();
        mnuRecent[i]->setVisible(shown);
        if (!shown)
            continue;
        QString name = births[i].name;
        // Two of one name: what tells them apart.
        if (shared[i])
            name += QStringLiteral(" (%1)").arg(distinguishingText(births[i]));
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        mnuRecent[i]->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        mnuRecent[i]->setData(births[i].id);
    }
    mnuDeleteBirth->setEnabled(store_ && birthId_ != 0 && store_->isSaving());
}

Birth FrmMain::currentBirth() const
{
    Birth b;
    b.id = birthId_;
    b.name = txtName->text();
    b.year = cboYear->currentText().toInt();
    b.month = cboMonth->currentIndex() + 1;
    b.day = cboDate->currentText().toInt();
    b.hour = cboHH->currentText().toInt();
    b.minute = cboMM->currentText().toInt();
    b.second = cboSS->currentText().toInt();
    b.city = txtMCity->text();
    b.state = txtMState->text();
    b.country = txtMCountry->text();
    b.latDeg = boxNumber(txtLatD);
    b.latMin = boxNumber(txtLatM);
    b.south = optLat[1]->isChecked();
    b.lonDeg = boxNumber(txtLonD);
    b.lonMin = boxNumber(txtLonM);
    b.west = optLong[1]->isChecked();
    b.dst = chkDST->checkState();
    const int position = cmbTimeZone->currentIndex();
    // The offset the chart is computed with, daylight saving included.
    int offsetSeconds = 0;
    if (const auto zone = Zone_Calculation()) {
        if (position == kZoneCount) {
            offsetSeconds = zone->seconds();
            b.zonePosition = nearestZonePosition(*zone);
        } else {
            offsetSeconds = zone->seconds() + (b.dstInForce() ? 3600 : 0);
            b.zonePosition = position;
        }
    }
    if (const auto& picked = placeTime_.pickedPlace())
        b.placeTime = PickedPlaceTime{picked->zoneId, offsetSeconds, placeTime_.zoneByHand()};
    return b;
}

void FrmMain::showBirth(const Birth& birth)
{
    // Let go of the shown place first, so that the date lists below do not
    // choose its zone again.
    showPlaceTime(placeTime_.forget());

    txtName->setText(birth.name);
    cboMonth->setCurrentIndex(birth.month - 1);
    selectText(cboDate, birth.day);
    selectText(cboYear, birth.year);
    selectText(cboHH, birth.hour);
    selectText(cboMM, birth.minute);
    selectText(cboSS, birth.second);
    txtMCity->setText(birth.city);
    txtMState->setText(birth.state);
    txtMCountry->setText(birth.country);
    txtLatD->setText(QString::number(birth.latDeg));
    txtLatM->setText(QString::number(birth.latMin));
    optLat[birth.south ? 1 : 0]->setChecked(true);
    txtLonD->setText(QString::number(birth.lonDeg));
    txtLonM->setText(QString::number(birth.lonMin));
    optLong[birth.west ? 1 : 0]->setChecked(true);
    cmbTimeZone->setCurrentIndex(birth.zonePosition);
    chkDST->setCheckState(birth.dst);
    birthId_ = birth.id;

    if (birth.placeTime) {
        Place place;
        place.name = birth.city;
        place.state = birth.state;
        place.country = birth.country;
        place.zoneId = birth.placeTime->zoneId;
        place.latitude = (birth.latDeg + birth.latMin / 60.0) * (birth.south ? -1 : 1);
        place.longitude = (birth.lonDeg + birth.lonMin / 60.0) * (birth.west ? -1 : 1);
        showPlaceTime(placeTime_.restore(place, birth.placeTime->zoneByHand,
                                         birth.placeTime->offsetSeconds, typedDate(), typedTime()));
    }
    settleDstBox(); // a birth saved with both a daylight entry and the box
    fillRecentMenu();
}

bool FrmMain::reportSaveFailure(const QString& what)
{
    zenthra::showMessage(this, what, QMessageBox::Warning);
    return false;
}

void FrmMain::saveFoundBirth()
{
    if (!store_)
        return;
    Birth birth = currentBirth();
    bool saved = false;
    if (const auto namesake = savedNamesake(birth); namesake && askToUpdate(*namesake)) {
        birth.id = namesake->id;
        saved = store_->save(birth);
    } else {
        saved = store_->saveRecent(birth);
    }
    if (saved) {
        birthId_ = birth.id;
        fillRecentMenu();
        return;
    }
    if (saveFailureShown_)
        return;
    saveFailureShown_ = true;
    reportSaveFailure(store_->lastError() +
                      QStringLiteral("\n\nZenthra goes on without saving births."));
}

std::optional<Birth> FrmMain::savedNamesake(const Birth& birth) const
{
    if (birth.name.trimmed().isEmpty())
        return std::nullopt;
    std::optional<Birth> namesake;
    for (const Birth& b : store_->search(birth.name, kNamesakeLimit, true)) {
        if (b.name != birth.name)
            continue;
        if (sameBirthMoment(b, birth))
            return std::nullopt; // saving updates that one
        // The birth shown, or else the most recently used of that name.
        if (!namesake || b.id == birthId_)
            namesake = b;
    }
    return namesake;
}

bool FrmMain::askToUpdate(const Birth& namesake)
{
    QMessageBox question(
        QMessageBox::Question, windowTitle(),
        QStringLiteral("%1 is saved with other entries:\n%2\n\nUpdate the saved birth with "
                       "these entries, or keep both?")
            .arg(namesake.name, distinguishingText(namesake)),
        QMessageBox::NoButton, this);
    QPushButton* update = question.addButton(QStringLiteral("&Update %1").arg(namesake.name),
                                             QMessageBox::AcceptRole);
    QPushButton* both = question.addButton(QStringLiteral("Keep &Both"), QMessageBox::RejectRole);
    question.setDefaultButton(update);
    question.setEscapeButton(both);
    question.exec();
    return question.clickedButton() == update;
}

void FrmMain::announceStoreRecovery()
{
    if (store_ && !store_->recoveryMessage().isEmpty())
        zenthra::showMessage(this, store_->recoveryMessage(), QMessageBox::Warning);
}

void FrmMain::onOpenBirth()
{
    if (!store_)
        return;
    FrmOpenBirth dialog(*store_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const auto birth = store_->byId(dialog.chosenId()))
        showBirth(*birth);
}

void FrmMain::onSaveBirth()
{
    if (!store_ || !Input_Validation() || !confirmPlace() || !checkPlaceTime())
        return;
    Birth birth = currentBirth();
    // The window opens on the last birth and is often typed over for the next
    // person: under another name it is another birth, never the old one replaced.
    if (birth.id != 0) {
        const auto shown = store_->byId(birth.id);
        if (!shown || shown->name != birth.name)
            birth.id = 0;
    }
    if (!store_->save(birth)) {
        reportSaveFailure(store_->lastError());
        return;
    }
    birthId_ = birth.id;
    fillRecentMenu();
}

void FrmMain::onSaveBirthAs()
{
    if (!store_ || !Input_Validation() || !confirmPlace() || !checkPlaceTime())
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("Save Birth As"),
                                               QStringLiteral("Save this birth under the name:"),
                                               QLineEdit::Normal, txtName->text(), &ok)
                             .trimmed();
    if (!ok || name.isEmpty())
        return;
    Birth birth = currentBirth();
    if (!store_->saveAs(birth, name)) {
        reportSaveFailure(store_->lastError());
        return;
    }
    txtName->setText(birth.name);
    birthId_ = birth.id;
    fillRecentMenu();
}

void FrmMain::onDeleteBirth()
{
    if (!store_ || birthId_ == 0)
        return;
    const auto birth = store_->byId(birthId_);
    const QString name = birth ? birth->name : txtName->text();
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Delete Birth"),
        QStringLiteral("Delete the saved birth of %1? The window keeps its entries.").arg(name),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (!store_->remove(birthId_)) {
        reportSaveFailure(store_->lastError());
        return;
    }
    birthId_ = 0;
    fillRecentMenu();
}

} // namespace zenthra
