// SPDX-License-Identifier: GPL-3.0-or-later
// The day strip on the main window: fed from the window's own inputs, kept
// up to date by every edit, emptied while the inputs are not valid, setting
// the birth time, and noted on the result.
#include "app/request_driver.h"
#include "engine/chart_state.h"
#include "engine/day_bands.h"
#include "entry/day_strip.h"
#include "entry/frm_main.h"
#include "modal_watcher.h"
#include "place/place_day.h"
#include "place/place_time.h"
#include "result/frm_display.h"
#include "rules/calendar_text.h"
#include "rules/zone_table.h"
#include "ui/shutdown.h"
#include "ui/status_label.h"
#include "widget_access.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <algorithm>
#include <map>
#include <memory>

using namespace zenthra;
using zenthra::test::child;
using zenthra::test::ModalWatcher;

// A birth date and place as the window takes them.
struct DayEntry {
    int year, month, day;
    int latDeg, latMin;
    bool south;
    int lonDeg, lonMin;
    bool west;
    int zone; // position in the zone list
    bool dst;
};
Q_DECLARE_METATYPE(DayEntry)

namespace {

// A worked row of the driver test.
const DayEntry kDelhi1947{1947, 8, 15, 28, 40, false, 77, 13, false, 34, false};

// The bands of the unchanged engine for that date and place, from a chart
// filled here rather than by the window.
std::vector<RisingBand> engineBands(const DayEntry& e, const ZoneAtMinute& zoneAt = {})
{
    ChartState c;
    c.intBirthYear = static_cast<std::int16_t>(e.year);
    c.intBirthMonth = static_cast<std::int16_t>(e.month);
    c.intBirthDay = static_cast<std::int16_t>(e.day);
    c.intLatDeg = static_cast<std::int16_t>(e.latDeg);
    c.intLatMin = static_cast<std::int16_t>(e.latMin);
    c.bLatSouth = e.south ? -1 : 0;
    c.intLonDeg = static_cast<std::int16_t>(e.lonDeg);
    c.intLonMin = static_cast<std::int16_t>(e.lonMin);
    c.bLonEast = e.west ? 0 : -1;
    c.intZoneHours = zoneEntry(e.zone).hours;
    c.intZoneMinutes = zoneEntry(e.zone).minutes;
    c.bDST = e.dst ? -1 : 0;
    return dayBands(c, zoneAt);
}

QString describe(const std::vector<RisingBand>& bands)
{
    QStringList parts;
    for (const RisingBand& b : bands)
        parts << QStringLiteral("%1 %2-%3")
                     .arg(QString::fromStdString(b.code.empty() ? "gap" : b.code))
                     .arg(b.fromMinute)
                     .arg(b.toMinute);
    return parts.join(QLatin1Char(' '));
}

bool sameBands(const std::vector<RisingBand>& a, const std::vector<RisingBand>& b)
{
    return describe(a) == describe(b);
}

// What the window applies for a birth at one clock minute, asked minute by minute.
std::optional<ClockZone> zoneChosenAt(const Place& place, QDate date, int minute)
{
    const PlaceChoice c = choosePlaceTime(place, date, QTime(minute / 60, minute % 60));
    if (c.time.reading == ClockReading::Skipped)
        return std::nullopt;
    if (c.zonePosition >= 0)
        return ClockZone{zoneEntry(c.zonePosition).hours, zoneEntry(c.zonePosition).minutes, c.dst};
    if (c.exactOffset)
        return chartZone(*c.exactOffset);
    return std::nullopt; // fits no zone: the strip shows nothing then
}

} // namespace

class MainDayStripTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void bandsAgreeWithTheEngine_data();
    void bandsAgreeWithTheEngine();
    void boundariesAgreeWithFind();
    void choosingABandSetsTheTime();
    void emptyWhileInputsAreNotValid_data();
    void emptyWhileInputsAreNotValid();
    void clockChangeDayOfAPickedPlace_data();
    void clockChangeDayOfAPickedPlace();
    void resultSaysTheTimeCameFromTheStrip();
    void keyboardAndScreenReaders();

private:
    void enter(const DayEntry& e, int hour = 12, int minute = 0);
    void setTime(int hour, int minute);
    void findAndGoBack(QString* line = nullptr);
    DayStrip* dayStrip() const { return child<DayStrip>(*main_, "dayStrip"); }

    std::unique_ptr<FrmMain> main_;
    std::unique_ptr<RequestDriver> driver_;
};

void MainDayStripTest::init()
{
    setProcessEnder([] {});
    main_ = std::make_unique<FrmMain>();
    driver_ = std::make_unique<RequestDriver>(*main_);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
}

