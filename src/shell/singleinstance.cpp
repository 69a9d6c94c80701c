#include "shell/singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kConnectTimeoutMs = 500;
const QByteArray kActivate = QByteArrayLiteral("activate\n");

// The listener's user, as the system saw it when it began to listen.
bool EsDelUsuario(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                        &size) == 0 &&
           peer.uid == ::getuid();
}

// True when a copy of this user answered; a listener of anyone else is never told anything.
bool AvisarPrimaria(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectTimeoutMs) || !EsDelUsuario(socket))
        return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

QString RutaSocketInstancia(const QString& key) {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QLatin1Char('/') +
           key + QStringLiteral(".socket");
}

bool SingleInstance::tryBecomePrimary(const QString& key) {
    const QString name = RutaSocketInstancia(key);
    if (AvisarPrimaria(name))
        return false;

    delete server_;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::leerConexion);
    if (server_->listen(name))
        return true;
    // A socket file left by a copy that crashed (nobody of ours answered above): stale.
    QLocalServer::removeServer(name);
    if (server_->listen(name))
        return true;
    // Another copy won the race meanwhile; if it answers, step back. Otherwise run anyway.
    return !AvisarPrimaria(name);
}

void SingleInstance::leerConexion() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == kActivate)
                    emit activationRequested();
            }
        });
    }
}
