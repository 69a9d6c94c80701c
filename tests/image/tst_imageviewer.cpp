#include "image/imageviewergeometry.h"
#include "image/imageviewerpicture.h"
#include "image/imageviewerstate.h"

#include "imagefixtures.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A 1920 x 1080 screen, a window border of 16 x 39 and 800 layout units (53 px) kept below.
EntornoVisor Pantalla() {
    EntornoVisor e;
    e.pantalla = QSize(1920, 1080);
    e.borde = QSize(16, 39);
    e.interior = QSize(640, 480);
    e.reservaAlto = 53;
    return e;
}

// A viewer state after a fit layout of a w x h image on the test screen.
EstadoVisor Ajustado(int w, int h, double fx = -1, double fy = -1) {
    EstadoVisor estado;
    estado.abrir(w, h, fx, fy);
    estado.fijarArea(AreaAjustada(QSize(w, h), AreaDisponible(Pantalla())));
    return estado;
}

// Switches to 1:1 as the window does: a new area, then the centring.
void UnoAUno(EstadoVisor& estado, QPoint centro) {
    estado.fijarArea(AreaUnoAUno(estado.imagen(), AreaDisponible(Pantalla())));
    estado.ponerUnoAUno(centro.x(), centro.y());
}

std::array<int, 3> Degradado(int x, int y) {
    return {x % 256, y % 256, (x + y) % 256};
}

} // namespace

class TestImageViewer : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString ruta(const QString& nombre) const { return dir_.filePath(nombre); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void availableArea() {
        EntornoVisor e = Pantalla();
        QCOMPARE(AreaDisponible(e), QSize(1920 - 16, 1080 - 39 - 53));
        e.usarInterior = true;
        QCOMPARE(AreaDisponible(e), QSize(640, 480));
        e.interior = QSize(0, -5);
        QCOMPARE(AreaDisponible(e), QSize(1, 1));
        e.usarInterior = false;
        e.pantalla = QSize(10, 10);
        QCOMPARE(AreaDisponible(e), QSize(1, 1));
    }

    void fitAndOneToOneAreas() {
        const QSize disponible = AreaDisponible(Pantalla()); // 1904 x 988
        // Wider room than the image's aspect: the height limits.
        QCOMPARE(AreaAjustada(QSize(6000, 4000), disponible),
                 QSize(qRound(6000.0 * 988 / 4000), 988));
        // A tall narrow room: the width limits.
        QCOMPARE(AreaAjustada(QSize(6000, 4000), QSize(600, 988)), QSize(600, 400));
        // An image that fits keeps its own size in both modes.
        QCOMPARE(AreaAjustada(QSize(800, 600), disponible), QSize(800, 600));
        QCOMPARE(AreaUnoAUno(QSize(800, 600), disponible), QSize(800, 600));
        QCOMPARE(AreaUnoAUno(QSize(6000, 4000), disponible), disponible);
        QCOMPARE(AreaUnoAUno(QSize(6000, 300), disponible), QSize(1904, 300));
        // Too thin to scale to a whole pixel still gets one.
        QCOMPARE(AreaAjustada(QSize(100000, 10), QSize(1000, 1000)), QSize(1000, 1));
    }

    void openingRemembersThePoint() {
        EstadoVisor estado;
        estado.abrir(100, 50, 0.9999, 0.5);
        QCOMPARE(estado.marca(), QPoint(99, 25)); // 100 rounded, lowered to W - 1
        QCOMPARE(estado.modo(), ModoVisor::Ajustado);
        for (const auto& [fx, fy] : {std::pair{1.0, 0.5}, std::pair{-1.0, -1.0},
                                     std::pair{0.5, 1.0}, std::pair{0.5, -0.1}}) {
            estado.abrir(100, 50, fx, fy);
            QVERIFY(!estado.hayMarca());
        }
        estado.abrir(100, 50, 0, 0);
        QCOMPARE(estado.marca(), QPoint(0, 0));
        QCOMPARE(estado.titulo(QStringLiteral("a.tif")), QStringLiteral("a.tif  (100 x 50 px)"));
        estado.cerrar();
        QVERIFY(!estado.hayImagen());
        QVERIFY(!estado.PuntoImagen(QPointF(1, 1)));
    }

