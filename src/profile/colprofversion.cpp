#include "profile/colprofversion.h"

#include "profile/profileoptions.h"
#include "shell/toolrunner.h"

#include <QFileInfo>
#include <QHash>

int VersionColprof(const QString& colprof) {
    static QHash<QString, int> versions;
    if (colprof.isEmpty()) {
        return 0;
    }
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
