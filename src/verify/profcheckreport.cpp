#include "verify/profcheckreport.h"

#include "charts/xyz.h"
#include "lang/texto.h"
#include "shell/leadingnumber.h"
#include "verify/reporttext.h"

#include <QtMath>

CifrasProfcheck LeerCifrasProfcheck(const QString& output) {
    CifrasProfcheck c;
    double worst = 0;
    for (const QString& line : LineasInforme(output)) {
        if (line.contains(QLatin1String("No of test patches"), Qt::CaseInsensitive))
            c.parches = ValorTrasSeparador(line, QStringLiteral("="));
        if (line.contains(QLatin1String("Profile check complete"), Qt::CaseInsensitive)) {
            c.maximo = NumeroTrasClave(line, QStringLiteral("max."));
            c.media = NumeroTrasClave(line, QStringLiteral("avg."));
            c.rms = NumeroTrasClave(line, QStringLiteral("RMS"));
        }
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            if (close > 1) {
                const double v = NumeroInicial(line.mid(1, close - 1)).value_or(0.0);
                if (v > worst) {
                    worst = v;
                    const qsizetype colon = line.indexOf(QLatin1Char(':'), close + 1);
                    if (colon > close)
                        c.peor = RecortarBlancos(line.mid(close + 1, colon - close - 1));
                }
            }
        }
    }
    return c;
}

QString ResumirProfcheck(const QString& output) {
    const CifrasProfcheck c = LeerCifrasProfcheck(output);
    if (c.maximo.isEmpty() && c.media.isEmpty() && c.rms.isEmpty())
        return QString();
    QString summary = Texto(QStringLiteral("verify.summary"));
    if (!c.parches.isEmpty())
        summary += Texto(QStringLiteral("verify.summary_patches")).arg(c.parches);
    if (!c.maximo.isEmpty())
        summary += Texto(QStringLiteral("verify.summary_max")) + c.maximo;
    if (!c.peor.isEmpty())
        summary += QStringLiteral(" (") + c.peor + QStringLiteral(")");
    if (!c.media.isEmpty())
        summary += Texto(QStringLiteral("verify.summary_avg")) + c.media;
    if (!c.rms.isEmpty())
        summary += QStringLiteral("; RMS ") + c.rms;
    return summary;
}

bool LeerDetalleProfcheck(const QString& output, QList<ErrorParche>& errores) {
    errores.clear();
    for (const QString& line : LineasInforme(output)) {
        if (!line.startsWith(QLatin1Char('[')))
            continue;
        const qsizetype close = line.indexOf(QLatin1Char(']'));
        if (close < 2)
            continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'), close + 1);
        const qsizetype arrow = line.indexOf(QLatin1String("->"));
        const qsizetype should = line.indexOf(QLatin1String("should be"), 0, Qt::CaseInsensitive);
        if (colon <= close || arrow <= colon || should <= arrow)
            continue;
        const double de = NumeroInicial(line.mid(1, close - 1)).value_or(0.0);
        const QString id = RecortarBlancos(line.mid(close + 1, colon - close - 1));
        double l1, a1, b1, l2, a2, b2;
        if (!LeerTresNumeros(line.mid(arrow + 2, should - arrow - 2), l1, a1, b1))
            continue;
        if (!LeerTresNumeros(line.mid(should + 9), l2, a2, b2))
            continue;
        const double dl = l1 - l2;
        const double dc = qSqrt(a1 * a1 + b1 * b1) - qSqrt(a2 * a2 + b2 * b2);
        double h2 = de * de - dl * dl - dc * dc;
        if (h2 < 0)
            h2 = 0;
        errores.append(ErrorParche{id, qAbs(de), qAbs(dl), qAbs(dc), qSqrt(h2),
                                   deltaE2000({l1, a1, b1}, {l2, a2, b2})});
    }
    return !errores.isEmpty();
}
