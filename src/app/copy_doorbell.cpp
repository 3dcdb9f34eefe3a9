// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/copy_doorbell.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace zenthra {
namespace {

constexpr int kRingWaitMs = 1000;

} // namespace

CopyDoorbell::CopyDoorbell(const QString& name, QObject* parent)
    : QObject(parent)
    , name_(name)
    , server_(new QLocalServer(this))
{
    // Only this user may ring.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromServer();
            emit rung();
        }
    });
}

bool CopyDoorbell::listen()
{
    if (server_->listen(name_))
        return true;
    // Left behind by a copy that was killed: this copy holds the lock, so no
    // other one listens there.
    QLocalServer::removeServer(name_);
    return server_->listen(name_);
}

bool CopyDoorbell::ring(const QString& name)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kRingWaitMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

QString CopyDoorbell::nameFor(const QString& lockPath)
{
    // Short: the name becomes a socket path, whose length is limited.
    const QByteArray hash =
        QCryptographicHash::hash(lockPath.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("org.zenthra.Zenthra-") + QString::fromLatin1(hash);
}

void bringWindowsForward()
{
    QWidget* first = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowType() == Qt::Popup ||
            window->windowType() == Qt::ToolTip)
            continue;
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->raise();
        if (!first || window->isModal())
            first = window;
    }
    if (first)
        first->activateWindow();
}

} // namespace zenthra
