#include "image/iccdescription.h"

#include "iccbuilder.h"
#include "imagefixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>

#include <lcms2.h>

#include <memory>

namespace {

struct CierraPerfil {
    void operator()(void* h) const { cmsCloseProfile(h); }
};
using PerfilLcms = std::unique_ptr<void, CierraPerfil>;

// What lcms2 reads as the description for the given language.
QString DescripcionLcms(const QByteArray& bytes, const char* idioma = "en",
                        const char* pais = "US") {
    const PerfilLcms h(cmsOpenProfileFromMem(bytes.constData(), cmsUInt32Number(bytes.size())));
    if (!h)
        return QStringLiteral("<lcms2 could not open>");
    wchar_t texto[1024] = {};
    cmsGetProfileInfo(h.get(), cmsInfoDescription, idioma, pais, texto, 1024);
    return QString::fromWCharArray(texto);
}

struct CierraMlu {
    void operator()(cmsMLU* m) const { cmsMLUfree(m); }
};

// A version 4 sRGB profile written by lcms2 whose description has these records, in order.
QByteArray PerfilV4(const QList<RegistroMluc>& registros) {
    const PerfilLcms h(cmsCreate_sRGBProfile());
    cmsSetProfileVersion(h.get(), 4.3);
    const std::unique_ptr<cmsMLU, CierraMlu> mlu(cmsMLUalloc(nullptr, 2));
    for (const RegistroMluc& r : registros) {
        const std::wstring texto = r.texto.toStdWString();
        cmsMLUsetWide(mlu.get(), r.idioma.constData(), r.pais.constData(), texto.c_str());
    }
    cmsWriteTag(h.get(), cmsSigProfileDescriptionTag, mlu.get());
    cmsUInt32Number tamano = 0;
    cmsSaveProfileToMem(h.get(), nullptr, &tamano);
    QByteArray bytes(qsizetype(tamano), '\0');
    cmsSaveProfileToMem(h.get(), bytes.data(), &tamano);
    return bytes;
}

} // namespace

