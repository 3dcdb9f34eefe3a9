// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the user meets it: its start state, lists, names,
// captions, menus, links, colours and the zone resolution.
#include "app/shutdown.h"
#include "engine/chart_state.h"
#include "entry/frm_main.h"
#include "entry/modal_watcher.h"
#include "links/frm_about.h"
#include "links/link_label.h"
#include "links/mod_help.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

#include <functional>

using namespace zenthra;
using zenthra::test::ModalWatcher;

namespace {

// The text a caption shows: "&" marks an access key, "&&" is one ampersand.
QString shown(const QString& caption)
{
    QString out;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

// The letter that Alt reaches, or nothing.
QChar accessKey(const QString& caption)
{
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (caption[i + 1] != QLatin1Char('&'))
                return caption[i + 1].toUpper();
            ++i;
        }
    }
    return {};
}

QStringList itemsOf(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QStringList numbers(int first, int last)
{
    QStringList out;
    for (int n = first; n <= last; ++n)
        out << QString::number(n);
    return out;
}

QLabel* labelFor(const QWidget* window, const QWidget* buddy)
{
    const auto labels = window->findChildren<QLabel*>();
    for (QLabel* label : labels)
        if (label->buddy() == buddy)
            return label;
    return nullptr;
}

QString pageKeyOf(const QUrl& url)
{
    return QUrlQuery(url).queryItemValue(QStringLiteral("page"));
}

const QColor kPeach(255, 218, 185);
const QColor kDarkRed(103, 10, 35);
const QColor kLightOrange(255, 224, 192);

} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startState();
    void lists_data();
    void lists();
    void zoneCalculation_data();
    void zoneCalculation();
    void zoneCalculationWithoutSelectionKeepsValues();
    void objectNamesAndTypes();
    void captions_data();
    void captions();
    void fieldLabelsAreBuddies_data();
    void fieldLabelsAreBuddies();
    void promotionalTexts();
    void maxLengths_data();
    void maxLengths();
    void accessibleNames_data();
    void accessibleNames();
    void menuOrder();
    void accessKeysAreUnique();
    void accessKeyMovesFocus();
    void makeMoneyStaysUnavailable();
    void pages_data();
    void pages();
    void handCursorOnLinks();
    void aboutWindowIsModalAndReturns();
    void calculateAndLookupAreRequested();
    void bannerDrawStacking_data();
    void bannerDrawStacking();
    void onlyTheTopPromotionTakesClicks();
    void colours();
    void tabOrder();

private:
    QPointer<FrmMain> window_;
    QList<QUrl> opened_;
    int enderCalls_ = 0;
};

void FrmMainTest::init()
{
    opened_.clear();
    enderCalls_ = 0;
    modHelp::setPageOpener([this](const QUrl& url) { opened_.append(url); });
    setProcessEnder([this] { ++enderCalls_; });
    window_ = new FrmMain;
}

void FrmMainTest::cleanup()
{
    delete window_.data();
    modHelp::setPageOpener({});
    setProcessEnder({});
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
}

void FrmMainTest::startState()
{
    FrmMain& w = *window_;
    QCOMPARE(w.txtName->text(), QString());
    QCOMPARE(w.cboMonth->currentIndex(), 0);
    QCOMPARE(w.cboMonth->currentText(), QStringLiteral("January"));
    QCOMPARE(w.cboDate->currentText(), QStringLiteral("1"));
    QCOMPARE(w.cboYear->currentText(), QStringLiteral("1900"));
    QCOMPARE(w.cboHH->currentText(), QStringLiteral("0"));
    QCOMPARE(w.cboMM->currentText(), QStringLiteral("0"));
    QCOMPARE(w.cboSS->currentText(), QStringLiteral("0"));
    for (const QLineEdit* box : {w.txtMCity, w.txtMState, w.txtMCountry, w.txtLatD, w.txtLatM,
                                 w.txtLonD, w.txtLonM})
        QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
    QVERIFY(w.optLat[0]->isChecked());
    QVERIFY(!w.optLat[1]->isChecked());
    QVERIFY(w.optLong[0]->isChecked());
    QVERIFY(!w.optLong[1]->isChecked());
    QCOMPARE(w.cmbTimeZone->currentIndex(), 29);
    QCOMPARE(w.cmbTimeZone->currentText(), QStringLiteral("Greenwich Mean Time,GMT,0.0"));
    QCOMPARE(w.chkDST->checkState(), Qt::Unchecked);
    for (const QComboBox* list : w.findChildren<QComboBox*>())
        QVERIFY2(!list->isEditable(), qPrintable(list->objectName()));
}

