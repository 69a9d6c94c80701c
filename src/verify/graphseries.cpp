#include "verify/graphseries.h"

SerieGrafico SerieDeTipo(const QList<ErrorParche>& errores, int tipo) {
    SerieGrafico serie;
    switch (tipo) {
    case GraficoDeltaL:
        serie.title = QStringLiteral("Lightness");
        serie.shortName = QStringLiteral("Delta-L");
        break;
    case GraficoDeltaC:
        serie.title = QStringLiteral("Chroma");
        serie.shortName = QStringLiteral("Delta-C");
        break;
    case GraficoDeltaH:
        serie.title = QStringLiteral("Hue");
        serie.shortName = QStringLiteral("Delta-H");
        break;
    case GraficoDeltaE2000:
        serie.title = QStringLiteral("Delta-E CIEDE2000");
        serie.shortName = QStringLiteral("Delta-E00");
        break;
    default:
        tipo = GraficoDeltaE;
        serie.title = QStringLiteral("Delta-e CIE76");
        serie.shortName = QStringLiteral("Delta-e");
        break;
    }
    for (const ErrorParche& e : errores) {
        serie.ids.append(e.id);
        switch (tipo) {
        case GraficoDeltaL:
            serie.values.append(e.dl);
            break;
        case GraficoDeltaC:
            serie.values.append(e.dc);
            break;
        case GraficoDeltaH:
            serie.values.append(e.dh);
            break;
        case GraficoDeltaE2000:
            serie.values.append(e.de2000);
            break;
        default:
            serie.values.append(e.de);
            break;
        }
    }
    return serie;
}
