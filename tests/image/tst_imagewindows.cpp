// The full image viewer and the chart inspector, as windows driven by mouse, wheel and keys,
// and their state apart from the windows: areas, clicks and wheel edge cases, pictures, the
// inspector's profile line.

#include "image/chartinspectorinfo.h"
#include "image/frmcartaanalisis.h"
#include "image/frmimagencompleta.h"
#include "image/histogram.h"
#include "image/histogramdrawing.h"
#include "image/imageviewergeometry.h"
#include "image/imageviewerpicture.h"
#include "image/imageviewerstate.h"
#include "lang/texto.h"
#include "lang/windowplacement.h"
#include "namedcontrol.h"

#include "iccbuilder.h"
#include "imagefixtures.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::array<int, 3> Degradado(int x, int y) {
    return {(x / 8) % 256, (y / 8) % 256, 60};
}

void EnviarRaton(QWidget* w, QEvent::Type tipo, QPointF p, Qt::MouseButtons botones) {
    const Qt::MouseButton boton = tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent evento(tipo, p, w->mapToGlobal(p), boton, botones, Qt::NoModifier);
    QApplication::sendEvent(w, &evento);
}

void EnviarRueda(QWidget* w, QPoint angulo) {
    QWheelEvent evento(QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)), QPoint(), angulo,
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &evento);
}

} // namespace

class TestImageWindows : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString grande_;
    QString carta_;

