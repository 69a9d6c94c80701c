#include "profile/scanindiagrun.h"

#include "profile/profileinstall.h"
#include "profile/scaninprep.h"
#include "shell/activitylog.h"
#include "shell/paths.h"
#include "shell/workfolders.h"
#include "verify/toolcommand.h"

#include <QFile>

namespace {

const QString kConservada = QStringLiteral("Carpeta temporal conservada: ");

// With diagnostic flags scanin writes "diag.tif" into the work folder, which goes with it: the
// image is kept beside the TI3 destination, or in the tmp folder when that cannot be written.
void ConservarDiagnostico(const QString& carpeta, const EntradaScaninDiag& in, ActivityLog& log) {
    const QString diag = carpeta + QStringLiteral("/diag.tif");
    if (!ExisteFichero(diag)) {
        log.LogMsg(QStringLiteral("scanin no generó diagnóstico TIFF: ") + diag);
        return;
    }
    QString motivo;
    for (const QString& destino :
         {QuitarExtension(in.destinoTi3) + QStringLiteral("_scanin_diag.tif"),
          RutaTmp(in.carpetaTmp, QStringLiteral("scanin_manual_diag.tif"))}) {
        if (InstalarPerfil(diag, destino, motivo)) {
            log.LogMsg(QStringLiteral("Diagnóstico scanin guardado: ") + destino);
            return;
        }
    }
    log.LogMsg(QStringLiteral("No se pudo guardar diagnóstico scanin: ") + motivo);
}

} // namespace

QString ReferenciaScaninDiag(const QString& propia, const QString& generica) {
    if (!propia.isEmpty())
        return propia;
    return ExisteFichero(generica) ? generica : QString();
}

ResultadoScaninDiag EjecutarScaninDiag(const EntradaScaninDiag& in, ActivityLog& log,
                                       const CancelToken* cancel) {
    ResultadoScaninDiag result;
    const QString referencia = ReferenciaScaninDiag(in.referenciaPropia, in.referenciaGenerica);
    if (referencia.isEmpty()) {
        log.LogMsg(QStringLiteral("Falta referencia."));
        return result;
    }
    if (in.imagen.isEmpty()) {
        log.LogMsg(QStringLiteral("Falta imagen de carta."));
        return result;
    }
    if (!ExisteFichero(in.carta)) {
        log.LogMsg(QStringLiteral("No existe carta: ") + in.carta);
        return result;
    }
    QString tiff, temporal, error;
    if (!PrepararTiffScanin(in.imagen, in.carpetaTmp, tiff, temporal, error, log,
                            QStringLiteral("chromaflux_scanin_diag_tmp.tif"))) {
        log.LogMsg(error);
        return result;
    }

    const QString carpeta = CrearCarpetaTrabajo(in.carpetaTmp);
    result.carpetaTrabajo = carpeta;
    if (carpeta.isEmpty()) {
        log.LogMsg(QStringLiteral("No se pudo crear carpeta temporal de trabajo."));
    } else {
        const QString copia = carpeta + QLatin1Char('/') + NombreFichero(tiff);
        const QString ti3 = QuitarExtension(copia) + QStringLiteral(".ti3");
        if (!QFile::copy(tiff, copia)) {
            log.LogMsg(QStringLiteral("No se pudo copiar la imagen a la carpeta temporal: ") +
                       copia);
            log.LogMsg(kConservada + carpeta);
        } else {
            log.LogMsg(QStringLiteral("Ejecutando scanin..."));
            log.LogMsg(QStringLiteral("Carta: ") + in.carta);
            log.LogMsg(QStringLiteral("Referencia: ") + referencia);
            log.LogMsg(QStringLiteral("Temporal: ") + copia);
            const CommandLine command = ComandoScaninDiag(ProgramaArgyll(QStringLiteral("scanin")),
                                                          in.opciones, copia, in.carta, referencia);
            log.LogMsg(QStringLiteral("scanin: ") + command.display);
            QString salida;
            const int rc = EjecutarYLeerSalida(command, carpeta, salida, cancel);
            if (!salida.isEmpty())
                log.LogMsg(salida);
            QString motivo;
            if (rc != 0) {
                log.LogMsg(QStringLiteral("scanin rc=") + QString::number(rc));
            } else if (!ExisteFichero(ti3)) {
                log.LogMsg(QStringLiteral("scanin no generó el TI3: ") + ti3);
            } else if (!InstalarPerfil(ti3, in.destinoTi3, motivo)) {
                // A TI3 that cannot reach the destination is a failed run, not a saved one.
                log.LogMsg(QStringLiteral("No se pudo guardar el TI3 en ") + in.destinoTi3 +
                           QStringLiteral(": ") + motivo);
            } else {
                log.LogMsg(QStringLiteral("TI3 guardado: ") + in.destinoTi3);
                result.exito = true;
            }
            if (!NormalizarBanderasDiag(in.opciones.banderas).isEmpty())
                ConservarDiagnostico(carpeta, in, log);
            if (!result.exito)
                log.LogMsg(kConservada + carpeta);
        }
    }
    BorrarFicheroSiHay(temporal);
    return result;
}
