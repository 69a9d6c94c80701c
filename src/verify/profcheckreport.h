#pragma once

#include "verify/errorparche.h"

#include <QList>
#include <QString>

// Readers of the captured output of one profcheck run. Both are tolerant: lines that do not fit
// are skipped and nothing is reported.

// The figures of a profcheck report as written in it; an absent one is the empty text.
struct CifrasProfcheck {
    QString parches; // "No of test patches"
    QString maximo;  // "max." of the "Profile check complete" line
    QString media;   // "avg."
    QString rms;     // "RMS"
    QString peor;    // id of the per-patch line with the largest error
};
CifrasProfcheck LeerCifrasProfcheck(const QString& output);

// One Spanish line with the patch count, largest error, worst patch, average and RMS error,
// e.g. "Resumen profcheck: 24 parches; Delta E máx. 3.5 (A01); media 1.2; RMS 1.6"; empty when
// the output holds none of maximum, average and RMS.
QString ResumirProfcheck(const QString& output);

// Replaces `errores` with one entry per per-patch line of a "-v2" run
// ("[de] ID: r g b -> L a b should be L a b"), in output order; true when any was read.
bool LeerDetalleProfcheck(const QString& output, QList<ErrorParche>& errores);
