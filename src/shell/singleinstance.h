#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One running copy per user: the first start listens on a local socket named after the key;
// a later start tells it to come forward and steps back.
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
