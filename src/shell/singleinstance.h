#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// The local socket of a key, in the user's own runtime folder ($XDG_RUNTIME_DIR, mode 0700),
// where no other user can plant one.
QString RutaSocketInstancia(const QString& key);

// One running copy per user: the first start listens on the key's socket; a later start tells
// it to come forward and steps back. A listener of another user is never obeyed.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QObject* parent = nullptr);

    // True when this process is the running copy (and now listens). False when another copy
    // answered; it has been sent "activate".
    bool tryBecomePrimary(const QString& key);

signals:
    // Another start asked this copy to raise and activate its main window.
    void activationRequested();

private:
    void leerConexion();

    QLocalServer* server_ = nullptr;
};
