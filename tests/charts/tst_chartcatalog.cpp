#include "charts/chartcatalog.h"
#include "charts/charttables.h"
#include "shell/appfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kArgyllRef = QStringLiteral("/usr/share/color/argyll/ref");
const QString kArgyllDoc = QStringLiteral("/usr/share/doc/argyll-doc");

void Tocar(const QString& ruta) {
    QFile f(ruta);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(ruta));
}

QStringList FicherosTabla() {
    QStringList ficheros;
    for (int row = 0; row < NumFilasCatalogo(); ++row) {
        ficheros << QString::fromUtf8(FilaCatalogoEn(row).fichero);
    }
    return ficheros;
}

} // namespace

class TestChartCatalog : public QObject {
    Q_OBJECT

private slots:
    void realFolderListsEveryPresentChartInTableOrder();
    void realGenericReferencesResolve();
    void chartIdentityIgnoresCaseAndBlanks();
    void fullFolderListsAllRows();
    void singleChartFolder();
    void foldersAndMissingFolderDoNotCount();
    void ownReferenceSearchOrder_data();
    void ownReferenceSearchOrder();
    void ownReferencePathByIndex();
    void picturesFollowTheChartFile();
    void genericListLookups();
    void oldStyleNumbers();
    void qpcard202Identity();
    void processCatalogueFollowsFolders();
};

void TestChartCatalog::realFolderListsEveryPresentChartInTableOrder() {
    if (!QFileInfo::exists(kArgyllRef)) {
        QSKIP("ArgyllCMS reference files are not installed");
    }
    const ChartCatalog catalogo(kArgyllRef, kArgyllDoc);
    QStringList esperados;
    for (const QString& fichero : FicherosTabla()) {
        if (QFileInfo(kArgyllRef + "/" + fichero).isFile()) {
            esperados << fichero;
        }
    }
    QVERIFY(!esperados.isEmpty());
    QCOMPARE(catalogo.NumCartas(), esperados.size());
    for (int i = 0; i < catalogo.NumCartas(); ++i) {
        QCOMPARE(catalogo.FicheroCarta(i), esperados.at(i));
        QVERIFY(QFileInfo(catalogo.RutaCarta(i)).isFile());
        QCOMPARE(catalogo.IndiceCarta(esperados.at(i)), i);
        QVERIFY(!catalogo.NombreCarta(i).isEmpty());
    }
    QCOMPARE(catalogo.CarpetaRef(), kArgyllRef + "/");
    QCOMPARE(catalogo.FicheroCarta(catalogo.NumCartas()), QString());
    QCOMPARE(catalogo.FicheroCarta(-1), QString());
    QCOMPARE(catalogo.RutaCarta(-1), QString());
    QCOMPARE(catalogo.NombreCarta(catalogo.NumCartas()), QString());
}

void TestChartCatalog::realGenericReferencesResolve() {
    if (!QFileInfo::exists(kArgyllRef)) {
        QSKIP("ArgyllCMS reference files are not installed");
    }
    const ChartCatalog catalogo(kArgyllRef, kArgyllDoc);
    for (int g = 1; g <= NumGenericas(); ++g) {
        const QString ruta = catalogo.RutaReferenciaGenerica(g);
        QVERIFY2(QFileInfo(ruta).isFile(), qPrintable(ruta));
        QCOMPARE(IndiceGenericaPorReferencia(QFileInfo(ruta).fileName()), g);
        // Every generic chart is a catalogue chart and maps back to its generic row.
        const int indice = catalogo.IndiceCarta(FicheroCartaGenerica(g));
        QVERIFY2(indice >= 0, qPrintable(FicheroCartaGenerica(g)));
        QCOMPARE(IndiceGenericaPorCarta(catalogo.FicheroCarta(indice)), g);
    }
    QCOMPARE(catalogo.RutaReferenciaGenerica(0), QString());
    QCOMPARE(catalogo.RutaReferenciaGenerica(NumGenericas() + 1), QString());
}

