#include "cli/clicommands.h"
#include "cli/consola.h"
#include "cli/helptexts.h"
#include "cli/tmproot.h"
#include "lang/texto.h"
#include "shell/appfolders.h"
#include "shell/toolrunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <optional>
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

// The arguments as the system passed them. Qt reads them as UTF-8 text, which loses the bytes
// of a file name that is not UTF-8: such a file is reached through a link with a UTF-8 name in
// a private temporary folder ("--option=FILE" too).
QStringList Argumentos(int argc, char** argv, std::optional<RaizTemporal>& enlaces) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        const qsizetype igual = arg.startsWith("--") ? arg.indexOf('=') + 1 : 0;
        char* real = ::realpath(arg.constData() + igual, nullptr);
        if (QString::fromUtf8(arg).toUtf8() == arg || real == nullptr) {
            std::free(real);
            args << QString::fromUtf8(arg);
            continue;
        }
        if (!enlaces)
            enlaces.emplace(false);
        const QString carpeta = enlaces->ruta() + QLatin1Char('/') + QString::number(i);
        const QString enlace =
            carpeta + QLatin1Char('/') + QString::fromUtf8(std::strrchr(real, '/') + 1);
        QDir().mkpath(carpeta);
        const bool enlazado = ::symlink(real, QFile::encodeName(enlace).constData()) == 0;
        std::free(real);
        args << QString::fromUtf8(arg.left(igual)) +
                    (enlazado ? enlace : QString::fromUtf8(arg.mid(igual)));
    }
    return args;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nerva-chromaflux-cli"));
    EstablecerCarpetas(AppFolders::forProgram(QCoreApplication::applicationDirPath()));
    EstablecerIdiomaActual(IdiomaDelEntorno(QProcessEnvironment::systemEnvironment()));
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
    std::optional<RaizTemporal> enlaces;
    const int rc = EjecutarLineaComandos(Argumentos(argc, argv, enlaces), consola, gDetener);
    const QString error = consola.ErrorEscritura();
    if (!error.isEmpty() && rc == SalidaCorrecta) {
        consola.Error(QStringLiteral("%1: cannot write the output: %2\n").arg(kProgramaCli, error));
        return SalidaFallida;
    }
    return rc;
}