void FrmMainTest::lists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("months") << "cboMonth"
                            << QStringList{"January", "February", "March",     "April",
                                           "May",     "June",     "July",      "August",
                                           "September", "October", "November", "December"};
    QTest::newRow("days") << "cboDate" << numbers(1, 31);
    QTest::newRow("years") << "cboYear" << numbers(1900, 2050);
    QTest::newRow("hours") << "cboHH" << numbers(0, 23);
    QTest::newRow("minutes") << "cboMM" << numbers(0, 59);
    QTest::newRow("seconds") << "cboSS" << numbers(0, 59);
}

void FrmMainTest::lists()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    auto* list = window_->findChild<QComboBox*>(name);
    QVERIFY(list != nullptr);
    QCOMPARE(itemsOf(list), items);
    if (name == QLatin1String("cboYear")) {
        QCOMPARE(list->count(), 151);
        QCOMPARE(list->findText(QStringLiteral("1899")), -1);
        QCOMPARE(list->findText(QStringLiteral("2051")), -1);
    }
}

void FrmMainTest::zoneCalculation_data()
{
    // The list as the description gives it, checked here by count and a few
    // literal entries; the values are derived from each entry's text below.
    FrmMain w;
    QCOMPARE(w.cmbTimeZone->count(), 71);
    QCOMPARE(w.cmbTimeZone->itemText(0), QStringLiteral("Alaska/Hawaii Daylight Time,AHDT,-9.0"));
    QCOMPARE(w.cmbTimeZone->itemText(11), QStringLiteral("Azores Time, AT, -2.0"));
    QCOMPARE(w.cmbTimeZone->itemText(34), QStringLiteral("Indian Time, IST, +5.3"));
    QCOMPARE(w.cmbTimeZone->itemText(46),
             QStringLiteral("New Zealand Std Summer Time,NZST,+13.0"));
    QCOMPARE(w.cmbTimeZone->itemText(56),
             QStringLiteral("South Australia Daylight Time,SAD,+10.5"));
    QCOMPARE(w.cmbTimeZone->itemText(57),
             QStringLiteral("South Australia Daylight Time,SDT,+10.5"));
    QCOMPARE(w.cmbTimeZone->itemText(61), QStringLiteral("Universal Time, UT, 0.0"));
    QCOMPARE(w.cmbTimeZone->itemText(70), QStringLiteral("Yukon War Time,YWT,-8.0"));

    QTest::addColumn<int>("position");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    for (int position = 0; position < w.cmbTimeZone->count(); ++position) {
        // The offset is the text after the last comma: a sign (none for
        // 0.0), whole hours, a point and one digit. West of Greenwich is
        // positive, and any digit after the point means half an hour.
        const QString text = w.cmbTimeZone->itemText(position);
        const QString offset = text.mid(text.lastIndexOf(QLatin1Char(',')) + 1).trimmed();
        const int sign = offset.startsWith(QLatin1Char('-')) ? -1 : 1;
        const QStringList parts = offset.mid(offset[0].isDigit() ? 0 : 1).split(QLatin1Char('.'));
        QCOMPARE(parts.size(), 2);
        const int hours = parts[0].toInt();
        const bool half = parts[1] != QLatin1String("0");
        QTest::addRow("%d %s", position, qPrintable(text))
            << position << -sign * hours << (half ? -sign * 30 : 0);
    }
}

