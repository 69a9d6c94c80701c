#include "profile/profileinstall.h"

#include <QFile>
#include <QSaveFile>

bool InstalarPerfil(const QString& producido, const QString& destino, QString& error) {
    QFile source(producido);
    if (!source.open(QIODevice::ReadOnly)) {
        error = source.errorString();
        return false;
    }
    // Profiles are small: one read, one write.
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        error = source.errorString();
        return false;
    }
    QSaveFile target(destino);
    if (!target.open(QIODevice::WriteOnly)) {
        error = target.errorString();
        return false;
    }
    if (target.write(bytes) != bytes.size() || !target.commit()) {
        error = target.errorString();
        return false;
    }
    return true;
}
