#include "charts/chartcatalog.h"
#include "cli/clicommands.h"
#include "cli/consola.h"
#include "cli/consolelog.h"
#include "cli/createinput.h"
#include "cli/createrequest.h"
#include "cli/createrun.h"
#include "cli/helptexts.h"
#include "cli/jsonreport.h"
#include "cli/tmproot.h"
#include "image/gdipluspreview.h"
#include "profile/createvalidation.h"
#include "shell/appfolders.h"
#include "shell/toolrunner.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kComando = QStringLiteral("create");

// The misread-chart warning of a written profile, indented on its own line; else nothing.
QString Aviso(const TrabajoCreacion& t) {
    const QString& aviso = t.ejecucion.resultado.avisoLectura;
    return aviso.isEmpty() ? QString() : QStringLiteral("  ") + aviso + QLatin1Char('\n');
}

void Resumir(const PeticionCreacion& p, const QList<TrabajoCreacion>& trabajos, Consola& consola) {
    if (p.json) {
        consola.Resultado(p.Lote() ? TextoJson(JsonLote(trabajos, p.guardarDiag))
                                   : TextoJson(JsonCreacion(trabajos.first(), p.guardarDiag)));
        return;
    }
    if (!p.Lote()) {
        const TrabajoCreacion& t = trabajos.first();
        if (PerfilEscrito(t)) {
            consola.Resultado(QStringLiteral("Profile written: ") + t.ejecucion.resultado.perfil +
                              QLatin1Char('\n') + Aviso(t));
        } else {
            consola.Error(QStringLiteral("%1 %2: no profile written: %3\n")
                              .arg(kProgramaCli, kComando, MotivoFallo(t)));
        }
        return;
    }
    QString text;
    QStringList fallidas;
    QStringList sospechosas;
    for (const TrabajoCreacion& t : trabajos) {
        if (LecturaSospechosa(t)) {
            text += QStringLiteral("SUSPECT: %1 -> %2\n")
                        .arg(t.destino.imagen, t.ejecucion.resultado.perfil) +
                    Aviso(t);
            sospechosas << QFileInfo(t.destino.imagen).fileName();
        } else if (PerfilEscrito(t)) {
            text += QStringLiteral("written: %1 -> %2\n")
                        .arg(t.destino.imagen, t.ejecucion.resultado.perfil);
        } else {
            text += QStringLiteral("FAILED:  %1: %2\n").arg(t.destino.imagen, MotivoFallo(t));
            fallidas << QFileInfo(t.destino.imagen).fileName();
        }
    }
    text += QStringLiteral("%1 of %2 profiles written")
                .arg(trabajos.size() - fallidas.size())
                .arg(trabajos.size());
    if (!sospechosas.isEmpty())
        text += QStringLiteral("; read suspected wrong: %1").arg(sospechosas.join(", "));
    text += fallidas.isEmpty() ? QStringLiteral(".\n")
                               : QStringLiteral("; failed: %1.\n").arg(fallidas.join(", "));
    consola.Resultado(text);
}

} // namespace

int ComandoCreate(const QStringList& args, Consola& consola, const CancelToken& cancel) {
    const ChartCatalog& catalogo = Catalogo();
    const LecturaCreacion lectura = LeerPeticionCreacion(args, catalogo);
    if (!lectura.error.isEmpty())
        return ErrorUso(consola, kComando, lectura.error);
    const PeticionCreacion& p = lectura.peticion;
    if (p.ayuda) {
        consola.Resultado(AyudaCreate());
        return SalidaCorrecta;
    }
    const AppFolders& carpetas = Carpetas();
    // The window's input check, once for what every image shares (chart, reference, tools).
    const ValidacionPerfil check =
        ValidarDatosPerfil(EntradaDeDestino(p, p.destinos.first(), catalogo, carpetas, {}));
    if (!check.ok)
        return ErrorUso(consola, kComando, LineaLogFaltanDatos(check.faltas));
    for (const DestinoPerfil& d : p.destinos) {
        const QString pisada =
            SalidaSobreEntrada(EntradaDeDestino(p, d, catalogo, carpetas, {}), check.referencia);
        if (!pisada.isEmpty())
            return ErrorUso(consola, kComando,
                            QStringLiteral("the output %1 is one of the inputs").arg(pisada));
    }

    RegistroConsola(consola, QString(), p.silencio).LogMsg(LineaLogReferencia(p));
    if (p.Lote() && !QDir().mkpath(p.carpetaSalida)) {
        consola.Error(QStringLiteral("%1 %2: cannot make the output folder %3\n")
                          .arg(kProgramaCli, kComando, p.carpetaSalida));
        return SalidaFallida;
    }
    // The runs' tmp folders: private to this command, so neither the window's clean-up nor
    // another command touches them, and gone at the end unless the work is to be kept.
    const RaizTemporal raiz(p.conservarTrabajo);
    if (!raiz.valida()) {
        consola.Error(QStringLiteral("%1 %2: cannot make a temporary folder: %3\n")
                          .arg(kProgramaCli, kComando, raiz.error()));
        return SalidaFallida;
    }
    FijarLimiteHerramientas(p.limiteMs);

    const QList<TrabajoCreacion> trabajos =
        EjecutarCreaciones(p, catalogo, carpetas, raiz.ruta(), consola, cancel);
    Resumir(p, trabajos, consola);
    if (cancel.cancelled())
        return SalidaDetenida;
    bool sospechosa = false;
    for (const TrabajoCreacion& t : trabajos) {
        if (!PerfilEscrito(t))
            return SalidaFallida;
        sospechosa = sospechosa || LecturaSospechosa(t);
    }
    return sospechosa ? SalidaSospechosa : SalidaCorrecta;
}
