// SPDX-License-Identifier: GPL-3.0-or-later
// The whole job through the real windows: typed and picked birth data, the
// calculate button, the result window, Back, and the place lookup.
#include "browser_stand_in.h"
#include "modal_watcher.h"

#include "app/place_lookup.h"
#include "app/request_driver.h"
#include "births/birth.h"
#include "entry/frm_main.h"
#include "links/mod_help.h"
#include "links/web_search.h"
#include "place/atlas.h"
#include "result/frm_display.h"
#include "result/result_labels.h"
#include "ui/shutdown.h"
#include "ui/status_label.h"
#include "widget_access.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using namespace zenthra;
using zenthra::test::child;
using zenthra::test::ModalWatcher;

struct BirthEntry {
    const char* name;
    int year, month, day, hour, minute;
    const char* lonDeg;
    const char* lonMin;
    bool west;
    const char* latDeg;
    const char* latMin;
    bool south;
    int zone;
    bool dst;
};
Q_DECLARE_METATYPE(BirthEntry)

namespace {

// Counts the components the place lookup asks for and what they are given.
struct RecordingSearch : WebSearch {
    QStringList* calls;
    explicit RecordingSearch(QStringList* c)
        : calls(c)
    {
    }
    void search(const QString& text, const QString& page) override
    {
        calls->append(text + '|' + page);
    }
};

} // namespace

class DriverTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void workedBirths_data();
    void workedBirths();
    void bigThreeAndTheChartWheel();
    void refusedRequestChangesNothing();
    void menuEntryValidatesLikeTheButton();
    void backKeepsInputsAndNextWindowIsFresh();
    void directionsAndDaylightSavingReachTheChart();
    void zoneIsStoredSigned();
    void resultPageDescribesTheBirthShown();
    void resultExitEndsTheProgram();
    void placeTimeToTheMinute_data();
    void placeTimeToTheMinute();
    void lettingGoOfAnExactZoneNeedsAZone();
    void unknownPlaceTimeIsRefused();

    void placeLookupAsksForMissingParts();
    void placeLookupSearchText();
    void placeLookupMakesAComponentPerClick();
    void placeLookupUsesTheAtlas();
    void browserSearchEncodesPlaceNames();

private:
    void enter(const BirthEntry& b);
    void typeInto(QLineEdit* box, const QString& text);
    void calculate();
    void back();

    std::unique_ptr<FrmMain> main_;
    std::unique_ptr<RequestDriver> driver_;
    int enderCalls_ = 0;
};

void DriverTest::init()
{
    setProcessEnder([this] { ++enderCalls_; });
    modHelp::setPageOpener([](const QUrl&) {});
    main_ = std::make_unique<FrmMain>();
    driver_ = std::make_unique<RequestDriver>(*main_);
    connect(main_.get(), &FrmMain::placeLookupRequested, main_.get(),
            [this] { lookUpPlace(*main_); });
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
}

void DriverTest::cleanup()
{
    if (FrmDisplay* d = driver_->display())
        delete d;
    driver_.reset();
    main_.reset();
    setWebSearchFactory({});
    setProcessEnder({});
    modHelp::setPageOpener({});
}