void FrmMainTest::zoneCalculation()
{
    QFETCH(int, position);
    QFETCH(int, hours);
    QFETCH(int, minutes);
    ChartState& state = chartState();
    state.varZoneHours = 99; // so that a calculation that writes nothing shows
    state.varZoneMinutes = 99;
    window_->cmbTimeZone->setCurrentIndex(position);
    window_->Zone_Calculation();
    QCOMPARE(int(state.varZoneHours), hours);
    QCOMPARE(int(state.varZoneMinutes), minutes);
}

void FrmMainTest::zoneCalculationWithoutSelectionKeepsValues()
{
    ChartState& state = chartState();
    window_->cmbTimeZone->setCurrentIndex(27); // "Eastern Standard Time,EST,-5.0"
    window_->Zone_Calculation();
    QCOMPARE(int(state.varZoneHours), 5);
    QCOMPARE(int(state.varZoneMinutes), 0);

    window_->cmbTimeZone->setCurrentIndex(-1);
    window_->Zone_Calculation();
    QCOMPARE(int(state.varZoneHours), 5);
    QCOMPARE(int(state.varZoneMinutes), 0);

    state.varZoneHours = -7;
    state.varZoneMinutes = -30;
    window_->Zone_Calculation();
    QCOMPARE(int(state.varZoneHours), -7);
    QCOMPARE(int(state.varZoneMinutes), -30);
}

