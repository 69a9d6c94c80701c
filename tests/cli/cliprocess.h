#pragma once

// Runs the built nerva-chromaflux-cli and keeps what it printed.

#include <QByteArray>
#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

struct SalidaPrograma {
    int rc = -1;
    QString out;
    QString err;

    QJsonDocument json() const { return QJsonDocument::fromJson(out.toUtf8()); }
};

// tmpDir becomes the program's TMPDIR, so its temporary folders can be looked at; `hijo` runs
// in the child before the program starts (limits for fault injection).
inline SalidaPrograma EjecutarCli(const QStringList& args, const QString& tmpDir = QString(),
                                  int timeoutMs = 600000, const std::function<void()>& hijo = {}) {
    QProcess process;
    if (hijo)
        process.setChildProcessModifier(hijo);
    // The messages in English whatever the machine's locale.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
    if (!tmpDir.isEmpty())
        env.insert(QStringLiteral("TMPDIR"), tmpDir);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(NC_CLI_PROGRAM), args);
    SalidaPrograma s;
    if (!process.waitForFinished(timeoutMs))
        return s;
    s.rc = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    s.out = QString::fromUtf8(process.readAllStandardOutput());
    s.err = QString::fromUtf8(process.readAllStandardError());
    return s;
}
