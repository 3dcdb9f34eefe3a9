// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace zenthra {

// How a second copy of the program asks the running one to come forward: the
// running copy listens under a name of its user, a second copy rings and
// ends. Only the copy that holds the single-copy lock listens, so a name left
// behind by a copy that was killed is taken over.
class CopyDoorbell : public QObject {
    Q_OBJECT
public:
    explicit CopyDoorbell(const QString& name, QObject* parent = nullptr);

    // Starts listening; false when the name cannot be taken.
    bool listen();
    // Rings the copy listening under name; false when none answered.
    static bool ring(const QString& name);

    // The name that goes with a single-copy lock file: copies that share the
    // lock share the doorbell.
    static QString nameFor(const QString& lockPath);

signals:
    void rung();

private:
    QString name_;
    QLocalServer* server_ = nullptr;
};

// Shows the program's visible windows on top and gives the keyboard to the
// main one of them.
void bringWindowsForward();

} // namespace zenthra
