// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the user meets it: start state, lists, captions, menus,
// links, the promotional labels and the zone resolution.
#include "births/birth.h"
#include "entry/frm_main.h"
#include "links/frm_about.h"
#include "links/mod_help.h"
#include "modal_watcher.h"
#include "rules/input_limits.h"
#include "rules/utc_offset.h"
#include "ui/link_label.h"
#include "ui/shutdown.h"
#include "widget_access.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
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

using namespace zenthra;
using zenthra::test::child;
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

QStringList numbers(int first, int last)
{
    QStringList out;
    for (int n = first; n <= last; ++n)
        out << QString::number(n);
    return out;
}

QString pageKeyOf(const QUrl& url)
{
    return QUrlQuery(url).queryItemValue(QStringLiteral("page"));
}

} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT

private:
    QPointer<FrmMain> window_;
    QList<QUrl> opened_;
    int enderCalls_ = 0;

private slots:
    void init()
    {
        opened_.clear();
        enderCalls_ = 0;
        modHelp::setPageOpener([this](const QUrl& url) { opened_.append(url); });
        setProcessEnder([this] { ++enderCalls_; });
        window_ = new FrmMain;
    }

    void cleanup()
    {
        delete window_.data();
        modHelp::setPageOpener({});
        setProcessEnder({});
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void startState()
    {
        FrmMain& w = *window_;
        QCOMPARE(w.objectName(), QStringLiteral("frmMain"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Zenthra v1.35"));
        const QStringList lists{child<QComboBox>(w, "cboMonth")->currentText(),
                                child<QComboBox>(w, "cboDate")->currentText(),
                                child<QComboBox>(w, "cboYear")->currentText(),
                                child<QComboBox>(w, "cboHH")->currentText(),
                                child<QComboBox>(w, "cboMM")->currentText(),
                                child<QComboBox>(w, "cboSS")->currentText()};
        QCOMPARE(lists, (QStringList{"January", "1", "1900", "0", "0", "0"}));
        for (const QLineEdit* box : w.findChildren<QLineEdit*>())
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        QVERIFY(child<QRadioButton>(w, "optLat_0")->isChecked() &&
                !child<QRadioButton>(w, "optLat_1")->isChecked());
        QVERIFY(child<QRadioButton>(w, "optLong_0")->isChecked() &&
                !child<QRadioButton>(w, "optLong_1")->isChecked());
        QCOMPARE(child<QComboBox>(w, "cmbTimeZone")->currentIndex(), 29);
        QCOMPARE(child<QComboBox>(w, "cmbTimeZone")->currentText(),
                 QStringLiteral("Greenwich Mean Time,GMT,0.0"));
        QVERIFY(!child<QCheckBox>(w, "chkDST")->isChecked());
        for (const QComboBox* list : w.findChildren<QComboBox*>())
            QVERIFY2(!list->isEditable(), qPrintable(list->objectName()));
    }

    void lists_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("months") << "cboMonth"
                                << QStringList{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
        QTest::newRow("days") << "cboDate" << numbers(1, 31);
        QTest::newRow("years: 151, no 1899, no 2051") << "cboYear" << numbers(1900, 2050);
        QTest::newRow("hours") << "cboHH" << numbers(0, 23);
        QTest::newRow("minutes") << "cboMM" << numbers(0, 59);
        QTest::newRow("seconds") << "cboSS" << numbers(0, 59);
    }

    void lists()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, items);
        auto* list = window_->findChild<QComboBox*>(name);
        QVERIFY(list != nullptr);
        QStringList actual;
        for (int i = 0; i < list->count(); ++i)
            actual << list->itemText(i);
        QCOMPARE(actual, items);
    }

    void zoneCalculation_data()
    {
        FrmMain w;
        QCOMPARE(child<QComboBox>(w, "cmbTimeZone")->count(), 71);
        QCOMPARE(child<QComboBox>(w, "cmbTimeZone")->itemText(0),
                 QStringLiteral("Alaska/Hawaii Daylight Time,AHDT,-9.0"));
        QCOMPARE(child<QComboBox>(w, "cmbTimeZone")->itemText(34),
                 QStringLiteral("Indian Time, IST, +5.3"));
        QCOMPARE(child<QComboBox>(w, "cmbTimeZone")->itemText(56),
                 QStringLiteral("South Australia Daylight Time,SAD,+10.5"));
        QCOMPARE(child<QComboBox>(w, "cmbTimeZone")->itemText(70),
                 QStringLiteral("Yukon War Time,YWT,-8.0"));

        QTest::addColumn<int>("position");
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        for (int position = 0; position < child<QComboBox>(w, "cmbTimeZone")->count(); ++position) {
            // The offset ends each entry: sign, hours, a point and one digit;
            // any digit but 0 means half an hour. West of Greenwich is positive.
            const QString text = child<QComboBox>(w, "cmbTimeZone")->itemText(position);
            const QString offset = text.mid(text.lastIndexOf(QLatin1Char(',')) + 1).trimmed();
            const int sign = offset.startsWith(QLatin1Char('-')) ? -1 : 1;
            const QStringList parts =
                offset.mid(offset[0].isDigit() ? 0 : 1).split(QLatin1Char('.'));
            QCOMPARE(parts.size(), 2);
            QTest::addRow("%d %s", position, qPrintable(text))
                << position << -sign * parts[0].toInt() << (parts[1] != "0" ? -sign * 30 : 0);
        }
        QTest::newRow("no selection gives nothing") << -1 << 99 << 99;
    }

    void zoneCalculation()
    {
        QFETCH(int, position);
        QFETCH(int, hours);
        QFETCH(int, minutes);
        child<QComboBox>(*window_, "cmbTimeZone")->setCurrentIndex(position);
        const auto offset = window_->Zone_Calculation();
        QCOMPARE(offset.has_value(), position >= 0);
        if (!offset)
            return;
        const ClockZone zone = chartZone(*offset);
        QCOMPARE(int(zone.zoneHours), hours);
        QCOMPARE(int(zone.zoneMinutes), minutes);
    }

    void textBoxesHoldWhatTheStoreKeeps()
    {
        // A longer text would be refused by the store and its CSV.
        for (const char* name : {"txtName", "txtMCity", "txtMState", "txtMCountry"}) {
            auto* box = child<QLineEdit>(*window_, name);
            box->setText(QString(kMaxTextChars + 10, QLatin1Char('A')));
            QCOMPARE(box->text().size(), kMaxTextChars);
        }
    }

    void daylightEntriesHoldTheBox()
    {
        // The entries whose text names daylight time, read off the list.
        const QList<int> daylight{0, 5, 7, 9, 18, 19, 24, 25, 31, 40, 43, 53, 56, 57, 68};
        window_->show();
        auto* zones = child<QComboBox>(*window_, "cmbTimeZone");
        auto* box = child<QCheckBox>(*window_, "chkDST");
        zones->setFocus();
        zones->setCurrentIndex(0);
        // Down the whole list by keyboard, ticking the box where it can be.
        for (int position = 0; position < zones->count(); ++position) {
            if (position > 0)
                QTest::keyClick(zones, Qt::Key_Down);
            QCOMPARE(zones->currentIndex(), position);
            const bool held = daylight.contains(position);
            QCOMPARE(box->isEnabled(), !held);
            QCOMPARE(box->toolTip().isEmpty(), !held);
            if (!held && !box->isChecked())
                QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(box->isChecked(), !held);
            QCOMPARE(window_->currentBirth().dstInForce(), !held);
        }
    }

    void captions_data()
    {
        // Buttons, menus and frames by their own caption; inputs by the caption
        // of the label that names them (its buddy, which Alt reaches).
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        // clang-format off
        const char* const rows[][2] = {
            {"cmdRashi", "Find My Zodiac &Rising Sign"},
            {"cmdBrowser", "Click Here To Find Latitude && Longitude"},
            {"optLat_0", "North"}, {"optLat_1", "South"}, {"optLong_0", "East"},
            {"optLong_1", "West"}, {"chkDST", "Daylight Saving Time"},
            {"fraLatitude", "Latitude"}, {"fraLongitude", "Longitude"}, {"fraZone", "Zone"},
            {"mnuFile", "&File"}, {"mnuNext", "Find My Zodiac &Rising Sign"},
            {"mnuExit", "E&xit"}, {"mnuHelp", "&Help"}, {"mnuOnline", "&Online Help"},
            {"mnuVisit", "&Visit Us Online"}, {"mnuUpdate", "Check for Software &Update"},
            {"mnuAbout", "&About Software"}, {"mnuDonate", "&Donate"},
            {"mkmoney", "Make Money &Online"}, {"txtName", "Name"},
            {"cboMonth", "Date of Birth"}, {"cboHH", "Time of Birth"}, {"txtMCity", "City"},
            {"txtMState", "State"}, {"txtMCountry", "Country"}, {"txtLatD", "Deg"},
            {"txtLatM", "Min"}, {"txtLonD", "Deg"}, {"txtLonM", "Min"}};
        // clang-format on
        for (const auto& row : rows)
            QTest::newRow(row[0]) << row[0] << row[1];
    }

    void captions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QObject* object = window_->findChild<QObject*>(name);
        QVERIFY2(object != nullptr, "no control of that name");
        QString actual;
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            actual = button->text();
        else if (auto* menu = qobject_cast<QMenu*>(object))
            actual = menu->title();
        else if (auto* action = qobject_cast<QAction*>(object))
            actual = action->text();
        else if (auto* frame = qobject_cast<QGroupBox*>(object))
            actual = frame->title();
        for (const QLabel* label : window_->findChildren<QLabel*>())
            if (label->buddy() == object)
                actual = label->text();
        // Where the caption names no access key, any may be added.
        QCOMPARE(caption.contains(QLatin1Char('&')) ? actual : shown(actual), caption);
    }

    void texts()
    {
        FrmMain& w = *window_;
        QCOMPARE(child<QLabel>(w, "Label3")->text(),
                 QStringLiteral("Zenthra calculates your rising sign or ascendant based on Western "
                                "astrology concepts. The rising sign describes your outer "
                                "personality."));
        QCOMPARE(child<QLabel>(w, "Label2")->text(),
                 QStringLiteral("Enter the correct details to know more about how the world sees "
                                "you"));
        QCOMPARE(child<LinkLabel>(w, "lblFullBrand")->text(),
                 QStringLiteral("Home Business Opportunity. Start your own Internet business and "
                                "make money online. Get this software fully branded for your "
                                "website. Click here for more details."));
        const QString cobrand = child<LinkLabel>(w, "lblCobrand")->text();
        QVERIFY(cobrand.startsWith(QLatin1String("Co-brand this software for your site. ")));
        QVERIFY(cobrand.endsWith(QLatin1String(" Click Here for more info on co-branding.")));
        QVERIFY2(cobrand.size() > 90, "the middle sentence is missing");
        QVERIFY(!child<LinkLabel>(w, "Label61")->text().isEmpty() &&
                !child<LinkLabel>(w, "Label61")->text().contains(QLatin1Char('\n')));
        QCOMPARE(child<QLabel>(w, "Label10")->text(), child<LinkLabel>(w, "Label61")->text());
        const auto labels = w.findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel* l) {
            return l->text() == QLatin1String("HH:MM:SS");
        }));
        // The coordinate boxes take no more than their limit from the keyboard.
        for (const auto& [box, limit] : {std::pair{child<QLineEdit>(w, "txtLatD"), 2},
                                         {child<QLineEdit>(w, "txtLatM"), 2},
                                         {child<QLineEdit>(w, "txtLonD"), 3},
                                         {child<QLineEdit>(w, "txtLonM"), 2}}) {
            QTest::keyClicks(box, QStringLiteral("12345"));
            QCOMPARE(box->text(), QStringLiteral("12345").left(limit));
        }
    }

    void menuOrder()
    {
        FrmMain& w = *window_;
        QCOMPARE(child<QMenuBar>(w, "menuBar")->actions(),
                 (QList<QAction*>{child<QMenu>(w, "mnuFile")->menuAction(),
                                  child<QMenu>(w, "mnuZodiac")->menuAction(),
                                  child<QMenu>(w, "mnuHelp")->menuAction(),
                                  child<QAction>(w, "mnuDonate"), child<QAction>(w, "mkmoney")}));
        QVERIFY(child<QAction>(w, "mnuDonate")->menu() == nullptr &&
                child<QAction>(w, "mkmoney")->menu() == nullptr);
        QVERIFY(!child<QAction>(w, "mkmoney")->isEnabled()); // nothing ever makes it available
        // Find first and Exit last, the saved births between them.
        QList<QAction*> file;
        for (QAction* a : child<QMenu>(w, "mnuFile")->actions())
            if (!a->isSeparator())
                file << a;
        QCOMPARE(file, (QList<QAction*>{
                           child<QAction>(w, "mnuNext"), child<QAction>(w, "mnuOpenBirth"),
                           child<QAction>(w, "mnuSaveBirth"), child<QAction>(w, "mnuSaveBirthAs"),
                           child<QAction>(w, "mnuDeleteBirth"), child<QAction>(w, "mnuRecent_0"),
                           child<QAction>(w, "mnuRecent_1"), child<QAction>(w, "mnuRecent_2"),
                           child<QAction>(w, "mnuRecent_3"), child<QAction>(w, "mnuRecent_4"),
                           child<QAction>(w, "mnuExit")}));
        QCOMPARE(child<QMenu>(w, "mnuHelp")->actions(),
                 (QList<QAction*>{child<QAction>(w, "mnuContents"), child<QAction>(w, "mnuOnline"),
                                  child<QAction>(w, "mnuVisit"), child<QAction>(w, "mnuHelp1"),
                                  child<QAction>(w, "mnuUpdate"), child<QAction>(w, "mnuHelp2"),
                                  child<QAction>(w, "mnuAbout")}));
        for (const QAction* action : child<QMenu>(w, "mnuHelp")->actions())
            QCOMPARE(action->isSeparator(), action == child<QAction>(w, "mnuHelp1") ||
                                                action == child<QAction>(w, "mnuHelp2"));
    }

    void pages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pageKey");
        const char* const rows[][2] = {
            {"mnuOnline", "help-web-page"},     {"mnuVisit", "home-page"},
            {"mnuUpdate", "download-web-page"}, {"mnuDonate", "donate"},
            {"Label61", "home-page"},           {"lblCobrand", "co-brand"},
            {"lblFullBrand", "fully-branded"}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << row[0] << row[1];
    }

    void pages()
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
            // Clicked where the window shows it: the two promotional labels share
            // one place, and only the one on top may take the click.
            auto* label = window_->findChild<QLabel*>(name);
            QVERIFY(label != nullptr);
            QTRY_VERIFY(label->isVisible());
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
            const QPoint place = label->mapTo(window_, label->rect().center());
            QWidget* hit = window_->childAt(place);
            QVERIFY(hit != nullptr);
            QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(window_, place));
        }
        QCOMPARE(opened_.size(), 1);
        QCOMPARE(pageKeyOf(opened_.first()), pageKey);
    }

    void aboutWindowIsModalAndReturns()
    {
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        QPointer<QWidget> about;
        bool wasChildOfMain = false;
        {
            ModalWatcher watcher([&](QWidget* modal) {
                about = modal;
                wasChildOfMain = modal->parentWidget() == window_;
                child<QPushButton>(*modal, "cmdOK")->click();
            });
            // Returns only when the about window is closed.
            child<QAction>(*window_, "mnuAbout")->trigger();
            QCOMPARE(watcher.seen().size(), 1);
            QCOMPARE(watcher.seen().first().className, QStringLiteral("zenthra::FrmAbout"));
        }
        QVERIFY(wasChildOfMain);
        QVERIFY(about.isNull()); // unloaded
        QVERIFY(window_->isVisible());
        QCOMPARE(enderCalls_, 0);
    }

    void calculateAndLookupAreRequested()
    {
        window_->show();
        QSignalSpy calculate(window_.data(), &FrmMain::calculateRequested);
        QSignalSpy lookup(window_.data(), &FrmMain::placeLookupRequested);
        QTest::mouseClick(child<QPushButton>(*window_, "cmdRashi"), Qt::LeftButton);
        child<QAction>(*window_, "mnuNext")->trigger();
        QCOMPARE(calculate.size(), 2);
        QCOMPARE(lookup.size(), 0);
        QTest::mouseClick(child<QPushButton>(*window_, "cmdBrowser"), Qt::LeftButton);
        QCOMPARE(lookup.size(), 1);
        QCOMPARE(calculate.size(), 2);
        QVERIFY(window_->isVisible());
        QVERIFY(opened_.isEmpty());
    }

    void bannerDrawStacking_data()
    {
        QTest::addColumn<QList<int>>("draws");
        QTest::addColumn<bool>("cobrandOnTop");
        QTest::newRow("as created") << QList<int>{} << false;
        for (int draw = 1; draw <= 7; ++draw)
            QTest::addRow("draw %d", draw) << QList<int>{draw} << (draw % 2 == 1 && draw != 7);
        QTest::newRow("7 after 1 changes nothing") << QList<int>{1, 7} << true;
        QTest::newRow("2 after 1") << QList<int>{1, 2} << false;
    }

    void bannerDrawStacking()
    {
        QFETCH(QList<int>, draws);
        QFETCH(bool, cobrandOnTop);
        window_->show();
        for (const int draw : draws)
            window_->applyBannerDraw(draw);
        QCOMPARE(child<LinkLabel>(*window_, "lblCobrand")->isVisible(), cobrandOnTop);
        QCOMPARE(child<LinkLabel>(*window_, "lblFullBrand")->isVisible(), !cobrandOnTop);
    }

    void colours()
    {
        // One input, one frame and one button stand for their kind.
        const QColor peach(255, 218, 185), darkRed(103, 10, 35), lightOrange(255, 224, 192);
        FrmMain& w = *window_;
        QCOMPARE(child<QComboBox>(w, "cmbTimeZone")->palette().color(QPalette::Base), peach);
        QCOMPARE(child<QLineEdit>(w, "txtLonM")->palette().color(QPalette::Text), darkRed);
        QCOMPARE(child<QGroupBox>(w, "fraLatitude")->palette().color(QPalette::Window), peach);
        QCOMPARE(child<QCheckBox>(w, "chkDST")->palette().color(QPalette::WindowText), darkRed);
        QCOMPARE(child<QPushButton>(w, "cmdRashi")->palette().color(QPalette::Button), lightOrange);
        QVERIFY(
            child<QLineEdit>(w, "txtName")->font().families().contains(QStringLiteral("Verdana")));
    }

    void tabOrder()
    {
        FrmMain& w = *window_;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        child<QLineEdit>(w, "txtName")->setFocus();
        const QList<QWidget*> expected{
            child<QLineEdit>(w, "txtName"),      child<QComboBox>(w, "cboMonth"),
            child<QComboBox>(w, "cboDate"),      child<QComboBox>(w, "cboYear"),
            child<QComboBox>(w, "cboHH"),        child<QComboBox>(w, "cboMM"),
            child<QComboBox>(w, "cboSS"),        child<QLineEdit>(w, "txtMCity"),
            child<QLineEdit>(w, "txtMState"),    child<QLineEdit>(w, "txtMCountry"),
            child<QPushButton>(w, "cmdBrowser"), child<QLineEdit>(w, "txtLatD"),
            child<QLineEdit>(w, "txtLatM"),      child<QRadioButton>(w, "optLat_0"),
            child<QLineEdit>(w, "txtLonD"),      child<QLineEdit>(w, "txtLonM"),
            child<QRadioButton>(w, "optLong_0"), child<QComboBox>(w, "cmbTimeZone"),
            child<QCheckBox>(w, "chkDST"),       child<QPushButton>(w, "cmdRashi")};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(QApplication::focusWidget() == expected[i], qPrintable(QString::number(i)));
        }
    }
};

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
