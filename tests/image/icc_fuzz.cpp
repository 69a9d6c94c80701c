// Seeded random mutation check of the ICC description reader, built with AddressSanitizer and
// UndefinedBehaviorSanitizer: real and hand-made profiles are mutated and truncated, and every
// result must come back quickly, clean (no zero, no edge blanks) and the same when asked twice.
// Usage: icc_fuzz [iterations] [seed]

#include "image/iccdescription.h"

#include "iccbuilder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

namespace {

QList<QByteArray> Semillas() {
    QList<QByteArray> semillas;
    const QDir ref("/usr/share/color/argyll/ref");
    for (const QString& f : ref.entryList({"*.icm", "*.icc"}, QDir::Files)) {
        QFile fichero(ref.filePath(f));
        if (fichero.open(QIODevice::ReadOnly))
            semillas.append(fichero.readAll());
    }
    semillas.append(PerfilICC({{"desc", DatosDesc("Perfil de prueba", -1, "cola\x01")}}));
    semillas.append(PerfilICC({{"cprt", DatosDesc("(c)")},
                               {"desc", DatosMluc({{"en", "US", "English"},
                                                   {"es", "ES", QString::fromUtf8("Español")}})}}));
    semillas.append(PerfilICC({{"mluc", DatosMluc({{"ja", "JP", QString::fromUtf8("日本語")}})},
                               {"desc", DatosDesc("  blancos  ")}}));
    semillas.append(PerfilICC({{"desc", DatosDesc("x", 0x7FFFFFFF)}}, 3));
    return semillas;
}

class Mutador {
public:
    explicit Mutador(quint64 semilla) : azar_(semilla) {}

    int entero(int hasta) { return std::uniform_int_distribution<int>(0, hasta - 1)(azar_); }

    void mutar(QByteArray& b) {
        const int veces = 1 + entero(4);
        for (int k = 0; k < veces; ++k)
            paso(b);
    }

private:
    std::mt19937_64 azar_;

    qsizetype posicion(const QByteArray& b) { return b.isEmpty() ? 0 : entero(int(b.size())); }

    // Positions the reader looks at: the count, the table fields, or anywhere.
    qsizetype campo(const QByteArray& b) {
        switch (entero(3)) {
        case 0:
            return 128;
        case 1:
            return 132 + 12 * entero(8) + 4 * entero(3);
        default:
            return posicion(b) & ~qsizetype(3);
        }
    }

    quint32 valorInteresante(const QByteArray& b) {
        const quint32 n = quint32(b.size());
        const quint32 valores[] = {0,          1,          3,     11,    12,    16,
                                   0x7FFFFFFF, 0x80000000, n - 1, n,     n + 1, n / 2,
                                   0xFFFFFFFF, 0x00010000, 132,   n - 12};
        return entero(4) == 0 ? quint32(azar_()) : valores[entero(std::size(valores))];
    }

    void paso(QByteArray& b) {
        switch (entero(8)) {
        case 0:
            if (!b.isEmpty()) {
                const qsizetype p = posicion(b);
                b[p] = char(b[p] ^ (1 << entero(8)));
            }
            break;
        case 1:
            if (!b.isEmpty())
                b[posicion(b)] = char("\x00\x20\x7F\x80\xFF"[entero(5)]);
            break;
        case 2:
        case 3: {
            const qsizetype p = campo(b);
            if (p + 4 <= b.size())
                PonerU32BE(b, p, valorInteresante(b));
            break;
        }
        case 4:
            b.truncate(posicion(b));
            break;
        case 5:
            b.insert(posicion(b), QByteArray(1 + entero(64), char(entero(256))));
            break;
        case 6:
            b.remove(posicion(b), 1 + entero(64));
            break;
        default: {
            const qsizetype p = posicion(b);
            if (p + 4 <= b.size())
                b.replace(p, 4, entero(2) ? "desc" : "mluc");
            break;
        }
        }
    }
};

// The reader on a heap block of exactly the profile's size, so the sanitizer sees any read
// past its end (a QByteArray keeps a terminator and spare room behind its data).
QString LeerExacto(const QByteArray& perfil) {
    const std::unique_ptr<char[]> bloque(new char[std::size_t(perfil.size())]);
    if (!perfil.isEmpty())
        std::memcpy(bloque.get(), perfil.constData(), std::size_t(perfil.size()));
    return DescripcionPerfilICC(QByteArray::fromRawData(bloque.get(), perfil.size()));
}

} // namespace

int main(int argc, char** argv) {
    const long long iteraciones = argc > 1 ? std::atoll(argv[1]) : 20000;
    const quint64 semilla = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20240601;
    const QList<QByteArray> semillas = Semillas();
    Mutador mutador(semilla);
    long long fallos = 0;
    long long conTexto = 0;
    qint64 maximoNs = 0;
    QElapsedTimer reloj;
    for (long long i = 0; i < iteraciones; ++i) {
        QByteArray perfil = semillas[mutador.entero(int(semillas.size()))];
        mutador.mutar(perfil);
        reloj.start();
        const QString texto = LeerExacto(perfil);
        maximoNs = std::max(maximoNs, reloj.nsecsElapsed());
        const bool limpio = !texto.contains(QChar(0)) && !texto.startsWith(' ') &&
                            !texto.endsWith(' ') && LeerExacto(perfil) == texto;
        if (!limpio) {
            ++fallos;
            std::fprintf(stderr, "iteration %lld: unclean or unstable result\n", i);
        }
        conTexto += texto.isEmpty() ? 0 : 1;
    }
    const bool lento = maximoNs > 1'000'000'000;
    if (lento)
        std::fprintf(stderr, "a single read took %.3f s\n", maximoNs / 1e9);
    std::printf("icc_fuzz: seed %llu, %lld profiles from %lld seeds, %lld with a description, "
                "slowest read %.3f ms\n",
                static_cast<unsigned long long>(semilla), iteraciones,
                static_cast<long long>(semillas.size()), conTexto, maximoNs / 1e6);
    std::printf("%lld passed, %lld failed\n", iteraciones - fallos, fallos);
    return fallos == 0 && !lento ? 0 : 1;
}
