// SPDX-License-Identifier: GPL-3.0-or-later
#include "result/frm_display.h"

#include "links/mod_help.h"
#include "result/result_labels.h"
#include "result/sign_image_list.h"
#include "result/sign_profiles.h"
#include "rules/sign_facts.h"
#include "ui/accessibility.h"
#include "ui/app_strings.h"
#include "ui/link_label.h"
#include "ui/program_font.h"
#include "ui/save_names.h"
#include "ui/screen_fit.h"
#include "ui/shutdown.h"
#include "ui/status_label.h"
#include "wheel/frm_wheel.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>

namespace zenthra {
namespace {

const QColor kMaroon(0x67, 0x0A, 0x23);
const QColor kTeal(0x42, 0xAE, 0xC1);
const QColor kPeach(0xFF, 0xE0, 0xC0);
const QColor kBrown(0x80, 0x40, 0x00);
const QColor kDarkRed(0x40, 0x00, 0x00);

// The layout is drawn in twips; the screen has 15 twips to a pixel.
int px(int twips)
{
    return qRound(twips / 15.0);
}
QRect twipRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

QFont verdana(double points, bool bold)
{
    return programFont(points, bold);
}

constexpr double kFactPoints = 7.5;
constexpr double kLeastFactPoints = 6;

// The computed facts have fixed places between the profile's controls: a
// long text (a sidereal zodiac, the day strip's note, the polar and the cusp
// note together) takes smaller type rather than being cut off.
void fitToHeight(QLabel* label, double points, bool bold)
{
    for (;; points -= 0.5) {
        label->setFont(verdana(points, bold));
        if (label->heightForWidth(label->width()) <= label->height() || points <= kLeastFactPoints)
            return;
    }
}

template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QWidget* band(QWidget* parent, const char* name, const QRect& where, const QColor& color)
{
    auto* widget = named(new QWidget(parent), name);
    widget->setGeometry(where);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    return widget;
}

} // namespace

FrmDisplay::FrmDisplay(QWidget* parent)
    : QMainWindow(parent)
{
    installAccessibility();
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(QString::fromUtf8(kProgramTitle));
    // A fixed frame with only a close box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // Back discards the window; closing it must never end the event loop on
    // its own, since the main window is only hidden at that moment.
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto* client = named(new QWidget(this), "clientArea");
    client->setFixedSize(697, 545);
    client->setAutoFillBackground(true);
    client->setFont(verdana(8.25, false));
    setCentralWidget(client);

    topBanner = band(client, "topBanner", twipRect(0, 0, 10455, 735), kMaroon);
    mainArea = band(client, "mainArea", twipRect(0, 720, 10455, 6615), kTeal);
    bottomStrip = band(client, "bottomStrip", twipRect(0, 7320, 10455, 855), kMaroon);

    buildBanner();
    buildMainArea();
    buildBottomStrip();
    buildMenus();
    buildSkyLine();

    // The result itself first: the sign and what was computed, then the texts.
    setTabOrder(lblYourRisingSign, lblAscendant);
    setTabOrder(lblAscendant, lblCuspNote);
    setTabOrder(lblCuspNote, txtYourLooks);
    setTabOrder(txtYourLooks, txtYourLoveandDomesticLife);
    setTabOrder(txtYourLoveandDomesticLife, txtYourHealth);
    setTabOrder(txtYourHealth, txtYourCareerandFinance);
    setTabOrder(txtYourCareerandFinance, txtYourNature);
    setTabOrder(txtYourNature, cmdBack);
    setTabOrder(cmdBack, cmdExit);
    setTabOrder(cmdExit, cmdChartWheel);
    // The links come last.
    setTabOrder(cmdChartWheel, Label61);
    setTabOrder(Label61, lblFullBrand);
    lblYourRisingSign->setFocus();

    // The menu bar sits above the client area, which keeps its size.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    scrollIfTooBig();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void FrmDisplay::buildBanner()
{
    Label61 = named(new LinkLabel(QString::fromUtf8(kBannerText), topBanner), "Label61");
    Label61->setForegroundRole(QPalette::WindowText);
    Label61->setGeometry(twipRect(0, 160, 10440, 585));
    Label61->setFont(verdana(9, true));
    Label61->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTextColor(Label61, kPeach);
    connect(Label61, &LinkLabel::clicked, this, &modHelp::OpenHomePage);
}

void FrmDisplay::buildMainArea()
{
    struct Fact {
        QLabel** caption;
        const char* captionName;
        const char* captionText;
        QRect captionAt;
        AutoSizeLabel** value;
        const char* valueName;
        QRect valueAt;
        const char* placeholder;
    };
    const Fact facts[] = {
        {&Label18, "Label18", "Your Rising Sign", twipRect(4440, 240, 1605, 195),
         &lblYourRisingSign, "lblYourRisingSign", twipRect(4320, 480, 1890, 210),
         "lblYour Rising Sign"},
        {&Label15, "Label15", "Your Element", twipRect(1140, 780, 1335, 195), &lblYourElement,
         "lblYourElement", twipRect(1140, 1056, 1335, 195), "lblYour Element"},
        {&Label12, "Label12", "Your Lucky Days", twipRect(997, 1328, 1620, 195), &lblYourLuckyDays,
         "lblYourLuckyDays", twipRect(990, 1600, 1635, 195), "lblYour Lucky Days"},
        {&Label14, "Label14", "Your Sign Color", twipRect(1057, 1872, 1500, 195), &lblYourSignColor,
         "lblYourSignColor", twipRect(1035, 2144, 1545, 195), "lblYour Sign Color"},
        {&Label16, "Label16", "Your Symbol", twipRect(1185, 2400, 1230, 195), &lblYourSymbol,
         "lblYourSymbol", twipRect(1155, 2670, 1290, 195), "lblYour Symbol"},
        {&Label13, "Label13", "Your Type of Sign", twipRect(930, 2955, 1755, 195),
         &lblYourTypeofSign, "lblYourTypeofSign", twipRect(945, 3240, 1725, 195),
         "lblYour Type of Sign"},
        {&Label10, "Label10", "Your Lucky Direction", twipRect(7620, 780, 2055, 195),
         &lblYourLuckyDirection, "lblYourLuckyDirection", twipRect(7665, 1056, 1965, 195),
         "lblYour Lucky Direction"},
        {&Label9, "Label9", "Your Lucky Colors", twipRect(7755, 1335, 1785, 195),
         &lblYourLuckyColors, "lblYourLuckyColors", twipRect(7770, 1600, 1755, 195),
         "lblYour Lucky Colors"},
        {&Label8, "Label8", "Your Lucky Gemstone", twipRect(7575, 1875, 2145, 195),
         &lblYourLuckyGemstone, "lblYourLuckyGemstone", twipRect(7612, 2144, 2070, 195),
         "lblYour Lucky Gemstone"},
        {&Label17, "Label17", "Your Ruling Planet", twipRect(7740, 2415, 1815, 195),
         &lblYourRulingPlanet, "lblYourRulingPlanet", twipRect(7770, 2688, 1755, 195),
         "lblYour Ruling Planet"},
        {&Label11, "Label11", "Your Lucky Numbers", twipRect(7642, 2960, 2010, 195),
         &lblYourLuckyNumbers, "lblYourLuckyNumbers", twipRect(7665, 3240, 1965, 195),
         "lblYour Lucky Numbers"},
    };
    // Captions: bold brown, sized to their text from the given top-left corner.
    const QFont captionFont = verdana(8.25, true);
    auto makeCaption = [&](const char* text, const char* name, const QRect& at) {
        QLabel* caption = named(new QLabel(QString::fromUtf8(text), mainArea), name);
        caption->setFont(captionFont);
        setTextColor(caption, kBrown);
        caption->move(at.topLeft());
        caption->adjustSize();
        return caption;
    };
    for (const Fact& fact : facts) {
        QLabel* caption = makeCaption(fact.captionText, fact.captionName, fact.captionAt);
        *fact.caption = caption;

        auto* value = named(new AutoSizeLabel(QString(), mainArea), fact.valueName);
        setTextColor(value, kDarkRed);
        value->move(fact.valueAt.topLeft());
        // The label reads out its value; the caption says what the value is.
        value->setAccessibleDescription(caption->text());
        value->setText(QString::fromUtf8(fact.placeholder));
        *fact.value = value;
    }
    lblYourRisingSign->setFont(verdana(9, true));
    // The sign's name stands centred under its caption whatever its length.
    lblYourRisingSign->centreOn(twipRect(4320, 480, 1890, 210).center().x());

    picSign = named(new QLabel(mainArea), "picSign");
    picSign->setGeometry(twipRect(3712, 840, 3030, 3030));
    picSign->setAlignment(Qt::AlignCenter);
    picSign->setAccessibleName(signProfile(kAquariusRow).name + QStringLiteral(" picture"));
    picSign->setPixmap(loadSignPicture(kAquariusRow));

    // The gaps under the two columns of facts hold what was computed, so that
    // every control of the profile keeps its place.
    auto fact = [&](const char* name, const char* description, const QRect& where) {
        // Named by the text it shows; the description says what that is.
        auto* label = named(new StatusLabel(mainArea), name);
        label->setGeometry(where);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        label->setFont(verdana(kFactPoints, false));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setAccessibleDescription(QLatin1String(description));
        setTextColor(label, kDarkRed);
        return label;
    };
    lblAscendant = fact("lblAscendant", "Ascendant", twipRect(120, 3465, 3480, 600));
    lblCuspNote = fact("lblCuspNote", "Cusp note", twipRect(6855, 3465, 3480, 600));
    lblCuspNote->setFont(verdana(kFactPoints, true));
    lblPersonName = fact("lblPersonName", "Chart of", twipRect(120, 240, 3480, 450));
    lblPersonName->setFont(verdana(9, true));
    // The sign and the computed lines are stops for the keyboard, so that a
    // screen reader meets the result before the texts.
    for (QLabel* label : {static_cast<QLabel*>(lblYourRisingSign),
                          static_cast<QLabel*>(lblAscendant), static_cast<QLabel*>(lblCuspNote)}) {
        // After the flags: QLabel makes a selectable label a click stop only.
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFocusPolicy(Qt::StrongFocus);
    }

    struct Box {
        QLabel** caption;
        const char* captionName;
        const char* captionText;
        QRect captionAt;
        QPlainTextEdit** box;
        const char* boxName;
        QRect boxAt;
    };
    const Box boxes[] = {
        {&Label7, "Label7", "Your Looks", twipRect(1200, 4080, 1080, 195), &txtYourLooks,
         "txtYourLooks", twipRect(120, 4320, 3375, 855)},
        {&Label4, "Label4", "Your Love and Domestic Life", twipRect(3840, 4080, 2775, 195),
         &txtYourLoveandDomesticLife, "txtYourLoveandDomesticLife",
         twipRect(3600, 4320, 3255, 855)},
        {&Label2, "Label2", "Your Health", twipRect(8040, 4080, 1140, 195), &txtYourHealth,
         "txtYourHealth", twipRect(6960, 4320, 3375, 855)},
        {&Label5, "Label5", "Your Career and Finance", twipRect(1440, 5280, 2415, 195),
         &txtYourCareerandFinance, "txtYourCareerandFinance", twipRect(120, 5520, 5055, 975)},
        {&Label6, "Label6", "Your Nature", twipRect(7215, 5280, 1170, 195), &txtYourNature,
         "txtYourNature", twipRect(5280, 5520, 5055, 975)},
    };
    for (const Box& entry : boxes) {
        QLabel* caption = makeCaption(entry.captionText, entry.captionName, entry.captionAt);
        *entry.caption = caption;

        auto* box = named(new QPlainTextEdit(mainArea), entry.boxName);
        box->setGeometry(entry.boxAt);
        box->setReadOnly(true);
        // Keyboard users can still select and copy, just not change anything.
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setTabChangesFocus(true);
        box->setAccessibleName(caption->text());
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, kTeal);
        palette.setColor(QPalette::Text, kDarkRed);
        box->setPalette(palette);
        caption->setBuddy(box);
        *entry.box = box;
    }
}

bool FrmDisplay::showSign(int row, const SignImageList& images)
{
    if (row < 1 || row > kSignCount)
        return false;
    const SignProfile& profile = signProfile(row);

    lblYourRisingSign->setText(profile.name);
    txtYourLooks->setPlainText(profile.looks);
    txtYourNature->setPlainText(profile.nature);
    txtYourCareerandFinance->setPlainText(profile.career);
    txtYourLoveandDomesticLife->setPlainText(profile.love);
    txtYourHealth->setPlainText(profile.health);
    lblYourRulingPlanet->setText(profile.rulingPlanet);
    lblYourSymbol->setText(profile.symbol);
    lblYourElement->setText(profile.element);
    lblYourSignColor->setText(profile.signColor);
    lblYourTypeofSign->setText(profile.typeOfSign);
    lblYourLuckyDays->setText(profile.luckyDays);
    lblYourLuckyNumbers->setText(profile.luckyNumbers);
    lblYourLuckyDirection->setText(profile.luckyDirection);
    lblYourLuckyColors->setText(profile.luckyColors);
    lblYourLuckyGemstone->setText(profile.luckyGemstone);
    picSign->setPixmap(images.picture(row));
    picSign->setAccessibleName(profile.name + QStringLiteral(" picture"));
    return true;
}

void FrmDisplay::showChartFacts(const QString& ascendant, const QString& time,
                                const QString& cuspNote, bool timeFromDayStrip)
{
    const QString note =
        timeFromDayStrip ? QStringLiteral(" (time set from the day strip)") : QString();
    lblAscendant->setText(ascendant + note + QLatin1Char('\n') + time);
    lblCuspNote->setText(cuspNote); // hidden when empty
    fitToHeight(lblAscendant, kFactPoints, false);
    fitToHeight(lblCuspNote, kFactPoints, true);
}

void FrmDisplay::showPerson(const QString& name)
{
    lblPersonName->setText(name.trimmed());
}

void FrmDisplay::showSky(double ascendant, const SunAndMoon& sky, const QString& bigThree,
                         const QString& caption, const QString& zodiac)
{
    ascendant_ = ascendant;
    sky_ = sky;
    wheelCaption_ = caption;
    lblBigThree->setText(bigThree);
    lblBigThree->setAccessibleName(bigThree + zodiac);
    cmdChartWheel->setEnabled(true);
    mnuChartWheel->setEnabled(true);
    if (wheel_)
        wheel_->setChart(caption, ascendant, sky);
}

void FrmDisplay::buildSkyLine()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("skyLine"));
    bar->setSizeGripEnabled(false);
    lblBigThree = named(new QLabel(bar), "lblBigThree");
    lblBigThree->setTextFormat(Qt::PlainText);
    lblBigThree->setAccessibleDescription(QStringLiteral("Big three"));
    cmdChartWheel = named(new QPushButton(QStringLiteral("Chart &Wheel"), bar), "cmdChartWheel");
    cmdChartWheel->setEnabled(false);
    bar->addWidget(lblBigThree, 1);
    bar->addPermanentWidget(cmdChartWheel);
    connect(cmdChartWheel, &QPushButton::clicked, this, &FrmDisplay::onChartWheelRequested);
}

