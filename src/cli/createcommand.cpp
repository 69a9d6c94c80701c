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
#include "image/previewdrawing.h"
#include "lang/texto.h"
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
            consola.Resultado(Texto(QStringLiteral("cli.profile_written")) +
                              t.ejecucion.resultado.perfil + QLatin1Char('\n') + Aviso(t));
        } else {
            consola.Error(Texto(QStringLiteral("cli.no_profile"))
                              .arg(kProgramaCli, kComando, MotivoFallo(t)));
        }
        return;
    }
    QString text;
    QStringList fallidas;
    QStringList sospechosas;
    for (const TrabajoCreacion& t : trabajos) {
        if (LecturaSospechosa(t)) {
            text += Texto(QStringLiteral("cli.batch_suspect"))
                        .arg(t.destino.imagen, t.ejecucion.resultado.perfil) +
                    Aviso(t);
            sospechosas << QFileInfo(t.destino.imagen).fileName();
        } else if (PerfilEscrito(t)) {
            text += Texto(QStringLiteral("cli.batch_written"))
                        .arg(t.destino.imagen, t.ejecucion.resultado.perfil);
        } else {
            text += Texto(QStringLiteral("cli.batch_failed")).arg(t.destino.imagen, MotivoFallo(t));
            fallidas << QFileInfo(t.destino.imagen).fileName();
        }
    }
    text += Texto(QStringLiteral("cli.batch_count"))
                .arg(trabajos.size() - fallidas.size())
                .arg(trabajos.size());
    if (!sospechosas.isEmpty())
        text += Texto(QStringLiteral("cli.batch_suspects")).arg(sospechosas.join(", "));
    text += fallidas.isEmpty()
                ? QStringLiteral(".\n")
                : Texto(QStringLiteral("cli.batch_failures")).arg(fallidas.join(", "));
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
                            Texto(QStringLiteral("cli.output_is_input")).arg(pisada));
    }

    RegistroConsola(consola, QString(), p.silencio).LogMsg(LineaLogReferencia(p));
    if (p.Lote() && !QDir().mkpath(p.carpetaSalida)) {
        consola.Error(Texto(QStringLiteral("cli.no_output_folder"))
                          .arg(kProgramaCli, kComando, p.carpetaSalida));
        return SalidaFallida;
    }
    // The runs' tmp folders: private to this command, so neither the window's clean-up nor
    // another command touches them, and gone at the end unless the work is to be kept.
    const RaizTemporal raiz(p.conservarTrabajo);
    if (!raiz.valida()) {
        consola.Error(
            Texto(QStringLiteral("cli.no_tmp")).arg(kProgramaCli, kComando, raiz.error()));
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
