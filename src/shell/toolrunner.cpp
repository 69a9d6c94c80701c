#include "shell/toolrunner.h"

#include "shell/activitylog.h"

#include <QEventLoop>
#include <QProcess>
#include <QStringDecoder>
#include <QTimer>

namespace {

constexpr int kCancelPollMs = 50;
constexpr int kTerminateGraceMs = 1000;

} // namespace

ToolResult EjecutarTool(const CommandLine& command, const QString& workFolder, ActivityLog* stream,
                        const CancelToken* cancel) {
    ToolResult result;
    if (cancel && cancel->cancelled()) {
        result.cancelled = true;
        return result;
    }

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(workFolder);
    process.setProgram(command.program);
    process.setArguments(command.arguments);

    // Stateful, so a character split between two reads comes out whole.
    QStringDecoder decoder(QStringDecoder::Utf8);
    auto leerSalida = [&] {
        QString text = decoder(process.readAll());
        text.remove(QLatin1Char('\r'));
        if (text.isEmpty())
            return;
        result.output += text;
        if (stream)
            stream->AgregarSalidaLog(text);
    };

    QEventLoop loop;
    QTimer poll;
    QTimer grace;
    poll.setInterval(kCancelPollMs);
    grace.setSingleShot(true);
    grace.setTimerType(Qt::PreciseTimer); // a coarse timer may fire up to 5% early
    grace.setInterval(kTerminateGraceMs);
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, leerSalida);
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (cancel && cancel->cancelled() && !result.cancelled) {
            result.cancelled = true;
            process.terminate();
            grace.start();
        }
    });
    QObject::connect(&grace, &QTimer::timeout, &loop, [&] { process.kill(); });

    process.start();
    if (!process.waitForStarted(-1))
        return result; // exit code -1: missing program, not executable, bad working folder
    poll.start();
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    leerSalida();

    if (!result.cancelled && process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    return result;
}

int EjecutarHerramienta(const CommandLine& command, const QString& workFolder, ActivityLog& log,
                        const CancelToken* cancel) {
    return EjecutarTool(command, workFolder, &log, cancel).exitCode;
}

int EjecutarCapturando(const CommandLine& command, const QString& workFolder, QString& output,
                       ActivityLog& log, const CancelToken* cancel) {
    const ToolResult result = EjecutarTool(command, workFolder, &log, cancel);
    output = result.output;
    return result.exitCode;
}

int EjecutarYLeerSalida(const CommandLine& command, const QString& workFolder, QString& output,
                        const CancelToken* cancel) {
    const ToolResult result = EjecutarTool(command, workFolder, nullptr, cancel);
    output = result.output;
    return result.exitCode;
}
