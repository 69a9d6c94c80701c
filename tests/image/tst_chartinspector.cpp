#include "image/chartinspectorinfo.h"
#include "image/chartinspectorpoint.h"

#include "iccbuilder.h"
#include "imagefixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::array<int, 3> Gris(int, int) {
    return {90, 90, 90};
}

const TextosPerfilCarta kTextos{QStringLiteral("desconocido"), QStringLiteral("incrustado"),
                                QStringLiteral("ninguno")};

} // namespace

class TestChartInspector : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString ruta(const QString& nombre) const { return dir_.filePath(nombre); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void pointsOnTheDrawnImage() {
        PuntoCarta punto;
        QVERIFY(!punto.DentroDeImagen(QPointF(0, 0))); // nothing drawn
        punto.dibujada(20, 10, 300, 200);
        QVERIFY(punto.DentroDeImagen(QPointF(20, 10)));
        QVERIFY(punto.DentroDeImagen(QPointF(319, 209)));
        QVERIFY(!punto.DentroDeImagen(QPointF(319.5, 100)));
        QVERIFY(!punto.DentroDeImagen(QPointF(19.9, 100)));
        QVERIFY(!punto.DentroDeImagen(QPointF(100, 210)));

        punto.ActualizarPuntoCarta(QPointF(95, 60));
        QCOMPARE(punto.fx, 0.25);
        QCOMPARE(punto.fy, 0.25);
        // Outside the image the point stays.
        punto.ActualizarPuntoCarta(QPointF(5, 5));
        QCOMPARE(punto.fx, 0.25);
        QCOMPARE(punto.fy, 0.25);
        punto.borrar();
        punto.ActualizarPuntoCarta(QPointF(95, 60));
        QCOMPARE(punto.fx, 0.25);
        QVERIFY(!punto.DentroDeImagen(QPointF(95, 60)));
    }

    void relativePointsToPixels() {
        PuntoCarta punto;
        punto.dibujada(20, 10, 300, 200);
        QCOMPARE(punto.PosicionPunto(0.5, 0.25), QPoint(170, 60));
        QCOMPARE(punto.PosicionPunto(-2, 0), QPoint(20, 10));
        // Halves go to the even neighbour: 300 * 0.0025 = 0.75 -> 1, 200 * 0.0025 = 0.5 -> 0.
        QCOMPARE(punto.PosicionPunto(0.0025, 0.0025), QPoint(21, 10));
        // Fractions at or past 1 stay on the last drawn pixel.
        for (const double f : {0.9999, 1.0, 7.0}) {
            const QPoint p = punto.PosicionPunto(f, f);
            QCOMPARE(p, QPoint(319, 209));
            QVERIFY(punto.DentroDeImagen(p));
        }
    }

    void profileStates() {
        const QString sinPerfil = ruta(QStringLiteral("sin.tif"));
        QVERIFY(EscribirImagenRGB(sinPerfil, FIF_TIFF, 8, 8, 8, Gris));
        QCOMPARE(TextoPerfilCarta(sinPerfil, kTextos), QStringLiteral("ninguno"));

        const QString blanco = ruta(QStringLiteral("blanco.tif"));
        QVERIFY(EscribirImagenRGB(blanco, FIF_TIFF, 8, 8, 8, Gris,
                                  PerfilICC({{"desc", DatosDesc("   ")}})));
        QCOMPARE(TextoPerfilCarta(blanco, kTextos), QStringLiteral("incrustado"));

        const QString descrito = ruta(QStringLiteral("descrito.tif"));
        QVERIFY(EscribirImagenRGB(descrito, FIF_TIFF, 8, 8, 8, Gris,
                                  PerfilICC({{"desc", DatosDesc("Escaner A4")}})));
        QCOMPARE(TextoPerfilCarta(descrito, kTextos), QStringLiteral("Escaner A4"));

        QCOMPARE(TextoPerfilCarta(ruta(QStringLiteral("falta.tif")), kTextos),
                 QStringLiteral("desconocido"));
        const QString basura = ruta(QStringLiteral("basura.tif"));
        QVERIFY(EscribirBytes(basura, "no es una imagen"));
        QCOMPARE(TextoPerfilCarta(basura, kTextos), QStringLiteral("desconocido"));
    }

    void profileLine() {
        // 36018586 bytes are 34.35 MB.
        const QString grande = ruta(QStringLiteral("grande.tif"));
        QFile fichero(grande);
        QVERIFY(fichero.open(QIODevice::WriteOnly));
        QVERIFY(fichero.resize(36018586));
        fichero.close();
        QCOMPARE(LineaPerfilCarta(4000, 3000, grande, QStringLiteral("ICC incrustado"),
                                  QLocale(QLocale::Spanish, QLocale::Spain)),
                 QStringLiteral("4000 x 3000 px | 34,35 MB | ICC incrustado"));
        QCOMPARE(LineaPerfilCarta(4000, 0, grande, QStringLiteral("x"), QLocale::c()),
                 QStringLiteral("- | 34.35 MB | x"));
        // Large files carry no thousands separator.
        QVERIFY(fichero.open(QIODevice::WriteOnly));
        QVERIFY(fichero.resize(qint64(1234) * 1048576 + 5243));
        fichero.close();
        QCOMPARE(LineaPerfilCarta(1, 1, grande, QString(), QLocale(QLocale::German)),
                 QStringLiteral("1 x 1 px | 1234,01 MB | "));
        QCOMPARE(LineaPerfilCarta(0, 0, ruta(QStringLiteral("falta")), QStringLiteral("p"),
                                  QLocale::c()),
                 QStringLiteral("- | 0.00 MB | p"));
    }
};

QTEST_GUILESS_MAIN(TestChartInspector)
#include "tst_chartinspector.moc"
