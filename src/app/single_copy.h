// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace zenthra {

// Tells whether another copy of the program runs for this user. The lock is
// held until this object goes; a copy that was killed leaves a stale lock,
// which the next start recognises and takes over.
class SingleCopy {
public:
    explicit SingleCopy(const QString& lockPath = defaultLockPath());
    ~SingleCopy();
    SingleCopy(const SingleCopy&) = delete;
    SingleCopy& operator=(const SingleCopy&) = delete;

    enum class Outcome {
        Held,          // this process holds the lock (also when it already did)
        OtherCopyRuns, // another copy holds it
        NoLockFile,    // the lock file cannot be created; see failureReason()
    };
    Outcome acquire();
    // True when this process now holds the lock.
    bool tryAcquire() { return acquire() == Outcome::Held; }
    bool isHeld() const;
    // Why the last acquire() could not create the lock file, for the user.
    QString failureReason() const { return failureReason_; }

    QString lockPath() const { return lockPath_; }

    // One lock per user in the temporary folder.
    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
    QString lockPath_;
    QString failureReason_;
};

} // namespace zenthra
