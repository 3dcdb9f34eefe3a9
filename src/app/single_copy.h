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

    // True when this process now holds the lock (also when it already did).
    bool tryAcquire();
    bool isHeld() const;

    // One lock per user in the temporary folder.
    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace zenthra
