#include "charts/referencechoice.h"

#include "charts/charttables.h"
#include "lang/texto.h"

ReferenceChoice::ReferenceChoice(const ChartCatalog& catalogo) : catalogo_(catalogo) {}

int ReferenceChoice::GenericaDeCarta(const EstadoReferencia& e) const {
    const int g = IndiceGenericaPorCarta(catalogo_.FicheroCarta(e.carta));
    return g >= 1 && g < e.numGenericas ? g : 0;
}

QString ReferenceChoice::AplicarReferenciaDeCarta(EstadoReferencia& e) const {
    if (e.carta < 0 || e.numGenericas == 0)
        return {};
    const ReferenciaCarta referencia = ReferenciaDeCarta(catalogo_, e.carta, e.numGenericas - 1);
    if (referencia.tipo == ReferenciaCarta::Generica) {
        e.generica = referencia.generica;
        e.modo = EstadoReferencia::Generico;
    } else {
        e.generica = 0;
        e.modo = EstadoReferencia::Personalizado;
        e.personalizada = referencia.ruta;
    }
    return LineaLogReferenciaDeCarta(referencia);
}

QString ReferenceChoice::ElegirGenerica(EstadoReferencia& e) const {
    if (e.generica < 1)
        return {};
    const int carta = catalogo_.IndiceCarta(FicheroCartaGenerica(e.generica));
    if (carta >= 0 && carta < e.numCartas)
        e.carta = carta;
    e.modo = EstadoReferencia::Generico;
    return Texto(QStringLiteral("log.generic_ref")) + catalogo_.RutaReferenciaGenerica(e.generica);
}

QString ReferenceChoice::ElegirPersonalizada(EstadoReferencia& e, const QString& ruta) const {
    e.modo = EstadoReferencia::Personalizado;
    e.personalizada = ruta;
    e.generica = 0;
    return Texto(QStringLiteral("log.reference")) + ruta;
}

void ReferenceChoice::ElegirModoGenerico(EstadoReferencia& e) const {
    e.modo = EstadoReferencia::Generico;
    if (e.generica < 1)
        SeleccionarGenericaDeCarta(e);
}

void ReferenceChoice::SincronizarGenericaConCarta(EstadoReferencia& e) const {
    if (e.numGenericas > 0)
        e.generica = GenericaDeCarta(e);
}

bool ReferenceChoice::SeleccionarGenericaDeCarta(EstadoReferencia& e) const {
    const int g = GenericaDeCarta(e);
    if (g == 0)
        return false;
    e.generica = g;
    e.modo = EstadoReferencia::Generico;
    return true;
}

QString ReferenceChoice::TextoReferencia(const EstadoReferencia& e) const {
    if (e.modo == EstadoReferencia::Generico) {
        const QString ruta = catalogo_.RutaReferenciaGenerica(e.generica);
        return ruta.isEmpty() ? Texto(QStringLiteral("placeholder.use_custom_for_chart")) : ruta;
    }
    return e.personalizada.isEmpty() ? Texto(QStringLiteral("placeholder.select_custom_ref"))
                                     : e.personalizada;
}
