#include "cli/cliargs.h"
#include "cli/clichoices.h"
#include "cli/clicommands.h"
#include "cli/consola.h"
#include "cli/consolelog.h"
#include "cli/helptexts.h"
#include "shell/toolrunner.h"
#include "verify/colverifyrun.h"

namespace {

bool Lista(const ArgumentosCli& leidos, const QString& opcion, const QStringList& nombres,
           int& destino, QString& error) {
    if (!leidos.tiene(opcion))
        return true;
    destino = IndiceEleccion(leidos.valor(opcion), nombres);
    if (destino >= 0)
        return true;
    error = QStringLiteral("--%1 must be one of %2, not '%3'")
                .arg(opcion, DescribirElecciones(nombres), leidos.valor(opcion));
    return false;
}

} // namespace

int ComandoCompare(const QStringList& args, Consola& consola, const CancelToken& cancel) {
    const QString comando = QStringLiteral("compare");
    const ArgumentosCli leidos = ArgumentosCli::Leer(args, {{"help"},
                                                            {"reference", true},
                                                            {"measured", true},
                                                            {"each"},
                                                            {"match-location"},
                                                            {"de2000"},
                                                            {"histogram"},
                                                            {"sort"},
                                                            {"d50"},
                                                            {"normalize", true},
                                                            {"x3dom", true},
                                                            {"axes"},
                                                            {"quiet"},
                                                            {"timeout", true}});
    if (!leidos.ok())
        return ErrorUso(consola, comando, leidos.error());
    if (leidos.tiene(QStringLiteral("help"))) {
        consola.Resultado(AyudaCompare());
        return SalidaCorrecta;
    }
    QString error;
    const QString referencia = FicheroRequerido(leidos, QStringLiteral("reference"), error);
    const QString medido = referencia.isEmpty()
                               ? QString()
                               : FicheroRequerido(leidos, QStringLiteral("measured"), error);
    OpcionesColVerify o;
    o.detalle = leidos.tiene(QStringLiteral("each"));
    o.porPosicion = leidos.tiene(QStringLiteral("match-location"));
    o.de2000 = leidos.tiene(QStringLiteral("de2000"));
    o.histograma = leidos.tiene(QStringLiteral("histogram"));
    o.ordenar = leidos.tiene(QStringLiteral("sort"));
    o.blancoD50 = leidos.tiene(QStringLiteral("d50"));
    o.ejes = leidos.tiene(QStringLiteral("axes"));
    if (medido.isEmpty() ||
        !Lista(leidos, QStringLiteral("normalize"), NombresNormalizar(), o.normalizar, error) ||
        !Lista(leidos, QStringLiteral("x3dom"), NombresX3dom(), o.x3dom, error)) {
        return ErrorUso(consola, comando, error);
    }
    const QString falta = PrepararHerramienta(leidos, QStringLiteral("colverify"));
    if (!falta.isEmpty())
        return ErrorUso(consola, comando, falta);

    RegistroConsola log(consola, QString(), leidos.tiene(QStringLiteral("quiet")));
    const ResultadoColVerify r = CompararMediciones(referencia, medido, o, log, &cancel);
    log.Terminar();
    if (cancel.cancelled())
        return SalidaDetenida;
    // The report is the result; the log on standard error shows it too, as the window's does.
    QString report = r.salida;
    if (!report.isEmpty() && !report.endsWith(QLatin1Char('\n')))
        report += QLatin1Char('\n');
    consola.Resultado(report);
    return r.ejecutado && r.rc == 0 ? SalidaCorrecta : SalidaFallida;
}
