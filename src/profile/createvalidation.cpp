#include "profile/createvalidation.h"

#include "lang/texto.h"

#include <QFile>

namespace {

void ComprobarFichero(QString& faltas, const QString& path, const QString& missing,
                      const QString& notFound) {
    if (path.trimmed().isEmpty()) {
        AgregarFalta(faltas, missing);
    } else if (!QFile::exists(path)) {
        AgregarFalta(faltas, notFound + path);
    }
}

void ComprobarHerramienta(QString& faltas, const QString& name, const QString& path) {
    if (path.isEmpty() || !QFile::exists(path)) {
        AgregarFalta(faltas,
                     Texto(QStringLiteral("missing.tool"))
                         .arg(name, path.isEmpty() ? Texto(QStringLiteral("missing.tool_not_found"))
                                                   : path));
    }
}

QString Normalizada(const QString& text) {
    return text.trimmed().toLower();
}

} // namespace

void AgregarFalta(QString& lista, const QString& item) {
    if (!lista.isEmpty()) {
        lista += QLatin1Char('\n');
    }
    lista += QStringLiteral("- ") + item;
}

ValidacionPerfil ValidarDatosPerfil(const EntradaCreacion& in) {
    ValidacionPerfil v;
    ComprobarFichero(v.faltas, in.imagen, Texto(QStringLiteral("missing.target")),
                     Texto(QStringLiteral("missing.target_not_found")));
    switch (in.tipoReferencia) {
    case EntradaCreacion::Generica:
        v.referencia = in.referenciaGenerica;
        ComprobarFichero(v.faltas, v.referencia, Texto(QStringLiteral("missing.generic_ref")),
                         Texto(QStringLiteral("missing.generic_ref_not_found")));
        break;
    case EntradaCreacion::Personalizada:
        v.referencia = in.referenciaPersonalizada;
        ComprobarFichero(v.faltas, v.referencia, Texto(QStringLiteral("missing.custom_ref")),
                         Texto(QStringLiteral("missing.custom_ref_not_found")));
        break;
    case EntradaCreacion::Ninguna:
        AgregarFalta(v.faltas, Texto(QStringLiteral("missing.ref_kind")));
        break;
    }
    ComprobarFichero(v.faltas, in.carta, Texto(QStringLiteral("missing.chart")),
                     Texto(QStringLiteral("missing.chart_not_found")));
    ComprobarHerramienta(v.faltas, QStringLiteral("scanin"), in.scanin);
    ComprobarHerramienta(v.faltas, QStringLiteral("colprof"), in.colprof);
    v.ok = v.faltas.isEmpty();
    return v;
}

QString MensajeFaltanDatos(const QString& faltas) {
    return Texto(QStringLiteral("msg.missing_data_prefix")) + QStringLiteral("\n\n") + faltas;
}

QString LineaLogFaltanDatos(const QString& faltas) {
    return Texto(QStringLiteral("missing.log_line")) + faltas;
}

bool CuadriculaManualAplicable(const EntradaCreacion& in) {
    return !in.fiducialesManuales.isEmpty() &&
           Normalizada(in.ficheroCarta) == Normalizada(in.cartaAjusteManual) &&
           Normalizada(in.imagen) == Normalizada(in.imagenAjusteManual);
}

QStringList ArgumentoCuadriculaManual(const EntradaCreacion& in) {
    if (!CuadriculaManualAplicable(in)) {
        return {};
    }
    return {QStringLiteral("-p"), QStringLiteral("-F"), in.fiducialesManuales};
}
