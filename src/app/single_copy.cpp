// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/single_copy.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zenthra {
namespace {

constexpr int kLockWaitMs = 100;

} // namespace

SingleCopy::SingleCopy(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath))
    , lockPath_(lockPath)
{
    // Held for the whole run: its age says nothing about whether the holder
    // lives (QLockFile still checks the holder's process).
    lock_->setStaleLockTime(0);
}

SingleCopy::~SingleCopy() = default;

SingleCopy::Outcome SingleCopy::acquire()
{
    failureReason_.clear();
    if (lock_->isLocked())
        return Outcome::Held;
    // QLockFile checks whether the recorded holder still lives, so the lock
    // of a killed copy is taken over at once.
    errno = 0;
    if (lock_->tryLock(kLockWaitMs))
        return Outcome::Held;
    // Kept at once: creating the file is the last thing QLockFile tried.
    const int error = errno;
    if (lock_->error() == QLockFile::LockFailedError)
        return Outcome::OtherCopyRuns;

    const QFileInfo folder(QFileInfo(lockPath_).absolutePath());
    if (!folder.exists()) {
        failureReason_ = QStringLiteral("the folder %1 does not exist")
                             .arg(QDir::toNativeSeparators(folder.filePath()));
    } else {
        const QString cause = error != 0 ? qt_error_string(error)
                              : lock_->error() == QLockFile::PermissionError
                                  ? QStringLiteral("permission denied")
                                  : QStringLiteral("unknown error");
        failureReason_ = QStringLiteral("%1 could not be created (%2)")
                             .arg(QDir::toNativeSeparators(lockPath_), cause);
    }
    return Outcome::NoLockFile;
}

bool SingleCopy::isHeld() const
{
    return lock_->isLocked();
}

QString SingleCopy::defaultLockPath()
{
    QString name = QStringLiteral("org.zenthra.Zenthra");
#ifdef Q_OS_UNIX
    // /tmp is shared: one user's copy must not keep another user's from starting.
    name += QLatin1Char('-') + QString::number(::getuid());
#endif
    QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
#ifdef Q_OS_UNIX
    // Qt gives no folder when the one TMPDIR names is missing; a lock in the
    // working folder would let copies started elsewhere run side by side.
    if (folder.isEmpty())
        folder = QDir::cleanPath(qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp")));
#endif
    return QDir(folder).filePath(name + QStringLiteral(".lock"));
}

} // namespace zenthra
