// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the user meets it: start state, lists, captions, menus,
// links, the promotional labels and the zone resolution.
#include "entry/frm_main.h"
#include "links/frm_about.h"
#include "links/mod_help.h"
#include "modal_watcher.h"
#include "rules/utc_offset.h"
#include "ui/link_label.h"
#include "ui/shutdown.h"

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
        const QStringList lists{w.cboMonth->currentText(), w.cboDate->currentText(),
                                w.cboYear->currentText(),  w.cboHH->currentText(),
                                w.cboMM->currentText(),    w.cboSS->currentText()};
        QCOMPARE(lists, (QStringList{"January", "1", "1900", "0", "0", "0"}));
        for (const QLineEdit* box : w.findChildren<QLineEdit*>())
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        QVERIFY(w.optLat[0]->isChecked() && !w.optLat[1]->isChecked());
        QVERIFY(w.optLong[0]->isChecked() && !w.optLong[1]->isChecked());
        QCOMPARE(w.cmbTimeZone->currentIndex(), 29);
        QCOMPARE(w.cmbTimeZone->currentText(), QStringLiteral("Greenwich Mean Time,GMT,0.0"));
        QVERIFY(!w.chkDST->isChecked());
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
        QCOMPARE(w.cmbTimeZone->count(), 71);
        QCOMPARE(w.cmbTimeZone->itemText(0),
                 QStringLiteral("Alaska/Hawaii Daylight Time,AHDT,-9.0"));
        QCOMPARE(w.cmbTimeZone->itemText(34), QStringLiteral("Indian Time, IST, +5.3"));
        QCOMPARE(w.cmbTimeZone->itemText(56),
                 QStringLiteral("South Australia Daylight Time,SAD,+10.5"));
        QCOMPARE(w.cmbTimeZone->itemText(70), QStringLiteral("Yukon War Time,YWT,-8.0"));

        QTest::addColumn<int>("position");
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        for (int position = 0; position < w.cmbTimeZone->count(); ++position) {
            // The offset ends each entry: sign, hours, a point and one digit;
            // any digit but 0 means half an hour. West of Greenwich is positive.
            const QString text = w.cmbTimeZone->itemText(position);
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
        window_->cmbTimeZone->setCurrentIndex(position);
        const auto offset = window_->Zone_Calculation();
        QCOMPARE(offset.has_value(), position >= 0);
        if (!offset)
            return;
        const ClockZone zone = chartZone(*offset);
        QCOMPARE(int(zone.zoneHours), hours);
        QCOMPARE(int(zone.zoneMinutes), minutes);
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
        QVERIFY(!w.Label61->text().isEmpty() && !w.Label61->text().contains(QLatin1Char('\n')));
        QCOMPARE(w.Label10->text(), w.Label61->text());
        const auto labels = w.findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](const QLabel* l) {
            return l->text() == QLatin1String("HH:MM:SS");
        }));
        // The coordinate boxes take no more than their limit from the keyboard.
        for (const auto& [box, limit] :
             {std::pair{w.txtLatD, 2}, {w.txtLatM, 2}, {w.txtLonD, 3}, {w.txtLonM, 2}}) {
            QTest::keyClicks(box, QStringLiteral("12345"));
            QCOMPARE(box->text(), QStringLiteral("12345").left(limit));
        }
    }

    void menuOrder()
    {
        FrmMain& w = *window_;
        QCOMPARE(w.menuBar->actions(),
                 (QList<QAction*>{w.mnuFile->menuAction(), w.mnuHelp->menuAction(), w.mnuDonate,
                                  w.mkmoney}));
        QVERIFY(w.mnuDonate->menu() == nullptr && w.mkmoney->menu() == nullptr);
        QVERIFY(!w.mkmoney->isEnabled()); // nothing ever makes it available
        // Find first and Exit last, the saved births between them.
        QList<QAction*> file;
        for (QAction* a : w.mnuFile->actions())
            if (!a->isSeparator())
                file << a;
        QCOMPARE(file,
                 (QList<QAction*>{w.mnuNext, w.mnuOpenBirth, w.mnuSaveBirth, w.mnuSaveBirthAs,
                                  w.mnuDeleteBirth, w.mnuRecent[0], w.mnuRecent[1], w.mnuRecent[2],
                                  w.mnuRecent[3], w.mnuRecent[4], w.mnuExit}));
        QCOMPARE(w.mnuHelp->actions(), (QList<QAction*>{w.mnuOnline, w.mnuVisit, w.mnuHelp1,
                                                        w.mnuUpdate, w.mnuHelp2, w.mnuAbout}));
        for (const QAction* action : w.mnuHelp->actions())
            QCOMPARE(action->isSeparator(), action == w.mnuHelp1 || action == w.mnuHelp2);
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
                qobject_cast<FrmAbout*>(modal)->cmdOK->click();
            });
            window_->mnuAbout->trigger(); // returns only when the about window is closed
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
        QTest::mouseClick(window_->cmdRashi, Qt::LeftButton);
        window_->mnuNext->trigger();
        QCOMPARE(calculate.size(), 2);
        QCOMPARE(lookup.size(), 0);
        QTest::mouseClick(window_->cmdBrowser, Qt::LeftButton);
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
        QCOMPARE(window_->lblCobrand->isVisible(), cobrandOnTop);
        QCOMPARE(window_->lblFullBrand->isVisible(), !cobrandOnTop);
    }

    void colours()
    {
        // One input, one frame and one button stand for their kind.
        const QColor peach(255, 218, 185), darkRed(103, 10, 35), lightOrange(255, 224, 192);
        FrmMain& w = *window_;
        QCOMPARE(w.cmbTimeZone->palette().color(QPalette::Base), peach);
        QCOMPARE(w.txtLonM->palette().color(QPalette::Text), darkRed);
        QCOMPARE(w.fraLatitude->palette().color(QPalette::Window), peach);
        QCOMPARE(w.chkDST->palette().color(QPalette::WindowText), darkRed);
        QCOMPARE(w.cmdRashi->palette().color(QPalette::Button), lightOrange);
        QVERIFY(w.txtName->font().families().contains(QStringLiteral("Verdana")));
    }

    void tabOrder()
    {
        FrmMain& w = *window_;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.txtName->setFocus();
        const QList<QWidget*> expected{w.txtName,    w.cboMonth,    w.cboDate,    w.cboYear,
                                       w.cboHH,      w.cboMM,       w.cboSS,      w.txtMCity,
                                       w.txtMState,  w.txtMCountry, w.cmdBrowser, w.txtLatD,
                                       w.txtLatM,    w.optLat[0],   w.txtLonD,    w.txtLonM,
                                       w.optLong[0], w.cmbTimeZone, w.chkDST,     w.cmdRashi};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(QApplication::focusWidget() == expected[i], qPrintable(QString::number(i)));
        }
    }
};

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