void DriverTest::typeInto(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void DriverTest::enter(const BirthEntry& b)
{
    typeInto(child<QLineEdit>(*main_, "txtName"), QString::fromLatin1(b.name));
    child<QComboBox>(*main_, "cboMonth")->setCurrentIndex(b.month - 1);
    for (const auto& [list, value] : {std::pair{"cboDate", b.day}, std::pair{"cboYear", b.year},
                                      std::pair{"cboHH", b.hour}, std::pair{"cboMM", b.minute}}) {
        auto* box = child<QComboBox>(*main_, list);
        box->setCurrentIndex(box->findText(QString::number(value)));
    }
    typeInto(child<QLineEdit>(*main_, "txtLatD"), QString::fromLatin1(b.latDeg));
    typeInto(child<QLineEdit>(*main_, "txtLatM"), QString::fromLatin1(b.latMin));
    QTest::mouseClick(child<QRadioButton>(*main_, QStringLiteral("optLat_%1").arg(b.south ? 1 : 0)),
                      Qt::LeftButton);
    typeInto(child<QLineEdit>(*main_, "txtLonD"), QString::fromLatin1(b.lonDeg));
    typeInto(child<QLineEdit>(*main_, "txtLonM"), QString::fromLatin1(b.lonMin));
    QTest::mouseClick(child<QRadioButton>(*main_, QStringLiteral("optLong_%1").arg(b.west ? 1 : 0)),
                      Qt::LeftButton);
    child<QComboBox>(*main_, "cmbTimeZone")->setCurrentIndex(b.zone);
    auto* dst = child<QCheckBox>(*main_, "chkDST");
    if (dst->isChecked() != b.dst)
        QTest::mouseClick(dst, Qt::LeftButton);
}

void DriverTest::calculate()
{
    QTest::mouseClick(child<QPushButton>(*main_, "cmdRashi"), Qt::LeftButton);
}

void DriverTest::back()
{
    QTest::mouseClick(child<QPushButton>(*driver_->display(), "cmdBack"), Qt::LeftButton);
    QTRY_VERIFY(driver_->display() == nullptr);
}

void DriverTest::workedBirths_data()
{
    QTest::addColumn<BirthEntry>("birth");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("ascendant");
    QTest::addColumn<QString>("time");
    // The engine's worked rows, with each zone given as the list entry it
    // stands for (29 GMT, 27 EST, 8 AEST, 34 IST).
    QTest::newRow("2000 equator") << BirthEntry{"ADA", 2000, 1,   1,   12,    0,  "0",
                                                "0",   true, "0", "0", false, 29, false}
                                  << "Aries" << QString::fromUtf8("Ascendant 11° 22' 41\" Aries")
                                  << "1 January 2000, 12:00 \u2014 12:00 UT";
    QTest::newRow("2000 51N30") << BirthEntry{"ADA", 2000, 1,    1,    12,    0,  "0",
                                              "0",   true, "51", "30", false, 29, false}
                                << "Aries" << QString::fromUtf8("Ascendant 24° 17' 52\" Aries")
                                << "1 January 2000, 12:00 \u2014 12:00 UT";
    QTest::newRow("1900 midnight")
        << BirthEntry{"ADA", 1900, 1, 1, 0, 0, "0", "0", true, "0", "0", false, 29, false}
        << "Libra" << QString::fromUtf8("Ascendant 11° 4' 44\" Libra")
        << "1 January 1900, 00:00 \u2014 00:00 UT";
    QTest::newRow("New York 1976")
        << BirthEntry{"ADA", 1976, 7, 4, 12, 0, "74", "0", true, "40", "43", false, 27, true}
        << "Virgo" << QString::fromUtf8("Ascendant 29° 2' 8\" Virgo")
        << "4 July 1976, 12:00 \u2014 16:00 UT";
    QTest::newRow("Sydney 1985") << BirthEntry{"ADA", 1985,  3,    21,   6,    30, "151",
                                               "12",  false, "33", "52", true, 8,  false}
                                 << "Aries" << QString::fromUtf8("Ascendant 5° 55' 13\" Aries")
                                 << "21 March 1985, 06:30 \u2014 20 March, 20:30 UT";
    QTest::newRow("Delhi 1947") << BirthEntry{"ADA", 1947,  8,    15,   0,     0,  "77",
                                              "13",  false, "28", "40", false, 34, false}
                                << "Gemini" << QString::fromUtf8("Ascendant 0° 53' 36\" Gemini")
                                << "15 August 1947, 00:00 \u2014 14 August, 18:30 UT";
}

void DriverTest::workedBirths()
{
    QFETCH(BirthEntry, birth);
    QFETCH(QString, sign);
    QFETCH(QString, ascendant);
    QFETCH(QString, time);
    enter(birth);
    calculate();
    FrmDisplay* display = driver_->display();
    QVERIFY(display != nullptr);
    QVERIFY(display->isVisible());
    QVERIFY(!main_->isVisible());
    QCOMPARE(child<AutoSizeLabel>(*display, "lblYourRisingSign")->text(), sign);
    QVERIFY(!child<QPlainTextEdit>(*display, "txtYourNature")->toPlainText().isEmpty());
    QCOMPARE(child<StatusLabel>(*display, "lblAscendant")->text(), ascendant + '\n' + time);
    // Whose it is, and the result before the texts for the keyboard.
    QCOMPARE(child<StatusLabel>(*display, "lblPersonName")->text(), QStringLiteral("ADA"));
    QCOMPARE(display->focusWidget(), child<AutoSizeLabel>(*display, "lblYourRisingSign"));
    QTest::keyClick(display->focusWidget(), Qt::Key_Tab);
    QCOMPARE(display->focusWidget(), child<StatusLabel>(*display, "lblAscendant"));
    QCOMPARE(child<StatusLabel>(*display, "lblAscendant")->accessibleDescription(),
             QStringLiteral("Ascendant"));
}

void DriverTest::bigThreeAndTheChartWheel()
{
    // India's independence chart as it is widely published, sidereal with
    // Lahiri's ayanamsa of 23° 07' that year: Sun 27° 59' Cancer, Moon
    // 3° 59' Cancer; tropical, 23° 07' further on.
    enter({"ADA", 1947, 8, 15, 0, 0, "77", "13", false, "28", "40", false, 34, false});
    calculate();
    FrmDisplay* display = driver_->display();
    const QString line =
        QString::fromUtf8("Sun in Leo 21° 6′ · Moon in Cancer 27° 6′ · Gemini rising");
    QCOMPARE(child<QLabel>(*display, "lblBigThree")->text(), line);
    QCOMPARE(child<QLabel>(*display, "lblBigThree")->accessibleName(), line);
    QCOMPARE(child<QLabel>(*display, "lblBigThree")->accessibleDescription(),
             QStringLiteral("Big three"));
    // The button and the View menu open the same wheel, with the birth named.
    for (const bool byMenu : {false, true}) {
        if (byMenu)
            child<QAction>(*display, "mnuChartWheel")->trigger();
        else
            QTest::mouseClick(child<QPushButton>(*display, "cmdChartWheel"), Qt::LeftButton);
        QTRY_VERIFY(display->wheelWindow() && display->wheelWindow()->isVisible());
        QCOMPARE(child<QLabel>(*display->wheelWindow(), "lblCaption")->text(),
                 QStringLiteral("ADA, 15 August 1947, 00:00"));
        QVERIFY(display->wheelWindow()->accessibleDescription().startsWith(
            QString::fromUtf8("Ascendant Gemini 0° 53′, Sun Leo 21° 6′, Moon Cancer 27° 6′")));
        display->wheelWindow()->close();
        QTRY_VERIFY(display->wheelWindow() == nullptr);
    }
}

void DriverTest::refusedRequestChangesNothing()
{
    enter({"ADA", 1901, 2, 29, 12, 0, "77", "13", false, "28", "40", false, 34, false});
    ModalWatcher watcher;
    calculate();
    QCOMPARE(watcher.seen().size(), 1);
    QCOMPARE(watcher.seen().first().text, QStringLiteral("Please Enter Correct Date Or Month!"));
    QCOMPARE(driver_->lastChart().intBirthYear, std::int16_t(0)); // nothing computed
    QVERIFY(driver_->lastChart().arrPositionText[10].empty());
    QVERIFY(driver_->display() == nullptr);
    QVERIFY(main_->isVisible());
}

void DriverTest::menuEntryValidatesLikeTheButton()
{
    {
        ModalWatcher watcher;
        child<QAction>(*main_, "mnuNext")->trigger();
        QCOMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen().first().text, QStringLiteral("Please Enter Name"));
        QCOMPARE(watcher.seen().first().icon, QMessageBox::Critical);
    }
    QVERIFY(driver_->display() == nullptr);
    enter({"ADA", 1947, 8, 15, 0, 0, "77", "13", false, "28", "40", false, 34, false});
    child<QAction>(*main_, "mnuNext")->trigger();
    QVERIFY(driver_->display() != nullptr);
    QCOMPARE(child<AutoSizeLabel>(*driver_->display(), "lblYourRisingSign")->text(),
             QStringLiteral("Gemini"));
}

