#pragma once

#include "charts/chartcatalog.h"

#include <QString>

// The reference panel of the main window as plain values: the chart and generic reference
// selected (list indices, -1 for none), how many items each list holds, the reference mode
// and the custom reference file.
struct EstadoReferencia {
    enum Modo { Ninguno, Generico, Personalizado };
    int carta = -1;
    int numCartas = 0;
    int generica = -1;    // 0 is the empty item, 1.. the generic charts
    int numGenericas = 0; // with the empty item; 0 while the list is not filled
    Modo modo = Ninguno;
    QString personalizada;
};

// Which reference goes with which chart, and what each choice of the user changes in the
// reference panel. Each step changes only the state it is given and returns the log line it
// calls for (empty for none).
class ReferenceChoice {
public:
    explicit ReferenceChoice(const ChartCatalog& catalogo = Catalogo());

    // The chart now selected: its generic reference, else its own reference file beside the
    // .cht, else the custom mode without a file. Nothing before both lists are filled.
    QString AplicarReferenciaDeCarta(EstadoReferencia& e) const;
    // The user picked generic item e.generica: a generic chart moves the chart selection to
    // its chart and sets the generic mode; the empty item changes nothing.
    QString ElegirGenerica(EstadoReferencia& e) const;
    // A custom reference file chosen by the user.
    QString ElegirPersonalizada(EstadoReferencia& e, const QString& ruta) const;
    // The generic mode chosen while the empty item is selected: the chart's generic reference
    // when it has one.
    void ElegirModoGenerico(EstadoReferencia& e) const;
    // Selects the chart's generic reference, or else the empty item; the mode stays.
    void SincronizarGenericaConCarta(EstadoReferencia& e) const;
    // Selects the chart's generic reference and the generic mode when there is one.
    bool SeleccionarGenericaDeCarta(EstadoReferencia& e) const;

    // What the reference box shows: the reference in use or a hint for the user.
    QString TextoReferencia(const EstadoReferencia& e) const;

private:
    // The selected chart's generic item when the list holds it, else 0.
    int GenericaDeCarta(const EstadoReferencia& e) const;

    const ChartCatalog& catalogo_;
};
