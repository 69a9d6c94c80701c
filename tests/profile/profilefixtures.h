#pragma once

#include <QString>

namespace chartrender {
struct RenderInfo;
}

// Helpers of the profile tests: rendered chart captures, TI3 and ICC reading.

// Renders a synthetic capture of a chart of the ArgyllCMS reference folder (e.g.
// "ColorChecker") with its own .cie values to outPath (format from the suffix), with what
// the renderer knows of it in `info`. Empty on success, else the reason.
QString RenderizarCarta(const QString& chart, const QString& outPath, bool portrait = false,
                        double perspective = 0, int width = 1400,
                        chartrender::RenderInfo* info = nullptr);
QString CarpetaRefArgyll();
// NUMBER_OF_SETS of a TI3 file, -1 when unreadable.
int ParchesTi3(const QString& ti3);

// Text tags of an ICC profile read with lcms2 (the bytes of the ASCII records decoded as
// UTF-8, as colprof writes them).
struct EtiquetasIcc {
    bool ok = false;
    QString descripcion;
    QString fabricante;
    QString modelo;
    QString copyright;
};
EtiquetasIcc LeerEtiquetasIcc(const QString& path);