void DriverTest::backKeepsInputsAndNextWindowIsFresh()
{
    enter({"LIBRA", 1900, 1, 1, 0, 0, "0", "0", true, "0", "0", false, 29, false});
    calculate();
    QPointer<FrmDisplay> first = driver_->display();
    QCOMPARE(child<AutoSizeLabel>(*first, "lblYourRisingSign")->text(), QStringLiteral("Libra"));
    QTest::mouseClick(child<QPushButton>(*first, "cmdBack"), Qt::LeftButton);
    QTRY_VERIFY(first.isNull()); // discarded, not hidden
    QVERIFY(main_->isVisible());
    QCOMPARE(enderCalls_, 0);
    QCOMPARE(child<QLineEdit>(*main_, "txtName")->text(), QStringLiteral("LIBRA"));
    QCOMPARE(child<QComboBox>(*main_, "cboYear")->currentText(), QStringLiteral("1900"));
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentIndex(), 29);
    QVERIFY(child<QRadioButton>(*main_, "optLong_1")->isChecked());

    // A second request gives only the new sign's values, in a new window.
    enter({"ADA", 1947, 8, 15, 0, 0, "77", "13", false, "28", "40", false, 34, false});
    calculate();
    FrmDisplay* second = driver_->display();
    QVERIFY(second != nullptr);
    QCOMPARE(child<AutoSizeLabel>(*second, "lblYourRisingSign")->text(), QStringLiteral("Gemini"));
    QCOMPARE(child<AutoSizeLabel>(*second, "lblYourElement")->text(), QStringLiteral("Air"));
    QCOMPARE(child<AutoSizeLabel>(*second, "lblYourLuckyGemstone")->text(),
             QStringLiteral("Emerald"));
    QVERIFY(child<QPlainTextEdit>(*second, "txtYourHealth")
                ->toPlainText()
                .startsWith(QStringLiteral("You may have some problems of the sexual nature.")));
    QVERIFY(child<StatusLabel>(*second, "lblCuspNote")
                ->text()
                .contains(QStringLiteral("4 minutes earlier")));
    QCOMPARE(child<StatusLabel>(*second, "lblCuspNote")->accessibleDescription(),
             QStringLiteral("Cusp note"));
}