void MainDayStripTest::cleanup()
{
    delete driver_->display();
    driver_.reset();
    main_.reset();
    setProcessEnder({});
}

void MainDayStripTest::enter(const DayEntry& e, int hour, int minute)
{
    child<QLineEdit>(*main_, "txtName")->setText(QStringLiteral("ADA"));
    auto* year = child<QComboBox>(*main_, "cboYear");
    year->setCurrentIndex(year->findText(QString::number(e.year)));
    child<QComboBox>(*main_, "cboMonth")->setCurrentIndex(e.month - 1);
    child<QComboBox>(*main_, "cboDate")->setCurrentIndex(e.day - 1);
    setTime(hour, minute);
    child<QLineEdit>(*main_, "txtLatD")->setText(QString::number(e.latDeg));
    child<QLineEdit>(*main_, "txtLatM")->setText(QString::number(e.latMin));
    QTest::mouseClick(child<QRadioButton>(*main_, QStringLiteral("optLat_%1").arg(e.south ? 1 : 0)),
                      Qt::LeftButton);
    child<QLineEdit>(*main_, "txtLonD")->setText(QString::number(e.lonDeg));
    child<QLineEdit>(*main_, "txtLonM")->setText(QString::number(e.lonMin));
    QTest::mouseClick(child<QRadioButton>(*main_, QStringLiteral("optLong_%1").arg(e.west ? 1 : 0)),
                      Qt::LeftButton);
    child<QComboBox>(*main_, "cmbTimeZone")->setCurrentIndex(e.zone);
    auto* dst = child<QCheckBox>(*main_, "chkDST");
    if (dst->isChecked() != e.dst)
        QTest::mouseClick(dst, Qt::LeftButton);
}

void MainDayStripTest::setTime(int hour, int minute)
{
    for (const auto& [list, value] : {std::pair{"cboHH", hour}, std::pair{"cboMM", minute}}) {
        auto* box = child<QComboBox>(*main_, list);
        box->setCurrentIndex(box->findText(QString::number(value)));
    }
}

// Find, then Back; the result window's ascendant line into *line.
void MainDayStripTest::findAndGoBack(QString* line)
{
    ModalWatcher watcher;
    QTest::mouseClick(child<QPushButton>(*main_, "cmdRashi"), Qt::LeftButton);
    QVERIFY(watcher.seen().isEmpty());
    FrmDisplay* display = driver_->display();
    QVERIFY(display != nullptr && display->isVisible());
    if (line)
        *line = child<StatusLabel>(*display, "lblAscendant")->text();
    QTest::mouseClick(child<QPushButton>(*display, "cmdBack"), Qt::LeftButton);
    QTRY_VERIFY(driver_->display() == nullptr);
    QVERIFY(main_->isVisible());
}

void MainDayStripTest::bandsAgreeWithTheEngine_data()
{
    QTest::addColumn<DayEntry>("entry");
    QTest::addColumn<bool>("polar"); // a sign is missing or rises twice
    // The engine's worked rows (see the driver test), then places beyond the polar circles.
    QTest::newRow("Delhi 1947") << kDelhi1947 << false;
    QTest::newRow("New York 1976, DST")
        << DayEntry{1976, 7, 4, 40, 43, false, 74, 0, true, 27, true} << false;
    QTest::newRow("Sydney 1985") << DayEntry{1985, 3, 21, 33, 52, true, 151, 12, false, 8, false}
                                 << false;
    QTest::newRow("51N30 2000") << DayEntry{2000, 1, 1, 51, 30, false, 0, 0, false, 29, false}
                                << false;
    // Just beyond the polar circle the eastern horizon still meets every sign
    // once a day; further north some signs never rise and others rise twice.
    QTest::newRow("Tromso midwinter")
        << DayEntry{1990, 12, 21, 69, 39, false, 18, 57, false, 20, false} << false;
    QTest::newRow("Tromso midsummer")
        << DayEntry{1990, 6, 21, 69, 39, false, 18, 57, false, 20, false} << false;
    QTest::newRow("Rovaniemi equinox, 66N")
        << DayEntry{2001, 3, 20, 66, 34, false, 25, 44, false, 20, false} << true;
    QTest::newRow("78S 15W") << DayEntry{1995, 9, 1, 78, 13, true, 15, 38, true, 29, false} << true;
}

