// The chart catalogue over reference and picture folders, the fixed chart tables, and the
// chart picture fitted into its box.

#include "charts/chartcatalog.h"
#include "charts/chartpicture.h"
#include "charts/charttables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool Tocar(const QString& ruta, const QByteArray& bytes = {}) {
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList FicherosTabla() {
    QStringList ficheros;
    for (int row = 0; row < NumFilasCatalogo(); ++row)
        ficheros << QString::fromUtf8(FilaCatalogoEn(row).fichero);
    return ficheros;
}

} // namespace

class TestChartCatalog : public QObject {
    Q_OBJECT

private slots:
    // The installed folders: every generic reference is there, its chart a catalogue chart
    // that maps back to it (names compared trimmed, without case); the pictures draw.
    void installedArgyllFolders() {
        const ChartCatalog catalogo("/usr/share/color/argyll/ref", "/usr/share/doc/argyll-doc");
        for (int g = 1; g <= NumGenericas(); ++g) {
            const QString ruta = catalogo.RutaReferenciaGenerica(g);
            QVERIFY2(QFile::exists(ruta), qPrintable(ruta));
            QCOMPARE(IndiceGenericaPorReferencia(" " + QFileInfo(ruta).fileName().toUpper()), g);
            const int indice = catalogo.IndiceCarta(FicheroCartaGenerica(g));
            QCOMPARE(IndiceGenericaPorCarta(catalogo.FicheroCarta(indice).toUpper() + "\t"), g);
        }
        const QString imagen = catalogo.RutaImagenCarta(catalogo.IndiceCarta("ColorChecker.cht"));
        QVERIFY(!DibujoImagenCarta(imagen, QSize(160, 120), Qt::black).isNull());
    }

    // Created in reverse, with a folder of a chart's name and a file that is no chart: the
    // order comes from the table and only chart files count.
    void listingFollowsTheTable() {
        QTemporaryDir ref;
        const QStringList ficheros = FicherosTabla();
        for (auto it = ficheros.crbegin() + 1; it != ficheros.crend(); ++it)
            QVERIFY(Tocar(ref.filePath(*it)));
        QVERIFY(QDir(ref.path()).mkdir(ficheros.last()));
        QVERIFY(Tocar(ref.filePath("not_a_chart.cht")));
        const ChartCatalog catalogo(ref.path() + "/", ref.path());
        QCOMPARE(catalogo.NumCartas(), ficheros.size() - 1);
        for (int i = 0; i < catalogo.NumCartas(); ++i) {
            QCOMPARE(catalogo.NombreCarta(i), QString::fromUtf8(FilaCatalogoEn(i).nombre));
            QCOMPARE(catalogo.RutaCarta(i), ref.path() + "/" + ficheros.at(i));
        }
        QCOMPARE(catalogo.IndiceCarta(" COLORCHECKER.CHT\t"),
                 catalogo.IndiceCarta("ColorChecker.cht"));
        for (const QString& otro : QStringList{"ColorChecker", "", ficheros.last()})
            QCOMPARE(catalogo.IndiceCarta(otro), -1);
        QCOMPARE(catalogo.RutaCarta(-1) + catalogo.NombreCarta(catalogo.NumCartas()), QString());
        // A missing folder lists nothing.
        QCOMPARE(ChartCatalog(ref.filePath("missing"), ref.path()).NumCartas(), 0);
    }

    // The chart's own reference: .cie, then .ti2, then .ti3, after the last dot of its name.
    void ownReference() {
        QTemporaryDir ref;
        for (const char* f : {"it8.cht", "it8.ti3", "it8.ti2", "i1_RGB_Scan_1.4.cht",
                              "i1_RGB_Scan_1.4.ti2", "i1_RGB_Scan_1.ti3"})
            QVERIFY(Tocar(ref.filePath(f)));
        const ChartCatalog catalogo(ref.path(), ref.path());
        QCOMPARE(catalogo.RutaReferenciaPropia(catalogo.IndiceCarta("it8.cht")),
                 ref.filePath("it8.ti2"));
        QVERIFY(Tocar(ref.filePath("it8.cie")));
        QCOMPARE(catalogo.BuscarReferenciaPropia("it8.cht"), QString("it8.cie"));
        QCOMPARE(catalogo.BuscarReferenciaPropia("i1_RGB_Scan_1.4.cht"),
                 QString("i1_RGB_Scan_1.4.ti2"));
        QCOMPARE(catalogo.BuscarReferenciaPropia(".cht") + catalogo.BuscarReferenciaPropia("x.cht"),
                 QString());
    }

    void fittedPicture_data() {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QSize>("caja");
        QTest::addColumn<QRect>("esperado");
        QTest::newRow("wide") << QSize(400, 100) << QSize(200, 200) << QRect(0, 75, 200, 50);
        QTest::newRow("enlarged") << QSize(20, 10) << QSize(300, 100) << QRect(50, 0, 200, 100);
        // The halved remainder truncates; 3 * 7 / 2 = 10.5 rounds half to even.
        QTest::newRow("odd") << QSize(100, 100) << QSize(101, 100) << QRect(0, 0, 100, 100);
        QTest::newRow("half") << QSize(2, 3) << QSize(7, 100) << QRect(0, 45, 7, 10);
        QTest::newRow("thin") << QSize(1000, 1) << QSize(100, 100) << QRect();
        QTest::newRow("no box") << QSize(100, 100) << QSize(0, 50) << QRect();
    }
    void fittedPicture() {
        QFETCH(QSize, natural);
        QFETCH(QSize, caja);
        QFETCH(QRect, esperado);
        QCOMPARE(RectanguloImagenCarta(natural, caja).value_or(QRect()), esperado);
        QTemporaryDir dir;
        QVERIFY(Tocar(dir.filePath("broken.jpg"), "not a picture"));
        QVERIFY(DibujoImagenCarta(dir.filePath("broken.jpg"), caja, Qt::black).isNull());
    }
};

QTEST_GUILESS_MAIN(TestChartCatalog)
#include "tst_chartcatalog.moc"