void DriverTest::directionsAndDaylightSavingReachTheChart()
{
    struct Case {
        bool west, south;
        Qt::CheckState dst;
    };
    const Case cases[] = {{false, false, Qt::Unchecked},
                          {true, true, Qt::Checked},
                          {true, false, Qt::PartiallyChecked},
                          {false, true, Qt::Unchecked}};
    for (const Case& c : cases) {
        if (FrmDisplay* d = driver_->display()) {
            QTest::mouseClick(child<QPushButton>(*d, "cmdBack"), Qt::LeftButton);
            QTRY_VERIFY(driver_->display() == nullptr);
        }
        enter({"ADA", 1985, 3, 21, 6, 30, "151", "12", c.west, "33", "52", c.south, 8, false});
        child<QCheckBox>(*main_, "chkDST")->setTristate(c.dst == Qt::PartiallyChecked);
        child<QCheckBox>(*main_, "chkDST")->setCheckState(c.dst);
        calculate();
        const ChartState& s = driver_->lastChart();
        QCOMPARE(s.bLonEast, std::int16_t(c.west ? 0 : -1));
        QCOMPARE(s.bLatSouth, std::int16_t(c.south ? -1 : 0));
        QCOMPARE(s.bDST, std::int16_t(c.dst == Qt::Unchecked ? 0 : -1)); // greyed counts as ticked
        QCOMPARE(s.intLonDeg, std::int16_t(151));
        QCOMPARE(s.intLatMin, std::int16_t(52));
        QCOMPARE(s.strPersonName, std::string("ADA"));
    }
}

void DriverTest::zoneIsStoredSigned()
{
    enter({"ADA", 1947, 8, 15, 0, 0, "77", "13", false, "28", "40", false, 34, false});
    calculate();
    QCOMPARE(driver_->lastChart().intZoneHours, std::int16_t(-5));
    QCOMPARE(driver_->lastChart().intZoneMinutes, std::int16_t(-30));
    QTest::mouseClick(child<QPushButton>(*driver_->display(), "cmdBack"), Qt::LeftButton);
    QTRY_VERIFY(driver_->display() == nullptr);
    child<QComboBox>(*main_, "cmbTimeZone")->setCurrentIndex(50); // Newfoundland, -3.5
    calculate();
    QCOMPARE(driver_->lastChart().intZoneHours, std::int16_t(3));
    QCOMPARE(driver_->lastChart().intZoneMinutes, std::int16_t(30));
}

