#include "shell/singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {

constexpr int kConnectTimeoutMs = 500;
const QByteArray kActivate = QByteArrayLiteral("activate\n");

// Per user, so two people on one machine each get their own copy.
QString NombreServidor(const QString& key) {
    return key + QLatin1Char('-') + QString::number(::getuid());
}

bool AvisarPrimaria(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.write(kActivate);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

bool SingleInstance::tryBecomePrimary(const QString& key) {
    const QString name = NombreServidor(key);
    if (AvisarPrimaria(name))
        return false;

    delete server_;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::leerConexion);
    if (server_->listen(name))
        return true;
    // A socket file left by a copy that crashed: nobody answered above, so it is stale.
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
