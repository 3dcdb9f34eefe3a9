// SPDX-License-Identifier: GPL-3.0-or-later
// The Zodiac menu of the main window: kept between runs, reached by the
// keyboard, and followed by the day strip, the result, the chart wheel and
// the printed page.
#include "app/request_driver.h"
#include "births/birth.h"
#include "entry/day_strip.h"
#include "entry/frm_main.h"
#include "result/frm_display.h"
#include "result/result_labels.h"
#include "ui/shutdown.h"
#include "ui/status_label.h"
#include "widget_access.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <memory>

using namespace zenthra;
using zenthra::test::child;

class ZodiacWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> settingsDir_;
    std::unique_ptr<FrmMain> main_;
    std::unique_ptr<RequestDriver> driver_;

    void restart()
    {
        driver_.reset();
        main_.reset();
        main_ = std::make_unique<FrmMain>();
        driver_ = std::make_unique<RequestDriver>(*main_);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }
    void find(const Birth& birth)
    {
        main_->showBirth(birth);
        QTest::mouseClick(child<QPushButton>(*main_, "cmdRashi"), Qt::LeftButton);
        QVERIFY(driver_->display() != nullptr);
    }
    QString zodiacShown() const { return child<QLabel>(*main_, "lblZodiac")->text(); }

private slots:
    void init()
    {
        setProcessEnder([] {});
        settingsDir_ = std::make_unique<QTemporaryDir>(); // settings of this case only
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_->path());
        restart();
    }
    void cleanup()
    {
        delete driver_->display();
        driver_.reset();
        main_.reset();
        setProcessEnder({});
    }

    void choiceIsKeptAcrossARestart()
    {
        QCOMPARE(zodiacShown(), QStringLiteral("Zodiac: Tropical")); // the default
        auto* menu = child<QMenu>(*main_, "mnuZodiac");
        QTest::keyClick(main_.get(), Qt::Key_I, Qt::AltModifier); // Zod&iac
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_F); // Sidereal, &Fagan-Bradley
        restart();
        QVERIFY(!child<QAction>(*main_, "mnuTropical")->isChecked());
        QVERIFY(child<QAction>(*main_, "mnuSiderealFaganBradley")->isChecked());
        QCOMPARE(zodiacShown(), QStringLiteral("Zodiac: Sidereal, Fagan-Bradley"));
        QCOMPARE(child<QPushButton>(*main_, "cmdRashi")->accessibleDescription(), zodiacShown());
        // A value the program never writes falls back to the default.
        main_.reset();
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Zenthra", "Zenthra")
            .setValue("view/zodiac", "Lahiri");
        restart();
        QCOMPARE(zodiacShown(), QStringLiteral("Zodiac: Tropical"));
    }

    // Delhi, 15 August 1947, 00:00 IST, 77°13′ E 28°40′ N, as zenthra-calc
    // --sidereal NAME prints it; CalcZodiac.WorkedBirthInEachZodiac checks
    // that against Meeus and each ayanamsa's defining value.
    void workedBirthInEachZodiac()
    {
        const struct {
            const char *entry, *ascendant, *bigThree;
        } rows[] = {
            {"mnuSiderealLahiri",
             "Ascendant 7° 46' 9\" Taurus, sidereal (Lahiri, ayanamsa 23° 7′ 32″)",
             "Sun in Cancer 27° 59′ · Moon in Cancer 3° 59′ · Taurus rising"},
            {"mnuSiderealFaganBradley",
             "Ascendant 6° 53' 9\" Taurus, sidereal (Fagan-Bradley, ayanamsa 24° 0′ 31″)",
             "Sun in Cancer 27° 6′ · Moon in Cancer 3° 6′ · Taurus rising"},
            {"mnuSiderealRaman",
             "Ascendant 9° 12' 55\" Taurus, sidereal (Raman, ayanamsa 21° 40′ 45″)",
             "Sun in Cancer 29° 26′ · Moon in Cancer 5° 25′ · Taurus rising"},
            {"mnuSiderealKrishnamurti",
             "Ascendant 7° 51' 57\" Taurus, sidereal (Krishnamurti, ayanamsa 23° 1′ 43″)",
             "Sun in Cancer 28° 5′ · Moon in Cancer 4° 4′ · Taurus rising"},
        };
        Birth b;
        b.name = QStringLiteral("ASHA");
        b.year = 1947, b.month = 8, b.day = 15;
        b.latDeg = 28, b.latMin = 40, b.lonDeg = 77, b.lonMin = 13;
        b.zonePosition = 34; // Indian Time, IST, +5.3
        for (const auto& row : rows) {
            const QString ascendant = QString::fromUtf8(row.ascendant);
            const QString bigThree = QString::fromUtf8(row.bigThree);
            const QString zodiac = ascendant.mid(ascendant.indexOf(',')); // ", sidereal (…)"
            main_->showBirth(b);
            child<QAction>(*main_, row.entry)->trigger();
            const auto& bands = child<DayStrip>(*main_, "dayStrip")->bands();
            QCOMPARE(QString::fromStdString(bands.at(bandAt(bands, 0).value()).code),
                     QLatin1String("Tau"));
            find(b);
            FrmDisplay& display = *driver_->display();
            QCOMPARE(child<AutoSizeLabel>(display, "lblYourRisingSign")->text(), "Taurus");
            QCOMPARE(child<StatusLabel>(display, "lblAscendant")->text().section('\n', 0, 0),
                     ascendant);
            QCOMPARE(child<QLabel>(display, "lblBigThree")->text(), bigThree);
            QCOMPARE(child<QLabel>(display, "lblBigThree")->accessibleName(), bigThree + zodiac);
            QTest::mouseClick(child<QPushButton>(display, "cmdChartWheel"), Qt::LeftButton);
            QTRY_VERIFY(display.wheelWindow() != nullptr);
            QCOMPARE(child<QLabel>(*display.wheelWindow(), "lblCaption")->text(),
                     "ASHA, 15 August 1947, 00:00" + zodiac);
            QTextDocument page;
            buildResultDocument(page, display.resultPage(), 100);
            QVERIFY(page.toPlainText().contains(ascendant));
            QVERIFY(!page.toPlainText().contains(QLatin1String("polar")));
            delete &display;
            QTRY_VERIFY(driver_->display() == nullptr);
        }
    }

    void polarBirthShowsTheNote()
    {
        // At 78° N the formula's point sets in the west at noon
        // (CalcZodiac.PolarNoteInEitherZodiac in tests/tools/calc_test.cpp);
        // at 11:45 zenthra-calc finds Pisces rising, or sidereal (Lahiri)
        // Aquarius with Pisces 4 minutes earlier.
        Birth b;
        b.name = QStringLiteral("ASHA");
        b.year = 2000, b.hour = 11, b.minute = 45, b.latDeg = 78, b.west = true;
        b.zonePosition = 29; // Greenwich Mean Time
        const QString note = "Above the polar circle: the ecliptic point on the eastern horizon";
        for (const auto& [entry, cusp] :
             {std::pair{"mnuTropical", false}, std::pair{"mnuSiderealLahiri", true}}) {
            child<QAction>(*main_, entry)->trigger();
            find(b);
            FrmDisplay* display = driver_->display();
            const auto* notes = child<StatusLabel>(*display, "lblCuspNote");
            QCOMPARE(notes->text().section('\n', 0, 0), note);
            QCOMPARE(notes->text().contains("\nNear the cusp: born 4 minutes earlier"), cusp);
            QVERIFY(notes->heightForWidth(notes->width()) <= notes->height()); // both fit
            QTextDocument page;
            buildResultDocument(page, display->resultPage(), 100);
            QVERIFY(page.toPlainText().contains(note));
            QTest::mouseClick(child<QPushButton>(*display, "cmdBack"), Qt::LeftButton);
            QTRY_VERIFY(driver_->display() == nullptr);
        }
    }
};

QTEST_MAIN(ZodiacWindowTest)
#include "zodiac_window_test.moc"
