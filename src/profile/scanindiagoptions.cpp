#include "profile/scanindiagoptions.h"

#include "profile/profileoptions.h"
#include "shell/commandline.h"

#include <cmath>

QString NormalizarEsquinas(const QString& typed) {
    QString text = typed.trimmed();
    text.remove(QLatin1Char(' '));
    text.replace(QLatin1Char(';'), QLatin1Char(','));
    return text;
}

QString NormalizarBanderasDiag(const QString& typed) {
    QString text = typed.trimmed();
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char('\t'));
    return text.toLower();
}

int IndiceGammaScaninDiag(double gamma) {
    const QStringList& items = ListaGammas();
    for (int i = 0; i < items.size(); ++i)
        if (std::abs(items[i].toDouble() - gamma) < 0.0005)
            return i;
    const int standard = static_cast<int>(items.indexOf(QStringLiteral("2.2")));
    return standard >= 0 ? standard : 0;
}

CommandLine ComandoScaninDiag(const QString& program, const OpcionesScaninDiag& opciones,
                              const QString& imagen, const QString& carta,
                              const QString& referencia) {
    CommandLineBuilder builder(program);
    builder.add(QStringLiteral("-v"));
    for (const QString& arg : ArgumentoGamma(LeerGamma(opciones.gamma)))
        builder.add(arg);
    if (opciones.perspectiva)
        builder.add(QStringLiteral("-p"));
    if (opciones.orientacion)
        builder.add(QStringLiteral("-a"));
    if (opciones.media)
        builder.add(QStringLiteral("-m"));
    const QString banderas = NormalizarBanderasDiag(opciones.banderas);
    if (!banderas.isEmpty())
        builder.add(QStringLiteral("-d") + banderas);
    const QString esquinas = NormalizarEsquinas(opciones.esquinas);
    if (!esquinas.isEmpty())
        builder.add(QStringLiteral("-F")).add(esquinas);
    builder.addPath(imagen).addPath(carta).addPath(referencia);
    return builder.build();
}