void TestChartCatalog::chartIdentityIgnoresCaseAndBlanks() {
    QTemporaryDir ref;
    Tocar(ref.filePath("ColorChecker.cht"));
    Tocar(ref.filePath("it8.cht"));
    const ChartCatalog catalogo(ref.path(), ref.path());
    const int indice = catalogo.IndiceCarta("ColorChecker.cht");
    QVERIFY(indice >= 0);
    QCOMPARE(catalogo.IndiceCarta(" COLORCHECKER.CHT "), indice);
    QCOMPARE(catalogo.IndiceCarta("\tcolorchecker.cht"), indice);
    QCOMPARE(catalogo.IndiceCarta("ColorChecker"), -1);
    QCOMPARE(catalogo.IndiceCarta(""), -1);
    QCOMPARE(catalogo.IndiceCarta("   "), -1);
    QCOMPARE(ClaveCarta("  It8.CHT "), QStringLiteral("it8.cht"));
}

void TestChartCatalog::fullFolderListsAllRows() {
    QTemporaryDir ref;
    const QStringList ficheros = FicherosTabla();
    // Created in reverse so that the listing order cannot come from the folder.
    for (auto it = ficheros.crbegin(); it != ficheros.crend(); ++it) {
        Tocar(ref.filePath(*it));
    }
    const ChartCatalog catalogo(ref.path(), ref.path());
    QCOMPARE(catalogo.NumCartas(), 22);
    for (int i = 0; i < catalogo.NumCartas(); ++i) {
        QCOMPARE(catalogo.NombreCarta(i), QString::fromUtf8(FilaCatalogoEn(i).nombre));
        QCOMPARE(catalogo.FicheroCarta(i), ficheros.at(i));
    }
    QCOMPARE(catalogo.NombreCarta(catalogo.IndiceCarta("it8.cht")), QStringLiteral("IT8.7"));
    QCOMPARE(catalogo.NombreCarta(0), QStringLiteral("CMP Digital Target Mini"));
    QCOMPARE(catalogo.NombreCarta(21), QStringLiteral("X-Rite i1 Eye-one Scan Target"));
}

void TestChartCatalog::singleChartFolder() {
    QTemporaryDir ref;
    Tocar(ref.filePath("ColorChecker.cht"));
    Tocar(ref.filePath("ColorChecker.cie"));
    Tocar(ref.filePath("not_a_chart.cht"));
    const ChartCatalog catalogo(ref.path(), ref.path());
    QCOMPARE(catalogo.NumCartas(), 1);
    QCOMPARE(catalogo.NombreCarta(0), QStringLiteral("Xrite ColorChecker 24 patch"));
    QCOMPARE(catalogo.FicheroCarta(0), QStringLiteral("ColorChecker.cht"));
    QCOMPARE(catalogo.RutaCarta(0), ref.path() + "/ColorChecker.cht");
    QCOMPARE(catalogo.IndiceCarta("it8.cht"), -1);
}

void TestChartCatalog::foldersAndMissingFolderDoNotCount() {
    QTemporaryDir ref;
    QVERIFY(QDir(ref.path()).mkdir("it8.cht"));
    Tocar(ref.filePath("Hutchcolor.cht"));
    const ChartCatalog catalogo(ref.path() + "/", ref.path());
    QCOMPARE(catalogo.NumCartas(), 1);
    QCOMPARE(catalogo.FicheroCarta(0), QStringLiteral("Hutchcolor.cht"));
    QCOMPARE(catalogo.CarpetaRef(), ref.path() + "/");

    const ChartCatalog sinCarpeta(ref.filePath("missing"), ref.filePath("missing"));
    QCOMPARE(sinCarpeta.NumCartas(), 0);
    QCOMPARE(sinCarpeta.IndiceCarta("Hutchcolor.cht"), -1);

    // An empty folder must not fall back to files in the working directory.
    const QString antes = QDir::currentPath();
    QVERIFY(QDir::setCurrent(ref.path()));
    const ChartCatalog vacio{QString(), QString()};
    QDir::setCurrent(antes);
    QCOMPARE(vacio.NumCartas(), 0);
}

