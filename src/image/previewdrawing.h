#pragma once

#include <QString>

class ActivityLog;
class QPaintDevice;

// Fitted drawing of image files and their embedded ICC profiles. Each operation opens the
// file itself and releases everything before returning; failures leave a text in
// UltimoErrorVistaPrevia (emptied at the start of each operation).

// Status numbers shown in the error texts.
enum EstadoImagen : int {
    EstadoErrorGenerico = 1, // the file could not be decoded or drawn
    EstadoSinMemoria = 3,    // the image is too large to decode
    EstadoFicheroNoEncontrado = 10,
    EstadoFormatoDesconocido = 13,
};

QString UltimoErrorVistaPrevia();

// Clears the whole of destino to opaque black and draws the image fitted (CalcularAjuste,
// minimum 1 pixel) and centred in the box anchoCaja x altoCaja with smooth scaling; an image
// with transparency is blended over the black. w, h give the image size, anchoDibujo and
// altoDibujo the drawn size.
bool DibujarImagenAjustada(const QString& ruta, QPaintDevice& destino, int anchoCaja, int altoCaja,
                           int& w, int& h, int& anchoDibujo, int& altoDibujo);
// Whether the file carries an embedded ICC profile; only the header is read where the format
// allows it. False when the question could not be answered.
bool TieneICCIncrustado(const QString& ruta, bool& tienePerfil);
// The warning due before a run on an image that carries an embedded ICC profile, or whose
// profile could not be checked; empty when there is none to give.
QString AvisoICCIncrustado(const QString& ruta, bool* tienePerfil = nullptr);
// Logs AvisoICCIncrustado; true only when the image carries a profile (the caller may ask).
bool AvisarICCIncrustado(const QString& ruta, ActivityLog& log);
// As TieneICCIncrustado, and the profile's description (DescripcionPerfilICC, possibly empty).
bool LeerPerfilIncrustado(const QString& ruta, bool& tienePerfil, QString& descripcion);
