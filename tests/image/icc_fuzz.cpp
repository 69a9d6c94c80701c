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

// One random change: a bit flipped, an edge byte, a large or boundary number where the
// reader looks (the count, the table) or anywhere, a cut, bytes inserted or removed, or a
// tag signature planted.
void Mutar(QByteArray& b, std::mt19937_64& azar) {
    const auto entero = [&azar](qsizetype hasta) {
        return hasta <= 0 ? 0 : qsizetype(azar() % quint64(hasta));
    };
    const qsizetype p = entero(b.size());
    const quint32 n = quint32(b.size());
    const quint32 valores[] = {0, 1, 11, 12, 16, 0x7FFFFFFF, 0x80000000, n - 1, n, n + 1, 132};
    const qsizetype campo = entero(3) == 0 ? 128
                            : entero(2)    ? 132 + 12 * entero(8) + 4 * entero(3)
                                           : p & ~3;
    switch (entero(7)) {
    case 0:
        if (!b.isEmpty())
            b[p] = char(b[p] ^ (1 << entero(8)));
        break;
    case 1:
        if (!b.isEmpty())
            b[p] = "\x00\x20\x7F\x80\xFF"[entero(5)];
        break;
    case 2:
        if (campo + 4 <= b.size())
            PonerU32BE(b, campo, entero(4) ? valores[entero(std::size(valores))] : quint32(azar()));
        break;
    case 3:
        b.truncate(p);
        break;
    case 4:
        b.insert(p, QByteArray(1 + entero(64), char(entero(256))));
        break;
    case 5:
        b.remove(p, 1 + entero(64));
        break;
    default:
        if (p + 4 <= b.size())
            b.replace(p, 4, entero(2) ? "desc" : "mluc");
    }
}

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
    std::mt19937_64 azar(semilla);
    long long fallos = 0;
    QElapsedTimer reloj;
    for (long long i = 0; i < iteraciones; ++i) {
        QByteArray perfil = semillas[qsizetype(azar() % quint64(semillas.size()))];
        for (int k = 1 + int(azar() % 4); k > 0; --k)
            Mutar(perfil, azar);
        reloj.start();
        const QString texto = LeerExacto(perfil);
        // Over a second for one read means a crafted table made the reader loop.
        if (reloj.elapsed() > 1000 || texto.contains(QChar(0)) || texto.startsWith(' ') ||
            texto.endsWith(' ') || LeerExacto(perfil) != texto) {
            ++fallos;
            std::fprintf(stderr, "iteration %lld: slow, unclean or unstable result\n", i);
        }
    }
    std::printf("icc_fuzz: seed %llu, %lld profiles, %lld failed\n",
                static_cast<unsigned long long>(semilla), iteraciones, fallos);
    return fallos == 0 ? 0 : 1;
}
