#include "image/chartinspectorinfo.h"

#include "image/previewdrawing.h"

#include <QFileInfo>

QString TextoPerfilCarta(const QString& ruta, const TextosPerfilCarta& textos) {
    bool tienePerfil = false;
    QString descripcion;
    if (!LeerPerfilIncrustado(ruta, tienePerfil, descripcion))
        return textos.desconocido;
    if (!tienePerfil)
        return textos.ninguno;
    return descripcion.trimmed().isEmpty() ? textos.incrustado : descripcion;
}

QString LineaPerfilCarta(int w, int h, const QString& ruta, const QString& textoPerfil,
                         const QLocale& locale) {
    const QString tamano =
        w >= 1 && h >= 1 ? QStringLiteral("%1 x %2 px").arg(w).arg(h) : QStringLiteral("-");
    const double megas = double(QFileInfo(ruta).size()) / 1048576.0;
    QLocale numeros = locale; // "0.00": no thousands separator
    numeros.setNumberOptions(numeros.numberOptions() | QLocale::OmitGroupSeparator);
    const QString separador = QStringLiteral(" | ");
    return tamano + separador + numeros.toString(megas, 'f', 2) + QStringLiteral(" MB") +
           separador + textoPerfil;
}