void TestChartCatalog::ownReferenceSearchOrder_data() {
    QTest::addColumn<QStringList>("presentes");
    QTest::addColumn<QString>("carta");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("ti2 before ti3") << QStringList{"it8.ti2", "it8.ti3"} << "it8.cht"
                                    << "it8.ti2";
    QTest::newRow("cie first") << QStringList{"it8.ti3", "it8.ti2", "it8.cie"} << "it8.cht"
                               << "it8.cie";
    QTest::newRow("ti3 alone") << QStringList{"it8.ti3"} << "it8.cht"
                               << "it8.ti3";
    QTest::newRow("none") << QStringList{"it8.txt"} << "it8.cht"
                          << "";
    QTest::newRow("no dot") << QStringList{"mychart.ti2"} << "mychart"
                            << "mychart.ti2";
    QTest::newRow("last dot only") << QStringList{"i1_RGB_Scan_1.4.ti2"} << "i1_RGB_Scan_1.4.cht"
                                   << "i1_RGB_Scan_1.4.ti2";
    QTest::newRow("empty base") << QStringList{".cie"} << ".cht"
                                << "";
    QTest::newRow("empty name") << QStringList{".cie"} << ""
                                << "";
}

void TestChartCatalog::ownReferenceSearchOrder() {
    QFETCH(QStringList, presentes);
    QFETCH(QString, carta);
    QFETCH(QString, esperado);
    QTemporaryDir ref;
    for (const QString& nombre : presentes) {
        Tocar(ref.filePath(nombre));
    }
    const ChartCatalog catalogo(ref.path(), ref.path());
    QCOMPARE(catalogo.BuscarReferenciaPropia(carta), esperado);
}

void TestChartCatalog::ownReferencePathByIndex() {
    QTemporaryDir ref;
    Tocar(ref.filePath("ColorCheckerSG.cht"));
    Tocar(ref.filePath("ColorCheckerSG.ti2"));
    Tocar(ref.filePath("Hutchcolor.cht"));
    const ChartCatalog catalogo(ref.path(), ref.path());
    QCOMPARE(catalogo.RutaReferenciaPropia(catalogo.IndiceCarta("ColorCheckerSG.cht")),
             ref.path() + "/ColorCheckerSG.ti2");
    QCOMPARE(catalogo.RutaReferenciaPropia(catalogo.IndiceCarta("Hutchcolor.cht")), QString());
    QCOMPARE(catalogo.RutaReferenciaPropia(-1), QString());
}

void TestChartCatalog::picturesFollowTheChartFile() {
    QTemporaryDir ref;
    QTemporaryDir doc;
    Tocar(ref.filePath("ColorCheckerPassport.cht"));
    Tocar(ref.filePath("ColorCheckerHalfPassport.cht"));
    Tocar(ref.filePath("it8.cht"));
    {
        const ChartCatalog catalogo(ref.path(), doc.path());
        const int half = catalogo.IndiceCarta("ColorCheckerHalfPassport.cht");
        QCOMPARE(catalogo.RutaImagenCarta(half), QString());
    }
    Tocar(doc.filePath("Passport.jpg"));
    const ChartCatalog catalogo(ref.path(), doc.path());
    const int full = catalogo.IndiceCarta("ColorCheckerPassport.cht");
    const int half = catalogo.IndiceCarta("ColorCheckerHalfPassport.cht");
    QCOMPARE(catalogo.RutaImagenCarta(half), doc.path() + "/Passport.jpg");
    QCOMPARE(catalogo.RutaImagenCarta(full), catalogo.RutaImagenCarta(half));
    QCOMPARE(catalogo.RutaImagenCarta(catalogo.IndiceCarta("it8.cht")), QString());
    QCOMPARE(catalogo.RutaImagenCarta(-1), QString());
    QCOMPARE(FicheroImagenCarta("COLORCHECKER.CHT"), QStringLiteral("colorchecker.jpg"));
    QCOMPARE(FicheroImagenCarta("unknown.cht"), QString());

    const ChartCatalog sinDoc(ref.path(), doc.filePath("missing"));
    for (int i = 0; i < sinDoc.NumCartas(); ++i) {
        QCOMPARE(sinDoc.RutaImagenCarta(i), QString());
    }
}

