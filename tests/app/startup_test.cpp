// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and every way out of the program.
#include "app/copy_doorbell.h"
#include "app/single_copy.h"
#include "app/startup.h"
#include "births/birth_store.h"
#include "entry/frm_main.h"
#include "modal_watcher.h"
#include "ui/link_label.h"
#include "ui/shutdown.h"
#include "widget_access.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <set>

using namespace zenthra;
using zenthra::test::child;
using zenthra::test::ModalWatcher;
using zenthra::test::SeenModal;

namespace {

// Unloaded windows go at the next turn of the event loop.
void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Asks for the shutdown from its own close event, as the result window does.
class ClosingWindow : public QWidget {
    void closeEvent(QCloseEvent*) override { shutdownProgram(); }
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString lockPath_;
    int enderCalls_ = 0;

private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        lockPath_ = dir_.filePath(QStringLiteral("zenthra-startup.lock"));
        // The saved births of a start go to the test's folder, never the user's.
        qputenv("XDG_DATA_HOME", dir_.filePath(QStringLiteral("data")).toLocal8Bit());
        enderCalls_ = 0;
        setProcessEnder([this] { ++enderCalls_; });
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void cleanup()
    {
        setProcessEnder({});
        QList<QPointer<QWidget>> windows;
        for (QWidget* window : QApplication::topLevelWidgets())
            windows << window;
        for (const QPointer<QWidget>& window : windows) // one may take others with it
            delete window.data();
        runDeferredDeletes();
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void bannerDrawDecidesTheTopLabel()
    {
        // Seeded starts until every draw has come: each shows the label its
        // draw names on the main window, which is up and holds the lock.
        std::set<int> drawsSeen;
        for (quint32 seed = 1; seed <= 240 && drawsSeen.size() < 7; ++seed) {
            SingleCopy copy(lockPath_);
            const Startup started = startProgram(copy, seed);
            QVERIFY(started.window != nullptr && started.window->isVisible());
            QVERIFY(copy.isHeld());
            const int draw = started.intCoBrandRandomNumber;
            drawsSeen.insert(draw);
            const bool cobrand = draw == 1 || draw == 3 || draw == 5;
            QCOMPARE(child<LinkLabel>(*started.window, "lblCobrand")->isVisible(), cobrand);
            QCOMPARE(child<LinkLabel>(*started.window, "lblFullBrand")->isVisible(), !cobrand);
            delete started.window;
        }
        QCOMPARE(drawsSeen, (std::set<int>{1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(enderCalls_, 0);
    }

    void lockOutcomes_data()
    {
        QTest::addColumn<QString>(
            "lock"); // "held": another copy holds it; else a path below the test folder
        QTest::addColumn<QString>("message"); // the start of the one message shown
        QTest::addColumn<QString>("reason");  // a part of the message that gives the cause
        QTest::addColumn<bool>("starts");
        QTest::newRow("another copy") << "held"
                                      << "Application is already running"
                                      << "Application is already running" << false;
        QTest::newRow("missing folder") << "gone/zenthra.lock"
                                        << "Zenthra cannot tell"
                                        << "does not exist" << true;
        QTest::newRow("folder is a file") << "plain/zenthra.lock"
                                          << "Zenthra cannot tell"
                                          << "plain/zenthra.lock" << true;
    }

    void lockOutcomes()
    {
        QFETCH(QString, lock);
        QFETCH(QString, message);
        QFETCH(QString, reason);
        QFETCH(bool, starts);
        SingleCopy running(lockPath_);
        QString path = lockPath_;
        if (lock == QLatin1String("held")) {
            QVERIFY(running.tryAcquire());
        } else {
            QFile plain(dir_.filePath(QStringLiteral("plain")));
            QVERIFY(plain.open(QIODevice::WriteOnly));
            path = dir_.filePath(lock);
        }
        SingleCopy second(path);
        // The running copy's doorbell: the second copy rings it after its message.
        CopyDoorbell bell(CopyDoorbell::nameFor(lockPath_));
        QVERIFY(bell.listen());
        int rung = 0;
        connect(&bell, &CopyDoorbell::rung, this, [&rung] { ++rung; });
        Startup started;
        QList<SeenModal> seen;
        {
            ModalWatcher watcher;
            started = startProgram(second, 1u);
            seen = watcher.seen();
        }
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen.first().text.startsWith(message), qPrintable(seen.first().text));
        QVERIFY2(seen.first().text.contains(reason), qPrintable(seen.first().text));
        QCOMPARE(seen.first().title, QStringLiteral("Zenthra v1.35"));
        QCOMPARE(seen.first().icon, starts ? QMessageBox::Warning : QMessageBox::Information);
        QCOMPARE(started.window != nullptr, starts);
        QCOMPARE(enderCalls_, starts ? 0 : 1);
        QTRY_COMPARE(rung, starts ? 0 : 1);
        if (starts) {
            QVERIFY(started.window->isVisible());
            QVERIFY(!second.isHeld());
            delete started.window;
        }
        runDeferredDeletes();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // A births file that cannot be read is said once; the program goes on
    // without the store, or quits; the file is left alone.
    void unreadableStoreAtStart_data()
    {
        QTest::addColumn<bool>("quit");
        QTest::newRow("continue without saving") << false;
        QTest::newRow("quit") << true;
    }

    void unreadableStoreAtStart()
    {
        QFETCH(bool, quit);
        const QString store = BirthStore::defaultPath();
        for (const char* tail : {"", "-wal", "-shm"}) // an earlier start's
            QFile::remove(store + QLatin1String(tail));
        QVERIFY(QDir().mkpath(store)); // a folder where the births file belongs
        ModalWatcher watcher;
        watcher.answer({quit ? QStringLiteral("Quit") : QStringLiteral("Continue")});
        SingleCopy copy(lockPath_);
        const QPointer<FrmMain> window = startProgram(copy, 1u).window;
        QTRY_COMPARE(enderCalls_ + watcher.seen().size(), quit ? 2 : 1);
        QTest::qWait(50);
        QCOMPARE(watcher.seen().size(), 1);
        const QString said = watcher.seen()[0].text;
        QVERIFY2(said.contains(QDir::toNativeSeparators(store) + QStringLiteral(" is a folder")),
                 qPrintable(said));
        if (!quit)
            QVERIFY(window->isVisible() && !child<QAction>(*window, "mnuOpenBirth")->isEnabled());
        QVERIFY(QFileInfo(store).isDir() && QDir(store).isEmpty());
        QVERIFY(QDir(store).removeRecursively());
        // Before cleanup(), which may meet the place list's popup first.
        delete window.data();
        runDeferredDeletes();
    }

    void waysOut_data()
    {
        QTest::addColumn<QString>("way");
        for (const char* way :
             {"close box", "Exit menu", "Ctrl+Q", "another window closed", "routine twice"})
            QTest::newRow(way) << QString::fromLatin1(way);
    }

    void waysOut()
    {
        QFETCH(QString, way);
        SingleCopy copy(lockPath_);
        const QPointer<FrmMain> window = startProgram(copy, 1u).window;
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QPointer<QWidget> hidden = new QWidget; // like a hidden result window
        QPointer<QWidget> other = new QWidget;
        other->show();
        QPointer<QDialog> owned = new QDialog(window); // goes with its owner
        owned->show();
        if (way == QLatin1String("close box")) {
            QCloseEvent close; // what the window system sends for the close box
            QApplication::sendEvent(window->windowHandle(), &close);
        } else if (way == QLatin1String("Exit menu")) {
            child<QAction>(*window, "mnuExit")->trigger();
        } else if (way == QLatin1String("Ctrl+Q")) {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            ModalWatcher watcher; // nothing is asked
            QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
            QVERIFY(watcher.seen().isEmpty());
        } else if (way == QLatin1String("another window closed")) {
            QPointer<ClosingWindow> result = new ClosingWindow;
            window->hide(); // as after a calculation
            result->show();
            // The main window's own close event asks again while the routine runs.
            QVERIFY(result->close());
        } else {
            shutdownProgram();
            shutdownProgram();
        }
        QCOMPARE(enderCalls_, way == QLatin1String("routine twice") ? 2 : 1);
        QVERIFY(!other->isVisible() && !owned->isVisible());
        runDeferredDeletes();
        QVERIFY(window.isNull() && hidden.isNull() && other.isNull() && owned.isNull());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void windowsKeepTheirPlace_data()
    {
        QTest::addColumn<QPoint>("movedTo");
        QTest::newRow("on the screen") << QPoint(100, 60);
        QTest::newRow("off every screen: brought back") << QPoint(5000, 4000);
    }

    void windowsKeepTheirPlace()
    {
        QFETCH(QPoint, movedTo);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           dir_.filePath(QStringLiteral("config-%1").arg(QTest::currentDataTag())));
        QSize size;
        {
            SingleCopy copy(lockPath_);
            QPointer<FrmMain> window = startProgram(copy, 1u).window;
            QVERIFY(QTest::qWaitForWindowExposed(window));
            window->move(movedTo);
            size = window->size();
            QVERIFY(window->close()); // the program ends as by the close box
            runDeferredDeletes();
        }
        SingleCopy copy(lockPath_);
        QPointer<FrmMain> window = startProgram(copy, 1u).window;
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->size(), size);
        QVERIFY(window->screen()->availableGeometry().intersects(window->frameGeometry()));
        if (movedTo.x() < 1000)
            QCOMPARE(window->pos(), movedTo);
        delete window.data();
    }

    void f1OpensTheOfflineGuide()
    {
        SingleCopy copy(lockPath_);
        QPointer<FrmMain> window = startProgram(copy, 1u).window;
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_F1);
        QWidget* guide = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            guide = w->objectName() == QLatin1String("frmGuide") && w->isVisible() ? w : guide;
        QVERIFY(guide != nullptr);
        const QString text = child<QTextBrowser>(*guide, "txtGuide")->toPlainText();
        for (const char* topic : {"City", "day strip", "tropical", "Zodiac", "Open Birth"})
            QVERIFY2(text.contains(QLatin1String(topic)), topic);
        delete window.data();
    }

    void applicationIdentity()
    {
        describeApplication();
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Zenthra"));
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.35"));
        // The platform adds the display name to titles that do not end with it.
        QVERIFY(QStringLiteral("Zenthra v1.35").endsWith(QApplication::applicationDisplayName()));
    }

    // Last: the real ending stops the event loop for the rest of this process.
    void defaultEnderStopsTheEventLoop()
    {
        setProcessEnder({});
        (new QWidget)->show();
        QEventLoop loop;
        QTimer::singleShot(0, [] { shutdownProgram(); });
        QTimer::singleShot(20000, &loop, [&loop] { loop.exit(1); }); // if nothing stopped it
        QCOMPARE(loop.exec(), 0);
        runDeferredDeletes();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
