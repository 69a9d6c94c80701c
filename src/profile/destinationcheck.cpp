#include "profile/destinationcheck.h"

#include "lang/texto.h"
#include "profile/creationinputs.h"

#include <QFileInfo>
#include <QLocale>
#include <QStorageInfo>
#include <QTemporaryFile>

QString ProblemaDestino(const EntradaCreacion& in) {
    const QFileInfo destino(in.destino);
    const QString carpeta = destino.absolutePath();
    if (!QFileInfo(carpeta).isDir())
        return Texto(QStringLiteral("dest.no_folder")).arg(carpeta);
    // Creating a file is the only sure test: permissions, read-only mounts and immutable
    // folders all refuse it, also for root.
    QTemporaryFile prueba(carpeta + QStringLiteral("/.chromaflux_XXXXXX"));
    if (!prueba.open())
        return Texto(QStringLiteral("dest.not_writable")).arg(carpeta);
    qint64 necesario = kEspacioPerfil;
    if (in.guardarDiagJuntoPerfil)
        necesario += QFileInfo(in.imagen).size();
    const QStorageInfo disco(carpeta);
    if (disco.isValid() && disco.bytesAvailable() < necesario)
        return Texto(QStringLiteral("dest.no_room"))
            .arg(carpeta, QLocale().formattedDataSize(disco.bytesAvailable()),
                 QLocale().formattedDataSize(necesario));
    return QString();
}
