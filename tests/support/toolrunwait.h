#pragma once

#include "shell/tooljob.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSignalSpy>

#include <functional>
#include <memory>

// Runs `start` (which starts a run of `job`, or refuses to) and waits until that run has
// ended; false when it is still going after the time limit.
inline bool EsperarTrabajo(ToolJob& job, const std::function<void()>& start,
                           int timeoutMs = 300000) {
    QSignalSpy done(&job, &ToolJob::terminado);
    start();
    return !job.Ejecutando() || done.wait(timeoutMs);
}

inline bool PulsarYEsperar(ToolJob& job, QAbstractButton* button) {
    return EsperarTrabajo(job, [button] { button->click(); });
}

// Runs `action` once, on the UI thread, as soon as the log shows a line starting with `start`.
inline void AlVerEnLog(QPlainTextEdit* log, const QString& start, std::function<void()> action) {
    auto done = std::make_shared<bool>(false);
    QObject::connect(log, &QPlainTextEdit::textChanged, log, [log, start, action, done] {
        if (*done)
            return;
        for (const QString& line : log->toPlainText().split(QLatin1Char('\n'))) {
            if (line.startsWith(start)) {
                *done = true;
                action();
                return;
            }
        }
    });
}

// An ArgyllCMS tool in programFolder's Argyll/bin that only waits, so a test can act while it
// runs.
inline bool EscribirHerramientaLenta(const QString& programFolder, const QString& tool) {
    QFile file(programFolder + "/Argyll/bin/" + tool);
    return QDir().mkpath(programFolder + "/Argyll/bin") && file.open(QIODevice::WriteOnly) &&
           file.write("#!/bin/sh\nexec sleep 30\n") > 0 &&
           file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