    void smallImageNeverScrolls() {
        EstadoVisor estado = Ajustado(400, 300);
        QCOMPARE(estado.area(), QSize(400, 300));
        UnoAUno(estado, QPoint(399, 299));
        QCOMPARE(estado.maxScroll(), QPoint(0, 0));
        QCOMPARE(estado.scroll(), QPoint(0, 0));
        QVERIFY(!estado.rueda(-120, 3));
        QVERIFY(!estado.rueda(120, 3));
        QCOMPARE(estado.scroll(), QPoint(0, 0));
    }

    void clickAtTheCentreOfALargeImage() {
        EstadoVisor estado = Ajustado(6000, 4000);
        const QSize area = estado.area();
        estado.pulsar(QPointF(area.width() / 2.0, area.height() / 2.0), Qt::LeftButton, 10000);
        QCOMPARE(estado.marca(), QPoint(3000, 2000));
        const AccionVisor accion = estado.soltar(Qt::LeftButton);
        QCOMPARE(accion.tipo, AccionVisor::UnoAUno);
        QCOMPARE(accion.centro, QPoint(3000, 2000));
        UnoAUno(estado, accion.centro);
        QCOMPARE(estado.titulo(QStringLiteral("a.tif")),
                 QStringLiteral("a.tif  (6000 x 4000 px) [1:1]"));
        // The image centre sits in the middle of the window.
        const QSize vista = estado.area();
        QCOMPARE(estado.scroll(), QPoint(3000 - vista.width() / 2, 2000 - vista.height() / 2));
        QCOMPARE(*estado.PuntoImagen(QPointF(vista.width() / 2, vista.height() / 2)),
                 QPoint(3000, 2000));
        // A click without movement goes back to fit.
        estado.pulsar(QPointF(5, 5), Qt::LeftButton, 20000);
        QCOMPARE(estado.soltar(Qt::LeftButton).tipo, AccionVisor::Ajustar);
    }

    void pointsAreClampedToTheImage() {
        EstadoVisor estado = Ajustado(6000, 4000);
        const QSize area = estado.area();
        QCOMPARE(*estado.PuntoImagen(QPointF(area.width() + 50, -3)), QPoint(5999, 0));
        UnoAUno(estado, QPoint(5999, 3999));
        QCOMPARE(estado.scroll(), estado.maxScroll());
        QCOMPARE(*estado.PuntoImagen(QPointF(area.width() * 2, area.height() * 2)),
                 QPoint(5999, 3999));
        UnoAUno(estado, QPoint(0, 0));
        QCOMPARE(estado.scroll(), QPoint(0, 0));
        // -1 keeps the scroll in that direction.
        UnoAUno(estado, QPoint(3000, -1));
        QCOMPARE(estado.scroll().y(), 0);
        QVERIFY(estado.scroll().x() > 0);
        EstadoVisor sinArea;
        sinArea.abrir(10, 10, -1, -1);
        QVERIFY(!sinArea.PuntoImagen(QPointF(1, 1)));
    }