// A birth given to the window as a value comes out on the printed page as
// typed, trimmed, with what its chart was computed with.
void DriverTest::resultPageDescribesTheBirthShown()
{
    Birth b;
    b.name = QStringLiteral("ADA ");
    b.year = 1947;
    b.month = 8;
    b.day = 15;
    b.city = QStringLiteral(" Delhi");
    b.state = QStringLiteral("  ");
    b.country = QStringLiteral("India");
    b.latDeg = 28;
    b.latMin = 40;
    b.lonDeg = 77;
    b.lonMin = 13;
    b.zonePosition = 34;
    main_->showBirth(b);
    calculate();
    QVERIFY(driver_->display() != nullptr);
    const ResultPage& page = driver_->display()->resultPage();
    QCOMPARE(page.row, 3); // Gemini, as in workedBirths
    QCOMPARE(page.personName, QStringLiteral("ADA"));
    QCOMPARE(page.birthDate, QStringLiteral("15 August 1947"));
    QCOMPARE(page.birthTime, QStringLiteral("00:00"));
    QCOMPARE(page.birthPlace, QString::fromUtf8("Delhi, India, 28° 40′ N 77° 13′ E, UTC+05:30"));
}

void DriverTest::resultExitEndsTheProgram()
{
    enter({"ADA", 1947, 8, 15, 0, 0, "77", "13", false, "28", "40", false, 34, false});
    calculate();
    QPointer<FrmDisplay> display = driver_->display();
    QTest::keyClick(display, Qt::Key_Escape);
    QCOMPARE(enderCalls_, 1);
}

void DriverTest::placeTimeToTheMinute_data()
{
    QTest::addColumn<QString>("query"); // empty: Pokhara, made here
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("universalTime"); // the result's time line
    // Births at 12:00 local time; offsets from the system's tzdata.
    QTest::newRow("Kathmandu 2000, +05:45") << "Kathmandu" << QDate(2000, 6, 1) << -5 << -45
                                            << "1 June 2000, 12:00 at Kathmandu \u2014 06:15 UT";
    QTest::newRow("Caracas 2010, -04:30") << "Caracas" << QDate(2010, 6, 1) << 4 << 30
                                          << "1 June 2010, 12:00 at Caracas \u2014 16:30 UT";
    QTest::newRow("Amsterdam 1930, +00:19:32")
        << "Amsterdam" << QDate(1930, 1, 15) << 0 << -20
        << "15 January 1930, 12:00 at Amsterdam \u2014 11:40 UT";
    // Local mean time at 83° 58' E: +05:36, not Kathmandu's +05:41:16.
    QTest::newRow("Pokhara 1910, LMT") << QString() << QDate(1910, 6, 1) << -5 << -36
                                       << "1 June 1910, 12:00 at Pokhara \u2014 06:24 UT";
    QTest::newRow("Kathmandu 1980, +05:30 entry")
        << "Kathmandu" << QDate(1980, 6, 1) << -5 << -30
        << "1 June 1980, 12:00 at Kathmandu \u2014 06:30 UT";
}

void DriverTest::placeTimeToTheMinute()
{
    QFETCH(QString, query);
    QFETCH(QDate, date);
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(QString, universalTime);
    enter({"ADA", date.year(), date.month(), date.day(), 12, 0, "0", "0", false, "0", "0", false,
           29, false});
    Place place;
    if (query.isEmpty()) {
        place.name = QStringLiteral("Pokhara");
        place.zoneId = QStringLiteral("Asia/Kathmandu");
        place.latitude = 28.26689;
        place.longitude = 83.96851;
    } else {
        const auto found = Atlas::shared().search(query, 1);
        QVERIFY(!found.empty());
        place = found.front();
    }
    main_->applyPlace(place);
    ModalWatcher watcher;
    calculate();
    QVERIFY(watcher.seen().isEmpty());
    QVERIFY(driver_->display() != nullptr);
    QCOMPARE(driver_->lastChart().intZoneHours, std::int16_t(hours));
    QCOMPARE(driver_->lastChart().intZoneMinutes, std::int16_t(minutes));
    QCOMPARE(driver_->lastChart().bDST, std::int16_t(0));
    QVERIFY2(child<StatusLabel>(*driver_->display(), "lblAscendant")
                 ->text()
                 .endsWith('\n' + universalTime),
             qPrintable(child<StatusLabel>(*driver_->display(), "lblAscendant")->text()));
}