void MainDayStripTest::bandsAgreeWithTheEngine()
{
    QFETCH(DayEntry, entry);
    QFETCH(bool, polar);
    enter(entry, 7, 30);
    child<QComboBox>(*main_, "cboMM")->setCurrentIndex(31);
    const std::vector<RisingBand> expected = engineBands(entry);
    QVERIFY2(sameBands(dayStrip()->bands(), expected),
             qPrintable(describe(dayStrip()->bands()) + " | " + describe(expected)));

    std::map<std::string, int> risings;
    for (const RisingBand& b : expected)
        ++risings[b.code];
    // Midnight splits a sign's one rising over both ends of the day.
    if (expected.front().code == expected.back().code)
        --risings[expected.front().code];
    const bool unusual =
        risings.size() < 12 ||
        std::any_of(risings.begin(), risings.end(), [](const auto& r) { return r.second > 1; });
    QCOMPARE(unusual, polar);
}

// Each boundary of the strip, checked on both sides with Find itself, and
// against the moments each sign starts rising in Delhi on 15 August 1947,
// IST (Meeus, Astronomical Algorithms 2nd ed., eq. 12.4 sidereal time, 22.2
// obliquity and the ascendant formula, computed separately to the second).
void MainDayStripTest::boundariesAgreeWithFind()
{
    enter(kDelhi1947);
    const std::vector<RisingBand> bands = dayStrip()->bands();
    const QStringList starts =
        QStringLiteral(
            "00:00:00 01:56:37 04:13:31 06:33:35 08:50:21 11:07:06 13:27:10 15:44:05 17:43:55 "
            "19:22:28 20:48:23 22:14:17 23:52:50")
            .split(QLatin1Char(' '));
    QCOMPARE(bands.size(), std::size_t(starts.size()));
    constexpr int kToleranceSeconds = 60; // the engine's own sidereal time and obliquity
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const int start =
            QTime(0, 0).secsTo(QTime::fromString(starts[int(i)], QStringLiteral("HH:mm:ss")));
        // The band starts at the first whole minute its sign rises.
        const int firstMinute = (start + 59) / 60 * 60;
        QVERIFY2(std::abs(bands[i].fromMinute * 60 - firstMinute) <= kToleranceSeconds,
                 qPrintable(starts[int(i)] + QStringLiteral(" strip ") +
                            QString::fromStdString(clockText(bands[i].fromMinute))));
    }
    for (std::size_t i = 0; i + 1 < bands.size(); ++i) {
        const int boundary = bands[i].toMinute;
        for (const auto& [minute, code] :
             {std::pair{boundary - 1, bands[i].code}, std::pair{boundary, bands[i + 1].code}}) {
            setTime(minute / 60, minute % 60);
            findAndGoBack();
            QVERIFY2(driver_->lastChart().strAscSign == code,
                     qPrintable(QStringLiteral("%1: %2, strip %3")
                                    .arg(minute)
                                    .arg(QString::fromStdString(driver_->lastChart().strAscSign))
                                    .arg(QString::fromStdString(code))));
        }
    }
}

void MainDayStripTest::choosingABandSetsTheTime()
{
    enter(kDelhi1947, 0, 0);
    for (const auto& [hour, minute] : {std::pair{0, 0}, std::pair{5, 17}, std::pair{23, 59}}) {
        setTime(hour, minute);
        QCOMPARE(dayStrip()->marker(), hour * 60 + minute);
    }
    const QList<DayBandButton*> buttons = dayStrip()->bandButtons();
    QVERIFY(buttons.size() >= 4);
    // Gemini 00:00 to 01:57, Cancer 01:57 to 04:14 (see the worked boundary).
    QTest::mouseClick(buttons[1], Qt::LeftButton);
    const int middle = (buttons[1]->band().fromMinute + buttons[1]->band().toMinute) / 2;
    QCOMPARE(middle, 3 * 60 + 5);
    QCOMPARE(child<QComboBox>(*main_, "cboHH")->currentText(), QStringLiteral("3"));
    QCOMPARE(child<QComboBox>(*main_, "cboMM")->currentText(), QStringLiteral("5"));
    QCOMPARE(dayStrip()->marker(), middle);
    QVERIFY(main_->timeFromDayStrip());
    findAndGoBack();
    QCOMPARE(driver_->lastChart().strAscSign, std::string("Can"));

    // Enter on a band does what a click does.
    buttons[3]->setFocus();
    QTest::keyClick(buttons[3], Qt::Key_Return);
    const RisingBand band = buttons[3]->band();
    QTRY_COMPARE(dayStrip()->marker(), (band.fromMinute + band.toMinute) / 2);

    auto* minutes = child<QComboBox>(*main_, "cboMM");
    minutes->setCurrentIndex(minutes->currentIndex() == 0 ? 1 : 0);
    QVERIFY(!main_->timeFromDayStrip());
}