void FrmDisplay::onChartWheelRequested()
{
    if (!wheel_) {
        wheel_ = new FrmWheel(this);
        wheel_->setAttribute(Qt::WA_DeleteOnClose);
        wheel_->setChart(wheelCaption_, ascendant_, sky_);
        wheel_->setFileBase(
            resultFileBase(page_.personName, signProfile(page_.row).name, QStringLiteral("wheel")));
    }
    wheel_->show();
    wheel_->raise();
    wheel_->activateWindow();
}

void FrmDisplay::buildBottomStrip()
{
    const QFont bold = verdana(8.25, true);
    // Created in this order, the full-brand label lies on top of the co-brand one.
    auto promo = [&](const char* name, const char* text) {
        auto* label = named(new LinkLabel(QString::fromUtf8(text), bottomStrip), name);
        label->setForegroundRole(QPalette::WindowText);
        label->setGeometry(twipRect(120, 165, 6225, 615));
        label->setFont(bold);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kPeach);
        palette.setColor(QPalette::Window, kMaroon);
        label->setPalette(palette);
        label->setAutoFillBackground(true);
        return label;
    };
    lblCobrand = promo("lblCobrand", kCoBrandText);
    lblFullBrand = promo("lblFullBrand", kFullBrandText);
    // Wholly covered: hidden, so that neither Tab nor a screen reader finds it.
    lblCobrand->hide();
    connect(lblCobrand, &LinkLabel::clicked, this, &modHelp::OpenCoBrandPage);
    connect(lblFullBrand, &LinkLabel::clicked, this, &modHelp::OpenFullBrandPage);

    auto button = [&](const char* name, const char* text, const QRect& where) {
        auto* push = named(new QPushButton(QString::fromUtf8(text), bottomStrip), name);
        push->setGeometry(where);
        push->setFont(bold);
        QPalette palette = push->palette();
        palette.setColor(QPalette::Button, kPeach);
        palette.setColor(QPalette::ButtonText, Qt::black);
        push->setPalette(palette);
        // Outside a dialog an auto-default button drops its default mark when
        // it loses focus; keyPressEvent gives Enter to a focused button instead.
        push->setAutoDefault(false);
        return push;
    };
    cmdExit = button("cmdExit", "&Exit", twipRect(7680, 240, 1260, 465));
    cmdBack = button("cmdBack", "&Back", twipRect(9080, 240, 1260, 465));
    cmdExit->setDefault(true);
    connect(cmdExit, &QPushButton::clicked, this, &FrmDisplay::onExitClicked);
    connect(cmdBack, &QPushButton::clicked, this, &FrmDisplay::onBackClicked);
}

