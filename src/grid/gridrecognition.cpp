#include "grid/gridrecognition.h"

#include "lang/texto.h"
#include "profile/readplausibility.h"
#include "shell/activitylog.h"
#include "shell/commandline.h"
#include "shell/paths.h"
#include "shell/workfolders.h"

#include <QFile>

namespace {

bool Manual(ModoReconocimiento modo) {
    return modo == ModoReconocimiento::Manual;
}

} // namespace

QString DiagnosticoTrabajo(const ParametrosAjuste& p, ModoReconocimiento modo) {
    return p.CarpetaTrabajoAjuste + (Manual(modo) ? QStringLiteral("/grid_manual_diag.tif")
                                                  : QStringLiteral("/grid_auto_diag.tif"));
}

QString NombreCopiaDiagnostico(ModoReconocimiento modo) {
    return Manual(modo) ? QStringLiteral("ultimo_reconocimiento_cuadricula_manual.tif")
                        : QStringLiteral("ultimo_reconocimiento_cuadricula_auto.tif");
}

CommandLine ComandoReconocimiento(const QString& scanin, const ParametrosAjuste& p,
                                  ModoReconocimiento modo, const QString& fiduciales) {
    CommandLineBuilder c(scanin);
    c.add(QStringLiteral("-v"));
    for (const QString& a : p.ArgGamma)
        c.add(a);
    if (Manual(modo)) {
        c.add(QStringLiteral("-F")).add(fiduciales);
    } else {
        for (const QString& a : p.ArgPerspectiva)
            c.add(a);
    }
    c.add(QStringLiteral("-dion"));
    c.addPath(p.ImagenAjuste).addPath(p.ChtAjuste).addPath(p.ReferenciaAjuste);
    c.addPath(DiagnosticoTrabajo(p, modo));
    return c.build();
}

QString TextoReconocimiento(ModoReconocimiento modo, const char* suffix) {
    return Texto(
        (Manual(modo) ? QStringLiteral("msg.grid_manual_") : QStringLiteral("msg.grid_auto_")) +
        QLatin1String(suffix));
}

namespace {

ResultadoReconocimiento UnaLectura(const QString& scanin, const QString& tmpFolder,
                                   const ParametrosAjuste& p, ModoReconocimiento modo,
                                   const QString& fiduciales, ActivityLog& log,
                                   const CancelToken* cancel) {
    ResultadoReconocimiento r;
    r.fiduciales = fiduciales;
    if (Manual(modo))
        log.LogMsg(Texto(QStringLiteral("log.grid_fiducials")) + fiduciales);
    const QString d = DiagnosticoTrabajo(p, modo);
    BorrarFicheroSiHay(d);
    const CommandLine command = ComandoReconocimiento(scanin, p, modo, fiduciales);
    log.LogMsg(QStringLiteral("scanin: ") + command.display);
    r.rc = EjecutarYLeerSalida(command, p.CarpetaTrabajoAjuste, r.salida, cancel);
    if (!r.salida.isEmpty())
        log.LogMsg(r.salida);
    if (r.rc != 0) {
        r.mensaje =
            TextoReconocimiento(modo, "rc").replace(QStringLiteral("%1"), QString::number(r.rc)) +
            QLatin1Char('\n') + r.salida;
        log.LogMsg((Manual(modo) ? Texto(QStringLiteral("log.grid_manual_rc"))
                                 : Texto(QStringLiteral("log.grid_auto_rc"))) +
                   QString::number(r.rc));
        return r;
    }
    if (!QFile::exists(d)) {
        r.mensaje = TextoReconocimiento(modo, "missing");
        return r;
    }
    r.correcto = true;
    r.diagnostico = RutaTmp(tmpFolder, NombreCopiaDiagnostico(modo));
    BorrarFicheroSiHay(r.diagnostico);
    if (!QFile::copy(d, r.diagnostico))
        r.diagnostico = d;
    return r;
}

bool LecturaEncaja(const ParametrosAjuste& p) {
    QList<PatchReading> parches;
    QString error;
    return ReadTi3Patches(QuitarExtension(p.ImagenAjuste) + QStringLiteral(".ti3"), &parches,
                          &error) &&
           PlausibleRead(FitRead(parches));
}

} // namespace

ResultadoReconocimiento EjecutarReconocimiento(const QString& scanin, const QString& tmpFolder,
                                               const ParametrosAjuste& p, ModoReconocimiento modo,
                                               const QString& fiduciales, ActivityLog& log,
                                               const CancelToken* cancel) {
    Quad esquinas;
    if (!Manual(modo) || !LeerListaFiduciales(fiduciales, &esquinas))
        return UnaLectura(scanin, tmpFolder, p, modo, fiduciales, log, cancel);
    // Corners placed in the image's order on a turned chart: the turn whose reading fits.
    ResultadoReconocimiento primera;
    for (const Quad& giro : Giros(esquinas)) {
        ResultadoReconocimiento r =
            UnaLectura(scanin, tmpFolder, p, modo, ListaFiduciales(giro), log, cancel);
        if (!r.correcto || (cancel && cancel->cancelled()))
            return r;
        if (LecturaEncaja(p))
            return r;
        if (primera.fiduciales.isEmpty())
            primera = r;
    }
    log.LogMsg(Texto(QStringLiteral("read.no_turn_fits")));
    return UnaLectura(scanin, tmpFolder, p, modo, primera.fiduciales, log, cancel);
}

QString LineaDiagnosticoAbierto(ModoReconocimiento modo, const QString& path) {
    return (Manual(modo) ? Texto(QStringLiteral("log.grid_diag_manual"))
                         : Texto(QStringLiteral("log.grid_diag_auto"))) +
           path;
}