void DriverTest::lettingGoOfAnExactZoneNeedsAZone()
{
    enter({"ADA", 2000, 6, 1, 12, 0, "0", "0", false, "0", "0", false, 29, false});
    main_->applyPlace(Atlas::shared().search(QStringLiteral("Kathmandu"), 1).front());
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentIndex(), 71);
    typeInto(child<QLineEdit>(*main_, "txtMCity"), QStringLiteral("Patan"));
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentIndex(), -1);
    {
        ModalWatcher watcher;
        // A town near the picked one: its coordinates are kept for it.
        watcher.answer({QStringLiteral("Keep the coordinates of Kathmandu")});
        calculate();
        QCOMPARE(watcher.seen().size(), 2);
        QCOMPARE(
            watcher.seen().last().text,
            QStringLiteral("Choose the time zone of the birth place to find the rising sign."));
        QCOMPARE(main_->focusWidget(), child<QComboBox>(*main_, "cmbTimeZone"));
    }
    QVERIFY(driver_->display() == nullptr);
    QTest::keyClick(child<QComboBox>(*main_, "cmbTimeZone"),
                    Qt::Key_Down); // the first entry, by hand
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentIndex(), 0);
    calculate();
    QVERIFY(driver_->display() != nullptr);
    QCOMPARE(driver_->lastChart().intZoneHours, std::int16_t(9));
}

void DriverTest::unknownPlaceTimeIsRefused()
{
    enter({"ADA", 1980, 6, 1, 12, 0, "0", "0", false, "0", "0", false, 29, false});
    Place nowhere;
    nowhere.name = QStringLiteral("Atlantis");
    nowhere.zoneId = QStringLiteral("Ocean/Atlantis");
    main_->applyPlace(nowhere);
    QCOMPARE(child<StatusLabel>(*main_, "lblPlaceTime")->text(),
             QStringLiteral("Atlantis: unknown time zone (Ocean/Atlantis); choose a zone by hand"));
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentIndex(),
             -1); // not Greenwich, which it was
    {
        ModalWatcher watcher;
        calculate();
        QCOMPARE(watcher.seen().size(), 1);
        QCOMPARE(
            watcher.seen().first().text,
            QStringLiteral("The time zone of Atlantis is unknown (Ocean/Atlantis). Choose a "
                           "zone by hand, or another place or date, to find the rising sign."));
    }
    QVERIFY(driver_->display() == nullptr);
    // Another place picked resolves afresh.
    main_->applyPlace(Atlas::shared().search(QStringLiteral("Pune, India"), 1).front());
    calculate();
    QVERIFY(driver_->display() != nullptr);
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentIndex(), 34);
}

void DriverTest::placeLookupAsksForMissingParts()
{
    QStringList calls;
    setWebSearchFactory([&calls] { return std::make_unique<RecordingSearch>(&calls); });
    struct Case {
        const char *city, *state, *country, *message;
        const char* focus;
    };
    const Case cases[] = {
        {"", "", "", "Please Enter City", "txtMCity"},
        {"Punezz", "", "India", "Please Enter State", "txtMState"},
        {"Punezz", "Maharashtra", "", "Please Enter Country", "txtMCountry"},
    };
    for (const Case& c : cases) {
        child<QLineEdit>(*main_, "txtMCity")->setText(QString::fromLatin1(c.city));
        child<QLineEdit>(*main_, "txtMState")->setText(QString::fromLatin1(c.state));
        child<QLineEdit>(*main_, "txtMCountry")->setText(QString::fromLatin1(c.country));
        child<QLineEdit>(*main_, "txtName")->setFocus();
        ModalWatcher watcher;
        QTest::mouseClick(child<QPushButton>(*main_, "cmdBrowser"), Qt::LeftButton);
        QCOMPARE(watcher.seen().size(), 1);
        QCOMPARE(watcher.seen().first().text, QString::fromLatin1(c.message));
        QCOMPARE(watcher.seen().first().icon, QMessageBox::Critical);
        QCOMPARE(watcher.seen().first().title, QStringLiteral("Zenthra v1.35"));
        QTRY_COMPARE(main_->focusWidget(), child<QLineEdit>(*main_, c.focus));
    }
    QVERIFY(calls.isEmpty());
}