void FrmMainTest::objectNamesAndTypes()
{
    FrmMain& w = *window_;
    QCOMPARE(w.objectName(), QStringLiteral("frmMain"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Zenthra v1.35"));
    QVERIFY(!w.windowIcon().isNull());

    const auto check = [&w](const QObject* member, const char* name, const char* type) {
        QVERIFY2(member != nullptr, name);
        QCOMPARE(member->objectName(), QLatin1String(name));
        QVERIFY2(member->inherits(type), name);
        // Findable by name from the window, as a tool or a screen reader would.
        QCOMPARE(w.findChild<QObject*>(QLatin1String(name)), member);
    };
    check(w.txtName, "txtName", "QLineEdit");
    check(w.cboMonth, "cboMonth", "QComboBox");
    check(w.cboDate, "cboDate", "QComboBox");
    check(w.cboYear, "cboYear", "QComboBox");
    check(w.cboHH, "cboHH", "QComboBox");
    check(w.cboMM, "cboMM", "QComboBox");
    check(w.cboSS, "cboSS", "QComboBox");
    check(w.txtMCity, "txtMCity", "QLineEdit");
    check(w.txtMState, "txtMState", "QLineEdit");
    check(w.txtMCountry, "txtMCountry", "QLineEdit");
    check(w.txtLatD, "txtLatD", "QLineEdit");
    check(w.txtLatM, "txtLatM", "QLineEdit");
    check(w.optLat[0], "optLat_0", "QRadioButton");
    check(w.optLat[1], "optLat_1", "QRadioButton");
    check(w.txtLonD, "txtLonD", "QLineEdit");
    check(w.txtLonM, "txtLonM", "QLineEdit");
    check(w.optLong[0], "optLong_0", "QRadioButton");
    check(w.optLong[1], "optLong_1", "QRadioButton");
    check(w.cmbTimeZone, "cmbTimeZone", "QComboBox");
    check(w.fraZone, "fraZone", "QGroupBox");
    check(w.chkDST, "chkDST", "QCheckBox");
    check(w.cmdRashi, "cmdRashi", "QPushButton");
    check(w.cmdBrowser, "cmdBrowser", "QPushButton");
    check(w.Label3, "Label3", "QLabel");
    check(w.Label2, "Label2", "QLabel");
    check(w.Label10, "Label10", "QLabel");
    check(w.Label61, "Label61", "QLabel");
    check(w.lblCobrand, "lblCobrand", "QLabel");
    check(w.lblFullBrand, "lblFullBrand", "QLabel");
    check(w.mnuFile, "mnuFile", "QMenu");
    check(w.mnuNext, "mnuNext", "QAction");
    check(w.mnuExit, "mnuExit", "QAction");
    check(w.mnuHelp, "mnuHelp", "QMenu");
    check(w.mnuOnline, "mnuOnline", "QAction");
    check(w.mnuVisit, "mnuVisit", "QAction");
    check(w.mnuHelp1, "mnuHelp1", "QAction");
    check(w.mnuUpdate, "mnuUpdate", "QAction");
    check(w.mnuHelp2, "mnuHelp2", "QAction");
    check(w.mnuAbout, "mnuAbout", "QAction");
    check(w.mnuDonate, "mnuDonate", "QAction");
    check(w.mkmoney, "mkmoney", "QAction");

    // The coordinates sit in their frames, the zone list in "Zone".
    QCOMPARE(w.txtLatD->parentWidget(), w.fraLatitude);
    QCOMPARE(w.txtLatM->parentWidget(), w.fraLatitude);
    QCOMPARE(w.optLat[1]->parentWidget(), w.fraLatitude);
    QCOMPARE(w.txtLonD->parentWidget(), w.fraLongitude);
    QCOMPARE(w.optLong[1]->parentWidget(), w.fraLongitude);
    QCOMPARE(w.cmbTimeZone->parentWidget(), w.fraZone);
}

void FrmMainTest::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("cmdRashi") << "cmdRashi" << "Find My Zodiac &Rising Sign";
    QTest::newRow("cmdBrowser") << "cmdBrowser" << "Click Here To Find Latitude && Longitude";
    QTest::newRow("North") << "optLat_0" << "North";
    QTest::newRow("South") << "optLat_1" << "South";
    QTest::newRow("East") << "optLong_0" << "East";
    QTest::newRow("West") << "optLong_1" << "West";
    QTest::newRow("mnuFile") << "mnuFile" << "&File";
    QTest::newRow("mnuNext") << "mnuNext" << "Find My Zodiac &Rising Sign";
    QTest::newRow("mnuExit") << "mnuExit" << "E&xit";
    QTest::newRow("mnuHelp") << "mnuHelp" << "&Help";
    QTest::newRow("mnuOnline") << "mnuOnline" << "&Online Help";
    QTest::newRow("mnuVisit") << "mnuVisit" << "&Visit Us Online";
    QTest::newRow("mnuUpdate") << "mnuUpdate" << "Check for Software &Update";
    QTest::newRow("mnuAbout") << "mnuAbout" << "&About Software";
    QTest::newRow("mnuDonate") << "mnuDonate" << "&Donate";
    QTest::newRow("mkmoney") << "mkmoney" << "Make Money &Online";
}

void FrmMainTest::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QObject* object = window_->findChild<QObject*>(name);
    QVERIFY(object != nullptr);
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        QCOMPARE(button->text(), caption);
    else if (auto* menu = qobject_cast<QMenu*>(object))
        QCOMPARE(menu->title(), caption);
    else if (auto* action = qobject_cast<QAction*>(object))
        QCOMPARE(action->text(), caption);
    else
        QFAIL("not a captioned control");
}

void FrmMainTest::fieldLabelsAreBuddies_data()
{
    QTest::addColumn<QString>("buddy");
    QTest::addColumn<QString>("caption");
    QTest::newRow("name") << "txtName" << "Name";
    QTest::newRow("date") << "cboMonth" << "Date of Birth";
    QTest::newRow("time") << "cboHH" << "Time of Birth";
    QTest::newRow("city") << "txtMCity" << "City";
    QTest::newRow("state") << "txtMState" << "State";
    QTest::newRow("country") << "txtMCountry" << "Country";
    QTest::newRow("lat deg") << "txtLatD" << "Deg";
    QTest::newRow("lat min") << "txtLatM" << "Min";
    QTest::newRow("lon deg") << "txtLonD" << "Deg";
    QTest::newRow("lon min") << "txtLonM" << "Min";
}

