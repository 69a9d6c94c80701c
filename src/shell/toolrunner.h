#pragma once

#include <QString>
#include <QStringList>

#include <atomic>

class ActivityLog;

// One tool invocation. program and arguments reach the process unchanged (never a shell);
// display is the command line as the log shows it (quoted paths, -A"text").
struct CommandLine {
    QString program;
    QStringList arguments;
    QString display;
};

// Lets another party stop a running tool (a Cancel button, closing the window). Thread-safe.
class CancelToken {
public:
    void cancel() { flag_.store(true); }
    bool cancelled() const { return flag_.load(); }

private:
    std::atomic<bool> flag_{false};
};

struct ToolResult {
    int exitCode = -1; // the tool's own code; -1 when it could not start, crashed or was stopped
    // Standard output and error merged, in arrival order (its last few megabytes). A tool that
    // could not start, died of a signal or ran out of time adds a line saying so.
    QString output;
    bool cancelled = false;
};

// A limit for every later tool run of the process, in milliseconds (0: none, the default); a
// tool still running then is stopped as a cancelled one is.
void FijarLimiteHerramientas(int milliseconds);

// The tool's own word on a failure: its last error line ("...: Error - ..."), else its last
// line.
QString LineaErrorHerramienta(const QString& output);

// The one runner behind the three variants: runs the tool in workFolder, lets the calling
// thread's events through while it runs (callable from the UI thread or a worker thread),
// streams the output to `stream` when given, and stops the tool when `cancel` fires.
// `stream` is called on the calling thread as output arrives (CR removed, text decoded as UTF-8);
// the tool is stopped with SIGTERM and, one second later, SIGKILL. The tool dies with the
// process that started it.
ToolResult EjecutarTool(const CommandLine& command, const QString& workFolder,
                        ActivityLog* stream = nullptr, const CancelToken* cancel = nullptr);

// The variants by their usual names.
// Output streamed into the log, not kept.
int EjecutarHerramienta(const CommandLine& command, const QString& workFolder, ActivityLog& log,
                        const CancelToken* cancel = nullptr);
// Output streamed into the log and returned.
int EjecutarCapturando(const CommandLine& command, const QString& workFolder, QString& output,
                       ActivityLog& log, const CancelToken* cancel = nullptr);
// Output returned at the end, nothing shown meanwhile.
int EjecutarYLeerSalida(const CommandLine& command, const QString& workFolder, QString& output,
                        const CancelToken* cancel = nullptr);
