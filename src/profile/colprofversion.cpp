#include "profile/colprofversion.h"

#include "profile/profileoptions.h"
#include "shell/toolrunner.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>

int VersionColprof(const QString& colprof) {
    static QHash<QString, int> versions;
    // Batch runs ask from several threads; the first asker probes, the others wait for it.
    static QMutex guard;
    if (colprof.isEmpty()) {
        return 0;
    }
    const QMutexLocker lock(&guard);
    const auto known = versions.constFind(colprof);
    if (known != versions.constEnd()) {
        return *known;
    }
    CommandLine command;
    command.program = colprof;
    command.display = colprof;
    QString output;
    EjecutarYLeerSalida(command, QFileInfo(colprof).absolutePath(), output);
    const int version = VersionPrincipalArgyll(output);
    versions.insert(colprof, version);
    return version;
}
