// SPDX-License-Identifier: GPL-3.0-or-later
// The single-copy check across real processes: this test program doubles as
// the other copy when started with --hold-lock.
#include "app/single_copy.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <QFileInfo>

#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace zenthra;

namespace {

constexpr int kHelperWaitMs = 30000;

// The other copy: takes the lock, says so, and waits to be killed.
int holdLock(const char* path)
{
    SingleCopy copy{QString::fromLocal8Bit(path)};
    std::puts(copy.tryAcquire() ? "locked" : "refused");
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

} // namespace

class SingleCopyTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void secondCopyInTheSameProcessIsRefused();
    void releasedLockCanBeTakenAgain();
    void anotherProcessHoldsTheLock();
    void killedHolderDoesNotBlockTheNextStart();
    void lockFileCannotBeCreated_data();
    void lockFileCannotBeCreated();
    void defaultLockIsPerUserInTheTemporaryFolder();
    void missingTemporaryFolderIsNamed();

private:
    // Another process of this test program that takes the lock and keeps it.
    void startHolder(QProcess& holder)
    {
        holder.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--hold-lock"), lockPath_});
        QVERIFY(holder.waitForStarted(kHelperWaitMs));
        QVERIFY(holder.waitForReadyRead(kHelperWaitMs));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));
    }

    QTemporaryDir dir_;
    QString lockPath_;
};

void SingleCopyTest::init()
{
    QVERIFY(dir_.isValid());
    lockPath_ = dir_.filePath(QStringLiteral("zenthra-test.lock"));
    QFile::remove(lockPath_);
}

void SingleCopyTest::secondCopyInTheSameProcessIsRefused()
{
    SingleCopy first(lockPath_);
    QVERIFY(first.tryAcquire());
    QVERIFY(first.isHeld());
    QVERIFY(first.tryAcquire()); // asking again is harmless
    SingleCopy second(lockPath_);
    QCOMPARE(second.acquire(), SingleCopy::Outcome::OtherCopyRuns);
    QVERIFY(!second.isHeld());
}

void SingleCopyTest::releasedLockCanBeTakenAgain()
{
    {
        SingleCopy first(lockPath_);
        QVERIFY(first.tryAcquire());
    }
    QVERIFY(!QFile::exists(lockPath_));
    SingleCopy next(lockPath_);
    QVERIFY(next.tryAcquire());
}

void SingleCopyTest::anotherProcessHoldsTheLock()
{
    QProcess holder;
    startHolder(holder);
    if (QTest::currentTestFailed())
        return;

    SingleCopy mine(lockPath_);
    QCOMPARE(mine.acquire(), SingleCopy::Outcome::OtherCopyRuns);
    QVERIFY(mine.failureReason().isEmpty());

    // A copy that has been running for an hour is still running: the age of
    // its lock must not make it look abandoned.
    QFile lockFile(lockPath_);
    QVERIFY(lockFile.open(QIODevice::ReadWrite));
    QVERIFY(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    lockFile.close();
    QVERIFY(!mine.tryAcquire());

    holder.kill();
    QVERIFY(holder.waitForFinished(kHelperWaitMs));
}

void SingleCopyTest::killedHolderDoesNotBlockTheNextStart()
{
    QProcess holder;
    startHolder(holder);
    if (QTest::currentTestFailed())
        return;

    holder.kill(); // SIGKILL: no chance to remove its lock file
    QVERIFY(holder.waitForFinished(kHelperWaitMs));
    QCOMPARE(holder.exitStatus(), QProcess::CrashExit);
    QVERIFY(QFile::exists(lockPath_)); // the stale lock is still there

    SingleCopy next(lockPath_);
    QVERIFY(next.tryAcquire());
}

void SingleCopyTest::lockFileCannotBeCreated_data()
{
    QTest::addColumn<QString>("path"); // relative: below the test folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "gone/zenthra.lock"
                                    << "the folder %1/gone does not exist";
    QTest::newRow("folder is a file")
        << "plain/zenthra.lock"
        << "%1/plain/zenthra.lock could not be created (Not a directory)";
#ifdef Q_OS_LINUX
    // Refused even to the superuser, who may write into any ordinary folder.
    if (QFileInfo(QStringLiteral("/sys")).isDir())
        QTest::newRow("unwritable folder") << "/sys/zenthra.lock"
                                           << "/sys/zenthra.lock could not be created (";
#endif
}

void SingleCopyTest::lockFileCannotBeCreated()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QFile plain(dir_.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    SingleCopy copy(QDir::isAbsolutePath(path) ? path : dir_.filePath(path));
    QCOMPARE(copy.acquire(), SingleCopy::Outcome::NoLockFile);
    QVERIFY(!copy.isHeld());
    const QString expected =
        reason.contains(QLatin1String("%1")) ? reason.arg(dir_.path()) : reason;
    QVERIFY2(copy.failureReason().startsWith(expected), qPrintable(copy.failureReason()));
    // The cause is named, whatever it is.
    QVERIFY(!copy.failureReason().endsWith(QLatin1String("()")));
}

void SingleCopyTest::defaultLockIsPerUserInTheTemporaryFolder()
{
    const QString path = SingleCopy::defaultLockPath();
    QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    QVERIFY(QFileInfo(path).fileName().startsWith(QLatin1String("org.zenthra.Zenthra")));
#ifdef Q_OS_UNIX
    QVERIFY(QFileInfo(path).fileName().contains(QString::number(::getuid())));
#endif
}

void SingleCopyTest::missingTemporaryFolderIsNamed()
{
#ifdef Q_OS_UNIX
    const QByteArray saved = qgetenv("TMPDIR");
    const QString missing = dir_.filePath(QStringLiteral("gone"));
    qputenv("TMPDIR", QFile::encodeName(missing));
    const QString path = SingleCopy::defaultLockPath();
    SingleCopy copy(path);
    const SingleCopy::Outcome outcome = copy.acquire();
    qputenv("TMPDIR", saved);
    // Not a lock in the working folder, which copies started elsewhere would not see.
    QCOMPARE(QFileInfo(path).absolutePath(), missing);
    QCOMPARE(outcome, SingleCopy::Outcome::NoLockFile);
    QCOMPARE(copy.failureReason(), QStringLiteral("the folder %1 does not exist").arg(missing));
#else
    QSKIP("the temporary folder is named by TMPDIR on Unix only");
#endif
}

int main(int argc, char* argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--hold-lock") == 0) {
        QCoreApplication app(argc, argv);
        return holdLock(argv[2]);
    }
    QCoreApplication app(argc, argv);
    SingleCopyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "single_copy_test.moc"