    void draggingPansWithoutToggling() {
        EstadoVisor estado = Ajustado(6000, 4000);
        UnoAUno(estado, QPoint(3000, 2000));
        const QPoint antes = estado.scroll();
        estado.pulsar(QPointF(100, 100), Qt::LeftButton, 1000);
        QVERIFY(estado.mover(QPointF(130.4, 79.6)));
        QCOMPARE(estado.scroll(), antes - QPoint(30, -20)); // the image follows the pointer
        QVERIFY(!estado.mover(QPointF(130.4, 79.6)));
        QCOMPARE(estado.soltar(Qt::LeftButton).tipo, AccionVisor::Nada);
        QCOMPARE(estado.modo(), ModoVisor::UnoAUno);
        // The next click toggles again.
        estado.pulsar(QPointF(100, 100), Qt::LeftButton, 5000);
        QCOMPARE(estado.soltar(Qt::LeftButton).tipo, AccionVisor::Ajustar);
        // A drag stops at the edges, and a drag that ends where it began still swallows.
        UnoAUno(estado, QPoint(0, 0));
        estado.pulsar(QPointF(10, 10), Qt::LeftButton, 9000);
        QVERIFY(!estado.mover(QPointF(500, 500)));
        QCOMPARE(estado.scroll(), QPoint(0, 0));
        QVERIFY(!estado.mover(QPointF(10, 10)));
        QCOMPARE(estado.soltar(Qt::LeftButton).tipo, AccionVisor::Nada);
        // Moving without a drag (fit mode, or another button) does nothing.
        EstadoVisor ajustado = Ajustado(6000, 4000);
        ajustado.pulsar(QPointF(10, 10), Qt::LeftButton, 100000);
        QVERIFY(!ajustado.mover(QPointF(300, 300)));
        QCOMPARE(ajustado.soltar(Qt::LeftButton).tipo, AccionVisor::UnoAUno);
        UnoAUno(ajustado, QPoint(3000, 2000));
        ajustado.pulsar(QPointF(10, 10), Qt::RightButton, 200000);
        QVERIFY(!ajustado.mover(QPointF(300, 300)));
        QCOMPARE(ajustado.soltar(Qt::RightButton).tipo, AccionVisor::Nada);
    }

    void doubleClickEndsCentredOnTheFirstPress() {
        // From fit: the click goes to 1:1 at the first press, the double-click stays there.
        EstadoVisor estado = Ajustado(6000, 4000);
        const QSize area = estado.area();
        const QPointF p(area.width() / 4.0, area.height() / 4.0);
        const QPoint punto = *estado.PuntoImagen(p);
        estado.pulsar(p, Qt::LeftButton, 50000);
        AccionVisor accion = estado.soltar(Qt::LeftButton);
        UnoAUno(estado, accion.centro);
        const QPoint scroll = estado.scroll();
        accion = estado.dobleClick(QPointF(7, 9), Qt::LeftButton, 50200);
        QCOMPARE(accion.tipo, AccionVisor::UnoAUno);
        QCOMPARE(accion.centro, punto);
        QCOMPARE(estado.marca(), punto);
        UnoAUno(estado, accion.centro);
        QCOMPARE(estado.soltar(Qt::LeftButton).tipo, AccionVisor::Nada);
        QCOMPARE(estado.scroll(), scroll);

        // From 1:1: the click goes to fit, the double-click back to 1:1 at the first press.
        const QPoint enUnoAUno = *estado.PuntoImagen(QPointF(300, 200));
        estado.pulsar(QPointF(300, 200), Qt::LeftButton, 90000);
        accion = estado.soltar(Qt::LeftButton);
        QCOMPARE(accion.tipo, AccionVisor::Ajustar);
        estado.fijarArea(area);
        estado.ponerAjustado();
        accion = estado.dobleClick(QPointF(1, 1), Qt::LeftButton, 90300);
        QCOMPARE(accion.centro, enUnoAUno);
        // More than 400 ms later a press remembers a new point, across the counter's wrap.
        EstadoVisor vuelta = Ajustado(6000, 4000);
        vuelta.pulsar(QPointF(0, 0), Qt::LeftButton, 0xFFFFFF00u);
        vuelta.pulsar(QPointF(area.width(), area.height()), Qt::LeftButton, 0x10u);
        QCOMPARE(vuelta.marca(), QPoint(0, 0));
        vuelta.pulsar(QPointF(area.width(), area.height()), Qt::RightButton, 0x500u);
        QCOMPARE(vuelta.marca(), QPoint(5999, 3999));
        // Without a mark a double-click does nothing.
        EstadoVisor sinMarca;
        sinMarca.abrir(50, 50, -1, -1);
        QCOMPARE(sinMarca.dobleClick(QPointF(1, 1), Qt::LeftButton, 1).tipo, AccionVisor::Nada);
    }

