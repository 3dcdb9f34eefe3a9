// SPDX-License-Identifier: GPL-3.0-or-later
// Picking a birth place from the atlas on the real main window: coordinates,
// zone entry and daylight-saving box for the birth date, re-resolved when the
// date changes, and hand changes winning.
#include "modal_watcher.h"

#include "entry/frm_main.h"
#include "entry/place_completer.h"
#include "place/atlas.h"
#include "ui/status_label.h"
#include "widget_access.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

using namespace zenthra;
using zenthra::test::child;
using zenthra::test::ModalWatcher;

class PlacePickTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void picks_data();
    void picks();
    void exactEntryComesAndGoes();
    void unknownZoneClearsTheZone();
    void dateChangeResolvesAgain();
    void handChangeWins();
    void typingLetsGoOfThePlace();
    void placeDrift_data();
    void placeDrift();
    void pickThroughTheSuggestionList();

private:
    void setBirth(int year, int month, int day, int hour, int minute);
    Place find(const QString& query);

    std::unique_ptr<FrmMain> main_;
};

void PlacePickTest::init()
{
    main_ = std::make_unique<FrmMain>();
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
}

void PlacePickTest::cleanup()
{
    main_.reset();
}

void PlacePickTest::setBirth(int year, int month, int day, int hour, int minute)
{
    auto* years = child<QComboBox>(*main_, "cboYear");
    years->setCurrentIndex(years->findText(QString::number(year)));
    child<QComboBox>(*main_, "cboMonth")->setCurrentIndex(month - 1);
    child<QComboBox>(*main_, "cboDate")->setCurrentIndex(day - 1);
    child<QComboBox>(*main_, "cboHH")->setCurrentIndex(hour);
    child<QComboBox>(*main_, "cboMM")->setCurrentIndex(minute);
}

Place PlacePickTest::find(const QString& query)
{
    const auto found = Atlas::shared().search(query, 1);
    if (found.empty())
        qFatal("no place for %s", qPrintable(query));
    return found.front();
}

void PlacePickTest::picks_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QDateTime>("birth");
    QTest::addColumn<QString>("coordinates"); // lat deg, min, N/S, lon deg, min, E/W
    QTest::addColumn<QString>("zone");
    QTest::addColumn<bool>("dst");
    QTest::newRow("Pune 1947") << "Pune, India" << QDateTime(QDate(1947, 8, 15), QTime(0, 0))
                               << "18 31 N 73 51 E"
                               << "Indian Time, IST, +5.3" << false;
    QTest::newRow("New York 1976")
        << "New York" << QDateTime(QDate(1976, 7, 4), QTime(12, 0)) << "40 43 N 74 0 W"
        << "Eastern Standard Time,EST,-5.0" << true;
    QTest::newRow("Sydney 1985") << "Sydney, Australia"
                                 << QDateTime(QDate(1985, 3, 21), QTime(6, 30))
                                 << "33 52 S 151 12 E"
                                 << "Australian Eastern Standard Time,AEST,+10.0" << false;
    QTest::newRow("Madrid 1970") << "Madrid" << QDateTime(QDate(1970, 7, 1), QTime(12, 0))
                                 << "40 25 N 3 42 W"
                                 << "Central European Time,CET,+1.0" << false;
}

