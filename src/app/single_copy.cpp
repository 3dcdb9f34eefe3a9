// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/single_copy.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zenthra {
namespace {

constexpr int kLockWaitMs = 100;

} // namespace

SingleCopy::SingleCopy(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath))
{
    // Held for the whole run: its age says nothing about whether the holder
    // lives (QLockFile still checks the holder's process).
    lock_->setStaleLockTime(0);
}

SingleCopy::~SingleCopy() = default;

bool SingleCopy::tryAcquire()
{
    if (lock_->isLocked())
        return true;
    // QLockFile checks whether the recorded holder still lives, so the lock
    // of a killed copy is taken over at once.
    return lock_->tryLock(kLockWaitMs);
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
    return QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
        .filePath(name + QStringLiteral(".lock"));
}

} // namespace zenthra