void MainDayStripTest::emptyWhileInputsAreNotValid_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("no latitude degrees") << "latD=";
    QTest::newRow("latitude 90") << "latD=90";
    QTest::newRow("longitude minutes 60") << "lonM=60";
    QTest::newRow("longitude 180") << "lonD=180";
    QTest::newRow("31 April") << "date=1947-4-31";
    QTest::newRow("29 February 1900") << "date=1900-2-29";
    QTest::newRow("no zone") << "zone=-1";
    QTest::newRow("picked place of unknown zone") << "place=Nowhere/Unknown";
}

void MainDayStripTest::emptyWhileInputsAreNotValid()
{
    QFETCH(QString, change);
    enter(kDelhi1947);
    QVERIFY(!dayStrip()->bands().empty());
    const QString what = change.section(QLatin1Char('='), 0, 0);
    const QString value = change.section(QLatin1Char('='), 1);
    ModalWatcher watcher; // a picked place may bring a note
    if (what == QLatin1String("latD"))
        child<QLineEdit>(*main_, "txtLatD")->setText(value);
    else if (what == QLatin1String("lonD"))
        child<QLineEdit>(*main_, "txtLonD")->setText(value);
    else if (what == QLatin1String("lonM"))
        child<QLineEdit>(*main_, "txtLonM")->setText(value);
    else if (what == QLatin1String("zone"))
        child<QComboBox>(*main_, "cmbTimeZone")->setCurrentIndex(value.toInt());
    else if (what == QLatin1String("place"))
        main_->applyPlace(Place{QStringLiteral("Nowhere"), {}, {}, {}, {}, value, 28.67, 77.22, 0});
    else {
        const QStringList ymd = value.split(QLatin1Char('-'));
        enter(DayEntry{ymd[0].toInt(), ymd[1].toInt(), ymd[2].toInt(), 28, 40, false, 77, 13, false,
                       34, false});
    }
    QVERIFY2(dayStrip()->bands().empty(), qPrintable(describe(dayStrip()->bands())));
    QVERIFY(dayStrip()->bandButtons().isEmpty());
    QCOMPARE(dayStrip()->marker(), -1);
    QVERIFY(dayStrip()->accessibleDescription().endsWith(QStringLiteral("are valid.")));
    // Valid again: the strip comes back. A zone of a picked place counts
    // once the user picks it from the list.
    enter(kDelhi1947);
    emit child<QComboBox>(*main_, "cmbTimeZone")->activated(kDelhi1947.zone);
    QVERIFY(sameBands(dayStrip()->bands(), engineBands(kDelhi1947)));
}

void MainDayStripTest::clockChangeDayOfAPickedPlace_data()
{
    QTest::addColumn<QString>("zoneId");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("gapFrom"); // clock minutes that did not exist; -1: none
    QTest::addColumn<int>("gapTo");
    // tzdata: London to BST at 01:00 on 31 March 1985 and back at 02:00 BST on
    // 27 October (01:00 to 02:00 came twice); New York to EDT at 02:00 on 27
    // April 1980; Kathmandu +05:30 to +05:45 at midnight 1986; Amsterdam
    // +00:19:32 to +00:20 at midnight, 1 July 1937 (00:00:00 itself skipped);
    // Caracas -04:00 to -04:30 at 03:00 on 9 December 2007.
    QTest::newRow("London forward")
        << "Europe/London" << 51.5 << -0.1167 << QDate(1985, 3, 31) << 60 << 120;
    QTest::newRow("London back") << "Europe/London" << 51.5 << -0.1167 << QDate(1985, 10, 27) << -1
                                 << -1;
    QTest::newRow("New York forward")
        << "America/New_York" << 40.7167 << -74.0 << QDate(1980, 4, 27) << 120 << 180;
    QTest::newRow("Kathmandu 1986")
        << "Asia/Kathmandu" << 27.7 << 85.3167 << QDate(1986, 1, 1) << 0 << 15;
    QTest::newRow("Amsterdam 1937")
        << "Europe/Amsterdam" << 52.3667 << 4.9 << QDate(1937, 7, 1) << 0 << 1;
    QTest::newRow("Caracas back") << "America/Caracas" << 10.5 << -66.9167 << QDate(2007, 12, 9)
                                  << -1 << -1;
}