void FrmMainTest::fieldLabelsAreBuddies()
{
    QFETCH(QString, buddy);
    QFETCH(QString, caption);
    auto* widget = window_->findChild<QWidget*>(buddy);
    QVERIFY(widget != nullptr);
    QLabel* label = labelFor(window_, widget);
    QVERIFY2(label != nullptr, "no label names this control");
    QCOMPARE(shown(label->text()), caption);

    QCOMPARE(shown(window_->fraLatitude->title()), QStringLiteral("Latitude"));
    QCOMPARE(shown(window_->fraLongitude->title()), QStringLiteral("Longitude"));
    QCOMPARE(shown(window_->fraZone->title()), QStringLiteral("Zone"));
    QCOMPARE(shown(window_->chkDST->text()), QStringLiteral("Daylight Saving Time"));
    const auto labels = window_->findChildren<QLabel*>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel* l) {
        return l->text() == QLatin1String("HH:MM:SS");
    }));
}

void FrmMainTest::promotionalTexts()
{
    FrmMain& w = *window_;
    QCOMPARE(w.Label3->text(),
             QStringLiteral("Zenthra calculates your rising sign or ascendant based on Western "
                            "astrology concepts. The rising sign describes your outer "
                            "personality."));
    QCOMPARE(w.Label2->text(),
             QStringLiteral("Enter the correct details to know more about how the world sees "
                            "you"));
    QCOMPARE(w.lblFullBrand->text(),
             QStringLiteral("Home Business Opportunity. Start your own Internet business and "
                            "make money online. Get this software fully branded for your "
                            "website. Click here for more details."));
    const QString cobrand = w.lblCobrand->text();
    QVERIFY(cobrand.startsWith(QLatin1String("Co-brand this software for your site. ")));
    QVERIFY(cobrand.endsWith(QLatin1String(" Click Here for more info on co-branding.")));
    QVERIFY2(cobrand.size() > 90, "the middle sentence is missing");
    // Two banners, one line of the same text.
    QVERIFY(!w.Label61->text().isEmpty());
    QCOMPARE(w.Label10->text(), w.Label61->text());
    QVERIFY(!w.Label61->text().contains(QLatin1Char('\n')));
    QVERIFY(!w.Label61->wordWrap());
}

void FrmMainTest::maxLengths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("txtLatD") << "txtLatD" << 2;
    QTest::newRow("txtLatM") << "txtLatM" << 2;
    QTest::newRow("txtLonD") << "txtLonD" << 3;
    QTest::newRow("txtLonM") << "txtLonM" << 2;
}

void FrmMainTest::maxLengths()
{
    QFETCH(QString, name);
    QFETCH(int, maxLength);
    auto* box = window_->findChild<QLineEdit*>(name);
    QVERIFY(box != nullptr);
    QCOMPARE(box->maxLength(), maxLength);
    // The user cannot type past the limit.
    QTest::keyClicks(box, QStringLiteral("12345"));
    QCOMPARE(box->text(), QStringLiteral("12345").left(maxLength));
}

void FrmMainTest::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("accessibleDescription");
    QTest::newRow("txtName") << "txtName" << "Name" << "";
    QTest::newRow("txtMCity") << "txtMCity" << "City" << "";
    QTest::newRow("txtMState") << "txtMState" << "State" << "";
    QTest::newRow("txtMCountry") << "txtMCountry" << "Country" << "";
    QTest::newRow("txtLatD") << "txtLatD" << "Latitude degrees" << "";
    QTest::newRow("txtLatM") << "txtLatM" << "Latitude minutes" << "";
    QTest::newRow("txtLonD") << "txtLonD" << "Longitude degrees" << "";
    QTest::newRow("txtLonM") << "txtLonM" << "Longitude minutes" << "";
    QTest::newRow("cboMonth") << "cboMonth" << "" << "Birth month";
    QTest::newRow("cboDate") << "cboDate" << "" << "Birth day";
    QTest::newRow("cboYear") << "cboYear" << "" << "Birth year";
    QTest::newRow("cboHH") << "cboHH" << "" << "Birth hour";
    QTest::newRow("cboMM") << "cboMM" << "" << "Birth minute";
    QTest::newRow("cboSS") << "cboSS" << "" << "Birth second";
    QTest::newRow("cmbTimeZone") << "cmbTimeZone" << "" << "Time zone";
}

