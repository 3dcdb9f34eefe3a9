// SPDX-License-Identifier: GPL-3.0-or-later
// The saved births through the windows: the last birth back on start, the
// save before the result shows (also across a kill), Open Birth, Delete,
// the recent five, store problems, and the result saved as PDF and picture.
#include "modal_watcher.h"

#include "app/request_driver.h"
#include "births/birth_store.h"
#include "engine/chart_state.h"
#include "entry/frm_main.h"
#include "entry/frm_open_birth.h"
#include "place/atlas.h"
#include "result/frm_display.h"
#include "result/result_labels.h"
#include "ui/shutdown.h"
#include "ui/status_label.h"
#include "widget_access.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <cstdio>
#include <memory>

using namespace zenthra;
using zenthra::test::child;
using zenthra::test::ModalWatcher;

namespace {

Place atlasPlace(const char* query)
{
    const auto found = Atlas::shared().search(QString::fromUtf8(query), 1);
    if (found.empty())
        qFatal("no place for %s", query);
    return found.front();
}

void setBirth(FrmMain& w, const QString& name, int year, int month, int day, int hour, int minute)
{
    child<QLineEdit>(w, "txtName")->setText(name);
    child<QComboBox>(w, "cboMonth")->setCurrentIndex(month - 1);
    child<QComboBox>(w, "cboDate")->setCurrentIndex(day - 1);
    child<QComboBox>(w, "cboYear")->setCurrentIndex(year - 1900);
    child<QComboBox>(w, "cboHH")->setCurrentIndex(hour);
    child<QComboBox>(w, "cboMM")->setCurrentIndex(minute);
}

void setCoordinates(FrmMain& w, const char* lat, bool south, const char* lon, bool west)
{
    const QStringList la = QString::fromLatin1(lat).split(' ');
    const QStringList lo = QString::fromLatin1(lon).split(' ');
    child<QLineEdit>(w, "txtLatD")->setText(la[0]);
    child<QLineEdit>(w, "txtLatM")->setText(la[1]);
    child<QRadioButton>(w, QStringLiteral("optLat_%1").arg(south ? 1 : 0))->setChecked(true);
    child<QLineEdit>(w, "txtLonD")->setText(lo[0]);
    child<QLineEdit>(w, "txtLonM")->setText(lo[1]);
    child<QRadioButton>(w, QStringLiteral("optLong_%1").arg(west ? 1 : 0))->setChecked(true);
}

// Everything a user sees of the inputs, as one text per control.
QStringList inputs(const FrmMain& w)
{
    QStringList out;
    for (const QLineEdit* box :
         {child<QLineEdit>(w, "txtName"), child<QLineEdit>(w, "txtMCity"),
          child<QLineEdit>(w, "txtMState"), child<QLineEdit>(w, "txtMCountry"),
          child<QLineEdit>(w, "txtLatD"), child<QLineEdit>(w, "txtLatM"),
          child<QLineEdit>(w, "txtLonD"), child<QLineEdit>(w, "txtLonM")})
        out << box->text();
    for (const QComboBox* list : {child<QComboBox>(w, "cboMonth"), child<QComboBox>(w, "cboDate"),
                                  child<QComboBox>(w, "cboYear"), child<QComboBox>(w, "cboHH"),
                                  child<QComboBox>(w, "cboMM"), child<QComboBox>(w, "cboSS")})
        out << list->currentText();
    out << QString::number(child<QRadioButton>(w, "optLat_1")->isChecked())
        << QString::number(child<QRadioButton>(w, "optLong_1")->isChecked())
        << QString::number(child<QComboBox>(w, "cmbTimeZone")->count())
        << QString::number(child<QComboBox>(w, "cmbTimeZone")->currentIndex())
        << child<QComboBox>(w, "cmbTimeZone")->currentText()
        << QString::number(child<QCheckBox>(w, "chkDST")->checkState())
        << QString::number(child<QCheckBox>(w, "chkDST")->isEnabled())
        << child<StatusLabel>(w, "lblPlaceTime")->text();
    return out;
}

// Answers the next question box with Yes.
void answerYesSoon()
{
    QTimer::singleShot(50, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Yes)->click();
    });
}

} // namespace

class SavedBirthsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<BirthStore> store_;
    std::unique_ptr<FrmMain> main_;
    std::unique_ptr<RequestDriver> driver_;

    void startWindow()
    {
        if (driver_ && driver_->display())
            delete driver_->display();
        driver_.reset();
        main_.reset();
        store_ = std::make_unique<BirthStore>(path_);
        main_ = std::make_unique<FrmMain>();
        driver_ = std::make_unique<RequestDriver>(*main_);
        main_->setBirthStore(store_.get());
        main_->show();
    }

private slots:
    void init()
    {
        setProcessEnder([] {});
        path_ = dir_.filePath(QStringLiteral("births-%1-%2.sqlite")
                                  .arg(QTest::currentTestFunction())
                                  .arg(qHash(QByteArray(QTest::currentDataTag()))));
        startWindow();
    }
    void cleanup()
    {
        if (driver_ && driver_->display())
            delete driver_->display();
        driver_.reset();
        main_.reset();
        store_.reset();
        setProcessEnder({});
    }

    void lastBirthComesBackAsLeft_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("typed, south and west, a name with quotes") << 0;
        QTest::newRow("picked Pune, zone from the place") << 1;
        QTest::newRow("picked Kathmandu 1990, the extra place-time entry") << 2;
        QTest::newRow("picked New York, zone set by hand") << 3;
        QTest::newRow("picked Amsterdam 1930, an offset with seconds") << 4;
        QTest::newRow("picked Kathmandu 1910, the place's local mean time") << 5;
    }
    void lastBirthComesBackAsLeft()
    {
        QFETCH(int, kind);
        FrmMain& w = *main_;
        switch (kind) {
        case 0:
            setBirth(w, QStringLiteral("Ana \"Nina\" O'Brien-Søndergaard"), 1962, 2, 28, 23, 59);
            child<QLineEdit>(w, "txtMCity")->setText(QStringLiteral("São Paulo"));
            child<QLineEdit>(w, "txtMState")->setText(QStringLiteral("São Paulo"));
            child<QLineEdit>(w, "txtMCountry")->setText(QStringLiteral("Brasil"));
            setCoordinates(w, "23 33", true, "46 38", true);
            child<QComboBox>(w, "cmbTimeZone")->setCurrentIndex(10);
            child<QCheckBox>(w, "chkDST")->setCheckState(Qt::PartiallyChecked);
            break;
        case 1:
            setBirth(w, QStringLiteral("ASHA"), 1947, 8, 15, 0, 0);
            w.applyPlace(atlasPlace("Pune, India"));
            break;
        case 2:
            setBirth(w, QStringLiteral("BINOD"), 1990, 5, 1, 6, 30);
            w.applyPlace(atlasPlace("Kathmandu"));
            QCOMPARE(child<QComboBox>(w, "cmbTimeZone")->currentIndex(),
                     kZoneCount); // the extra entry
            break;
        case 3:
            setBirth(w, QStringLiteral("CARA"), 1976, 7, 4, 12, 0);
            w.applyPlace(atlasPlace("New York"));
            child<QComboBox>(w, "cmbTimeZone")->setCurrentIndex(5);
            emit child<QComboBox>(w, "cmbTimeZone")->activated(5);
            break;
        case 4:
        case 5:
            setBirth(w, QStringLiteral("DIRK"), kind == 4 ? 1930 : 1910, 3, 10, 9, 15);
            w.applyPlace(atlasPlace(kind == 4 ? "Amsterdam" : "Kathmandu"));
            QCOMPARE(child<QComboBox>(w, "cmbTimeZone")->currentIndex(), kZoneCount);
            break;
        }
        const QStringList before = inputs(w);
        ModalWatcher watcher;
        child<QPushButton>(w, "cmdRashi")->click();
        QVERIFY2(watcher.seen().isEmpty(), qPrintable(watcher.seen().value(0).text));
        QVERIFY(driver_->display() && driver_->display()->isVisible());
        const ChartState first = driver_->lastChart();

        startWindow();
        QCOMPARE(inputs(*main_), before);
        // And it computes the same: the chart's zone comes from the restored entry.
        child<QPushButton>(*main_, "cmdRashi")->click();
        QCOMPARE(QString::fromStdString(driver_->lastChart().varAscendantText),
                 QString::fromStdString(first.varAscendantText));
        QCOMPARE(driver_->lastChart().intZoneMinutes, first.intZoneMinutes);
        QCOMPARE(store_->count(), 1); // found again: the same birth, updated
    }

    void findSavesBeforeTheResultShows()
    {
        int storedWhenShown = -1;
        QString nameWhenShown;
        struct ShowSpy : QObject {
            std::function<void()> onShow;
            bool eventFilter(QObject* o, QEvent* e) override
            {
                if (e->type() == QEvent::Show && qobject_cast<FrmDisplay*>(o))
                    onShow();
                return false;
            }
        } spy;
        spy.onShow = [&] {
            BirthStore other(path_); // another connection, as another program would read
            storedWhenShown = other.count();
            nameWhenShown = other.mostRecent() ? other.mostRecent()->name : QString();
        };
        qApp->installEventFilter(&spy);
        setBirth(*main_, QStringLiteral("EVA"), 2001, 1, 2, 3, 4);
        setCoordinates(*main_, "51 30", false, "0 7", true);
        child<QPushButton>(*main_, "cmdRashi")->click();
        qApp->removeEventFilter(&spy);
        QCOMPARE(storedWhenShown, 1);
        QCOMPARE(nameWhenShown, QStringLiteral("EVA"));
    }

    void birthSurvivesAKillRightAfterFind()
    {
        QProcess program;
        program.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--find-and-wait"), path_});
        QVERIFY(program.waitForStarted());
        QVERIFY2(program.waitForReadyRead(30000), program.readAllStandardError().constData());
        QCOMPARE(program.readLine().trimmed(), QByteArray("shown"));
        program.kill(); // SIGKILL: no shutdown of any kind
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);

        startWindow();
        QCOMPARE(child<QLineEdit>(*main_, "txtName")->text(), QStringLiteral("FELIX"));
        QCOMPARE(child<QLineEdit>(*main_, "txtMCity")->text(), QStringLiteral("Zürich"));
        QCOMPARE(child<QComboBox>(*main_, "cmbTimeZone")->currentText(),
                 QLatin1String(zoneEntry(30).text));
    }

    void openBirthSearchesAndFills_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("Enter in the search box") << false;
        QTest::newRow("double click") << true;
    }
    void openBirthSearchesAndFills()
    {
        QFETCH(bool, doubleClick);
        for (const char* name : {"ZOË ØDEGÅRD", "ZOLTAN", "YUKI"}) {
            Birth b;
            b.name = QString::fromUtf8(name);
            b.city = QStringLiteral("Kraków");
            b.year = 1980;
            QVERIFY(store_->save(b));
        }
        int shownWhileTyping = -1;
        ModalWatcher watcher([&](QWidget* modal) {
            auto* dialog = qobject_cast<FrmOpenBirth*>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            // Whatever happens below, the dialog does not stay open for another round.
            const auto closer = qScopeGuard([dialog] { dialog->close(); });
            QTest::keyClicks(child<QLineEdit>(*dialog, "txtSearch"), QStringLiteral("zo"));
            shownWhileTyping = child<QTreeWidget>(*dialog, "lstBirths")->topLevelItemCount();
            QTest::keyClicks(child<QLineEdit>(*dialog, "txtSearch"), QStringLiteral("e"));
            QTreeWidget* list = child<QTreeWidget>(*dialog, "lstBirths");
            QCOMPARE(list->topLevelItemCount(), 1);
            if (doubleClick) {
                const QRect at = list->visualItemRect(list->topLevelItem(0));
                // A real double click starts with a press on the same row.
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at.center());
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at.center());
            } else {
                QTest::keyClick(child<QLineEdit>(*dialog, "txtSearch"), Qt::Key_Return);
            }
        });
        child<QAction>(*main_, "mnuOpenBirth")->trigger();
        QCOMPARE(shownWhileTyping, 2);
        QCOMPARE(child<QLineEdit>(*main_, "txtName")->text(), QString::fromUtf8("ZOË ØDEGÅRD"));
        QCOMPARE(child<QLineEdit>(*main_, "txtMCity")->text(), QStringLiteral("Kraków"));
    }

    // BIKASH saved at 28° 40′ N, then a second Find. Births of one name show
    // what tells them apart in the recent list and Open Birth; others do not.
    void findWithANamesake_data()
    {
        QTest::addColumn<QString>("secondName");
        QTest::addColumn<bool>("south");     // the second Find's latitude
        QTest::addColumn<QString>("answer"); // to the question; empty: none asked
        QTest::addColumn<bool>("saveAfter"); // Save Birth after the second Find
        QTest::addColumn<int>("births");     // kept afterwards
        QTest::addColumn<int>("people");     // in Open Birth
        QTest::newRow("same entries: updated") << "BIKASH" << false << "" << false << 1 << 1;
        QTest::newRow("to South, update") << "BIKASH" << true << "&Update" << false << 1 << 1;
        QTest::newRow("to South, keep both") << "BIKASH" << true << "Keep" << false << 2 << 1;
        QTest::newRow("keep both, Save Birth") << "BIKASH" << true << "Keep" << true << 2 << 2;
        QTest::newRow("another name") << "ASHA" << true << "" << false << 2 << 1;
    }

    void findWithANamesake()
    {
        QFETCH(QString, secondName);
        QFETCH(bool, south);
        QFETCH(QString, answer);
        QFETCH(bool, saveAfter);
        QFETCH(int, births);
        QFETCH(int, people);
        FrmMain& w = *main_;
        const auto enter = [&](const QString& name, bool southern) {
            setBirth(w, name, 1990, 5, 10, 6, 30);
            setCoordinates(w, "28 40", southern, "77 13", false);
            child<QComboBox>(w, "cmbTimeZone")->setCurrentIndex(34);
        };
        enter(QStringLiteral("BIKASH"), false);
        child<QAction>(w, "mnuSaveBirth")->trigger();
        QCOMPARE(store_->search(QString(), 10, true).size(), 1);
        enter(secondName, south);
        {
            ModalWatcher watcher;
            watcher.answer({answer});
            QTest::mouseClick(child<QPushButton>(w, "cmdRashi"), Qt::LeftButton);
            QVERIFY(driver_->display() != nullptr);
            QTest::mouseClick(child<QPushButton>(*driver_->display(), "cmdBack"), Qt::LeftButton);
            if (saveAfter)
                child<QAction>(w, "mnuSaveBirth")->trigger();
            QCOMPARE(watcher.seen().size(), answer.isEmpty() ? 0 : 1);
            if (!answer.isEmpty())
                QVERIFY(
                    watcher.seen().first().text.contains(QString::fromUtf8("28° 40′ N 77° 13′ E")));
        }
        QCOMPARE(store_->count(), births);
        QCOMPARE(store_->mostRecent()->south, south);

        const bool twoOfOneName = births == 2 && secondName == QLatin1String("BIKASH");
        QMetaObject::invokeMethod(child<QMenu>(w, "mnuFile"), "aboutToShow"); // fills it
        QCOMPARE(child<QAction>(w, "mnuRecent_0")->text().contains(QString::fromUtf8("28° 40′ S")),
                 twoOfOneName);
        QStringList places;
        ModalWatcher open([&places](QWidget* modal) {
            auto* list = modal->findChild<QTreeWidget*>(QStringLiteral("lstBirths"));
            for (int i = 0; list && i < list->topLevelItemCount(); ++i)
                places << list->topLevelItem(i)->text(2);
            modal->close();
        });
        child<QAction>(w, "mnuOpenBirth")->trigger();
        QCOMPARE(places.size(), people);
        QCOMPARE(places.first().contains(QString::fromUtf8("77° 13′ E")), people == 2);
    }

    void deleteAndTheRecentFive()
    {
        for (int i = 1; i <= 7; ++i) {
            Birth b;
            b.name = QStringLiteral("P%1 & CO").arg(i);
            QVERIFY(store_->saveRecent(b));
        }
        startWindow();
        QCOMPARE(child<QLineEdit>(*main_, "txtName")->text(), QStringLiteral("P7 & CO"));
        const auto recentTexts = [this] {
            QStringList out;
            for (int i = 0; i < 5; ++i) {
                const QAction* a = child<QAction>(*main_, QStringLiteral("mnuRecent_%1").arg(i));
                if (a->isVisible())
                    out << a->text();
            }
            return out;
        };
        QCOMPARE(recentTexts(), (QStringList{"&1 P7 && CO", "&2 P6 && CO", "&3 P5 && CO",
                                             "&4 P4 && CO", "&5 P3 && CO"}));
        child<QAction>(*main_, "mnuRecent_3")->trigger();
        QCOMPARE(child<QLineEdit>(*main_, "txtName")->text(), QStringLiteral("P4 & CO"));

        answerYesSoon();
        child<QAction>(*main_, "mnuDeleteBirth")->trigger();
        QCOMPARE(store_->count(), 6);
        QVERIFY(!child<QAction>(*main_, "mnuDeleteBirth")->isEnabled());
        QCOMPARE(child<QLineEdit>(*main_, "txtName")->text(),
                 QStringLiteral("P4 & CO")); // the entries stay
        QCOMPARE(recentTexts().value(3), QStringLiteral("&4 P3 && CO"));

        // Save Birth As keeps the original and adds a copy under the new name.
        child<QAction>(*main_, "mnuRecent_0")->trigger();
        ModalWatcher asked([](QWidget* modal) {
            auto* input = qobject_cast<QInputDialog*>(modal);
            QVERIFY(input);
            input->setTextValue(QStringLiteral("Copy of P7"));
            input->accept();
        });
        child<QAction>(*main_, "mnuSaveBirthAs")->trigger();
        QCOMPARE(asked.seen().size(), 1); // the name, and no message
        QCOMPARE(store_->count(), 7);
        QCOMPARE(child<QLineEdit>(*main_, "txtName")->text(), QStringLiteral("Copy of P7"));
        QCOMPARE(recentTexts().value(0), QStringLiteral("&1 Copy of P7"));

        // Save Birth writes the shown birth back; typed over with another
        // name, it adds that person and keeps the one shown before.
        child<QComboBox>(*main_, "cboHH")->setCurrentIndex(5);
        child<QAction>(*main_, "mnuSaveBirth")->trigger();
        QCOMPARE(store_->count(), 7);
        QCOMPARE(store_->mostRecent()->hour, 5);
        child<QLineEdit>(*main_, "txtName")->setText(QStringLiteral("NEW PERSON"));
        child<QAction>(*main_, "mnuSaveBirth")->trigger();
        QCOMPARE(store_->count(), 8);
        QCOMPARE(store_->recent(2).value(1).name, QStringLiteral("Copy of P7"));
    }

    void storeProblemsAreSaid_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("damaged file moved aside") << true;
        QTest::newRow("folder that cannot be written") << false;
    }
    void storeProblemsAreSaid()
    {
        QFETCH(bool, damaged);
        QString path = path_;
        if (damaged) {
            store_.reset();
            QFile::remove(path_);
            QFile bad(path_);
            QVERIFY(bad.open(QIODevice::WriteOnly));
            bad.write(QByteArray(4096, 'x'));
        } else {
            // A plain file where the folder should be: no one can write there, root included.
            QFile blocker(dir_.filePath(QStringLiteral("not-a-folder")));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            path = blocker.fileName() + QStringLiteral("/births.sqlite");
        }
        BirthStore store(path);
        main_->setBirthStore(&store);
        ModalWatcher watcher;
        main_->announceStoreRecovery();
        setBirth(*main_, QStringLiteral("GUS"), 1999, 9, 9, 9, 9);
        setCoordinates(*main_, "10 0", false, "10 0", false);
        child<QPushButton>(*main_, "cmdRashi")->click(); // the first failed save is said
        if (driver_->display())
            delete driver_->display();
        child<QPushButton>(*main_, "cmdRashi")->click(); // and only the first
        QCOMPARE(watcher.seen().size(), 1);
        const QString text = watcher.seen().front().text;
        if (damaged) {
            QVERIFY2(text.contains(QDir::toNativeSeparators(path)) &&
                         text.contains(QDir::toNativeSeparators(store.movedAsidePath())),
                     qPrintable(text));
            QCOMPARE(store.count(), 1); // the new file keeps what was found
        } else {
            QVERIFY2(text.contains(QStringLiteral("goes on without saving")), qPrintable(text));
            QVERIFY(driver_->display()->isVisible()); // the result shows all the same
        }
        main_->setBirthStore(nullptr);
    }

    void resultSavedAsPdfAndPicture()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is needed to read the PDF back");
        setBirth(*main_, QStringLiteral("HEDDA"), 1947, 8, 15, 0, 0);
        main_->applyPlace(atlasPlace("Delhi"));
        child<QPushButton>(*main_, "cmdRashi")->click();
        FrmDisplay* display = driver_->display();
        QVERIFY(display && child<QAction>(*display, "mnuSavePdf")->isEnabled());
        const QString pdf = dir_.filePath(QStringLiteral("page.pdf"));
        const QString png = dir_.filePath(QStringLiteral("window")); // the suffix is added
        for (const auto& [action, file] :
             {std::pair{child<QAction>(*display, "mnuSavePdf"), pdf},
              std::pair{child<QAction>(*display, "mnuSaveImage"), png}}) {
            ModalWatcher watcher([file = file](QWidget* modal) {
                if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                    // Let the dialog finish reading its folder first: its
                    // completer would otherwise rewrite the name afterwards.
                    QTest::qWait(200);
                    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
                    static_cast<QDialog*>(dialog)->accept(); // public there
                }
            });
            action->trigger();
            QCOMPARE(watcher.seen().size(), 1);
        }
        QVERIFY2(QFileInfo::exists(pdf), qPrintable(QDir(dir_.path()).entryList().join(' ')));
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString read = QString::fromUtf8(text.readAllStandardOutput());
        for (const QString& expected : {child<AutoSizeLabel>(*display, "lblYourRisingSign")->text(),
                                        QStringLiteral("HEDDA"), QStringLiteral("15 August 1947"),
                                        QStringLiteral("Delhi"), QStringLiteral("UTC+05:30")})
            QVERIFY2(read.contains(expected), qPrintable(expected + QStringLiteral(" in ") + read));
        const QImage picture(png + QStringLiteral(".png"));
        QCOMPARE(picture.size(), display->grab().size());
    }
};

// The child of birthSurvivesAKillRightAfterFind: enters a birth, presses
// Find, says "shown" once the result is up and waits to be killed.
static int findAndWait(int argc, char** argv)
{
    QApplication app(argc, argv);
    BirthStore store(QString::fromLocal8Bit(argv[2]));
    FrmMain main;
    RequestDriver driver(main);
    main.setBirthStore(&store);
    setBirth(main, QStringLiteral("FELIX"), 1985, 6, 1, 7, 45);
    child<QLineEdit>(main, "txtMCity")->setText(QStringLiteral("Zürich"));
    setCoordinates(main, "47 22", false, "8 33", false);
    child<QComboBox>(main, "cmbTimeZone")->setCurrentIndex(30);
    main.show();
    QTimer::singleShot(0, &main, [&] {
        child<QPushButton>(main, "cmdRashi")->click();
        if (driver.display() && driver.display()->isVisible()) {
            std::puts("shown");
            std::fflush(stdout);
        }
    });
    return QApplication::exec();
}

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--find-and-wait") == 0)
        return findAndWait(argc, argv);
    QApplication app(argc, argv);
    SavedBirthsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "saved_births_test.moc"