void TestChartCatalog::genericListLookups() {
    QCOMPARE(IndiceGenericaPorCarta("colorchecker.cht"), 4);
    QCOMPARE(IndiceGenericaPorCarta(" QPCARD_202.cht "), 7);
    QCOMPARE(IndiceGenericaPorCarta("ColorCheckerSG.cht"), 0);
    QCOMPARE(IndiceGenericaPorCarta(""), 0);
    QCOMPARE(IndiceGenericaPorReferencia("ColorChecker.cie"), 4);
    QCOMPARE(IndiceGenericaPorReferencia(" spyderchecker24.CIE"), 3);
    QCOMPARE(IndiceGenericaPorReferencia("ColorCheckerSG.cie"), 0);
    QCOMPARE(NombreGenerica(1), QStringLiteral("CMP Digital Target 4"));
    QCOMPARE(NombreGenerica(0), QString());
    QCOMPARE(FicheroReferenciaGenerica(8), QString());
    QCOMPARE(FicheroCartaGenerica(-1), QString());
    for (int g = 1; g <= NumGenericas(); ++g) {
        QCOMPARE(IndiceGenericaPorCarta(FicheroCartaGenerica(g)), g);
        QCOMPARE(IndiceGenericaPorReferencia(FicheroReferenciaGenerica(g)), g);
        // A generic chart is always a catalogue chart.
        QVERIFY(FicherosTabla().contains(FicheroCartaGenerica(g)));
    }
}

void TestChartCatalog::oldStyleNumbers() {
    QCOMPARE(FicheroCartaAntiguo(0), QStringLiteral("ColorChecker.cht"));
    QCOMPARE(FicheroCartaAntiguo(3), QStringLiteral("ColorChecker.cht"));
    QCOMPARE(FicheroCartaAntiguo(10), QStringLiteral("QPcard_202.cht"));
    QCOMPARE(FicheroCartaAntiguo(11), QStringLiteral("it8.cht"));
    QCOMPARE(FicheroCartaAntiguo(12), QString());
    QCOMPARE(FicheroCartaAntiguo(-1), QString());

    QTemporaryDir ref;
    for (const QString& fichero : FicherosTabla()) {
        Tocar(ref.filePath(fichero));
    }
    Tocar(ref.filePath("CMP_DT_003.cht"));
    const ChartCatalog catalogo(ref.path(), ref.path());
    QCOMPARE(catalogo.IndiceCarta(FicheroCartaAntiguo(4)), -1);
    for (int numero : {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11}) {
        QVERIFY2(catalogo.IndiceCarta(FicheroCartaAntiguo(numero)) >= 0,
                 qPrintable(QString::number(numero)));
    }
    QCOMPARE(catalogo.IndiceCarta(FicheroCartaAntiguo(12)), -1);
}

void TestChartCatalog::qpcard202Identity() {
    QVERIFY(EsCartaQPcard202("QPcard_202.cht"));
    QVERIFY(EsCartaQPcard202(" qpcard_202.CHT "));
    QVERIFY(!EsCartaQPcard202("QPcard_201.cht"));
    QVERIFY(!EsCartaQPcard202(""));
}

void TestChartCatalog::processCatalogueFollowsFolders() {
    QTemporaryDir uno;
    QTemporaryDir dos;
    Tocar(uno.filePath("it8.cht"));
    Tocar(dos.filePath("it8.cht"));
    Tocar(dos.filePath("ColorChecker.cht"));
    AppFolders carpetas;
    carpetas.argyllRef = uno.path();
    carpetas.argyllDoc = uno.path();
    EstablecerCarpetas(carpetas);
    const ChartCatalog& catalogo = Catalogo();
    QCOMPARE(catalogo.NumCartas(), 1);
    QCOMPARE(&Catalogo(), &catalogo);
    Tocar(uno.filePath("ColorChecker.cht"));
    QCOMPARE(Catalogo().NumCartas(), 1); // built once
    carpetas.argyllRef = dos.path();
    EstablecerCarpetas(carpetas);
    QCOMPARE(Catalogo().NumCartas(), 2);
    QCOMPARE(catalogo.CarpetaRef(), dos.path() + "/"); // same object, rebuilt
}

QTEST_GUILESS_MAIN(TestChartCatalog)
#include "tst_chartcatalog.moc"
