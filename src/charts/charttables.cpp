#include "charts/charttables.h"

#include <array>

namespace {

constexpr std::array<FilaCatalogo, 22> kCatalogo{{
    {"CMP Digital Target Mini", "CMP_DT_mini.cht", "CMP_DTM-mini.jpg"},
    {"CMP Digital Target Studio", "CMP_Digital_Target_Studio.cht",
     "CMPDigitalTargetStudioEdition.jpg"},
    {"CMP Digital Target-3", "CMP_Digital_Target-3.cht", "CMP_DT_003.jpg"},
    {"CMP Digital Target-4", "CMP_Digital_Target-4.cht", "CMP_Digital_Target-4.jpg"},
    {"Datacolor SpyderChecker", "SpyderChecker.cht", "SpyderChecker.jpg"},
    {"Datacolor SpyderChecker 24", "SpyderChecker24.cht", "SpyderChecker24.jpg"},
    {"GretagMacbeth TM DC", "ColorCheckerDC.cht", "DC.jpg"},
    {"HutchColor HCT", "Hutchcolor.cht", "HCT.jpg"},
    {"ISO12641-2", "ISO12641_2_1.cht", "ISO12641_2.jpg"},
    {"ISO12641-2-1", "ISO12641_2_3_1.cht", "ISO12641-2-1.jpg"},
    {"ISO12641-2-2", "ISO12641_2_3_2.cht", "ISO12641-2-2.jpg"},
    {"ISO12641-2-3", "ISO12641_2_3_3.cht", "ISO12641-2-3.jpg"},
    {"IT8.7", "it8.cht", "Q60.jpg"},
    {"IT8.7 Quellin Zorvath", "it8Quellin.cht", "QuellinZorvath.jpg"},
    {"LaserSoft DCPro", "LaserSoftDCPro.cht", "LSDC.jpg"},
    {"QPcard 201", "QPcard_201.cht", "QPcard201.jpg"},
    {"QPcard 202/203", "QPcard_202.cht", "QPcard202.jpg"},
    {"Xrite ColorChecker 24 patch", "ColorChecker.cht", "colorchecker.jpg"},
    {"Xrite ColorChecker Passport", "ColorCheckerPassport.cht", "Passport.jpg"},
    {"Xrite ColorChecker Passport (Half)", "ColorCheckerHalfPassport.cht", "Passport.jpg"},
    {"Xrite ColorCheckerSG", "ColorCheckerSG.cht", "SG.jpg"},
    {"X-Rite i1 Eye-one Scan Target", "i1_RGB_Scan_1.4.cht", "i1scan14.jpg"},
}};

struct FilaGenerica {
    const char* nombre;
    const char* referencia;
    const char* carta;
};

constexpr std::array<FilaGenerica, NumGenericas()> kGenericas{{
    {"CMP Digital Target 4", "CMP_Digital_Target-4.cie", "CMP_Digital_Target-4.cht"},
    {"Datacolor SpyderChecker", "SpyderChecker.cie", "SpyderChecker.cht"},
    {"Datacolor SpyderChecker 24", "SpyderChecker24.cie", "SpyderChecker24.cht"},
    {"Xrite ColorChecker 24 patch", "ColorChecker.cie", "ColorChecker.cht"},
    {"Xrite ColorChecker Passport", "ColorCheckerPassport.cie", "ColorCheckerPassport.cht"},
    {"QPcard 201", "QPcard_201.cie", "QPcard_201.cht"},
    {"QPcard 202/203", "QPcard_202.cie", "QPcard_202.cht"},
}};

constexpr std::array<const char*, 12> kCartasAntiguas{
    "ColorChecker.cht",         "ColorCheckerSG.cht", "ColorCheckerPassport.cht",
    "ColorChecker.cht",         "CMP_DT_003.cht",     "CMP_Digital_Target-3.cht",
    "CMP_Digital_Target-4.cht", "Hutchcolor.cht",     "LaserSoftDCPro.cht",
    "QPcard_201.cht",           "QPcard_202.cht",     "it8.cht",
};

const FilaGenerica* Generica(int g) {
    if (g < 1 || g > NumGenericas()) {
        return nullptr;
    }
    return &kGenericas[static_cast<size_t>(g - 1)];
}

} // namespace

int NumFilasCatalogo() {
    return static_cast<int>(kCatalogo.size());
}

const FilaCatalogo& FilaCatalogoEn(int row) {
    return kCatalogo.at(static_cast<size_t>(row));
}

QString ClaveCarta(const QString& fichero) {
    return fichero.trimmed().toLower();
}

QString NombreGenerica(int g) {
    const FilaGenerica* fila = Generica(g);
    return fila ? QString::fromUtf8(fila->nombre) : QString();
}

QString FicheroReferenciaGenerica(int g) {
    const FilaGenerica* fila = Generica(g);
    return fila ? QString::fromUtf8(fila->referencia) : QString();
}

QString FicheroCartaGenerica(int g) {
    const FilaGenerica* fila = Generica(g);
    return fila ? QString::fromUtf8(fila->carta) : QString();
}

int IndiceGenericaPorCarta(const QString& ficheroCarta) {
    const QString clave = ClaveCarta(ficheroCarta);
    for (int g = 1; g <= NumGenericas(); ++g) {
        if (FicheroCartaGenerica(g).toLower() == clave) {
            return g;
        }
    }
    return 0;
}

int IndiceGenericaPorReferencia(const QString& ficheroReferencia) {
    const QString clave = ClaveCarta(ficheroReferencia);
    for (int g = 1; g <= NumGenericas(); ++g) {
        if (FicheroReferenciaGenerica(g).toLower() == clave) {
            return g;
        }
    }
    return 0;
}

QString FicheroCartaAntiguo(int numero) {
    if (numero < 0 || numero >= static_cast<int>(kCartasAntiguas.size())) {
        return QString();
    }
    return QString::fromUtf8(kCartasAntiguas[static_cast<size_t>(numero)]);
}

QString FicheroImagenCarta(const QString& ficheroCarta) {
    const QString clave = ficheroCarta.toLower();
    for (const FilaCatalogo& fila : kCatalogo) {
        if (QString::fromUtf8(fila.fichero).toLower() == clave) {
            return QString::fromUtf8(fila.imagen);
        }
    }
    return QString();
}

bool EsCartaQPcard202(const QString& ficheroCarta) {
    return ClaveCarta(ficheroCarta) == QStringLiteral("qpcard_202.cht");
}