void PlacePickTest::picks()
{
    QFETCH(QString, query);
    QFETCH(QDateTime, birth);
    QFETCH(QString, coordinates);
    QFETCH(QString, zone);
    QFETCH(bool, dst);
    setBirth(birth.date().year(), birth.date().month(), birth.date().day(), birth.time().hour(),
             birth.time().minute());
    const Place place = find(query);
    main_->applyPlace(place);
    const QString shown =
        QStringList{child<QLineEdit>(*main_, "txtLatD")->text(),
                    child<QLineEdit>(*main_, "txtLatM")->text(),
                    child<QRadioButton>(*main_, "optLat_1")->isChecked() ? "S" : "N",
                    child<QLineEdit>(*main_, "txtLonD")->text(),
                    child<QLineEdit>(*main_, "txtLonM")->text(),
                    child<QRadioButton>(*main_, "optLong_1")->isChecked() ? "W" : "E"}
            .join(' ');
    QCOMPARE(shown, coordinates);
    QCOMPARE(child<QLineEdit>(*main_, "txtMCity")->text(), place.name);
    QCOMPARE(child<QLineEdit>(*main_, "txtMCountry")->text(), place.country);
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentText(), zone);
    QCOMPARE(child<QCheckBox>(*main_, "chkDST")->isChecked(), dst);
    QVERIFY2(child<StatusLabel>(*main_, "lblPlaceTime")
                 ->text()
                 .startsWith(place.displayName() + ": UTC"),
             qPrintable(child<StatusLabel>(*main_, "lblPlaceTime")->text()));
    QVERIFY(child<StatusLabel>(*main_, "lblPlaceTime")->text().contains(place.zoneId));
}

// The extra entry after the 71 holds a place time no entry has, for as long
// as it applies; the daylight-saving box is clear and disabled meanwhile.
void PlacePickTest::exactEntryComesAndGoes()
{
    const QString kathmandu = QStringLiteral("Place time, UTC+05:45 (Asia/Kathmandu)");
    enum Act { PickKathmandu, PickPune, Year1980, Year2000, Feb31, ZoneByHand, TypeCity };
    struct Step {
        Act act;
        int zone;         // the entry shown; 71 the extra one, -1 none
        const char* line; // a part of the place-time line
    } const steps[] = {
        {PickKathmandu, 71, "UTC+05:45 (Asia/Kathmandu), no daylight saving"},
        {Year1980, 34, "UTC+05:30 (Asia/Kathmandu)"}, // Nepal on +05:30 until 1986
        {Year2000, 71, "UTC+05:45"},
        {PickPune, 34, "UTC+05:30 (Asia/Kolkata)"},
        {PickKathmandu, 71, "UTC+05:45"},
        {Feb31, -1, "choose a real date"},
        {Year2000, 71, "UTC+05:45"},
        {ZoneByHand, 70, "set by hand"},
        {Year1980, 70, "set by hand"},
        {Year2000, 70, "set by hand"},
        {PickKathmandu, 71, "UTC+05:45"},
        {TypeCity, -1, ""},
    };
    setBirth(2000, 6, 1, 12, 0);
    child<QCheckBox>(*main_, "chkDST")->setChecked(true);
    ModalWatcher watcher;
    for (const Step& step : steps) {
        const QByteArray where = "step " + QByteArray::number(int(&step - steps));
        switch (step.act) {
        case PickKathmandu:
            main_->applyPlace(find(QStringLiteral("Kathmandu")));
            break;
        case PickPune:
            main_->applyPlace(find(QStringLiteral("Pune, India")));
            break;
        case Year1980:
        case Year2000:
            setBirth(step.act == Year1980 ? 1980 : 2000, 6, 1, 12, 0);
            break;
        case Feb31:
            setBirth(2000, 2, 31, 12, 0);
            break;
        case ZoneByHand:
            child<QComboBox>(*main_, "cmbTimeZone")->setFocus();
            QTest::keyClick(child<QComboBox>(*main_, "cmbTimeZone"), Qt::Key_Up);
            break;
        case TypeCity:
            child<QLineEdit>(*main_, "txtMCity")->setFocus();
            QTest::keyClick(child<QLineEdit>(*main_, "txtMCity"), Qt::Key_Backspace);
            break;
        }
        QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentIndex(), step.zone);
        const bool exact = step.zone == 71;
        QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->count(), exact ? 72 : 71);
        if (exact)
            QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentText(), kathmandu);
        QVERIFY2(
            child<StatusLabel>(*main_, "lblPlaceTime")->text().contains(QLatin1String(step.line)),
            where + ": " + qPrintable(child<StatusLabel>(*main_, "lblPlaceTime")->text()));
        QCOMPARE(child<QCheckBox>(*main_, "chkDST")->isEnabled(), !exact);
        if (exact || step.zone < 0)
            QCOMPARE(child<QCheckBox>(*main_, "chkDST")->checkState(), Qt::Unchecked);
    }
    QVERIFY(watcher.seen().isEmpty());
    QCOMPARE(child<QLineEdit>(*main_, "txtLatD")->text(), QStringLiteral("27"));
}

