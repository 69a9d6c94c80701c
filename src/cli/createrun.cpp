#include "cli/createrun.h"

#include "cli/clifrontend.h"
#include "cli/consolelog.h"
#include "cli/createinput.h"
#include "cli/parallelrun.h"
#include "image/previewdrawing.h"
#include "lang/texto.h"
#include "profile/createvalidation.h"
#include "shell/toolrunner.h"

#include <QDir>
#include <QFileInfo>

bool PerfilEscrito(const TrabajoCreacion& t) {
    // A run that wrote its profile but not a file kept beside it failed.
    return t.ejecutado && !t.ejecucion.resultado.perfil.isEmpty() &&
           t.ejecucion.fin != FinCreacion::Fallido;
}

bool LecturaSospechosa(const TrabajoCreacion& t) {
    return PerfilEscrito(t) && !t.ejecucion.resultado.avisoLectura.isEmpty();
}

QString MotivoFallo(const TrabajoCreacion& t) {
    if (PerfilEscrito(t))
        return QString();
    if (!t.ejecutado)
        return Texto(QStringLiteral("cli.not_run"));
    const EjecucionCreacion& e = t.ejecucion;
    QString motivo = e.motivo.isEmpty() ? Texto(QStringLiteral("cli.no_profile_reason")) : e.motivo;
    const bool herramientaFallida =
        (e.rcScanin && *e.rcScanin != 0) || (e.rcColprof && *e.rcColprof != 0);
    if (herramientaFallida && !e.lineaHerramienta.isEmpty() && e.fin == FinCreacion::Fallido)
        motivo += QStringLiteral(" (") + e.lineaHerramienta + QLatin1Char(')');
    // One line, also for the list of missing inputs.
    return motivo.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QList<TrabajoCreacion> EjecutarCreaciones(const PeticionCreacion& p, const ChartCatalog& catalogo,
                                          const AppFolders& carpetas,
                                          const QString& carpetaTemporal, Consola& consola,
                                          const CancelToken& cancel) {
    QList<TrabajoCreacion> trabajos;
    for (const DestinoPerfil& destino : p.destinos)
        trabajos.append(TrabajoCreacion{destino, false, {}, {}});
    // Each thread works on its own element; the list is not touched while they run.
    TrabajoCreacion* datos = trabajos.data();
    auto crear = [&](int i) {
        TrabajoCreacion& t = datos[i];
        const QString prefijo =
            p.Lote() ? QStringLiteral("[%1] ").arg(QFileInfo(t.destino.imagen).fileName())
                     : QString();
        const QString tmp = carpetaTemporal + QStringLiteral("/run-%1").arg(i + 1);
        QDir().mkpath(tmp);
        RegistroConsola log(consola, prefijo, p.silencio);
        InterlocutorConsola frontEnd(log, p.conservarTrabajo, p.guardarTi3, p.guardarDiag);
        const EntradaCreacion in = EntradaDeDestino(p, t.destino, catalogo, carpetas, tmp);
        t.ejecutado = true;
        // The main window asks whether to go on with an image that carries an embedded
        // profile; the command line warns and goes on (the profile is the same without it).
        t.avisoIncrustado = AvisoICCIncrustado(t.destino.imagen);
        if (!t.avisoIncrustado.isEmpty())
            log.LogMsg(t.avisoIncrustado);
        // Checked again here: a file may have gone since the command started.
        const ValidacionPerfil check = ValidarDatosPerfil(in);
        if (check.ok) {
            t.ejecucion = CrearPerfil(in, check.referencia, log, frontEnd, &cancel);
        } else {
            t.ejecucion.motivo = LineaLogFaltanDatos(check.faltas);
            log.LogMsg(t.ejecucion.motivo);
        }
        // A failed run's work folder is kept for inspection only when asked.
        if (p.conservarTrabajo && t.ejecucion.fin != FinCreacion::Correcto &&
            !t.ejecucion.carpetaTrabajo.isEmpty()) {
            log.LogMsg(Texto(QStringLiteral("log.work_folder_kept")) + t.ejecucion.carpetaTrabajo);
        }
        log.Terminar();
    };
    EjecutarEnParalelo(static_cast<int>(trabajos.size()), p.trabajos, crear, &cancel);
    return trabajos;
}