// The strip follows the place's own time minute by minute, with the rules the
// window applies to a single birth time (asked here for every minute).
void MainDayStripTest::clockChangeDayOfAPickedPlace()
{
    QFETCH(QString, zoneId);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QDate, date);
    QFETCH(int, gapFrom);
    QFETCH(int, gapTo);
    const WindowCoordinates at = toWindowCoordinates(latitude, longitude);
    const DayEntry entry{date.year(),   date.month(), date.day(),    at.latDegrees,
                         at.latMinutes, at.south,     at.lonDegrees, at.lonMinutes,
                         at.west,       29,           false};
    enter(entry);
    Place place;
    place.name = zoneId.section(QLatin1Char('/'), -1);
    place.zoneId = zoneId;
    place.latitude = latitude;
    place.longitude = longitude;
    main_->applyPlace(place);

    std::vector<std::optional<ClockZone>> chosen;
    for (int minute = 0; minute < kMinutesPerDay; ++minute)
        chosen.push_back(zoneChosenAt(place, date, minute));
    const std::vector<RisingBand> expected =
        engineBands(entry, [&chosen](int minute) { return chosen[std::size_t(minute)]; });
    QVERIFY2(sameBands(dayStrip()->bands(), expected),
             qPrintable(describe(dayStrip()->bands()) + " | " + describe(expected)));
    QString gaps;
    for (const RisingBand& b : expected) {
        if (b.code.empty())
            gaps += QStringLiteral("%1-%2").arg(b.fromMinute).arg(b.toMinute);
    }
    QCOMPARE(gaps, gapFrom < 0 ? QString() : QStringLiteral("%1-%2").arg(gapFrom).arg(gapTo));
}

void MainDayStripTest::resultSaysTheTimeCameFromTheStrip()
{
    const QString note = QStringLiteral(" (time set from the day strip)\n");
    enter(kDelhi1947);
    QTest::mouseClick(dayStrip()->bandButtons()[2], Qt::LeftButton);
    QString line;
    findAndGoBack(&line);
    QVERIFY2(line.startsWith(QStringLiteral("Ascendant ")) && line.contains(note),
             qPrintable(line));
    // Set by hand afterwards: no note.
    setTime(4, 20);
    findAndGoBack(&line);
    QVERIFY2(line.startsWith(QStringLiteral("Ascendant ")) && !line.contains(note),
             qPrintable(line));
}

// The strip sits under the zone frame, between the daylight-saving box and
// Find in the tab order, one stop for the whole day.
void MainDayStripTest::keyboardAndScreenReaders()
{
    enter(kDelhi1947, 5, 0);
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    QCOMPARE(dayStrip()->accessibleName(), QStringLiteral("Rising signs through the day"));
    // The same words as a heading the eye meets above the strip.
    auto* heading = child<QLabel>(*main_, "lblDayStrip");
    QVERIFY(heading->isVisible());
    QCOMPARE(heading->text(), dayStrip()->accessibleName());
    QVERIFY(heading->mapTo(main_.get(), QPoint(0, heading->height())).y() <=
            dayStrip()->mapTo(main_.get(), QPoint(0, 0)).y());
    QVERIFY(!dayStrip()->accessibleDescription().isEmpty());
    const QPoint strip = dayStrip()->mapTo(main_.get(), QPoint(0, 0));
    QVERIFY(strip.y() >
            child<QCheckBox>(*main_, "chkDST")
                ->mapTo(main_.get(), QPoint(0, child<QCheckBox>(*main_, "chkDST")->height()))
                .y());
    QVERIFY(child<QPushButton>(*main_, "cmdRashi")->mapTo(main_.get(), QPoint(0, 0)).y() >=
            strip.y() + dayStrip()->height());

    child<QCheckBox>(*main_, "chkDST")->setFocus();
    QTest::keyClick(child<QCheckBox>(*main_, "chkDST"), Qt::Key_Tab);
    auto* band = qobject_cast<DayBandButton*>(QApplication::focusWidget());
    QVERIFY(band);
    QVERIFY(band->band().fromMinute <= 300 && 300 < band->band().toMinute);
    QTest::keyClick(band, Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(),
             static_cast<QWidget*>(child<QPushButton>(*main_, "cmdRashi")));
    QTest::keyClick(child<QPushButton>(*main_, "cmdRashi"), Qt::Key_Backtab);
    QVERIFY(qobject_cast<DayBandButton*>(QApplication::focusWidget()));
    // After the bands change (another day), Tab still goes the same way.
    child<QComboBox>(*main_, "cboDate")->setCurrentIndex(20);
    child<QCheckBox>(*main_, "chkDST")->setFocus();
    QTest::keyClick(child<QCheckBox>(*main_, "chkDST"), Qt::Key_Tab);
    QVERIFY(qobject_cast<DayBandButton*>(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(),
             static_cast<QWidget*>(child<QPushButton>(*main_, "cmdRashi")));
}

QTEST_MAIN(MainDayStripTest)
#include "main_day_strip_test.moc"