// A place time the window cannot show leaves no zone selected, never the
// one shown before.
void PlacePickTest::unknownZoneClearsTheZone()
{
    setBirth(2000, 6, 1, 12, 0);
    child<QComboBox>(*main_, "cmbTimeZone")->setCurrentIndex(41);
    child<QCheckBox>(*main_, "chkDST")->setChecked(true);
    Place nowhere;
    nowhere.name = QStringLiteral("Atlantis");
    nowhere.zoneId = QStringLiteral("Ocean/Atlantis");
    main_->applyPlace(nowhere);
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentIndex(), -1);
    QVERIFY(!child<QCheckBox>(*main_, "chkDST")->isChecked());
    QVERIFY(child<QCheckBox>(*main_, "chkDST")->isEnabled());
    ModalWatcher watcher;
    QVERIFY(!main_->checkPlaceTime());
    QCOMPARE(watcher.seen().size(), 1);
}

void PlacePickTest::dateChangeResolvesAgain()
{
    // London: Greenwich time in winter, double summer time in June 1941 (+2,
    // an entry of its own), summer time in 1985 (Greenwich with the box).
    setBirth(1975, 1, 15, 12, 0);
    main_->applyPlace(find("London, United Kingdom"));
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentText(),
             QStringLiteral("Greenwich Mean Time,GMT,0.0"));
    QVERIFY(!child<QCheckBox>(*main_, "chkDST")->isChecked());
    setBirth(1941, 6, 1, 12, 0);
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentText().right(4),
             QStringLiteral("+2.0"));
    QVERIFY(!child<QCheckBox>(*main_, "chkDST")->isChecked());
    setBirth(1985, 7, 1, 12, 0);
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentText(),
             QStringLiteral("Greenwich Mean Time,GMT,0.0"));
    QVERIFY(child<QCheckBox>(*main_, "chkDST")->isChecked());
}

void PlacePickTest::handChangeWins()
{
    setBirth(1976, 7, 4, 12, 0);
    main_->applyPlace(find("New York"));
    QVERIFY(child<QCheckBox>(*main_, "chkDST")->isChecked());
    QTest::mouseClick(child<QCheckBox>(*main_, "chkDST"),
                      Qt::LeftButton); // the user says no daylight saving
    QVERIFY(!child<QCheckBox>(*main_, "chkDST")->isChecked());
    QVERIFY(child<StatusLabel>(*main_, "lblPlaceTime")->text().contains(QStringLiteral("by hand")));
    setBirth(1976, 7, 5, 12, 0);
    QVERIFY(!child<QCheckBox>(*main_, "chkDST")->isChecked());
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentText(),
             QStringLiteral("Eastern Standard Time,EST,-5.0"));
    // Picking a place again resolves afresh.
    main_->applyPlace(find("New York"));
    QVERIFY(child<QCheckBox>(*main_, "chkDST")->isChecked());
}

void PlacePickTest::typingLetsGoOfThePlace()
{
    setBirth(1976, 7, 4, 12, 0);
    main_->applyPlace(find("New York"));
    child<QLineEdit>(*main_, "txtMCity")->setFocus();
    QTest::keyClick(child<QLineEdit>(*main_, "txtMCity"), Qt::Key_End);
    QTest::keyClick(child<QLineEdit>(*main_, "txtMCity"), Qt::Key_Backspace);
    QVERIFY(child<StatusLabel>(*main_, "lblPlaceTime")
                ->text()
                .contains(QStringLiteral("still those of New York")));
    setBirth(1976, 1, 4, 12, 0);
    QVERIFY(child<QCheckBox>(*main_, "chkDST")->isChecked()); // nothing re-resolved
}

