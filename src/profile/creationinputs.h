#pragma once

#include <QString>

// Everything a profile run reads from the main window, taken once when Create is pressed, so
// the run does not depend on controls the user may change while it goes on.
struct EntradaCreacion {
    QString imagen; // RutaImagenTarget
    // Reference kind: generic (from the catalogue) or custom; neither when no option is set.
    enum Referencia { Ninguna, Generica, Personalizada };
    Referencia tipoReferencia = Ninguna;
    QString referenciaGenerica;      // path of the cboGenericRef entry, may be empty
    QString referenciaPersonalizada; // RutaReferenciaPersonalizada
    QString carta;                   // RutaCarta of the cboChart entry, may be empty
    QString ficheroCarta;            // its bare .cht file name

    // scanin
    QString gamma; // txtGamma text
    bool perspectiva = false;
    // Stored manual grid adjustment: corners and the chart and image they belong to.
    QString fiducialesManuales;
    QString cartaAjusteManual;
    QString imagenAjusteManual;

    // colprof
    QString fabricante;  // txtScanner
    QString modelo;      // txtModel
    QString descripcion; // txtDescription
    QString copyright;   // txtCopyright
    int calidad = -1;    // cboQuality index
    int algoritmo = -1;  // cboAlgorithm index
    int intento = -1;    // cboIntent index
    QString puntoBlanco; // txtWhitePoint text
    QString sombras;     // txtDarkAreas text

    // Results switches
    bool guardarTi3JuntoPerfil = false;  // mnuResultsSaveTi3WithProfile
    bool guardarDiagJuntoPerfil = false; // mnuResultsAutoScaninDiag

    // Chosen profile path (the save dialog's result).
    QString destino;

    // Folders
    QString carpetaPrograma;
    QString carpetaTmp;
    // Tools; an empty path means the tool was not found.
    QString scanin;
    QString colprof;
    QString profcheck;
};
