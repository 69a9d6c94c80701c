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
    QByteArray cabecera(128, '\0');
    PonerU32BE(cabecera, 8, 0x02100000);
    cabecera.replace(12, 4, "scnr");
    cabecera.replace(16, 4, "RGB ");
    cabecera.replace(20, 4, "XYZ ");
    cabecera.replace(36, 4, "acsp");
    QByteArray tabla = U32BE(quint32(cuenta < 0 ? etiquetas.size() : cuenta));
    QByteArray datos;
    const qint64 inicioDatos = 128 + 4 + 12 * qint64(etiquetas.size());
    for (const EtiquetaICC& e : etiquetas) {
        const qint64 aqui = inicioDatos + datos.size();
        tabla += e.firma.left(4).leftJustified(4, ' ');
        tabla += U32BE(quint32(e.desplazamiento < 0 ? aqui : e.desplazamiento));
        tabla += U32BE(quint32(e.tamano < 0 ? e.datos.size() : e.tamano));
        datos += e.datos;
        while (datos.size() % 4)
            datos += '\0';
    }
    QByteArray perfil = cabecera + tabla + datos;
    PonerU32BE(perfil, 0, quint32(perfil.size()));
    return perfil;
}

QByteArray DatosDesc(const QByteArray& texto, qint64 n, const QByteArray& cola) {
    QByteArray d("desc");
    d += U32BE(0);
    d += U32BE(quint32(n < 0 ? texto.size() + 1 : n));
    d += texto;
    d += '\0';
    d += cola;
    return d;
}

QByteArray DatosMluc(const QList<RegistroMluc>& registros, qint64 tamanoRegistro) {
    QByteArray d("mluc");
    d += U32BE(0);
    d += U32BE(quint32(registros.size()));
    d += U32BE(quint32(tamanoRegistro));
    QByteArray cadenas;
    const qint64 inicio = 16 + qint64(registros.size()) * 12;
    for (const RegistroMluc& r : registros) {
        QByteArray utf16;
        for (const QChar c : r.texto) {
            utf16 += char(c.unicode() >> 8);
            utf16 += char(c.unicode() & 0xFF);
        }
        d += r.idioma.left(2);
        d += r.pais.left(2);
        d += U32BE(quint32(utf16.size()));
        d += U32BE(quint32(inicio + cadenas.size()));
        cadenas += utf16;
    }
    return d + cadenas;
}
