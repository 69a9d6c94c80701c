#pragma once

// Test data for the verification windows: a committed TI3 copied into a folder and turned
// into a profile by the installed colprof.

#include <QFile>
#include <QProcess>
#include <QString>

inline QString DatoVerify(const QString& name) {
    return QStringLiteral(NC_VERIFY_DATA "/") + name;
}

// Copies <base>.ti3 into folder and runs colprof on it; true when <base>.icc was made.
inline bool PrepararPerfil(const QString& folder, const QString& base) {
    const QString ti3 = folder + QLatin1Char('/') + base + QStringLiteral(".ti3");
    if (!QFile::exists(ti3) && !QFile::copy(DatoVerify(base + QStringLiteral(".ti3")), ti3))
        return false;
    QProcess colprof;
    colprof.setWorkingDirectory(folder);
    colprof.start(QStringLiteral("colprof"), {"-v", "-ag", "-qh", base});
    return colprof.waitForFinished(60000) && colprof.exitCode() == 0 &&
           QFile::exists(folder + QLatin1Char('/') + base + QStringLiteral(".icc"));
}

inline QString LeerDatoVerify(const QString& name) {
    QFile file(DatoVerify(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
