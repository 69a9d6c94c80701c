#include "shell/toolrunner.h"

#include "shell/activitylog.h"

#include <QEventLoop>
#include <QProcess>
#include <QStringDecoder>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstring>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr int kCancelPollMs = 50;
constexpr int kTerminateGraceMs = 1000;
// Enough for every reader (profcheck's per-patch lines, colverify's report) many times over;
// a tool printing without end cannot fill the memory.
constexpr qsizetype kMaxOutput = 4 * 1024 * 1024;

std::atomic<int> gLimiteMs{0};

// Why a tool gave no exit code of its own, as a line in the Argyll tools' error style.
QString LineaFinAnormal(const QProcess& process, const CommandLine& command, bool timedOut) {
    QString why;
    if (timedOut) {
        why = QStringLiteral("detenido al superar el tiempo límite de %1 s")
                  .arg(gLimiteMs.load() / 1000.0);
    } else if (process.error() == QProcess::FailedToStart) {
        why = QStringLiteral("no se pudo iniciar: ") + process.errorString();
    } else {
        const char* name = sigabbrev_np(process.exitCode());
        why = QStringLiteral("terminado por la señal ") +
              (name ? QStringLiteral("SIG") + QLatin1String(name)
                    : QString::number(process.exitCode()));
    }
    return command.program + QStringLiteral(": Error - ") + why + QLatin1Char('\n');
}

} // namespace

void FijarLimiteHerramientas(int milliseconds) {
    gLimiteMs.store(milliseconds);
}

QString LineaErrorHerramienta(const QString& output) {
    const QStringList lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        if (lines.at(i).contains(QLatin1String("Error")))
            return lines.at(i).trimmed();
    }
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        if (!lines.at(i).trimmed().isEmpty())
            return lines.at(i).trimmed();
    }
    return QString();
}

ToolResult EjecutarTool(const CommandLine& command, const QString& workFolder, ActivityLog* stream,
                        const CancelToken* cancel) {
    ToolResult result;
    if (cancel && cancel->cancelled()) {
        result.cancelled = true;
        return result;
    }

    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // Nothing to read: a tool that reads its input ends at once instead of waiting forever.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setWorkingDirectory(workFolder);
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    // The tool dies with this process, however it ends (a killed program leaves no tool
    // behind); it gets the default reaction to a closed pipe back.
    const pid_t padre = ::getpid();
    process.setChildProcessModifier([padre] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != padre)
            ::_exit(127);
        ::signal(SIGPIPE, SIG_DFL);
    });

    // Stateful, so a character split between two reads comes out whole.
    QStringDecoder decoder(QStringDecoder::Utf8);
    auto leerSalida = [&] {
        QString text = decoder(process.readAll());
        text.remove(QLatin1Char('\r'));
        if (text.isEmpty())
            return;
        result.output += text;
        if (result.output.size() > 2 * kMaxOutput)
            result.output.remove(0, result.output.size() - kMaxOutput);
        if (stream)
            stream->AgregarSalidaLog(text);
    };

    QEventLoop loop;
    QTimer poll;
    QTimer grace;
    QTimer limit;
    bool timedOut = false;
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
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        if (!result.cancelled) {
            timedOut = true;
            process.terminate();
            grace.start();
        }
    });

    // The end of a tool that gave no code of its own, in the output and the log.
    auto finAnormal = [&] {
        QString line = LineaFinAnormal(process, command, timedOut);
        if (!result.output.isEmpty() && !result.output.endsWith(QLatin1Char('\n')))
            line.prepend(QLatin1Char('\n'));
        result.output += line;
        if (stream)
            stream->AgregarSalidaLog(line);
    };

    process.start();
    if (!process.waitForStarted(-1)) {
        finAnormal(); // exit code -1: missing program, not executable, bad working folder
        return result;
    }
    poll.start();
    if (gLimiteMs.load() > 0)
        limit.start(gLimiteMs.load());
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    leerSalida();

    if (!result.cancelled && !timedOut && process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    else if (!result.cancelled)
        finAnormal();
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
