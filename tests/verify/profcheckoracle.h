#pragma once

// An independent reading of profcheck output with regular expressions, to check the tolerant
// readers against: it only knows the exact shapes the installed profcheck prints.

#include "verify/errorparche.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtMath>

struct OracleReport {
    QString count, maximum, average, rms, worstPatch;
    QList<ErrorParche> patches;
};

inline OracleReport LeerConOraculo(const QString& output) {
    OracleReport report;
    const QRegularExpression countRe(QStringLiteral("^No of test patches = (\\d+)$"));
    const QRegularExpression statsRe(QStringLiteral(
        "^Profile check complete, errors: max\\. = (\\S+), avg\\. = (\\S+), RMS = (\\S+)$"));
    const QString num = QStringLiteral("(-?[0-9.]+)");
    const QRegularExpression patchRe(QStringLiteral("^\\[([0-9.]+)\\] (\\S+): .* -> ") + num + " " +
                                     num + " " + num + " should be " + num + " " + num + " " + num +
                                     "$");
    double worst = 0;
    for (const QString& line : output.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        auto m = countRe.match(line);
        if (m.hasMatch())
            report.count = m.captured(1);
        m = statsRe.match(line);
        if (m.hasMatch()) {
            report.maximum = m.captured(1);
            report.average = m.captured(2);
            report.rms = m.captured(3);
        }
        m = patchRe.match(line);
        if (!m.hasMatch())
            continue;
        double v[6];
        for (int k = 0; k < 6; ++k)
            v[k] = m.captured(3 + k).toDouble();
        ErrorParche e;
        e.id = m.captured(2);
        e.de = m.captured(1).toDouble();
        e.dl = qAbs(v[0] - v[3]);
        const double dc = std::hypot(v[1], v[2]) - std::hypot(v[4], v[5]);
        e.dc = qAbs(dc);
        e.dh = qSqrt(qMax(0.0, e.de * e.de - e.dl * e.dl - dc * dc));
        report.patches.append(e);
        if (e.de > worst) {
            worst = e.de;
            report.worstPatch = e.id;
        }
    }
    return report;
}

inline QString ResumenEsperado(const OracleReport& r) {
    QString s = QStringLiteral("Resumen profcheck: ") + r.count + QStringLiteral(" parches; ") +
                QStringLiteral("Delta E máx. ") + r.maximum;
    if (!r.worstPatch.isEmpty())
        s += QStringLiteral(" (") + r.worstPatch + QStringLiteral(")");
    return s + QStringLiteral("; media ") + r.average + QStringLiteral("; RMS ") + r.rms;
}
