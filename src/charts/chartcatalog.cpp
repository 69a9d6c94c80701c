#include "charts/chartcatalog.h"

#include "charts/charttables.h"
#include "lang/texto.h"
#include "shell/appfolders.h"

#include <QFileInfo>

#include <mutex>

namespace {

QString ConBarra(const QString& carpeta) {
    if (carpeta.isEmpty() || carpeta.endsWith(QLatin1Char('/'))) {
        return carpeta;
    }
    return carpeta + QLatin1Char('/');
}

bool ExisteFichero(const QString& ruta) {
    const QFileInfo info(ruta);
    return info.exists() && info.isFile();
}

} // namespace

ChartCatalog::ChartCatalog(const QString& refFolder, const QString& docFolder)
    : carpetaRef_(ConBarra(refFolder)), carpetaDoc_(ConBarra(docFolder)) {
    for (int row = 0; row < NumFilasCatalogo(); ++row) {
        const FilaCatalogo& fila = FilaCatalogoEn(row);
        AgregarCarta(QString::fromUtf8(fila.nombre), QString::fromUtf8(fila.fichero));
    }
}

void ChartCatalog::AgregarCarta(const QString& nombre, const QString& fichero) {
    // Without a folder a bare file name would be looked up in the working directory.
    if (fichero.isEmpty() || carpetaRef_.isEmpty()) {
        return;
    }
    if (!ExisteFichero(carpetaRef_ + fichero) || IndiceCarta(fichero) >= 0) {
        return;
    }
    nombres_.append(nombre);
    ficheros_.append(fichero);
}

QString ChartCatalog::NombreCarta(int indice) const {
    return indice >= 0 && indice < NumCartas() ? nombres_.at(indice) : QString();
}

QString ChartCatalog::FicheroCarta(int indice) const {
    return indice >= 0 && indice < NumCartas() ? ficheros_.at(indice) : QString();
}

int ChartCatalog::IndiceCarta(const QString& ficheroCarta) const {
    const QString clave = ClaveCarta(ficheroCarta);
    if (clave.isEmpty()) {
        return -1;
    }
    for (int i = 0; i < NumCartas(); ++i) {
        if (ficheros_.at(i).toLower() == clave) {
            return i;
        }
    }
    return -1;
}

QString ChartCatalog::RutaCarta(int indice) const {
    const QString fichero = FicheroCarta(indice);
    return fichero.isEmpty() ? QString() : carpetaRef_ + fichero;
}

QString ChartCatalog::BuscarReferenciaPropia(const QString& ficheroCarta) const {
    const qsizetype punto = ficheroCarta.lastIndexOf(QLatin1Char('.'));
    const QString base = punto >= 0 ? ficheroCarta.left(punto) : ficheroCarta;
    if (base.isEmpty() || carpetaRef_.isEmpty()) {
        return QString();
    }
    for (const char* extension : {".cie", ".ti2", ".ti3"}) {
        const QString nombre = base + QLatin1String(extension);
        if (ExisteFichero(carpetaRef_ + nombre)) {
            return nombre;
        }
    }
    return QString();
}

QString ChartCatalog::RutaReferenciaPropia(int indice) const {
    const QString nombre = BuscarReferenciaPropia(FicheroCarta(indice));
    return nombre.isEmpty() ? QString() : carpetaRef_ + nombre;
}

QString ChartCatalog::RutaReferenciaGenerica(int g) const {
    const QString nombre = FicheroReferenciaGenerica(g);
    return nombre.isEmpty() ? QString() : carpetaRef_ + nombre;
}

QString ChartCatalog::RutaImagenCarta(int indice) const {
    const QString imagen = FicheroImagenCarta(FicheroCarta(indice));
    if (imagen.isEmpty() || carpetaDoc_.isEmpty()) {
        return QString();
    }
    const QString ruta = carpetaDoc_ + imagen;
    return ExisteFichero(ruta) ? ruta : QString();
}

const ChartCatalog& Catalogo() {
    static std::mutex guard;
    static ChartCatalog catalogo{QString(), QString()};
    static bool construido = false;
    static QString ref;
    static QString doc;
    const std::lock_guard<std::mutex> lock(guard);
    const AppFolders& carpetas = Carpetas();
    // Rebuilt in place, so references handed out earlier stay valid.
    if (!construido || ref != carpetas.argyllRef || doc != carpetas.argyllDoc) {
        ref = carpetas.argyllRef;
        doc = carpetas.argyllDoc;
        catalogo = ChartCatalog(ref, doc);
        construido = true;
    }
    return catalogo;
}

ReferenciaCarta ReferenciaDeCarta(const ChartCatalog& catalogo, int carta, int numGenericas) {
    ReferenciaCarta r;
    const int g = IndiceGenericaPorCarta(catalogo.FicheroCarta(carta));
    if (g > 0 && g <= numGenericas) {
        r.tipo = ReferenciaCarta::Generica;
        r.generica = g;
        r.ruta = catalogo.RutaReferenciaGenerica(g);
        return r;
    }
    // RutaReferenciaPropia only names a file that exists.
    r.ruta = catalogo.RutaReferenciaPropia(carta);
    r.tipo = r.ruta.isEmpty() ? ReferenciaCarta::Ninguna : ReferenciaCarta::Propia;
    return r;
}

QString LineaLogReferenciaDeCarta(const ReferenciaCarta& referencia) {
    switch (referencia.tipo) {
    case ReferenciaCarta::Generica:
        return Texto(QStringLiteral("log.chart_generic_ref")) + referencia.ruta;
    case ReferenciaCarta::Propia:
        return Texto(QStringLiteral("log.chart_own_ref")) + referencia.ruta;
    case ReferenciaCarta::Ninguna:
        break;
    }
    return Texto(QStringLiteral("log.chart_needs_ref"));
}
