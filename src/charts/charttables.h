#pragma once

#include <QString>

// The fixed chart tables: the catalogue source rows, the generic-reference list and the
// chart numbers of old settings files. A chart is identified by its .cht file name, compared
// trimmed and without regard to case (ClaveCarta).

struct FilaCatalogo {
    const char* nombre;  // display name in the chart combo
    const char* fichero; // .cht file in the reference folder
    const char* imagen;  // .jpg picture in the picture folder
};

// The catalogue source table in combo order (22 rows).
int NumFilasCatalogo();
const FilaCatalogo& FilaCatalogoEn(int row); // row 0 .. NumFilasCatalogo()-1

// Comparison key of a chart (or reference) file name: trimmed, lower case.
QString ClaveCarta(const QString& fichero);

// Generic-reference list, 1-based (g = 1 .. NumGenericas()); empty text outside.
constexpr int NumGenericas() {
    return 7;
}
QString NombreGenerica(int g);
QString FicheroReferenciaGenerica(int g); // e.g. "ColorChecker.cie"
QString FicheroCartaGenerica(int g);      // e.g. "ColorChecker.cht"
// g whose .cht / reference file equals the argument (trimmed, case ignored), else 0.
int IndiceGenericaPorCarta(const QString& ficheroCarta);
int IndiceGenericaPorReferencia(const QString& ficheroReferencia);

// .cht file of an old-style "type" number (0..11), else empty.
QString FicheroCartaAntiguo(int numero);

// Picture file of a chart by the picture rule (exact lower-case match), else empty.
QString FicheroImagenCarta(const QString& ficheroCarta);

// True for the QPcard 202/203 chart, whose portrait images are turned before scanin.
bool EsCartaQPcard202(const QString& ficheroCarta);
