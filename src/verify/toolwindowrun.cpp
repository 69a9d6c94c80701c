#include "verify/toolwindowrun.h"

#include "shell/activitylog.h"
#include "verify/toolcommand.h"

ResultadoHerramienta
EjecutarHerramientaVentana(const QString& herramienta, const QList<EntradaHerramienta>& entradas,
                           const CommandLine& command, const QString& carpeta, ActivityLog& log,
                           const CancelToken* cancel,
                           const std::function<QString(const QString&)>& resumen) {
    ResultadoHerramienta result;
    for (const EntradaHerramienta& e : entradas) {
        if (e.ruta.isEmpty()) {
            log.LogMsg(e.falta);
            return result;
        }
    }
    for (const EntradaHerramienta& e : entradas) {
        if (!ExisteFichero(e.ruta)) {
            log.LogMsg(e.noExiste + e.ruta);
            return result;
        }
    }
    log.LogMsg(herramienta + QStringLiteral(": ") + command.display);
    result.ejecutado = true;
    result.rc = EjecutarYLeerSalida(command, carpeta, result.salida, cancel);
    const QString linea = resumen ? resumen(result.salida) : QString();
    if (!linea.isEmpty())
        log.LogMsg(linea);
    if (!result.salida.isEmpty())
        log.LogMsg(result.salida);
    log.LogMsg(herramienta + QStringLiteral(" rc=") + QString::number(result.rc));
    return result;
}
