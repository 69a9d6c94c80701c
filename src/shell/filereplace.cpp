#include "shell/filereplace.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kIntentosNombre = 20;
constexpr qsizetype kTrozo = 1 << 20;

QString TextoErrno(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

QByteArray Nativa(const QString& path) {
    return QFile::encodeName(path);
}

// A short hidden name beside the destination, so that it fits whatever the destination's
// name length is.
QByteArray NombreTemporal(const QString& destino) {
    const qsizetype barra = destino.lastIndexOf(QLatin1Char('/'));
    const QString carpeta = barra < 0 ? QStringLiteral(".") : destino.left(barra);
    return Nativa(carpeta +
                  QStringLiteral("/.nc-%1.tmp")
                      .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')));
}

bool EscribirTodo(int fd, const char* datos, qsizetype size, QString& error) {
    while (size > 0) {
        const ssize_t n = ::write(fd, datos, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = TextoErrno(n < 0 ? errno : ENOSPC);
            return false;
        }
        datos += n;
        size -= n;
    }
    return true;
}

// Creates a new temporary file (mode 0666 less the umask, as any new file), lets `llenar`
// write it, syncs it and renames it over destino; the temporary file goes on any failure.
bool Sustituir(const QString& destino, const std::function<bool(int, QString&)>& llenar,
               QString& error) {
    QByteArray temporal;
    int fd = -1;
    for (int i = 0; i < kIntentosNombre && fd < 0; ++i) {
        temporal = NombreTemporal(destino);
        fd = ::open(temporal.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        error = TextoErrno(errno);
        return false;
    }
    // A file replaced keeps its permissions (a private settings file stays private).
    struct stat anterior {};
    if (::stat(Nativa(destino).constData(), &anterior) == 0)
        ::fchmod(fd, anterior.st_mode & 07777);
    bool ok = llenar(fd, error);
    if (ok && ::fsync(fd) != 0) {
        error = TextoErrno(errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = TextoErrno(errno);
        ok = false;
    }
    if (ok && ::rename(temporal.constData(), Nativa(destino).constData()) != 0) {
        error = TextoErrno(errno);
        ok = false;
    }
    if (!ok)
        ::unlink(temporal.constData());
    return ok;
}

} // namespace

bool SustituirFichero(const QString& destino, const QByteArray& bytes, QString& error) {
    return Sustituir(
        destino,
        [&bytes](int fd, QString& e) {
            return EscribirTodo(fd, bytes.constData(), bytes.size(), e);
        },
        error);
}

bool SustituirPorCopia(const QString& origen, const QString& destino, bool enlazar,
                       QString& error) {
    if (enlazar) {
        for (int i = 0; i < kIntentosNombre; ++i) {
            const QByteArray temporal = NombreTemporal(destino);
            if (::link(Nativa(origen).constData(), temporal.constData()) != 0) {
                if (errno == EEXIST)
                    continue;
                break; // another file system, or no links there: copy instead
            }
            if (::rename(temporal.constData(), Nativa(destino).constData()) == 0)
                return true;
            ::unlink(temporal.constData());
            break;
        }
    }
    QFile source(origen);
    if (!source.open(QIODevice::ReadOnly)) {
        error = source.errorString();
        return false;
    }
    return Sustituir(
        destino,
        [&source](int fd, QString& e) {
            QByteArray trozo;
            while (!(trozo = source.read(kTrozo)).isEmpty()) {
                if (!EscribirTodo(fd, trozo.constData(), trozo.size(), e))
                    return false;
            }
            if (source.error() != QFileDevice::NoError) {
                e = source.errorString();
                return false;
            }
            return true;
        },
        error);
}
