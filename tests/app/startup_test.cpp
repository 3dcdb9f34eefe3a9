// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and every way out of the program.
#include "app/banner_draw.h"
#include "app/shutdown.h"
#include "app/single_copy.h"
#include "app/startup.h"
#include "entry/frm_main.h"
#include "entry/modal_watcher.h"
#include "links/link_label.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <set>

using namespace zenthra;
using zenthra::test::ModalWatcher;

namespace {

// Unloaded windows go at the next turn of the event loop.
void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A window that asks for the shutdown from its own close event, as the
// result window does.
class ClosingWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->accept();
        shutdownProgram();
    }
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsWithTheMainWindow();
    void bannerDrawDecidesTheTopLabel();
    void secondCopyIsRefused();
    void closeBoxEndsTheProgram();
    void exitMenuEndsTheProgram();
    void shutdownUnloadsEveryWindow();
    void shutdownTwiceIsHarmless();
    void closingAnotherWindowEndsTheProgram();
    void applicationIdentity();
    // Last: the real ending stops the event loop for the rest of this process.
    void defaultEnderStopsTheEventLoop();

private:
    QTemporaryDir dir_;
    QString lockPath_;
    int enderCalls_ = 0;
};

void StartupTest::init()
{
    QVERIFY(dir_.isValid());
    lockPath_ = dir_.filePath(QStringLiteral("zenthra-startup.lock"));
    enderCalls_ = 0;
    setProcessEnder([this] { ++enderCalls_; });
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void StartupTest::cleanup()
{
    setProcessEnder({});
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        windows << window;
    for (const QPointer<QWidget>& window : windows) // deleting one may take others with it
        delete window.data();
    runDeferredDeletes();
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
}

void StartupTest::startsWithTheMainWindow()
{
    SingleCopy copy(lockPath_);
    const Startup started = startProgram(copy, 1u);
    QVERIFY(started.window != nullptr);
    QVERIFY(copy.isHeld());
    QVERIFY(started.window->isVisible());
    QCOMPARE(started.window->objectName(), QStringLiteral("frmMain"));
    QVERIFY(started.intCoBrandRandomNumber >= 1 && started.intCoBrandRandomNumber <= 7);
    QCOMPARE(enderCalls_, 0);
}

void StartupTest::bannerDrawDecidesTheTopLabel()
{
    // Over many seeded starts every draw occurs, and the window shows the
    // label its draw names.
    std::set<int> drawsSeen;
    int cobrandOnTop = 0;
    constexpr int kStarts = 240;
    for (quint32 seed = 1; seed <= kStarts; ++seed) {
        SingleCopy copy(lockPath_);
        const Startup started = startProgram(copy, seed);
        QVERIFY(started.window != nullptr);
        const int draw = started.intCoBrandRandomNumber;
        drawsSeen.insert(draw);
        const bool cobrand = draw == 1 || draw == 3 || draw == 5;
        QCOMPARE(started.window->lblCobrand->isVisible(), cobrand);
        QCOMPARE(started.window->lblFullBrand->isVisible(), !cobrand);
        cobrandOnTop += cobrand ? 1 : 0;
        delete started.window;
    }
    QCOMPARE(drawsSeen, (std::set<int>{1, 2, 3, 4, 5, 6, 7}));
    // About five in twelve (100 of 240); the seeds are fixed, so no flaking.
    QVERIFY2(cobrandOnTop > 60 && cobrandOnTop < 140, qPrintable(QString::number(cobrandOnTop)));
}

void StartupTest::secondCopyIsRefused()
{
    SingleCopy running(lockPath_);
    QVERIFY(running.tryAcquire());

    SingleCopy second(lockPath_);
    Startup started;
    {
        ModalWatcher watcher;
        started = startProgram(second, 1u);
        QCOMPARE(watcher.seen().size(), 1);
        const auto& box = watcher.seen().first();
        QCOMPARE(box.text, QStringLiteral("Application is already running"));
        QCOMPARE(box.title, QStringLiteral("Zenthra v1.35"));
        QCOMPARE(box.icon, QMessageBox::Information);
    }
    QVERIFY(started.window == nullptr);
    QCOMPARE(started.intCoBrandRandomNumber, std::int16_t(0));
    QCOMPARE(enderCalls_, 1);
    runDeferredDeletes();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void StartupTest::closeBoxEndsTheProgram()
{
    SingleCopy copy(lockPath_);
    const QPointer<FrmMain> window = startProgram(copy, 1u).window;
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // What the window system sends when the close box is clicked.
    QCloseEvent close;
    QApplication::sendEvent(window->windowHandle(), &close);
    QCOMPARE(enderCalls_, 1);
    QVERIFY(!window->isVisible());
    runDeferredDeletes();
    QVERIFY(window.isNull());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void StartupTest::exitMenuEndsTheProgram()
{
    SingleCopy copy(lockPath_);
    const QPointer<FrmMain> window = startProgram(copy, 1u).window;
    QVERIFY(window);
    window->mnuExit->trigger();
    QCOMPARE(enderCalls_, 1);
    runDeferredDeletes();
    QVERIFY(window.isNull());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void StartupTest::shutdownUnloadsEveryWindow()
{
    SingleCopy copy(lockPath_);
    const QPointer<FrmMain> window = startProgram(copy, 1u).window;
    QPointer<QWidget> hidden = new QWidget; // like a hidden result window
    QPointer<QWidget> other = new QWidget;
    other->show();
    QPointer<QDialog> owned = new QDialog(window); // goes with its owner
    owned->show();
    shutdownProgram();
    QCOMPARE(enderCalls_, 1);
    QVERIFY(!other->isVisible());
    QVERIFY(!owned->isVisible());
    runDeferredDeletes();
    QVERIFY(window.isNull());
    QVERIFY(hidden.isNull());
    QVERIFY(other.isNull());
    QVERIFY(owned.isNull());
}

void StartupTest::shutdownTwiceIsHarmless()
{
    SingleCopy copy(lockPath_);
    const QPointer<FrmMain> window = startProgram(copy, 1u).window;
    shutdownProgram();
    shutdownProgram();
    QCOMPARE(enderCalls_, 2);
    runDeferredDeletes();
    shutdownProgram(); // nothing left to unload
    QCOMPARE(enderCalls_, 3);
    QVERIFY(window.isNull());
}

void StartupTest::closingAnotherWindowEndsTheProgram()
{
    SingleCopy copy(lockPath_);
    const QPointer<FrmMain> window = startProgram(copy, 1u).window;
    QPointer<ClosingWindow> result = new ClosingWindow;
    window->hide(); // as after a calculation
    result->show();
    QVERIFY(result->close());
    // The main window's own close event asked again while the routine ran;
    // the process is still ended once.
    QCOMPARE(enderCalls_, 1);
    runDeferredDeletes();
    QVERIFY(window.isNull());
    QVERIFY(result.isNull());
}

void StartupTest::applicationIdentity()
{
    describeApplication();
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Zenthra"));
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.35"));
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.zenthra.Zenthra"));
    // The platform adds the display name to titles that do not end with it.
    QVERIFY(QStringLiteral("Zenthra v1.35").endsWith(QApplication::applicationDisplayName()));
    QVERIFY(!QApplication::windowIcon().isNull());
}

void StartupTest::defaultEnderStopsTheEventLoop()
{
    setProcessEnder({});
    auto* window = new QWidget;
    window->show();
    QEventLoop loop;
    bool stillRunning = true;
    QTimer::singleShot(0, [] { shutdownProgram(); });
    // A safety net: if the routine did not stop the loop, this would.
    QTimer::singleShot(20000, &loop, [&loop, &stillRunning] {
        stillRunning = true;
        loop.exit(1);
    });
    stillRunning = false;
    QCOMPARE(loop.exec(), 0);
    QVERIFY(!stillRunning);
    runDeferredDeletes();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