void FrmMainTest::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    QFETCH(QString, accessibleDescription);
    auto* widget = window_->findChild<QWidget*>(name);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->accessibleName(), accessibleName);
    QCOMPARE(widget->accessibleDescription(), accessibleDescription);
}

void FrmMainTest::menuOrder()
{
    FrmMain& w = *window_;
    const QList<QAction*> bar = w.menuBar->actions();
    QCOMPARE(bar.size(), 4);
    QCOMPARE(bar[0], w.mnuFile->menuAction());
    QCOMPARE(bar[1], w.mnuHelp->menuAction());
    QCOMPARE(bar[2], w.mnuDonate);
    QCOMPARE(bar[3], w.mkmoney);
    // The last two are entries of the bar itself, without a submenu.
    QVERIFY(w.mnuDonate->menu() == nullptr);
    QVERIFY(w.mkmoney->menu() == nullptr);

    QCOMPARE(w.mnuFile->actions(), (QList<QAction*>{w.mnuNext, w.mnuExit}));
    QCOMPARE(w.mnuHelp->actions(), (QList<QAction*>{w.mnuOnline, w.mnuVisit, w.mnuHelp1,
                                                    w.mnuUpdate, w.mnuHelp2, w.mnuAbout}));
    for (const QAction* action : w.mnuHelp->actions())
        QCOMPARE(action->isSeparator(), action == w.mnuHelp1 || action == w.mnuHelp2);
    QVERIFY(!w.mnuNext->isSeparator());
    QVERIFY(!w.mnuExit->isSeparator());
}

void FrmMainTest::accessKeysAreUnique()
{
    FrmMain& w = *window_;
    // Keys within one menu, and keys reachable on the window itself, must not clash.
    const auto unique = [](const QStringList& captions) {
        QList<QChar> keys;
        for (const QString& caption : captions) {
            const QChar key = accessKey(caption);
            if (key.isNull())
                continue;
            if (keys.contains(key))
                return false;
            keys << key;
        }
        return true;
    };
    QCOMPARE(accessKey(w.mnuExit->text()), QLatin1Char('X'));
    QVERIFY(unique({w.mnuNext->text(), w.mnuExit->text()}));
    QVERIFY(unique({w.mnuOnline->text(), w.mnuVisit->text(), w.mnuUpdate->text(),
                    w.mnuAbout->text()}));

    QStringList onWindow{w.mnuFile->title(), w.mnuHelp->title(), w.mnuDonate->text(),
                         w.mkmoney->text(), w.fraLatitude->title(), w.fraLongitude->title(),
                         w.fraZone->title()};
    for (const QAbstractButton* button : w.findChildren<QAbstractButton*>())
        onWindow << button->text();
    for (const QLabel* label : w.findChildren<QLabel*>())
        if (label->buddy() != nullptr)
            onWindow << label->text();
    QVERIFY2(unique(onWindow), qPrintable(onWindow.join(QLatin1String(" | "))));
    QCOMPARE(accessKey(w.cmdRashi->text()), QLatin1Char('R'));
}

void FrmMainTest::accessKeyMovesFocus()
{
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    window_->cmdRashi->setFocus();
    QTest::keyClick(window_, Qt::Key_N, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), window_->txtName);
    QTest::keyClick(window_, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), window_->txtMCity);
    QTest::keyClick(window_, Qt::Key_B, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), window_->cboMonth);
}

void FrmMainTest::makeMoneyStaysUnavailable()
{
    window_->show();
    QVERIFY(!window_->mkmoney->isEnabled());
    QVERIFY(window_->mkmoney->isVisible());
    window_->mkmoney->trigger();
    QVERIFY(opened_.isEmpty());
}

