// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry/frm_main.h"

#include "births/birth.h"
#include "entry/zodiac_menu.h"
#include "rules/banner_draw.h"
#include "rules/input_rules.h"
#include "rules/zodiac_text.h"
#include "ui/accessibility.h"
#include "ui/app_icon.h"
#include "ui/app_strings.h"
#include "ui/link_label.h"
#include "ui/message_box.h"
#include "ui/program_font.h"
#include "ui/shutdown.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedLayout>

namespace zenthra {

FrmMain::FrmMain(QWidget* parent)
    : QWidget(parent)
{
    installAccessibility();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QLatin1String(kProgramTitle));
    setWindowIcon(applicationIcon());
    // Message boxes and menus opened from here take the window's font too.
    setAttribute(Qt::WA_WindowPropagation);
    setFont(programFont());

    createMenus();
    QWidget* page = layOutPage();
    applyColours();
    setTabOrderChain();
    installKeyFilters();
    // Seen before the digits-only filter, which would refuse Enter.
    for (QLineEdit* box : {txtLatD, txtLatM, txtLonD, txtLonM})
        box->installEventFilter(this);
    connectPlaceTime();
    connectDayStrip();
    connect(mnuZodiac, &ZodiacMenu::zodiacChanged, this, &FrmMain::onZodiacChanged);
    onZodiacChanged();
    scrollIfTooBig(page);
    txtName->setFocus();
}

void FrmMain::showMessage(const QString& text, MessageIcon icon)
{
    zenthra::showMessage(
        this, text, icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information);
}

BirthInputs FrmMain::typedInputs() const
{
    BirthInputs in;
    in.name = txtName->text().toStdString();
    in.lonDeg = txtLonD->text().toStdString();
    in.lonMin = txtLonM->text().toStdString();
    in.latDeg = txtLatD->text().toStdString();
    in.latMin = txtLatM->text().toStdString();
    in.year = cboYear->currentText().toInt();
    in.monthIndex = cboMonth->currentIndex();
    in.dayIndex = cboDate->currentIndex();
    return in;
}

std::optional<ChartInputs> FrmMain::chartInputs() const
{
    if (validatePlaceAndDate(typedInputs()) || !Zone_Calculation())
        return std::nullopt;
    ChartInputs in = birthChartInputs(currentBirth());
    in.zodiac = mnuZodiac->zodiac();
    return in;
}

// The day strip follows the menu at once; a result follows at the next Find.
void FrmMain::onZodiacChanged()
{
    cmdRashi->setAccessibleDescription(
        QString::fromStdString(zodiacInForceText(mnuZodiac->zodiac())));
    refreshDayStrip();
}

bool FrmMain::Input_Validation()
{
    const auto problem = validateInputs(typedInputs());
    if (!problem)
        return true;
    showMessage(QString::fromStdString(problem->message), problem->icon);
    switch (problem->focus) {
    case InputField::Name:
        txtName->setFocus();
        break;
    case InputField::LonDeg:
        txtLonD->setFocus();
        break;
    case InputField::LonMin:
        txtLonM->setFocus();
        break;
    case InputField::LatDeg:
        txtLatD->setFocus();
        break;
    case InputField::LatMin:
        txtLatM->setFocus();
        break;
    case InputField::None:
        break;
    }
    return false;
}

std::optional<UtcOffset> FrmMain::Zone_Calculation() const
{
    return placeTime_.zoneOffset(cmbTimeZone->currentIndex());
}

void FrmMain::applyBannerDraw(int draw)
{
    switch (bannerFront(draw)) {
    case BannerFront::CoBrand:
        promoStack_->setCurrentWidget(lblCobrand);
        break;
    case BannerFront::FullBrand:
        promoStack_->setCurrentWidget(lblFullBrand);
        break;
    case BannerFront::Unchanged:
        break;
    }
}
void FrmMain::focusPlaceBox(PlaceBox box)
{
    switch (box) {
    case PlaceBox::City:
        txtMCity->setFocus();
        break;
    case PlaceBox::State:
        txtMState->setFocus();
        break;
    case PlaceBox::Country:
        txtMCountry->setFocus();
        break;
    }
}

namespace {
bool isPlainEnter(const QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    return plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
}
} // namespace

void FrmMain::keyPressEvent(QKeyEvent* event)
{
    // Enter that no box took for itself (an open list or the town suggestions
    // pick with it) presses the focused button, else Find.
    if (isPlainEnter(event)) {
        event->accept();
        auto* button = qobject_cast<QPushButton*>(focusWidget());
        (button ? button : cmdRashi)->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isPlainEnter(static_cast<QKeyEvent*>(event))) {
        cmdRashi->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    shutdownProgram();
}

} // namespace zenthra