void FrmDisplay::scrollIfTooBig()
{
    const QSize full = size();
    const QSize room = roomOnScreen(this);
    if (full.width() <= room.width() && full.height() <= room.height())
        return;
    auto* scroller = new QScrollArea;
    scroller->setFrameShape(QFrame::NoFrame);
    // Not a stop of its own: a click on the page or Tab leaves the keyboard
    // where it was, and Tab scrolls the focused control into view.
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidget(takeCentralWidget());
    setCentralWidget(scroller);
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    setFixedSize(scrolledSize(full, room, style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
}

void FrmDisplay::onBackClicked()
{
    if (leaving_)
        return;
    leaving_ = true;
    close(); // deletes the window once control returns to the event loop
    emit backRequested();
}

void FrmDisplay::onExitClicked()
{
    close();
}

void FrmDisplay::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (leaving_)
        return;
    // The close box, Exit, Esc and Enter all end the program here.
    leaving_ = true;
    shutdownProgram();
}

bool FrmDisplay::isTextBox(const QWidget* widget) const
{
    return widget == txtYourLooks || widget == txtYourLoveandDomesticLife ||
           widget == txtYourHealth || widget == txtYourCareerandFinance || widget == txtYourNature;
}

void FrmDisplay::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_Escape) {
        event->accept();
        cmdExit->click();
        return;
    }
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        QWidget* focus = focusWidget();
        // A multi-line text box keeps Enter for itself, even when read-only;
        // a focused button takes it as a click, as in a dialog.
        if (isTextBox(focus))
            return;
        if (focus == cmdBack)
            cmdBack->click();
        else
            cmdExit->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace zenthra
