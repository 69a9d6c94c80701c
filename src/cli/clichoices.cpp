#include "cli/clichoices.h"

#include "profile/profileoptions.h"
#include "shell/leadingnumber.h"

#include <QRegularExpression>

namespace {

const ListaOpciones* Lista(const QString& control) {
    for (const ListaOpciones& lista : ListasOpciones()) {
        if (lista.control == control)
            return &lista;
    }
    return nullptr;
}

} // namespace

bool LeerNumeroCli(const QString& text, double& value) {
    const std::optional<double> numero =
        NumeroInicial(text, {.comaDecimal = true, .soloNumero = true});
    if (numero)
        value = *numero;
    return numero.has_value();
}

bool LeerEnteroCli(const QString& text, int& value) {
    static const QRegularExpression entero(QStringLiteral("^[+-]?\\d{1,9}$"));
    const QString t = text.trimmed();
    if (!entero.match(t).hasMatch())
        return false;
    value = t.toInt();
    return true;
}

int IndiceEleccion(const QString& text, const QStringList& nombres) {
    const QString t = text.trimmed();
    int posicion = -1;
    if (LeerEnteroCli(t, posicion))
        return posicion >= 0 && posicion < nombres.size() ? posicion : -1;
    return static_cast<int>(nombres.indexOf(t.toLower()));
}

QString DescribirElecciones(const QStringList& nombres) {
    QStringList partes;
    for (qsizetype i = 0; i < nombres.size(); ++i)
        partes << QStringLiteral("%1 (%2)").arg(nombres.at(i)).arg(i);
    return partes.join(QStringLiteral(", "));
}

int IndicePorDefecto(const QString& control) {
    const ListaOpciones* lista = Lista(control);
    return lista ? lista->defaultIndex : -1;
}

QString ValorPorDefecto(const QString& control) {
    const ListaOpciones* lista = Lista(control);
    return lista ? lista->items.value(lista->defaultIndex) : QString();
}

const QStringList& NombresAlgoritmo() {
    static const QStringList nombres{
        "lab-clut",        "xyz-clut", "gamma-matrix",        "curves-matrix",
        "xyz-clut-matrix", "matrix",   "single-gamma-matrix", "single-curve-matrix"};
    return nombres;
}

const QStringList& NombresCalidad() {
    static const QStringList nombres{"low", "medium", "high", "ultra"};
    return nombres;
}

const QStringList& NombresIntento() {
    static const QStringList nombres{"perceptual", "relative", "saturation", "absolute"};
    return nombres;
}

const QStringList& NombresIntentoVerificacion() {
    static const QStringList nombres{"absolute", "relative"};
    return nombres;
}

const QStringList& NombresNormalizar() {
    static const QStringList nombres{"none", "y", "xyz", "xyzsum", "meanxyz"};
    return nombres;
}

const QStringList& NombresX3dom() {
    static const QStringList nombres{"none", "pcs-vectors", "pcs-markers", "device-markers"};
    return nombres;
}
