// SPDX-License-Identifier: GPL-3.0-or-later
// Building the main window: the menus, the input form, the banners, their
// colours, the tab order and the key filters.
#include "entry/frm_main.h"

#include "entry/day_strip.h"
#include "entry/input_filter.h"
#include "entry/zodiac_menu.h"
#include "links/frm_about.h"
#include "links/frm_guide.h"
#include "links/mod_help.h"
#include "rules/calendar_text.h"
#include "rules/input_limits.h"
#include "rules/input_rules.h"
#include "rules/key_rules.h"
#include "rules/zone_table.h"
#include "ui/accessibility.h"
#include "ui/app_strings.h"
#include "ui/link_label.h"
#include "ui/program_font.h"
#include "ui/screen_fit.h"
#include "ui/status_label.h"

#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedLayout>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <string>

namespace zenthra {
namespace {

const QColor kPeach(255, 218, 185);
const QColor kDarkRed(103, 10, 35);
const QColor kLightOrange(255, 224, 192);
const QColor kBannerShadow(200, 200, 200);

constexpr int kTextColumnEm = 34; // least width of the wrapped texts, in em

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLineEdit* makeTextBox(const char* name, const QString& accessibleName, int maxLength,
                       QWidget* parent)
{
    auto* box = named(new QLineEdit(parent), name);
    box->setAccessibleName(accessibleName);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

QComboBox* makeList(const char* name, const QString& description, QWidget* parent)
{
    auto* list = named(new QComboBox(parent), name);
    // Unnamed, a drop-down list is announced by its current entry alone.
    list->setAccessibleName(description);
    list->setAccessibleDescription(description);
    return list;
}

QLabel* makeBuddyLabel(const QString& caption, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

QLabel* makeWrappedLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* label = named(new QLabel(text, parent), name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

void paint(QWidget* widget, const QColor& background, const QColor& text)
{
    QPalette palette = widget->palette();
    // Base for text boxes and list pop-ups, Button for closed drop-down lists
    // and buttons, Window for frames.
    for (const auto role : {QPalette::Base, QPalette::Button, QPalette::Window})
        palette.setColor(role, background);
    for (const auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        palette.setColor(role, text);
    widget->setPalette(palette);
}

} // namespace

// Everything below the menu bar, on a page of its own so that it can scroll
// on a small screen.
QWidget* FrmMain::layOutPage()
{
    auto* page = new QWidget(this);
    Label3 = makeWrappedLabel(
        QStringLiteral("Zenthra calculates your rising sign or ascendant based on Western "
                       "astrology concepts. The rising sign describes your outer personality."),
        "Label3", page);
    Label2 = makeWrappedLabel(
        QStringLiteral("Enter the correct details to know more about how the world sees you"),
        "Label2", page);
    QFont bold = programFont();
    bold.setBold(true);
    Label2->setFont(bold);

    QWidget* inputs = createInputs();
    QWidget* banners = createBanners();
    inputs->setParent(page);
    banners->setParent(page);

    fillLists();

    // The wrapped texts span the filled input form. A fixed-size window asks its
    // labels for a size hint, which knows nothing of wrapping, so each gets
    // the height its text needs at that width.
    const int columnWidth =
        std::max(fontMetrics().horizontalAdvance(QLatin1Char('M')) * kTextColumnEm,
                 inputs->sizeHint().width());
    for (QLabel* label :
         {Label3, Label2, static_cast<QLabel*>(lblCobrand), static_cast<QLabel*>(lblFullBrand)}) {
        label->setFixedWidth(columnWidth);
        label->setMinimumHeight(label->heightForWidth(columnWidth));
    }

    auto* root = new QVBoxLayout(this);
    auto* column = new QVBoxLayout(page);
    // The page takes the window's margins and spacing; the menu bar spans the
    // window as before.
    column->setContentsMargins(root->contentsMargins());
    column->setSpacing(root->spacing());
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->setMenuBar(menuBar);
    root->addWidget(page);
    column->addWidget(Label3);
    column->addWidget(Label2);
    column->addSpacing(6);
    column->addWidget(inputs, 0, Qt::AlignHCenter);
    column->addSpacing(6);
    column->addWidget(banners, 0, Qt::AlignHCenter);
    // Fixed border: the window takes the size its contents need.
    root->setSizeConstraint(QLayout::SetFixedSize);

    return page;
}

void FrmMain::scrollIfTooBig(QWidget* page)
{
    const QSize full = sizeHint();
    const QSize room = roomOnScreen(this);
    if (full.width() <= room.width() && full.height() <= room.height())
        return;
    auto* root = static_cast<QBoxLayout*>(layout());
    root->removeWidget(page);
    auto* scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    // Not a stop of its own: a click on the page or Tab leaves the keyboard
    // where it was, and Tab scrolls the focused control into view.
    scroller->setFocusPolicy(Qt::NoFocus);
    // The page keeps its own size (wrapped texts included); the window scrolls it.
    page->layout()->setSizeConstraint(QLayout::SetFixedSize);
    scroller->setWidget(page);
    root->addWidget(scroller);
    root->setSizeConstraint(QLayout::SetDefaultConstraint);
    setFixedSize(scrolledSize(full, room, style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
}

void FrmMain::createMenus()
{
    menuBar = named(new QMenuBar(this), "menuBar");

    mnuFile = named(menuBar->addMenu(QStringLiteral("&File")), "mnuFile");
    mnuNext = named(mnuFile->addAction(QStringLiteral("Find My Zodiac &Rising Sign")), "mnuNext");
    createBirthMenus();
    mnuExit = named(mnuFile->addAction(QStringLiteral("E&xit")), "mnuExit");
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    mnuZodiac = named(new ZodiacMenu(menuBar), "mnuZodiac");

    mnuHelp = named(menuBar->addMenu(QStringLiteral("&Help")), "mnuHelp");
    mnuContents = named(mnuHelp->addAction(QStringLiteral("&Help Contents")), "mnuContents");
    mnuContents->setShortcut(QKeySequence::HelpContents);
    mnuOnline = named(mnuHelp->addAction(QStringLiteral("&Online Help")), "mnuOnline");
    mnuVisit = named(mnuHelp->addAction(QStringLiteral("&Visit Us Online")), "mnuVisit");
    mnuHelp1 = named(mnuHelp->addSeparator(), "mnuHelp1");
    mnuUpdate =
        named(mnuHelp->addAction(QStringLiteral("Check for Software &Update")), "mnuUpdate");
    mnuHelp2 = named(mnuHelp->addSeparator(), "mnuHelp2");
    mnuAbout = named(mnuHelp->addAction(QStringLiteral("&About Software")), "mnuAbout");

    // Entries of the bar itself, without a submenu.
    mnuDonate = named(menuBar->addAction(QStringLiteral("&Donate")), "mnuDonate");
    mkmoney = named(menuBar->addAction(QStringLiteral("Make Money &Online")), "mkmoney");
    // Offered greyed and never made available.
    mkmoney->setEnabled(false);

    connect(mnuNext, &QAction::triggered, this, &FrmMain::calculateRequested);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuContents, &QAction::triggered, this, [this] { showGuideWindow(this); });
    connect(mnuOnline, &QAction::triggered, this, [] { modHelp::OpenHelpPage(); });
    connect(mnuVisit, &QAction::triggered, this, [] { modHelp::OpenHomePage(); });
    connect(mnuUpdate, &QAction::triggered, this, [] { modHelp::OpenDownloadPage(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { showAboutWindow(this); });
    connect(mnuDonate, &QAction::triggered, this, [] { modHelp::OpenDonatePage(); });
    connect(mkmoney, &QAction::triggered, this, [] { modHelp::OpenFullBrandPage(); });
}

QWidget* FrmMain::createInputs()
{
    auto* box = new QWidget(this);

    txtName = makeTextBox("txtName", QStringLiteral("Name"), kMaxTextChars, box);
    cboMonth = makeList("cboMonth", QStringLiteral("Birth month"), box);
    cboDate = makeList("cboDate", QStringLiteral("Birth day"), box);
    cboYear = makeList("cboYear", QStringLiteral("Birth year"), box);
    cboHH = makeList("cboHH", QStringLiteral("Birth hour"), box);
    cboMM = makeList("cboMM", QStringLiteral("Birth minute"), box);
    cboSS = makeList("cboSS", QStringLiteral("Birth second"), box);
    txtMCity = makeTextBox("txtMCity", QStringLiteral("City"), kMaxTextChars, box);
    txtMState = makeTextBox("txtMState", QStringLiteral("State"), kMaxTextChars, box);
    txtMCountry = makeTextBox("txtMCountry", QStringLiteral("Country"), kMaxTextChars, box);
    cmdBrowser =
        named(new QPushButton(QStringLiteral("Click Here To Find Latitude && Longitude"), box),
              "cmdBrowser");

    auto* form = new QGridLayout;
    int row = 0;
    form->addWidget(makeBuddyLabel(QStringLiteral("&Name"), txtName, box), row, 0);
    form->addWidget(txtName, row, 1, 1, 4);
    ++row;
    form->addWidget(makeBuddyLabel(QStringLiteral("Date of &Birth"), cboMonth, box), row, 0);
    form->addWidget(cboMonth, row, 1);
    form->addWidget(cboDate, row, 2);
    form->addWidget(cboYear, row, 3);
    ++row;
    form->addWidget(makeBuddyLabel(QStringLiteral("&Time of Birth"), cboHH, box), row, 0);
    form->addWidget(cboHH, row, 1);
    form->addWidget(cboMM, row, 2);
    form->addWidget(cboSS, row, 3);
    form->addWidget(new QLabel(QStringLiteral("HH:MM:SS"), box), row, 4);
    ++row;
    form->addWidget(makeBuddyLabel(QStringLiteral("&City"), txtMCity, box), row, 0);
    form->addWidget(txtMCity, row, 1, 1, 4);
    ++row;
    form->addWidget(makeBuddyLabel(QStringLiteral("&State"), txtMState, box), row, 0);
    form->addWidget(txtMState, row, 1, 1, 4);
    ++row;
    form->addWidget(makeBuddyLabel(QStringLiteral("Countr&y"), txtMCountry, box), row, 0);
    form->addWidget(txtMCountry, row, 1, 1, 4);
    ++row;
    form->addWidget(cmdBrowser, row, 1, 1, 4, Qt::AlignLeft);
    form->setColumnStretch(4, 1);

    // Degrees, minutes and the hemisphere of one coordinate, in one frame.
    const auto makeCoordinate =
        [box](const char* frameName, const QString& title, QLineEdit*& deg, const char* degName,
              const QString& degAccessible, int degLength, QLineEdit*& min, const char* minName,
              const QString& minAccessible, QRadioButton*(&opt)[2], const char* optName,
              const QString& first, const QString& second) {
            auto* frame = named(new QGroupBox(title, box), frameName);
            deg = makeTextBox(degName, degAccessible, degLength, frame);
            min = makeTextBox(minName, minAccessible, 2, frame);
            const int digitWidth = deg->fontMetrics().horizontalAdvance(QLatin1Char('0'));
            // Room for the longest value plus the frame of the box.
            deg->setFixedWidth(digitWidth * (degLength + 3));
            min->setFixedWidth(digitWidth * (2 + 3));
            opt[0] = named(new QRadioButton(first, frame), (std::string(optName) + "_0").c_str());
            opt[1] = named(new QRadioButton(second, frame), (std::string(optName) + "_1").c_str());
            opt[0]->setChecked(true);

            auto* grid = new QGridLayout(frame);
            grid->addWidget(makeBuddyLabel(QStringLiteral("Deg"), deg, frame), 0, 0);
            grid->addWidget(deg, 0, 1);
            grid->addWidget(makeBuddyLabel(QStringLiteral("Min"), min, frame), 0, 2);
            grid->addWidget(min, 0, 3);
            grid->addWidget(opt[0], 1, 0, 1, 2);
            grid->addWidget(opt[1], 1, 2, 1, 2);
            grid->setColumnStretch(4, 1);
            return frame;
        };
    fraLatitude = makeCoordinate("fraLatitude", QStringLiteral("&Latitude"), txtLatD, "txtLatD",
                                 QStringLiteral("Latitude degrees"), 2, txtLatM, "txtLatM",
                                 QStringLiteral("Latitude minutes"), optLat, "optLat",
                                 QStringLiteral("North"), QStringLiteral("South"));
    fraLongitude = makeCoordinate("fraLongitude", QStringLiteral("Lon&gitude"), txtLonD, "txtLonD",
                                  QStringLiteral("Longitude degrees"), 3, txtLonM, "txtLonM",
                                  QStringLiteral("Longitude minutes"), optLong, "optLong",
                                  QStringLiteral("East"), QStringLiteral("West"));

    fraZone = named(new QGroupBox(QStringLiteral("&Zone"), box), "fraZone");
    cmbTimeZone = makeList("cmbTimeZone", QStringLiteral("Time zone"), fraZone);
    auto* zoneLayout = new QVBoxLayout(fraZone);
    zoneLayout->addWidget(cmbTimeZone);

    chkDST = named(new QCheckBox(QStringLiteral("Daylight Sa&ving Time"), box), "chkDST");
    chkDST->setAutoFillBackground(true);

    cmdRashi =
        named(new QPushButton(QStringLiteral("Find My Zodiac &Rising Sign"), box), "cmdRashi");

    auto* coordinates = new QHBoxLayout;
    coordinates->addWidget(fraLatitude);
    coordinates->addWidget(fraLongitude);

    auto* zoneRow = new QHBoxLayout;
    zoneRow->addWidget(fraZone, 1);
    zoneRow->addSpacing(8);
    zoneRow->addWidget(chkDST, 0, Qt::AlignVCenter);

    lblPlaceTime = named(new StatusLabel(box), "lblPlaceTime");
    lblPlaceTime->setWordWrap(true);
    lblPlaceTime->setAccessibleDescription(QStringLiteral("Place time"));
    lblPlaceTime->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addLayout(coordinates);
    layout->addLayout(zoneRow);
    layout->addWidget(lblPlaceTime);
    // Its own row: the rows above have no room for a whole day.
    dayStrip = new DayStrip(box);
    dayStrip->setPlaceholderText(
        QStringLiteral("The rising signs of the day show here once the date, the place and the "
                       "zone are valid."));
    lblDayStrip = named(new QLabel(DayStrip::heading(), box), "lblDayStrip");
    lblDayStrip->setBuddy(dayStrip);
    layout->addSpacing(4);
    layout->addWidget(lblDayStrip);
    layout->addWidget(dayStrip);
    layout->addSpacing(4);
    layout->addWidget(cmdRashi, 0, Qt::AlignHCenter);

    connect(cmdRashi, &QPushButton::clicked, this, &FrmMain::calculateRequested);
    connect(cmdBrowser, &QPushButton::clicked, this, &FrmMain::placeLookupRequested);
    return box;
}

QWidget* FrmMain::createBanners()
{
    auto* box = new QWidget(this);

    // Two labels carry the banner line, the second drawn over the first, which
    // shows as its shadow.
    Label10 = named(new QLabel(QLatin1String(kBannerText), box), "Label10");
    Label61 = named(new LinkLabel(QLatin1String(kBannerText), box), "Label61");
    Label10->setFont(Label61->font());
    hideFromScreenReaders(Label10); // the link on top says it once
    QPalette shadow = Label10->palette();
    shadow.setColor(QPalette::WindowText, kBannerShadow);
    Label10->setPalette(shadow);
    Label10->setContentsMargins(1, 1, 0, 0);
    Label61->setContentsMargins(0, 0, 1, 1);
    connect(Label61, &LinkLabel::clicked, this, [] { modHelp::OpenHomePage(); });

    lblCobrand = named(new LinkLabel(QLatin1String(kCoBrandText), box), "lblCobrand");
    lblFullBrand = named(new LinkLabel(QLatin1String(kFullBrandText), box), "lblFullBrand");
    for (LinkLabel* promo : {lblCobrand, lblFullBrand}) {
        promo->setWordWrap(true);
        promo->setAlignment(Qt::AlignCenter);
        promo->setFrameShape(QFrame::StyledPanel);
        promo->setMargin(4);
    }
    connect(lblCobrand, &LinkLabel::clicked, this, [] { modHelp::OpenCoBrandPage(); });
    connect(lblFullBrand, &LinkLabel::clicked, this, [] { modHelp::OpenFullBrandPage(); });

    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    // Same cell: the link lies over its shadow and takes the clicks.
    layout->addWidget(Label10, 0, 0, Qt::AlignHCenter);
    layout->addWidget(Label61, 0, 0, Qt::AlignHCenter);

    // The two promotional labels share one place and only the top one shows.
    // The full-brand label comes second, so it starts on top.
    promoStack_ = new QStackedLayout;
    promoStack_->addWidget(lblCobrand);
    promoStack_->addWidget(lblFullBrand);
    promoStack_->setCurrentWidget(lblFullBrand);
    layout->addLayout(promoStack_, 1, 0);
    return box;
}

void FrmMain::fillLists()
{
    for (const char* month : kMonthNames)
        cboMonth->addItem(QLatin1String(month));
    for (int position = 0; position < kZoneCount; ++position)
        cmbTimeZone->addItem(QLatin1String(zoneEntry(position).text));
    const auto addNumbers = [](QComboBox* list, int first, int last) {
        for (int n = first; n <= last; ++n)
            list->addItem(QString::number(n));
    };
    for (const auto& [list, limit] : {std::pair{cboDate, kDayLimit}, std::pair{cboYear, kYearLimit},
                                      std::pair{cboHH, kHourLimit}, std::pair{cboMM, kMinuteLimit},
                                      std::pair{cboSS, kSecondLimit}})
        addNumbers(list, limit.low, limit.high);
    for (QComboBox* list : {cboMonth, cboDate, cboYear, cboHH, cboMM, cboSS})
        list->setCurrentIndex(0);
    cmbTimeZone->setCurrentIndex(kDefaultZonePosition);
}

void FrmMain::applyColours()
{
    for (QWidget* input : std::initializer_list<QWidget*>{
             txtName, cboMonth, cboDate, cboYear, cboHH, cboMM, cboSS, txtMCity, txtMState,
             txtMCountry, fraLatitude, fraLongitude, fraZone, chkDST})
        paint(input, kPeach, kDarkRed);
    // Frames and the check box fill their own background; the boxes and
    // buttons inside the frames take the frame's colours.
    for (QWidget* frame : std::initializer_list<QWidget*>{fraLatitude, fraLongitude, fraZone})
        frame->setAutoFillBackground(true);
    for (QPushButton* button : {cmdRashi, cmdBrowser}) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, kLightOrange);
        button->setPalette(palette);
    }
}

void FrmMain::setTabOrderChain()
{
    QWidget* const order[] = {txtName,    cboMonth, cboDate,    cboYear,    cboHH,
                              cboMM,      cboSS,    txtMCity,   txtMState,  txtMCountry,
                              cmdBrowser, txtLatD,  txtLatM,    optLat[0],  optLat[1],
                              txtLonD,    txtLonM,  optLong[0], optLong[1], cmbTimeZone,
                              chkDST,     cmdRashi, Label61,    lblCobrand, lblFullBrand};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void FrmMain::installKeyFilters()
{
    auto* letters = new InputFilter(txtName, KeyRule::Letters);
    connect(letters, &InputFilter::refused, this, [this] {
        showMessage(QStringLiteral("Please Enter only Letters"), MessageIcon::Information);
    });
    for (QLineEdit* box : {txtLatD, txtLatM, txtLonD, txtLonM}) {
        auto* digits = new InputFilter(box, KeyRule::Digits);
        connect(digits, &InputFilter::refused, this, [this] {
            showMessage(QStringLiteral("Only Numbers Are Accepted"), MessageIcon::Stop);
        });
    }
}

} // namespace zenthra
