#pragma once

// Runs the built nerva-chromaflux-cli and keeps what it printed.

#include <QJsonDocument>
#include <QProcess>

#include <functional>

struct SalidaPrograma {
    int rc = -1;
    QString out, err;

    QJsonDocument json() const { return QJsonDocument::fromJson(out.toUtf8()); }
};

// `hijo` runs in the child before the program starts (limits for fault injection).
inline SalidaPrograma EjecutarCli(const QStringList& args, const std::function<void()>& hijo = {}) {
    QProcess process;
    process.setChildProcessModifier(hijo ? hijo : [] {});
    process.start(NC_CLI_PROGRAM, args);
    SalidaPrograma s;
    if (process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit)
        s.rc = process.exitCode();
    s.out = QString::fromUtf8(process.readAllStandardOutput());
    s.err = QString::fromUtf8(process.readAllStandardError());
    return s;
}
