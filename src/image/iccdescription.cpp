#include "image/iccdescription.h"

#include "shell/legacytext.h"

#include <cstring>
#include <optional>

namespace {

// A tag may send the reader back over the same bytes; crafted tables could make that
// quadratic. Past this many bytes examined (a few times the profile's size) the read gives up.
qint64 PresupuestoLectura(qint64 tamano) {
    return 8 * tamano + 65536;
}

class LectorICC {
public:
    explicit LectorICC(const QByteArray& bytes)
        : datos_(reinterpret_cast<const unsigned char*>(bytes.constData())),
          ultimo_(bytes.size() - 1), presupuesto_(PresupuestoLectura(bytes.size())) {}

    QString descripcion() {
        if (ultimo_ < 131)
            return QString();
        const std::optional<qint32> cuenta = u32(128);
        if (!cuenta || *cuenta <= 0)
            return QString();
        for (qint64 i = 0; i < *cuenta; ++i) {
            const qint64 e = 132 + 12 * i;
            if (e + 11 > ultimo_ || agotado())
                break;
            const std::optional<qint32> desplazamiento = u32(e + 4);
            const std::optional<qint32> tamano = u32(e + 8);
            if (!desplazamiento || !tamano)
                return QString();
            if (*tamano < 1 || qint64(*desplazamiento) + *tamano - 1 > ultimo_)
                continue;
            QString texto;
            if (firma(e, "desc")) {
                texto = etiquetaDesc(*desplazamiento);
                if (texto.isEmpty())
                    texto = etiquetaMluc(*desplazamiento);
            } else if (firma(e, "mluc")) {
                texto = etiquetaMluc(*desplazamiento);
            }
            if (!texto.isEmpty())
                return texto;
        }
        return QString();
    }

private:
    const unsigned char* datos_;
    qint64 ultimo_; // index of the last byte
    qint64 presupuesto_;

    bool agotado() const { return presupuesto_ <= 0; }

    // Big-endian 32-bit value; none when it does not fit or has its top bit set.
    std::optional<qint32> u32(qint64 p) const {
        if (p < 0 || p + 3 > ultimo_ || datos_[p] >= 128)
            return std::nullopt;
        return qint32((quint32(datos_[p]) << 24) | (quint32(datos_[p + 1]) << 16) |
                      (quint32(datos_[p + 2]) << 8) | quint32(datos_[p + 3]));
    }

    bool firma(qint64 p, const char* esperada) const {
        return p >= 0 && p + 3 <= ultimo_ && std::memcmp(datos_ + p, esperada, 4) == 0;
    }

    QString etiquetaDesc(qint64 o) {
        if (o + 11 > ultimo_ || !firma(o, "desc"))
            return QString();
        const std::optional<qint32> n = u32(o + 8);
        if (!n || *n <= 0 || o + 12 + *n - 1 > ultimo_)
            return QString();
        return textoAscii(o + 12, *n);
    }

    QString etiquetaMluc(qint64 o) {
        if (o + 15 > ultimo_ || !firma(o, "mluc"))
            return QString();
        const std::optional<qint32> registros = u32(o + 8);
        const std::optional<qint32> tamanoRegistro = u32(o + 12);
        if (!registros || !tamanoRegistro || *registros < 1 || *tamanoRegistro < 12 ||
            o + 16 + *tamanoRegistro - 1 > ultimo_)
            return QString();
        const std::optional<qint32> longitud = u32(o + 20);
        const std::optional<qint32> inicio = u32(o + 24);
        if (!longitud || !inicio || *longitud <= 0 || o + *inicio + *longitud - 1 > ultimo_)
            return QString();
        return textoUtf16(o + *inicio, *longitud);
    }

    // n single-byte characters at p, cut at the first zero, decoded as UTF-8 where valid
    // (ArgyllCMS stores non-ASCII texts that way), else as Windows-1252.
    QString textoAscii(qint64 p, qint64 n) {
        const void* cero = std::memchr(datos_ + p, 0, std::size_t(n));
        const qint64 util = cero ? static_cast<const unsigned char*>(cero) - (datos_ + p) : n;
        presupuesto_ -= util + 1;
        const QByteArray bytes =
            QByteArray::fromRawData(reinterpret_cast<const char*>(datos_ + p), qsizetype(util));
        return LimpiarTextoICC(DecodificarTextoLegado(bytes));
    }

    // Big-endian UTF-16 code units of n bytes at p; zero units dropped, an odd last byte ignored.
    QString textoUtf16(qint64 p, qint64 n) {
        presupuesto_ -= n;
        QString texto;
        for (qint64 k = 0; k + 1 < n; k += 2) {
            const char16_t unidad = char16_t((datos_[p + k] << 8) | datos_[p + k + 1]);
            if (unidad != 0)
                texto.append(QChar(unidad));
        }
        return LimpiarTextoICC(texto);
    }
};

} // namespace

QString LimpiarTextoICC(const QString& texto) {
    const qsizetype cero = texto.indexOf(QChar(0));
    const QString cortado = cero < 0 ? texto : texto.left(cero);
    qsizetype inicio = 0;
    qsizetype fin = cortado.size();
    while (inicio < fin && cortado[inicio] == QLatin1Char(' '))
        ++inicio;
    while (fin > inicio && cortado[fin - 1] == QLatin1Char(' '))
        --fin;
    return cortado.mid(inicio, fin - inicio);
}

QString DescripcionPerfilICC(const QByteArray& perfil) {
    return LectorICC(perfil).descripcion();
}
