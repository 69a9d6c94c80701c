#include "profile/profilecommands.h"

#include "profile/createvalidation.h"
#include "profile/profileoptions.h"
#include "shell/commandline.h"

namespace {

// Option words, each shown as it is.
void Agregar(CommandLineBuilder& c, const QStringList& arguments) {
    for (const QString& a : arguments) {
        c.add(a);
    }
}

} // namespace

CommandLine ComandoScanin(const EntradaCreacion& in, const QString& referencia,
                          const QStringList& cuadricula, const QString& imagen,
                          const QString& diagnostico) {
    CommandLineBuilder c(in.scanin);
    c.add(QStringLiteral("-v"));
    Agregar(c, ArgumentoGamma(LeerGamma(in.gamma)));
    Agregar(c, cuadricula);
    // With fiducials there are no edges to show: the image, the sample boxes and their names.
    c.add(cuadricula.contains(QStringLiteral("-F")) ? QStringLiteral("-dion")
                                                    : QStringLiteral("-dihvgon"));
    c.addPath(imagen).addPath(in.carta).addPath(referencia).addPath(diagnostico);
    return c.build();
}

ComandoColprof ConstruirComandoColprof(const EntradaCreacion& in, int argyllMajorVersion,
                                       const QString& base) {
    const ArgumentoAjuste whitePoint = ArgumentoPuntoBlanco(in.puntoBlanco, argyllMajorVersion);
    const ArgumentoAjuste darkAreas = ArgumentoSombras(in.sombras);
    ComandoColprof result;
    for (const ArgumentoAjuste* a : {&whitePoint, &darkAreas}) {
        if (!a->warning.isEmpty()) {
            result.avisos << a->warning;
        }
    }
    CommandLineBuilder c(in.colprof);
    c.add(QStringLiteral("-v"));
    c.addText(QStringLiteral("-A"), in.fabricante);
    c.addText(QStringLiteral("-M"), in.modelo);
    c.addText(QStringLiteral("-D"), in.descripcion);
    c.addText(QStringLiteral("-C"), in.copyright);
    c.add(QStringLiteral("-q") + LetraCalidad(in.calidad));
    c.add(QStringLiteral("-a") + LetraAlgoritmo(in.algoritmo));
    Agregar(c, ArgumentoIntento(in.intento));
    Agregar(c, whitePoint.arguments);
    Agregar(c, darkAreas.arguments);
    c.addPath(base);
    result.command = c.build();
    return result;
}
