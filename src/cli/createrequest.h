#pragma once

#include "charts/chartcatalog.h"

#include <QList>
#include <QString>

// One profile to make: the chart image and where its profile goes.
struct DestinoPerfil {
    QString imagen;
    QString perfil;
};

// The create command's arguments as a plain value: every input of the main window, the
// command line's answers to the window's questions, and the images with their profiles. All
// paths are absolute; numbers are checked and written with "." as decimal separator.
struct PeticionCreacion {
    bool ayuda = false;
    QList<DestinoPerfil> destinos;   // in the order given, a folder's images by file name
    QString carpetaSalida;           // --output-dir (a batch), else empty
    int carta = -1;                  // catalogue index
    QString referenciaDada;          // --reference, else empty
    ReferenciaCarta referenciaCarta; // without --reference: the chart's generic or own one

    QString gamma;
    bool perspectiva = false;
    QString fiduciales; // "x1,y1,...,x4,y4" with two decimals, or empty
    QString puntoBlanco;
    QString sombras;
    int algoritmo = 0;
    int calidad = 0;
    int intento = 0;
    QString fabricante;
    QString modelo;
    QString descripcion; // used when conDescripcion, else each profile's file name
    bool conDescripcion = false;
    QString copyright;

    bool guardarTi3 = false;
    bool guardarDiag = false;
    bool conservarTrabajo = false;
    bool json = false;
    bool silencio = false;
    int trabajos = 1;
    int limiteMs = 0; // --timeout for each tool, 0 for none

    bool Lote() const { return !carpetaSalida.isEmpty(); }
};

struct LecturaCreacion {
    PeticionCreacion peticion;
    QString error; // one message; empty when the arguments are sound
};

// Reads and checks the create command's arguments: unknown options, missing files, a chart
// not in the catalogue, numbers out of range and profile names that clash are errors.
// Nothing is written.
LecturaCreacion LeerPeticionCreacion(const QStringList& args, const ChartCatalog& catalogo);
