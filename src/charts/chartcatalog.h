#pragma once

#include <QString>
#include <QStringList>

// The charts whose .cht file is present in the ArgyllCMS reference folder, in the order of
// the catalogue source table (charttables.h). Catalogue index = index in the chart combo.
// Built once; files that appear or disappear later are not noticed.
class ChartCatalog {
public:
    // refFolder: ArgyllCMS chart definitions and references; docFolder: chart pictures.
    ChartCatalog(const QString& refFolder, const QString& docFolder);

    QString CarpetaRef() const { return carpetaRef_; } // with trailing "/"
    QString CarpetaDoc() const { return carpetaDoc_; } // with trailing "/"

    int NumCartas() const { return static_cast<int>(ficheros_.size()); }
    QString NombreCarta(int indice) const;  // display name, empty outside the catalogue
    QString FicheroCarta(int indice) const; // .cht file name, empty outside the catalogue
    // First entry whose .cht equals the argument (trimmed, case ignored), else -1.
    int IndiceCarta(const QString& ficheroCarta) const;
    // CarpetaRef() + FicheroCarta(indice), or empty. The file is not tested.
    QString RutaCarta(int indice) const;

    // The chart's own reference beside its .cht: base + ".cie", ".ti2" or ".ti3", the first
    // that exists; file name only, or empty.
    QString BuscarReferenciaPropia(const QString& ficheroCarta) const;
    // CarpetaRef() + BuscarReferenciaPropia(FicheroCarta(indice)), or empty.
    QString RutaReferenciaPropia(int indice) const;
    // CarpetaRef() + generic reference file of g (1..7), or empty. The file is not tested.
    QString RutaReferenciaGenerica(int g) const;
    // CarpetaDoc() + picture of the entry when that file exists, else empty.
    QString RutaImagenCarta(int indice) const;

private:
    void AgregarCarta(const QString& nombre, const QString& fichero);

    QString carpetaRef_;
    QString carpetaDoc_;
    QStringList nombres_;
    QStringList ficheros_;
};

// The process-wide catalogue over Carpetas().argyllRef / argyllDoc, built on first use
// (and again only if those folders are changed, which tests do).
const ChartCatalog& Catalogo();

// The reference that goes with a catalogue chart, as a change of chart type chooses it.
struct ReferenciaCarta {
    enum Tipo { Generica, Propia, Ninguna };
    Tipo tipo = Ninguna;
    int generica = 0; // generic-reference index (1..numGenericas) when tipo is Generica
    QString ruta;     // the reference file for Generica and Propia
};
// The chart's generic reference when it has one among the first numGenericas, else its own
// reference file beside the .cht when that exists, else none (a custom file is needed).
ReferenciaCarta ReferenciaDeCarta(const ChartCatalog& catalogo, int carta, int numGenericas);
// The log line that names the association.
QString LineaLogReferenciaDeCarta(const ReferenciaCarta& referencia);
