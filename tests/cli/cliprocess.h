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

// tmpDir becomes the program's TMPDIR, so its temporary folders can be looked at; `hijo` runs
// in the child before the program starts (limits for fault injection). The messages are in
// English whatever the machine's locale.
inline SalidaPrograma EjecutarCli(const QStringList& args, const QString& tmpDir = QString(),
                                  int timeoutMs = 600000, const std::function<void()>& hijo = {}) {
    QProcess process;
    process.setChildProcessModifier(hijo ? hijo : [] {});
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LANGUAGE", "en");
    if (!tmpDir.isEmpty())
        env.insert("TMPDIR", tmpDir);
    process.setProcessEnvironment(env);
    process.start(NC_CLI_PROGRAM, args);
    SalidaPrograma s;
    if (process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit)
        s.rc = process.exitCode();
    s.out = QString::fromUtf8(process.readAllStandardOutput());
    s.err = QString::fromUtf8(process.readAllStandardError());
    return s;
}
