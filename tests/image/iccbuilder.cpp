#include "iccbuilder.h"

#include <QtEndian>

namespace {

QByteArray U32BE(quint32 valor) {
    QByteArray b(4, '\0');
    qToBigEndian(valor, b.data());
    return b;
}

} // namespace

void PonerU32BE(QByteArray& bytes, qsizetype p, quint32 valor) {
    qToBigEndian(valor, bytes.data() + p);
}

QByteArray PerfilICC(const QList<EtiquetaICC>& etiquetas, qint64 cuenta) {
    // Version 2.1, an RGB scanner profile to XYZ.
    QByteArray cabecera = QByteArray(8, '\0') + U32BE(0x02100000) + "scnrRGB XYZ " +
                          QByteArray(12, '\0') + "acsp" + QByteArray(88, '\0');
    QByteArray tabla = U32BE(quint32(cuenta < 0 ? etiquetas.size() : cuenta));
    QByteArray datos;
    const qint64 inicioDatos = 128 + 4 + 12 * qint64(etiquetas.size());
    for (const EtiquetaICC& e : etiquetas) {
        const qint64 aqui = inicioDatos + datos.size();
        tabla += e.firma.left(4).leftJustified(4, ' ') +
                 U32BE(quint32(e.desplazamiento < 0 ? aqui : e.desplazamiento)) +
                 U32BE(quint32(e.tamano < 0 ? e.datos.size() : e.tamano));
        datos += e.datos + QByteArray((4 - e.datos.size() % 4) % 4, '\0');
    }
    QByteArray perfil = cabecera + tabla + datos;
    PonerU32BE(perfil, 0, quint32(perfil.size()));
    return perfil;
}

QByteArray DatosDesc(const QByteArray& texto, qint64 n, const QByteArray& cola) {
    return "desc" + U32BE(0) + U32BE(quint32(n < 0 ? texto.size() + 1 : n)) + texto + '\0' + cola;
}

QByteArray DatosMluc(const QList<RegistroMluc>& registros, qint64 tamanoRegistro) {
    QByteArray d =
        "mluc" + U32BE(0) + U32BE(quint32(registros.size())) + U32BE(quint32(tamanoRegistro));
    QByteArray cadenas;
    const qint64 inicio = 16 + qint64(registros.size()) * 12;
    for (const RegistroMluc& r : registros) {
        QByteArray utf16(r.texto.size() * 2, '\0');
        qToBigEndian<quint16>(r.texto.utf16(), r.texto.size(), utf16.data());
        d += r.idioma.left(2) + r.pais.left(2) + U32BE(quint32(utf16.size())) +
             U32BE(quint32(inicio + cadenas.size()));
        cadenas += utf16;
    }
    return d + cadenas;
}
