// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "app/copy_doorbell.h"
#include "app/place_lookup.h"
#include "app/request_driver.h"
#include "app/single_copy.h"
#include "births/birth_store.h"
#include "entry/frm_main.h"
#include "rules/banner_draw.h"
#include "ui/app_icon.h"
#include "ui/app_strings.h"
#include "ui/message_box.h"
#include "ui/shutdown.h"
#include "ui/window_memory.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>

#include <chrono>

#ifndef ZENTHRA_VERSION
#error "ZENTHRA_VERSION must give the program's version"
#endif

namespace zenthra {
namespace {

// Keeps the saved births for as long as the main window lives.
class BirthStoreHolder : public QObject {
public:
    explicit BirthStoreHolder(QObject* owner)
        : QObject(owner)
    {
    }
    BirthStore store;
};

// A generator seeded from the clock, different on each start.
QRandomGenerator clockSeededGenerator()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    const quint64 mixed = static_cast<quint64>(ticks) ^ (static_cast<quint64>(ms) << 20);
    return QRandomGenerator(static_cast<quint32>(mixed ^ (mixed >> 32)));
}

// Once the window is up: a store that cannot be read is said once, with the
// choice of going on without saving; a damaged one moved aside is named.
void announceStore(FrmMain& window, const BirthStore& store)
{
    if (store.isReadable()) {
        window.announceStoreRecovery();
        return;
    }
    QMessageBox box(QMessageBox::Warning, QLatin1String(kProgramTitle),
                    store.openError() +
                        QStringLiteral("\n\nZenthra can go on without saving births; "
                                       "the file is left as it is."),
                    QMessageBox::Ok | QMessageBox::Close, &window);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("Continue without saving"));
    box.button(QMessageBox::Close)->setText(QStringLiteral("Quit"));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Close))
        shutdownProgram();
}

} // namespace

void describeApplication()
{
    QApplication::setApplicationName(QStringLiteral("Zenthra"));
    // The platform appends the display name to window titles unless they
    // already end with it; ours all carry the full title.
    QApplication::setApplicationDisplayName(QLatin1String(kProgramTitle));
    QApplication::setApplicationVersion(QStringLiteral(ZENTHRA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zenthra.Zenthra"));
    QApplication::setWindowIcon(applicationIcon());
}

Startup startProgram(SingleCopy& singleCopy, std::optional<quint32> seed)
{
    switch (singleCopy.acquire()) {
    case SingleCopy::Outcome::Held:
        break;
    case SingleCopy::Outcome::OtherCopyRuns:
        showMessage(nullptr, QStringLiteral("Application is already running"),
                    QMessageBox::Information);
        // Then the running copy comes forward, where the user looks for it.
        CopyDoorbell::ring(CopyDoorbell::nameFor(singleCopy.lockPath()));
        shutdownProgram();
        return {};
    case SingleCopy::Outcome::NoLockFile:
        // Only a copy that holds the lock may stop this one from running.
        showMessage(nullptr,
                    QStringLiteral("Zenthra cannot tell whether another copy of it is running: "
                                   "%1.\n\nZenthra starts anyway.")
                        .arg(singleCopy.failureReason()),
                    QMessageBox::Warning);
        break;
    }

    QRandomGenerator random = seed ? QRandomGenerator(*seed) : clockSeededGenerator();
    Startup started;
    started.intCoBrandRandomNumber = bannerDraw(unitFloat(random.generate()));

    started.window = new FrmMain;
    FrmMain* window = started.window;
    new RequestDriver(*window, window);
    QObject::connect(window, &FrmMain::placeLookupRequested, window,
                     [window] { lookUpPlace(*window); });
    started.window->applyBannerDraw(started.intCoBrandRandomNumber);
    auto* births = new BirthStoreHolder(window);
    // A store that cannot be read is not shown as one without births, and
    // nothing is saved into it.
    window->setBirthStore(births->store.isReadable() ? &births->store : nullptr);
    rememberGeometry(window, QStringLiteral("main"));
    // A second copy started later rings for this one to come forward.
    auto* doorbell = new CopyDoorbell(CopyDoorbell::nameFor(singleCopy.lockPath()), window);
    QObject::connect(doorbell, &CopyDoorbell::rung, window, &bringWindowsForward);
    doorbell->listen();
    started.window->show();
    QTimer::singleShot(0, window, [window, births] { announceStore(*window, births->store); });
    return started;
}

int runProgram()
{
    SingleCopy singleCopy;
    const Startup started = startProgram(singleCopy);
    if (started.window == nullptr)
        return 0;
    // The shutdown routine normally unloads the window; this catches a loop
    // that ended some other way.
    const QPointer<FrmMain> window = started.window;
    const int exitCode = QApplication::exec();
    delete window.data();
    // Windows closed on the way out are deleted once events run again.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return exitCode;
}

} // namespace zenthra