    void wheelScrollsVertically() {
        EstadoVisor estado = Ajustado(6000, 4000);
        QVERIFY(!estado.rueda(-120, 3)); // fit mode: nothing
        UnoAUno(estado, QPoint(3000, 2000));
        const QPoint inicio = estado.scroll();
        QVERIFY(estado.rueda(-120, 3));
        QCOMPARE(estado.scroll(), inicio + QPoint(0, 60));
        QVERIFY(estado.rueda(120, 3));
        QCOMPARE(estado.scroll(), inicio);
        QVERIFY(estado.rueda(-360, 3)); // three notches
        QCOMPARE(estado.scroll(), inicio + QPoint(0, 180));
        QVERIFY(estado.rueda(-40, 3)); // less than a notch counts as one
        QCOMPARE(estado.scroll(), inicio + QPoint(0, 240));
        // One screen per notch (-1) or a setting below 1: 60 pixels whatever the notches.
        for (const int lineas : {-1, 0}) {
            const int y = estado.scroll().y();
            QVERIFY(estado.rueda(-480, lineas));
            QCOMPARE(estado.scroll().y(), y + 60);
        }
        // The edges stop the scroll.
        while (estado.rueda(120, 10)) {
        }
        QCOMPARE(estado.scroll(), QPoint(inicio.x(), 0));
        while (estado.rueda(-120, 10)) {
        }
        QCOMPARE(estado.scroll(), QPoint(inicio.x(), estado.maxScroll().y()));
        QVERIFY(!estado.rueda(-120, 3));
    }

    void picturesAndTheirReduction() {
        const QString png = ruta(QStringLiteral("imagen.png"));
        const QString tif = ruta(QStringLiteral("imagen.tif"));
        QVERIFY(EscribirImagenRGB(png, FIF_PNG, 640, 400, 8, Degradado));
        QVERIFY(EscribirImagenRGB(tif, FIF_TIFF, 320, 200, 16, [](int x, int y) {
            return std::array<int, 3>{x * 200, y * 300, 65535};
        }));
        ImagenVisor imagen;
        QVERIFY(imagen.cargar(png));
        QCOMPARE(imagen.tamano(), QSize(640, 400));
        QCOMPARE(imagen.completa().pixel(300, 100) & 0xFFFFFF,
                 qRgb(300 % 256, 100, 400 % 256) & 0xFFFFFF);

        // Reduced once per area size, reused at the same size.
        const QImage& primera = imagen.paraArea(320, 200);
        QCOMPARE(primera.size(), QSize(320, 200));
        const qint64 clave = primera.cacheKey();
        QCOMPARE(imagen.paraArea(320, 200).cacheKey(), clave);
        QCOMPARE(imagen.tamanoReducida(), QSize(320, 200));
        QVERIFY(imagen.paraArea(321, 200).cacheKey() != clave);
        QCOMPARE(imagen.tamanoReducida(), QSize(321, 200));
        // No reduction: the full picture, and no reduction held.
        QCOMPARE(imagen.paraArea(640, 400).cacheKey(), imagen.completa().cacheKey());
        QCOMPARE(imagen.tamanoReducida(), QSize(0, 0));
        QCOMPARE(imagen.paraArea(0, -4).size(), QSize(1, 1));

        // A file the toolkit cannot read comes through FreeImage; a failure keeps the picture.
        QVERIFY(imagen.cargar(tif));
        QCOMPARE(imagen.tamano(), QSize(320, 200));
        QCOMPARE(qBlue(imagen.completa().pixel(10, 10)), 255);
        QCOMPARE(qRed(imagen.completa().pixel(100, 0)), qRound(100 * 200 / 65535.0 * 255));
        QVERIFY(!imagen.cargar(ruta(QStringLiteral("falta.png"))));
        QCOMPARE(imagen.tamano(), QSize(320, 200));
        // A failed rescale paints the full picture stretched.
        QVERIFY(QFile::remove(tif));
        QCOMPARE(imagen.paraArea(100, 60).cacheKey(), imagen.completa().cacheKey());
        QCOMPARE(imagen.tamanoReducida(), QSize(0, 0));
        imagen.liberar();
        QVERIFY(!imagen.hayImagen());
    }
};

QTEST_GUILESS_MAIN(TestImageViewer)
#include "tst_imageviewer.moc"