void DriverTest::placeLookupSearchText()
{
    QStringList calls;
    setWebSearchFactory([&calls] { return std::make_unique<RecordingSearch>(&calls); });
    // Nothing else on the window is needed; a city of one blank counts.
    child<QLineEdit>(*main_, "txtMCity")->setText(QStringLiteral(" "));
    child<QLineEdit>(*main_, "txtMState")->setText(QStringLiteral("Maharashtra"));
    child<QLineEdit>(*main_, "txtMCountry")->setText(QStringLiteral("India"));
    QTest::mouseClick(child<QPushButton>(*main_, "cmdBrowser"), Qt::LeftButton);
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first(), QStringLiteral("  Maharashtra India Latitude longitude |") +
                                modHelp::pageAddress("home-page").toString());
    QCOMPARE(placeSearchText("Pune", "Maharashtra", "India"),
             QStringLiteral("Pune Maharashtra India Latitude longitude "));
}

void DriverTest::placeLookupMakesAComponentPerClick()
{
    int made = 0;
    QStringList calls;
    setWebSearchFactory([&] {
        ++made;
        return std::make_unique<RecordingSearch>(&calls);
    });
    child<QLineEdit>(*main_, "txtMCity")->setText(QStringLiteral("Punezz"));
    child<QLineEdit>(*main_, "txtMState")->setText(QStringLiteral("Maharashtra"));
    child<QLineEdit>(*main_, "txtMCountry")->setText(QStringLiteral("India"));
    QTest::mouseClick(child<QPushButton>(*main_, "cmdBrowser"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(*main_, "cmdBrowser"), Qt::LeftButton);
    QCOMPARE(made, 2);
    QCOMPARE(calls.size(), 2);
}

void DriverTest::browserSearchEncodesPlaceNames()
{
    zenthra::test::BrowserStandIn catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    child<QLineEdit>(*main_, "txtMCity")->setText(QStringLiteral("A&B #1 + C/D"));
    child<QLineEdit>(*main_, "txtMState")->setText(QStringLiteral("x=y?z"));
    child<QLineEdit>(*main_, "txtMCountry")->setText(QStringLiteral("100%"));
    QTest::mouseClick(child<QPushButton>(*main_, "cmdBrowser"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.opened.size(), 1);
    const QUrl url = catcher.opened.first();
    QCOMPARE(url.host(), BrowserWebSearch::searchAddress(QStringLiteral("x")).host());
    QVERIFY(url.fragment().isEmpty());
    const QUrlQuery query(url);
    QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 1);
    QCOMPARE(query.queryItems(QUrl::FullyDecoded).first().second,
             QStringLiteral("A&B #1 + C/D x=y?z 100% Latitude longitude "));
}

// A place the atlas knows fills the boxes; others go to the web search.
// Coordinates from GeoNames: Pune 18.52 N, Mumbai 19.07 N.
void DriverTest::placeLookupUsesTheAtlas()
{
    QStringList calls;
    setWebSearchFactory([&calls] { return std::make_unique<RecordingSearch>(&calls); });
    const struct {
        const char *city, *state, *country, *filled; // filled: city and latitude
    } cases[] = {{"Pune", "", "", "Pune 18"},
                 {"Bombay", "", "India", "Mumbai 19"},
                 {"pune", "Maharashtra", "IN", "Pune 18"},
                 {"Pune", "Texas", "USA", nullptr}};
    for (const auto& c : cases) {
        auto* city = child<QLineEdit>(*main_, "txtMCity");
        auto* lat = child<QLineEdit>(*main_, "txtLatD");
        lat->clear();
        city->setText(QString::fromLatin1(c.city));
        child<QLineEdit>(*main_, "txtMState")->setText(QString::fromLatin1(c.state));
        child<QLineEdit>(*main_, "txtMCountry")->setText(QString::fromLatin1(c.country));
        calls.clear();
        ModalWatcher watcher;
        QTest::mouseClick(child<QPushButton>(*main_, "cmdBrowser"), Qt::LeftButton);
        QVERIFY2(watcher.seen().isEmpty(), c.city);
        QCOMPARE(calls.size(), c.filled ? 0 : 1);
        if (c.filled)
            QCOMPARE(city->text() + ' ' + lat->text(), QString::fromLatin1(c.filled));
    }
}

QTEST_MAIN(DriverTest)
#include "driver_test.moc"