// City typed over after a pick of Delhi (or none): the window says whose
// coordinates stand and asks once before Find uses them under another name.
const struct {
    const char *row, *city;
    bool pick, typeLat; // typeLat: then 20 typed as latitude
    const char* answer; // the button pressed; empty: no question
    const char* line;   // in the place-time line afterwards
    const char* after;  // city and latitude
    bool goesOn;
} kDrifts[] = {
    {"unknown name, use the nearest", "Bombey", true, false, "Use Mumbai (Bombay), Maharashtra",
     "Mumbai, Maharashtra, India: UTC+05:30", "Mumbai 19", true},
    {"another known town, keep", "Pune", true, false, "Keep the coordinates of Delhi",
     "Pune: the coordinates and zone of Delhi", "Pune 28", true},
    {"unknown name, cancelled", "Bombey", true, false, "Cancel",
     "Bombey is not in the atlas (did you mean Mumbai", "Bombey 28", false},
    {"the same town again", "Delhi", true, false, "", "Delhi, India: UTC+05:30", "Delhi 28", true},
    {"typed coordinates", "Bombey", true, true, "", "Bombey: coordinates typed by hand",
     "Bombey 20", true},
    {"free city without a pick", "Bombey", false, true, "", "", "Bombey 20", true},
};

void PlacePickTest::placeDrift_data()
{
    QTest::addColumn<int>("i");
    for (const auto& d : kDrifts)
        QTest::newRow(d.row) << int(&d - kDrifts);
}

void PlacePickTest::placeDrift()
{
    QFETCH(int, i);
    const auto& d = kDrifts[i];
    setBirth(1947, 8, 15, 0, 0);
    if (d.pick)
        main_->applyPlace(find(QStringLiteral("Delhi, India")));
    else
        child<QLineEdit>(*main_, "txtLatD")->setText(QStringLiteral("28"));
    auto* city = child<QLineEdit>(*main_, "txtMCity");
    auto* lat = child<QLineEdit>(*main_, "txtLatD");
    for (auto* box : {city, lat}) {
        if (box == lat && !d.typeLat)
            break;
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, box == lat ? "20" : d.city);
        child<PlaceCompleter>(*main_, "placeCompleter")->popup()->hide();
    }
    const QString answer = QString::fromUtf8(d.answer);
    ModalWatcher watcher;
    watcher.answer({answer});
    QCOMPARE(main_->confirmPlace(), d.goesOn);
    QCOMPARE(watcher.buttons().size(), answer.isEmpty() ? 0 : 1);
    if (!answer.isEmpty()) // use, keep, cancel
        QCOMPARE(watcher.buttons().front().count('|'), 2);
    const QString shown = child<StatusLabel>(*main_, "lblPlaceTime")->text();
    QVERIFY2(shown.contains(QString::fromUtf8(d.line)), qPrintable(shown));
    QCOMPARE(city->text() + ' ' + lat->text(), QString::fromUtf8(d.after));
    if (d.goesOn) // the answer settles it
        QCOMPARE(main_->confirmPlace(), true);
}

void PlacePickTest::pickThroughTheSuggestionList()
{
    setBirth(1947, 8, 15, 0, 0);
    main_->activateWindow();
    child<QLineEdit>(*main_, "txtMCity")->setFocus();
    QTest::keyClicks(child<QLineEdit>(*main_, "txtMCity"), QStringLiteral("Pune"));
    QAbstractItemView* popup = child<PlaceCompleter>(*main_, "placeCompleter")->popup();
    QTRY_VERIFY(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    QTRY_COMPARE(child<QLineEdit>(*main_, "txtMState")->text(), QStringLiteral("Maharashtra"));
    QCOMPARE(child<QLineEdit>(*main_, "txtLatD")->text(), QStringLiteral("18"));
    QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentIndex(), 34);
}

QTEST_MAIN(PlacePickTest)
#include "place_pick_test.moc"