class TestIccDescription : public QObject {
    Q_OBJECT

private slots:
    void version2TextStopsAtItsZero() {
        const QByteArray p = PerfilICC({{"desc", DatosDesc("Escáner A", -1, "basura\x01\x02")}});
        // The 7-bit part holds UTF-8 here, as ArgyllCMS writes it.
        QCOMPARE(DescripcionPerfilICC(p), QString("Escáner A"));
        const QByteArray blancos = PerfilICC({{"desc", DatosDesc("   Perfil con blancos  ")}});
        QCOMPARE(DescripcionPerfilICC(blancos), QString("Perfil con blancos"));
        // A count that stops before the zero takes exactly its bytes.
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"desc", DatosDesc("abcdef", 3)}})),
                 QString("abc"));
    }

    void singleByteTextThatIsNotUtf8() {
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"desc", DatosDesc("Caf\xe9 \x80")}})),
                 QString("Café €"));
    }

    void version4FirstRecordWins() {
        const QByteArray enEs = PerfilICC(
            {{"desc", DatosMluc({{"en", "US", "English text"}, {"es", "ES", "Texto español"}})}});
        QCOMPARE(DescripcionPerfilICC(enEs), QString("English text"));
        const QByteArray esEn = PerfilICC(
            {{"desc", DatosMluc({{"es", "ES", "Texto español"}, {"en", "US", "English text"}})}});
        QCOMPARE(DescripcionPerfilICC(esEn), QString("Texto español"));
        // Code units from 0x8000 up and surrogate pairs are text like any other.
        const QString cjk = QString::fromUtf8("日本語のプロファイル 😀");
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"desc", DatosMluc({{"ja", "JP", cjk}})}})), cjk);
        // Zero code units are dropped, blanks trimmed.
        QCOMPARE(DescripcionPerfilICC(PerfilICC(
                     {{"desc", DatosMluc({{"en", "US", QString::fromLatin1("  a\0b  ", 7)}})}})),
                 QString("ab"));
    }

    void mlucRecordChecks() {
        QByteArray d = DatosMluc({{"en", "US", "abc"}}, 11);
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"desc", d}})), QString());
        // An odd string length ignores the last byte.
        d = DatosMluc({{"en", "US", "abc"}});
        PonerU32BE(d, 20, 5);
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"desc", d}})), QString("ab"));
        // A string past the end of the profile.
        PonerU32BE(d, 24, 4000);
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"desc", d}})), QString());
        // No records.
        d = DatosMluc({});
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"desc", d + QByteArray(16, 'x')}})), QString());
    }

    void emptyResults() {
        QCOMPARE(DescripcionPerfilICC(QByteArray()), QString());
        const QByteArray bueno = PerfilICC({{"desc", DatosDesc("texto")}});
        QCOMPARE(DescripcionPerfilICC(bueno.left(131)), QString());
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"desc", DatosDesc("texto")}}, 0)), QString());
        // Data past the end of the profile.
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"desc", DatosDesc("texto"), 132 + 12, 5000}})),
                 QString());
        QCOMPARE(DescripcionPerfilICC(bueno.left(bueno.size() - 8)), QString());
        // A count with the top bit set ends the read.
        QByteArray mala = bueno;
        PonerU32BE(mala, 128, 0x80000001u);
        QCOMPARE(DescripcionPerfilICC(mala), QString());
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"cprt", DatosDesc("(c) alguien")}})), QString());
    }

    void tableOrderAndInvalidNumbers() {
        // The first tag that yields text wins; other signatures are not read.
        const QByteArray orden = PerfilICC({{"cprt", DatosDesc("copyright")},
                                            {"mluc", DatosMluc({{"en", "US", "del mluc"}})},
                                            {"desc", DatosDesc("la descripción")}});
        QCOMPARE(DescripcionPerfilICC(orden), QString("del mluc"));

        // A desc tag whose count is invalid yields nothing; the walk goes on.
        QByteArray d = DatosDesc("nunca");
        PonerU32BE(d, 8, 0x90000000u);
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"desc", d}, {"desc", DatosDesc("segunda")}})),
                 QString("segunda"));
        // An empty text does not count as a description either.
        QCOMPARE(DescripcionPerfilICC(
                     PerfilICC({{"desc", DatosDesc("   ")}, {"desc", DatosDesc("tercera")}})),
                 QString("tercera"));

        // An invalid offset in the table ends the whole read.
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"cprt", DatosDesc("x"), 0x80000000LL, 4},
                                                 {"desc", DatosDesc("no se llega")}})),
                 QString());
        // A count beyond the table stops where the entries end.
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"cprt", DatosDesc("x")}}, 0x7FFFFFFF)),
                 QString());
        QCOMPARE(DescripcionPerfilICC(PerfilICC({{"desc", DatosDesc("sí")}}, 0x7FFFFFFF)),
                 QString("sí"));
    }

    void craftedTableDoesNotHang() {
        // Many tags, each with its own mluc header, all sending the reader over one large
        // string of zero units: read naively that is hours of work.
        const int tags = 100000;
        const qint64 cadena = 4 * 1024 * 1024;
        QList<EtiquetaICC> etiquetas;
        const qint64 inicioDatos = 132 + 12LL * tags;
        const qint64 inicioCadena = inicioDatos + 28LL * tags;
        for (int i = 0; i < tags; ++i) {
            QByteArray d = DatosMluc({{"en", "US", ""}});
            const qint64 aqui = inicioDatos + 28LL * i;
            PonerU32BE(d, 20, quint32(cadena));
            PonerU32BE(d, 24, quint32(inicioCadena - aqui));
            etiquetas.append({"desc", d});
        }
        QByteArray perfil = PerfilICC(etiquetas);
        QCOMPARE(perfil.size(), inicioCadena);
        perfil += QByteArray(cadena, '\0');
        QElapsedTimer reloj;
        reloj.start();
        QCOMPARE(DescripcionPerfilICC(perfil), QString());
        QVERIFY2(reloj.elapsed() < 5000, qPrintable(QString::number(reloj.elapsed())));
    }

    void argyllReferenceProfilesAgreeWithLcms2() {
        const QStringList ficheros =
            QDir("/usr/share/color/argyll/ref").entryList({"*.icm", "*.icc"}, QDir::Files);
        if (ficheros.isEmpty())
            QSKIP("ArgyllCMS reference profiles are not installed");
        for (const QString& f : ficheros) {
            const QByteArray bytes = LeerBytes("/usr/share/color/argyll/ref/" + f);
            const QString nuestra = DescripcionPerfilICC(bytes);
            QVERIFY2(!nuestra.isEmpty(), qPrintable(f));
            QCOMPARE(nuestra, DescripcionLcms(bytes));
        }
    }

    void version4ProfilesWrittenByLcms2() {
        const QByteArray enEs =
            PerfilV4({{"en", "US", "Nerva v4 English"}, {"es", "ES", "Nerva v4 español"}});
        QCOMPARE(DescripcionPerfilICC(enEs), QString("Nerva v4 English"));
        QCOMPARE(DescripcionPerfilICC(enEs), DescripcionLcms(enEs, "en", "US"));
        const QByteArray japones = PerfilV4(
            {{"ja", "JP", QString::fromUtf8("日本語の説明")}, {"en", "US", "English second"}});
        QCOMPARE(DescripcionPerfilICC(japones), QString::fromUtf8("日本語の説明"));
        QCOMPARE(DescripcionPerfilICC(japones), DescripcionLcms(japones, "ja", "JP"));
    }
};

QTEST_GUILESS_MAIN(TestIccDescription)
#include "tst_iccdescription.moc"
