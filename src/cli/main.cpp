#include "cli/clicommands.h"
#include "cli/consola.h"
#include "cli/helptexts.h"
#include "cli/tmproot.h"
#include "shell/appfolders.h"
#include "shell/toolrunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <csignal>
#include <dlfcn.h>
#include <unistd.h>

namespace {

// Fired by SIGINT, SIGTERM and SIGHUP: the running tools are stopped and the runs clean up.
CancelToken gDetener;

void AlRecibirSenal(int) {
    gDetener.cancel();
}

// FreeImage reads a TIFF's camera tags through libtiff, whose default handlers print a line to
// standard error for every tag they do not know. Standard error carries the log here, and
// FreeImage reports real failures itself, so they are silenced. libtiff comes with FreeImage;
// without its headers the setters are found at run time.
void SilenciarLibtiff() {
    using Fijar = void* (*)(void*);
    for (const char* nombre : {"TIFFSetErrorHandler", "TIFFSetWarningHandler"}) {
        if (auto fijar = reinterpret_cast<Fijar>(dlsym(RTLD_DEFAULT, nombre)))
            fijar(nullptr);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nerva-chromaflux-cli"));
    EstablecerCarpetas(AppFolders::forProgram(QCoreApplication::applicationDirPath()));
    SilenciarLibtiff();
    std::signal(SIGINT, AlRecibirSenal);
    std::signal(SIGTERM, AlRecibirSenal);
    std::signal(SIGHUP, AlRecibirSenal);
    // A closed pipe or a file size limit fails the write instead of killing the program before
    // it could stop its tools and clean up; the failed write is reported.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    BarrerRaicesAbandonadas(QDir::tempPath());

    QFile salida;
    QFile errores;
    salida.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    errores.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    Consola consola(salida, errores);
    const int rc = EjecutarLineaComandos(QCoreApplication::arguments().mid(1), consola, gDetener);
    const QString error = consola.ErrorEscritura();
    if (!error.isEmpty() && rc == SalidaCorrecta) {
        consola.Error(QStringLiteral("%1: cannot write the output: %2\n").arg(kProgramaCli, error));
        return SalidaFallida;
    }
    return rc;
}
