#include "shell/workfolders.h"

#include "shell/activitylog.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int kWorkFolderAttempts = 20;
constexpr int kDeleteAttempts = 5;
constexpr int kDeleteRetryMs = 250;

const QString kWorkFolderPrefix = QStringLiteral("chromaflux_tmp_");

float SegundosDesdeMedianoche() {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

bool EsSobranteTmp(const QString& fileName) {
    const QString name = fileName.toLower();
    return name.startsWith(QLatin1String("ultimo_reconocimiento_cuadricula")) ||
           name == QLatin1String("chromaflux_grid_adjust_output.log") ||
           name == QLatin1String("chromaflux_process_output.log") ||
           name == QLatin1String("chromaflux_scanin_tmp.tif") ||
           name == QLatin1String("chromaflux_scanin_qpc202_rot_tmp.tif");
}

// Deletes a folder with everything in it. Folders are made writable first, as a read-only
// folder would keep its files; links are removed, never followed. Keeps going after a failure
// and reports the first one.
bool BorrarArbol(const QString& path, QString* error) {
    if (QFileInfo(path).isSymLink()) {
        QFile link(path); // a link is removed, its target left alone
        if (link.remove())
            return true;
        if (error)
            *error = path + QStringLiteral(": ") + link.errorString();
        return false;
    }
    bool ok = true;
    auto fallo = [&](const QString& description) {
        if (ok && error)
            *error = description;
        ok = false;
    };
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadOwner | QFile::WriteOwner |
                                    QFile::ExeOwner);
    const QDir dir(path);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            QString inner;
            if (!BorrarArbol(entry.filePath(), &inner))
                fallo(inner);
            continue;
        }
        QFile file(entry.filePath());
        if (!file.remove())
            fallo(entry.filePath() + QStringLiteral(": ") + file.errorString());
    }
    if (ok && ::rmdir(QFile::encodeName(path).constData()) != 0)
        fallo(QString::fromLocal8Bit(std::strerror(errno)));
    return ok;
}

void EsperarProcesandoEventos(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

QString CarpetaTmp(const QString& tmpFolder) {
    QDir().mkpath(tmpFolder);
    return tmpFolder;
}

QString RutaTmp(const QString& tmpFolder, const QString& fileName) {
    return CarpetaTmp(tmpFolder) + QLatin1Char('/') + fileName;
}

void BorrarFicheroSiHay(const QString& path) {
    if (!path.isEmpty())
        QFile::remove(path);
}

void LimpiarCarpetaTmp(const QString& tmpFolder) {
    const QDir tmp(CarpetaTmp(tmpFolder));
    if (!tmp.exists())
        return;
    const QStringList files = tmp.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : files) {
        if (EsSobranteTmp(name))
            QFile::remove(tmp.filePath(name));
    }
    const QStringList folders = tmp.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : folders) {
        const QFileInfo info(tmp.filePath(name));
        if (name.toLower().startsWith(kWorkFolderPrefix) && !info.isSymLink())
            BorrarArbol(info.filePath(), nullptr);
    }
}

QString NombreCarpetaTrabajo(float secondsSinceMidnight, int attempt) {
    // QString::number never uses the locale; the replacements keep the name the same even if
    // that ever changed.
    QString seconds = QString::number(secondsSinceMidnight, 'g', 7);
    seconds.replace(QLatin1Char('.'), QLatin1Char('_'));
    seconds.replace(QLatin1Char(','), QLatin1Char('_'));
    seconds.remove(QLatin1Char(' '));
    return kWorkFolderPrefix + seconds + QLatin1Char('_') + QString::number(attempt);
}

QString CrearCarpetaTrabajo(const QString& tmpFolder) {
    return CrearCarpetaTrabajo(tmpFolder, SegundosDesdeMedianoche);
}

QString CrearCarpetaTrabajo(const QString& tmpFolder,
                            const std::function<float()>& secondsSinceMidnight) {
    const QString tmp = CarpetaTmp(tmpFolder);
    for (int attempt = 1; attempt <= kWorkFolderAttempts; ++attempt) {
        const QString path =
            tmp + QLatin1Char('/') + NombreCarpetaTrabajo(secondsSinceMidnight(), attempt);
        if (QDir().mkdir(path))
            return path;
        QCoreApplication::processEvents();
    }
    return QString();
}

void BorrarCarpetaTrabajo(const QString& path, ActivityLog& log) {
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return;
    QString error;
    for (int attempt = 1; attempt <= kDeleteAttempts; ++attempt) {
        if (BorrarArbol(path, &error)) {
            log.LogMsg(QStringLiteral("Carpeta temporal borrada: ") + path);
            return;
        }
        if (attempt < kDeleteAttempts) {
            QCoreApplication::processEvents();
            EsperarProcesandoEventos(kDeleteRetryMs);
        }
    }
    log.LogMsg(QStringLiteral("No se pudo borrar la carpeta temporal: ") + path +
               QStringLiteral(" -> ") + error);
}