private slots:
    void initTestCase() {
        EstablecerIdiomaActual(IdiomaEs);
        grande_ = dir_.filePath("grande.png");
        carta_ = dir_.filePath("carta.png");
        QVERIFY(EscribirImagenRGB(grande_, FIF_PNG, 3000, 2000, 8, Degradado));
        // Left half red, right half blue.
        QVERIFY(EscribirImagenRGB(carta_, FIF_PNG, 400, 300, 8, [](int x, int) {
            return x < 200 ? std::array{255, 0, 0} : std::array{0, 0, 255};
        }));
    }

    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QTRY_VERIFY(!VisorImagenCompleta() && !InspectorCarta());
    }

    void viewerFitsTogglesAndPans() {
        MostrarImagenCompleta(nullptr, grande_, "grande.png", "Diagnóstico scanin");
        frmImagenCompleta* visor = VisorImagenCompleta();
        QVERIFY(visor && visor->isVisible());
        QCOMPARE(visor->windowTitle(), visor->estado().titulo("grande.png"));
        // Fitted to the screen, less the window's frame and the room kept below.
        EntornoVisor e;
        e.pantalla = visor->screen()->geometry().size();
        e.borde = visor->frameGeometry().size() - visor->size();
        e.reservaAlto = DisenoAPixeles(53, visor->logicalDpiY());
        const QSize area = AreaAjustada(QSize(3000, 2000), AreaDisponible(e));
        QCOMPARE(Control<QWidget>(*visor, "picGrande")->geometry(), QRect(QPoint(0, 0), area));
        QCOMPARE(visor->imagen().tamanoReducida(), area);
        // The fitted picture shows the image's colours where they belong.
        const QPoint muestra(area.width() * 3 / 4, area.height() / 3);
        const QRgb visto = Control<QWidget>(*visor, "picGrande")->grab().toImage().pixel(muestra);
        const auto esperado =
            Degradado(muestra.x() * 3000 / area.width(), muestra.y() * 2000 / area.height());
        QVERIFY(std::abs(qRed(visto) - esperado[0]) <= 3 &&
                std::abs(qGreen(visto) - esperado[1]) <= 3);

        // A click at the centre: 1:1 with the image's centre in the middle, its pixels shown.
        QTest::mouseClick(Control<QWidget>(*visor, "picGrande"), Qt::LeftButton, {},
                          QPoint(area.width() / 2, area.height() / 2));
        QCOMPARE(visor->estado().modo(), ModoVisor::UnoAUno);
        const QSize vista = Control<QWidget>(*visor, "picGrande")->size();
        QCOMPARE(visor->estado().scroll(),
                 visor->estado().marca() - QPoint(vista.width() / 2, vista.height() / 2));
        const auto mismoPixel = [visor](QPoint p) {
            return Control<QWidget>(*visor, "picGrande")->grab().toImage().pixel(p) ==
                   visor->imagen().completa().pixel(visor->estado().scroll() + p);
        };
        QVERIFY(mismoPixel(QPoint(0, 0)) && mismoPixel(QPoint(37, 21)));

        // The wheel: the user's lines per notch, 20 pixels a line; sideways nothing.
        const QPoint antes = visor->estado().scroll();
        EnviarRueda(Control<QWidget>(*visor, "picGrande"), QPoint(0, -120));
        QCOMPARE(visor->estado().scroll(),
                 antes + QPoint(0, 20 * QApplication::wheelScrollLines()));
        EnviarRueda(Control<QWidget>(*visor, "picGrande"), QPoint(120, 0));
        EnviarRueda(Control<QWidget>(*visor, "picGrande"), QPoint(0, 120));
        QCOMPARE(visor->estado().scroll(), antes);

        // A drag pans and swallows its click.
        EnviarRaton(Control<QWidget>(*visor, "picGrande"), QEvent::MouseButtonPress,
                    QPointF(50, 50), Qt::LeftButton);
        EnviarRaton(Control<QWidget>(*visor, "picGrande"), QEvent::MouseMove, QPointF(80, 70),
                    Qt::LeftButton);
        EnviarRaton(Control<QWidget>(*visor, "picGrande"), QEvent::MouseButtonRelease,
                    QPointF(80, 70), Qt::NoButton);
        QCOMPARE(visor->estado().scroll(), antes - QPoint(30, 20));
        QVERIFY(mismoPixel(QPoint(5, 5)));

        // A plain click goes back to fit; Escape in the picture closes the viewer.
        QTest::mouseClick(Control<QWidget>(*visor, "picGrande"), Qt::LeftButton, {},
                          QPoint(10, 10));
        QCOMPARE(visor->estado().modo(), ModoVisor::Ajustado);
        QCOMPARE(Control<QWidget>(*visor, "picGrande")->size(), area);
        QTest::keyClick(Control<QWidget>(*visor, "picGrande"), Qt::Key_Escape);
        QTRY_VERIFY(!VisorImagenCompleta());
    }

    // A double-click goes 1:1 at the point; the window is reused for the next image, and
    // follows the user's resizing.
    void viewerDoubleClickReuseAndResize() {
        MostrarImagenCompleta(nullptr, grande_, "grande.png", QString(), 0.25, 0.75);
        frmImagenCompleta* visor = VisorImagenCompleta();
        QCOMPARE(visor->estado().marca(), QPoint(750, 1500));
        const QSize area = Control<QWidget>(*visor, "picGrande")->size();
        QTest::mouseDClick(Control<QWidget>(*visor, "picGrande"), Qt::LeftButton, {},
                           QPoint(area.width() / 5, area.height() / 5));
        QCOMPARE(visor->estado().modo(), ModoVisor::UnoAUno);
        QVERIFY(std::abs(visor->estado().marca().x() - 600) <= 3000 / area.width());
        MostrarImagenCompleta(nullptr, carta_, "carta.png", QString());
        QCOMPARE(VisorImagenCompleta(), visor);
        QCOMPARE(visor->estado().modo(), ModoVisor::Ajustado);
        QVERIFY(!visor->estado().hayMarca());
        QCOMPARE(Control<QWidget>(*visor, "picGrande")->size(), QSize(400, 300));
        MostrarImagenCompleta(nullptr, grande_, "grande.png", QString());
        visor->resize(300, 150);
        QCOMPARE(Control<QWidget>(*visor, "picGrande")->geometry(), QRect(0, 0, 225, 150));
        QCOMPARE(visor->imagen().tamanoReducida(), QSize(225, 150));
        QTest::keyClick(visor, Qt::Key_Escape);
        QTRY_VERIFY(!VisorImagenCompleta());
    }

    void inspectorShowsImageHistogramAndReadout() {
        MostrarCartaAnalisis(nullptr, carta_, "carta.png", 0.25, 0.5);
        frmCartaAnalisis* inspector = InspectorCarta();
        QVERIFY(inspector && inspector->isVisible());
        QVERIFY(Control<QLabel>(*inspector, "lblProfile")->text().startsWith("400 x 300 px | "));
        // The image fitted and centred in picCarta; the readout at the opening point.
        const PuntoCarta& punto = inspector->punto();
        const QSize caja = Control<QWidget>(*inspector, "picCarta")->size();
        QCOMPARE(inspector->imagenCarta().size(), caja);
        QCOMPARE(QPoint(punto.offsetX(), punto.offsetY()),
                 QPoint((caja.width() - punto.ancho()) / 2, (caja.height() - punto.alto()) / 2));
        QVERIFY(punto.ancho() == caja.width() || punto.alto() == caja.height());
        QCOMPARE(Control<QLineEdit>(*inspector, "txtRed")->text() +
                     Control<QLineEdit>(*inspector, "txtBlue")->text(),
                 QString("2550"));
        // The histogram of the whole image, drawn into picHist.
        Histograma h;
        QVERIFY(CalcularHistograma(carta_, h));
        QImage esperado(Control<QWidget>(*inspector, "picHist")->size(), QImage::Format_RGB32);
        DibujarHistograma(esperado, &h);
        QCOMPARE(inspector->imagenHistograma(), esperado);
        // The pointer over the blue half, then off the image.
        EnviarRaton(
            Control<QWidget>(*inspector, "picCarta"), QEvent::MouseMove,
            QPointF(punto.offsetX() + punto.ancho() * 0.75, punto.offsetY() + punto.alto() * 0.5),
            Qt::NoButton);
        QCOMPARE(Control<QLineEdit>(*inspector, "txtRed")->text() +
                     Control<QLineEdit>(*inspector, "txtBlue")->text(),
                 QString("0255"));
        QCOMPARE(punto.fx, 0.75);
        EnviarRaton(
            Control<QWidget>(*inspector, "picCarta"), QEvent::MouseMove,
            QPointF(punto.offsetX() + punto.ancho() + 2, punto.offsetY() + punto.alto() + 2),
            Qt::NoButton);
        QVERIFY(Control<QLineEdit>(*inspector, "txtRed")->text().isEmpty() &&
                Control<QLineEdit>(*inspector, "txtBlue")->text().isEmpty());
        QCOMPARE(punto.fx, 0.75);
        // A double-click opens the viewer remembering the point.
        QTest::mouseDClick(
            Control<QWidget>(*inspector, "picCarta"), Qt::LeftButton, {},
            QPoint(punto.offsetX() + punto.ancho() / 10, punto.offsetY() + punto.alto() / 10));
        QVERIFY(VisorImagenCompleta() && VisorImagenCompleta()->isVisible());
        QCOMPARE(VisorImagenCompleta()->estado().marca(),
                 QPoint(qRound(punto.fx * 400), qRound(punto.fy * 300)));
        VisorImagenCompleta()->close();
        // An unreadable image: no size, no histogram.
        const QString basura = dir_.filePath("basura.tif");
        QVERIFY(EscribirBytes(basura, "no es una imagen"));
        MostrarCartaAnalisis(nullptr, basura, "basura.tif", 0.5, 0.5);
        QCOMPARE(InspectorCarta(), inspector);
        QVERIFY(Control<QLabel>(*inspector, "lblProfile")->text().startsWith("- | 0"));
        esperado.fill(Qt::white);
        QCOMPARE(inspector->imagenHistograma(), esperado);
        QTest::keyClick(inspector, Qt::Key_Escape);
        QTRY_VERIFY(!InspectorCarta());
    }

    // The viewer's state apart from its window: areas, points, timing, wheel edges.
    void viewerState() {
        EntornoVisor e{QSize(1920, 1080), QSize(16, 39), QSize(640, 480), 53, false};
        QCOMPARE(AreaDisponible(e), QSize(1904, 988));
        // The tighter side limits; an image that fits keeps its size; a thin one keeps a pixel.
        QCOMPARE(AreaAjustada(QSize(6000, 4000), QSize(1904, 988)), QSize(1482, 988));
        QCOMPARE(AreaAjustada(QSize(6000, 4000), QSize(600, 988)), QSize(600, 400));
        QCOMPARE(AreaAjustada(QSize(100000, 10), QSize(1000, 1000)), QSize(1000, 1));
        EstadoVisor estado;
        estado.abrir(100, 50, 0.9999, 0.5);
        QCOMPARE(estado.marca(), QPoint(99, 25)); // 100 rounded, lowered to W - 1
        // Points clamp to the image; a press within 400 ms of the last one, across the
        // counter's wrap, keeps the point.
        estado.abrir(6000, 4000, -1, -1);
        estado.fijarArea(QSize(1482, 988));
        QCOMPARE(*estado.PuntoImagen(QPointF(741, 2000)), QPoint(3000, 3999));
        estado.pulsar(QPointF(0, 0), Qt::LeftButton, 0xFFFFFF00u);
        estado.pulsar(QPointF(1482, 988), Qt::LeftButton, 0x10u);
        QCOMPARE(estado.marca(), QPoint(0, 0));
        estado.pulsar(QPointF(1482, 988), Qt::RightButton, 0x500u);
        QCOMPARE(estado.marca(), QPoint(5999, 3999));
        // 1:1 at the bottom-right corner; the wheel counts whole notches (at least one) of the
        // user's lines, 3 for "a screen per notch", 20 pixels a line, up to the edges.
        estado.fijarArea(QSize(1904, 988));
        estado.ponerUnoAUno(5999, 3999);
        QCOMPARE(estado.scroll(), QPoint(4096, 3012));
        QVERIFY(!estado.rueda(-120, 3));
        QVERIFY(estado.rueda(360, 3));
        QCOMPARE(estado.scroll().y(), 3012 - 180);
        QVERIFY(estado.rueda(40, 3));
        QCOMPARE(estado.scroll().y(), 3012 - 240);
        QVERIFY(estado.rueda(-480, 0));
        QCOMPARE(estado.scroll().y(), 3012 - 180);
    }

    // Reduced once per area size, its temporary file removed; a file the toolkit cannot read
    // comes through FreeImage; a failed load keeps the picture.
    void pictures() {
        QTemporaryDir dir;
        const QString tif = dir.filePath("imagen.tif");
        QVERIFY(EscribirImagenRGB(tif, FIF_TIFF, 320, 200, 16, [](int x, int y) {
            return std::array<int, 3>{x * 200, y * 300, 65535};
        }));
        qputenv("TMPDIR", dir.path().toUtf8()); // for the reductions' temporary files
        ImagenVisor imagen;
        QVERIFY(imagen.cargar(grande_));
        QCOMPARE(imagen.completa().pixel(2999, 8), qRgb(374 % 256, 1, 60));
        const qint64 clave = imagen.paraArea(320, 200).cacheKey();
        QCOMPARE(imagen.paraArea(320, 200).cacheKey(), clave);
        QVERIFY(imagen.paraArea(321, 200).cacheKey() != clave);
        QCOMPARE(imagen.paraArea(3000, 2000).cacheKey(), imagen.completa().cacheKey());
        QCOMPARE(imagen.tamanoReducida(), QSize(0, 0));
        QVERIFY(QDir(dir.path()).entryList({"chromaflux_fit_*"}).isEmpty());
        QVERIFY(imagen.cargar(tif));
        QCOMPARE(imagen.completa().pixel(100, 1), qRgb(qRound(20000 / 65535.0 * 255), 1, 255));
        QVERIFY(!imagen.cargar(dir.filePath("falta.png")));
    }

    void inspectorProfileLine() {
        QTemporaryDir dir;
        const TextosPerfilCarta textos{"desconocido", "incrustado", "ninguno"};
        const std::pair<QByteArray, QString> casos[] = {
            {{}, "ninguno"},
            {PerfilICC({{"desc", DatosDesc(" ")}}), "incrustado"},
            {PerfilICC({{"desc", DatosDesc("A4")}}), "A4"}};
        for (const auto& [icc, esperado] : casos) {
            QVERIFY(EscribirImagenRGB(dir.filePath("p.tif"), FIF_TIFF, 8, 8, 8, Degradado, icc));
            QCOMPARE(TextoPerfilCarta(dir.filePath("p.tif"), textos), esperado);
        }
        QVERIFY(EscribirBytes(dir.filePath("basura.tif"), "no es una imagen"));
        QCOMPARE(TextoPerfilCarta(dir.filePath("basura.tif"), textos), QString("desconocido"));
        // The file's MB with two decimals, no thousands separator; "-" without a size.
        QFile grande(dir.filePath("grande.tif"));
        QVERIFY(grande.open(QIODevice::WriteOnly) && grande.resize(1234LL * 1048576 + 5243));
        QCOMPARE(LineaPerfilCarta(4000, 0, grande.fileName(), "p", QLocale(QLocale::German)),
                 QString("- | 1234,01 MB | p"));
    }
};

QTEST_MAIN(TestImageWindows)
#include "tst_imagewindows.moc"
