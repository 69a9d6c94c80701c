#include "profile/createvalidation.h"

#include "lang/texto.h"
#include "profile/keptfiles.h"
#include "shell/appfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// A file that may not exist yet: its folder's canonical path and its name.
QString Canonica(const QString& path) {
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString carpeta = QFileInfo(info.absolutePath()).canonicalFilePath();
    return carpeta.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                             : carpeta + QLatin1Char('/') + info.fileName();
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

QString FaltaHerramienta(const QString& tool) {
    QString faltas;
    ComprobarHerramienta(faltas, tool, Carpetas().toolPath(tool));
    return faltas.isEmpty() ? QString() : LineaLogFaltanDatos(faltas);
}

QString SalidaSobreEntrada(const EntradaCreacion& in, const QString& referencia) {
    QStringList salidas{in.destino};
    if (in.guardarTi3JuntoPerfil)
        salidas << RutaTi3JuntoPerfil(in.destino);
    if (in.guardarDiagJuntoPerfil)
        salidas << RutaDiagJuntoPerfil(in.destino);
    QStringList entradas;
    for (const QString& entrada : {in.imagen, referencia, in.carta}) {
        if (!entrada.isEmpty())
            entradas << Canonica(entrada);
    }
    for (const QString& salida : salidas) {
        if (entradas.contains(Canonica(salida)))
            return salida;
    }
    return QString();
}

QString MensajeSalidaSobreEntrada(const QString& ruta) {
    return Texto(QStringLiteral("msg.output_is_input")) + QStringLiteral("\n\n") + ruta;
}

QString LineaLogSalidaSobreEntrada(const QString& ruta) {
    return QStringLiteral("No se crea el perfil: el fichero de salida es uno de los de entrada: ") +
           ruta;
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