void FrmMainTest::pages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pageKey");
    QTest::newRow("mnuOnline") << "mnuOnline" << "help-web-page";
    QTest::newRow("mnuVisit") << "mnuVisit" << "home-page";
    QTest::newRow("mnuUpdate") << "mnuUpdate" << "download-web-page";
    QTest::newRow("mnuDonate") << "mnuDonate" << "donate";
    QTest::newRow("Label61") << "Label61" << "home-page";
    QTest::newRow("lblCobrand") << "lblCobrand" << "co-brand";
    QTest::newRow("lblFullBrand") << "lblFullBrand" << "fully-branded";
}

void FrmMainTest::pages()
{
    QFETCH(QString, name);
    QFETCH(QString, pageKey);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    if (name == QLatin1String("lblCobrand"))
        window_->applyBannerDraw(1); // it must lie on top to be clicked
    if (auto* action = window_->findChild<QAction*>(name)) {
        action->trigger();
    } else {
        auto* label = window_->findChild<QLabel*>(name);
        QVERIFY(label != nullptr && label->isVisible());
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    }
    QCOMPARE(opened_.size(), 1);
    QCOMPARE(pageKeyOf(opened_.first()), pageKey);
}

void FrmMainTest::handCursorOnLinks()
{
    FrmMain& w = *window_;
    for (const QLabel* label : {static_cast<QLabel*>(w.Label61), static_cast<QLabel*>(w.lblCobrand),
                                static_cast<QLabel*>(w.lblFullBrand)})
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(w.Label10->cursor().shape() != Qt::PointingHandCursor);
}

void FrmMainTest::aboutWindowIsModalAndReturns()
{
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    QPointer<QWidget> about;
    bool wasChildOfMain = false;
    {
        ModalWatcher watcher([&](QWidget* modal) {
            about = modal;
            wasChildOfMain = modal->parentWidget() == window_;
            qobject_cast<FrmAbout*>(modal)->cmdOK->click();
        });
        window_->mnuAbout->trigger(); // returns only when the about window is closed
        QCOMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen().first().className, QStringLiteral("zenthra::FrmAbout"));
        QCOMPARE(watcher.seen().first().title, QStringLiteral("Zenthra v1.35"));
    }
    QVERIFY(wasChildOfMain);
    QVERIFY(about.isNull()); // unloaded
    QVERIFY(window_->isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(enderCalls_, 0);
}

void FrmMainTest::calculateAndLookupAreRequested()
{
    window_->show();
    QSignalSpy calculate(window_.data(), &FrmMain::calculateRequested);
    QSignalSpy lookup(window_.data(), &FrmMain::placeLookupRequested);
    QTest::mouseClick(window_->cmdRashi, Qt::LeftButton);
    QCOMPARE(calculate.size(), 1);
    window_->mnuNext->trigger();
    QCOMPARE(calculate.size(), 2);
    QCOMPARE(lookup.size(), 0);
    QTest::mouseClick(window_->cmdBrowser, Qt::LeftButton);
    QCOMPARE(lookup.size(), 1);
    QCOMPARE(calculate.size(), 2);
    // Asking is all the window does: it stays, and nothing opened.
    QVERIFY(window_->isVisible());
    QVERIFY(opened_.isEmpty());
}

void FrmMainTest::bannerDrawStacking_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("draw");
    QTest::addColumn<bool>("cobrandOnTop");
    // -1: the window as created, before any draw.
    QTest::newRow("as created") << -1 << -1 << false;
    for (int draw = 1; draw <= 6; ++draw)
        QTest::addRow("draw %d", draw) << -1 << draw << (draw % 2 == 1);
    QTest::newRow("7 leaves full brand") << -1 << 7 << false;
    QTest::newRow("7 after 1 leaves co-brand") << 1 << 7 << true;
    QTest::newRow("2 after 1") << 1 << 2 << false;
}

