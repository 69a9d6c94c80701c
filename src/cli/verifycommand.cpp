#include "cli/cliargs.h"
#include "cli/clichoices.h"
#include "cli/clicommands.h"
#include "cli/consola.h"
#include "cli/consolelog.h"
#include "cli/helptexts.h"
#include "cli/jsonreport.h"
#include "shell/toolrunner.h"
#include "verify/profcheckreport.h"
#include "verify/profcheckrun.h"

namespace {

// The verification window's options; per-patch lines always, as the errors are read from them.
bool LeerOpciones(const ArgumentosCli& leidos, OpcionesProfcheck& o, QString& error) {
    o.detalle = true;
    o.ordenar = leidos.tiene(QStringLiteral("sort"));
    if (leidos.tiene(QStringLiteral("intent"))) {
        o.intento =
            IndiceEleccion(leidos.valor(QStringLiteral("intent")), NombresIntentoVerificacion());
        if (o.intento < 0) {
            error = QStringLiteral("--intent must be one of %1, not '%2'")
                        .arg(DescribirElecciones(NombresIntentoVerificacion()),
                             leidos.valor(QStringLiteral("intent")));
            return false;
        }
    }
    if (leidos.tiene(QStringLiteral("prune"))) {
        double limite = 0;
        if (!LeerNumeroCli(leidos.valor(QStringLiteral("prune")), limite) || limite <= 0) {
            error = QStringLiteral("--prune must be a Delta E above 0, not '%1'")
                        .arg(leidos.valor(QStringLiteral("prune")));
            return false;
        }
        o.poda = QString::number(limite, 'g', 15);
    }
    return true;
}

} // namespace

int ComandoVerify(const QStringList& args, Consola& consola, const CancelToken& cancel) {
    const QString comando = QStringLiteral("verify");
    const ArgumentosCli leidos = ArgumentosCli::Leer(args, {{"help"},
                                                            {"ti3", true},
                                                            {"profile", true},
                                                            {"intent", true},
                                                            {"sort"},
                                                            {"prune", true},
                                                            {"json"},
                                                            {"quiet"},
                                                            {"timeout", true}});
    if (!leidos.ok())
        return ErrorUso(consola, comando, leidos.error());
    if (leidos.tiene(QStringLiteral("help"))) {
        consola.Resultado(AyudaVerify());
        return SalidaCorrecta;
    }
    QString error;
    OpcionesProfcheck opciones;
    const QString ti3 = FicheroRequerido(leidos, QStringLiteral("ti3"), error);
    const QString perfil =
        ti3.isEmpty() ? QString() : FicheroRequerido(leidos, QStringLiteral("profile"), error);
    if (perfil.isEmpty() || !LeerOpciones(leidos, opciones, error))
        return ErrorUso(consola, comando, error);
    const QString falta = PrepararHerramienta(leidos, QStringLiteral("profcheck"));
    if (!falta.isEmpty())
        return ErrorUso(consola, comando, falta);

    RegistroConsola log(consola, QString(), leidos.tiene(QStringLiteral("quiet")));
    const ResultadoProfcheck r = VerificarPerfil(ti3, perfil, opciones, log, &cancel);
    log.Terminar();
    if (cancel.cancelled())
        return SalidaDetenida;
    if (leidos.tiene(QStringLiteral("json"))) {
        QList<ErrorParche> errores;
        LeerDetalleProfcheck(r.salida, errores);
        consola.Resultado(TextoJson(QJsonObject{
            {"ti3", ti3},
            {"profile", perfil},
            {"profcheck_rc", r.ejecutado ? QJsonValue(r.rc) : QJsonValue()},
            {"check", JsonVerificacion(r.salida)},
            {"errors", JsonErrores(errores)},
        }));
    } else {
        consola.Resultado(
            (r.resumen.isEmpty() ? QStringLiteral("profcheck gave no summary") : r.resumen) +
            QLatin1Char('\n'));
    }
    return r.ejecutado && r.rc == 0 ? SalidaCorrecta : SalidaFallida;
}
