#include "cli/tmproot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kPrefijo = QStringLiteral("nerva-chromaflux-cli-");
const QString kCandado = QStringLiteral(".nc-lock");

QByteArray RutaCandado(const QString& raiz, const char* sufijo = "") {
    return QFile::encodeName(raiz + QLatin1Char('/') + kCandado) + sufijo;
}

// A lock file, locked; -1 when it is missing or someone holds it.
int Bloquear(const QByteArray& ruta, bool crear) {
    const int fd = ::open(ruta.constData(),
                          O_RDWR | O_NOFOLLOW | O_CLOEXEC | (crear ? O_CREAT | O_EXCL : 0), 0600);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

void BarrerRaicesAbandonadas(const QString& carpeta) {
    const QStringList nombres =
        QDir(carpeta).entryList({kPrefijo + QLatin1Char('*')}, QDir::Dirs | QDir::NoSymLinks);
    for (const QString& nombre : nombres) {
        const QString raiz = carpeta + QLatin1Char('/') + nombre;
        struct stat info {};
        // The shared tmp folder holds other users' folders too: only our own are looked at.
        if (::lstat(QFile::encodeName(raiz).constData(), &info) != 0 || info.st_uid != ::getuid())
            continue;
        const int fd = Bloquear(RutaCandado(raiz), false);
        if (fd < 0)
            continue; // in use, or kept on purpose (no lock file)
        QDir(raiz).removeRecursively();
        ::close(fd);
    }
}

RaizTemporal::RaizTemporal(bool conservar) : conservar_(conservar) {
    const QString carpeta = QDir::tempPath();
    QByteArray plantilla = QFile::encodeName(carpeta + QLatin1Char('/') + kPrefijo) + "XXXXXX";
    if (::mkdtemp(plantilla.data()) == nullptr) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    ruta_ = QFile::decodeName(plantilla);
    // Locked before it takes its name, so a sweep never finds it free.
    candado_ = Bloquear(RutaCandado(ruta_, ".new"), true);
    if (candado_ >= 0)
        ::rename(RutaCandado(ruta_, ".new").constData(), RutaCandado(ruta_).constData());
}

RaizTemporal::~RaizTemporal() {
    if (ruta_.isEmpty())
        return;
    if (conservar_)
        QFile::remove(ruta_ + QLatin1Char('/') + kCandado);
    else
        QDir(ruta_).removeRecursively();
    if (candado_ >= 0)
        ::close(candado_);
}