void FrmMainTest::bannerDrawStacking()
{
    QFETCH(int, before);
    QFETCH(int, draw);
    QFETCH(bool, cobrandOnTop);
    window_->show();
    if (before > 0)
        window_->applyBannerDraw(before);
    if (draw > 0)
        window_->applyBannerDraw(draw);
    QCOMPARE(window_->lblCobrand->isVisible(), cobrandOnTop);
    QCOMPARE(window_->lblFullBrand->isVisible(), !cobrandOnTop);
}

void FrmMainTest::onlyTheTopPromotionTakesClicks()
{
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    const auto clickThePlace = [this] {
        // Both labels share one place; click it where the window shows it.
        const QLabel* top = window_->lblFullBrand->isVisible()
                                ? static_cast<QLabel*>(window_->lblFullBrand)
                                : static_cast<QLabel*>(window_->lblCobrand);
        const QPoint inWindow = top->mapTo(window_, top->rect().center());
        QWidget* hit = window_->childAt(inWindow);
        QVERIFY(hit != nullptr);
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(window_, inWindow));
    };
    const QRect place = window_->lblFullBrand->geometry();
    clickThePlace();
    window_->applyBannerDraw(3);
    QTRY_COMPARE(window_->lblCobrand->geometry(), place);
    clickThePlace();
    QCOMPARE(opened_.size(), 2);
    QCOMPARE(pageKeyOf(opened_[0]), QStringLiteral("fully-branded"));
    QCOMPARE(pageKeyOf(opened_[1]), QStringLiteral("co-brand"));
}

void FrmMainTest::colours()
{
    FrmMain& w = *window_;
    for (const QWidget* input : std::initializer_list<const QWidget*>{
             w.txtName, w.cboMonth, w.cboDate, w.cboYear, w.cboHH, w.cboMM, w.cboSS, w.txtMCity,
             w.txtMState, w.txtMCountry, w.txtLatD, w.txtLatM, w.txtLonD, w.txtLonM,
             w.cmbTimeZone}) {
        QCOMPARE(input->palette().color(QPalette::Base), kPeach);
        QCOMPARE(input->palette().color(QPalette::Text), kDarkRed);
    }
    for (const QWidget* list : std::initializer_list<const QWidget*>{w.cboMonth, w.cmbTimeZone})
        QCOMPARE(list->palette().color(QPalette::ButtonText), kDarkRed);
    for (const QWidget* framed : std::initializer_list<const QWidget*>{
             w.fraLatitude, w.fraLongitude, w.fraZone, w.chkDST, w.optLat[0], w.optLong[1]}) {
        QCOMPARE(framed->palette().color(QPalette::Window), kPeach);
        QCOMPARE(framed->palette().color(QPalette::WindowText), kDarkRed);
    }
    QVERIFY(w.fraLatitude->autoFillBackground());
    for (const QWidget* button : std::initializer_list<const QWidget*>{w.cmdRashi, w.cmdBrowser})
        QCOMPARE(button->palette().color(QPalette::Button), kLightOrange);
    QVERIFY(w.font().families().contains(QStringLiteral("Verdana")));
    QVERIFY(w.txtName->font().families().contains(QStringLiteral("Verdana")));
}

void FrmMainTest::tabOrder()
{
    FrmMain& w = *window_;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.txtName->setFocus();
    const QList<QWidget*> expected{w.txtName,   w.cboMonth,  w.cboDate,    w.cboYear,
                                   w.cboHH,     w.cboMM,     w.cboSS,      w.txtMCity,
                                   w.txtMState, w.txtMCountry, w.cmdBrowser, w.txtLatD,
                                   w.txtLatM,   w.optLat[0], w.txtLonD,    w.txtLonM,
                                   w.optLong[0], w.cmbTimeZone, w.chkDST,  w.cmdRashi};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(QApplication::focusWidget() == expected[i],
                 qPrintable(QStringLiteral("step %1: %2").arg(i).arg(
                     QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                 : QStringLiteral("none"))));
    }
}

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
