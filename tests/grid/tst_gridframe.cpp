#include "grid/gridframe.h"
#include "image/fittedimage.h"

#include <QtTest>

namespace {

using Puntos = std::array<double, 4>;

// A frame for an image of w x h drawn fitted into a box, as the window sets it up.
MarcoAjuste Marco(int w, int h, int boxW, int boxH) {
    const AjusteImagen fit = CalcularAjuste(w, h, boxW, boxH);
    MarcoAjuste m;
    m.AsignarDibujo(w, h, fit.ancho, fit.alto, boxW, boxH);
    m.ReiniciarPuntos();
    return m;
}

} // namespace

class TestGridFrame : public QObject {
    Q_OBJECT

private slots:
    void placementAndCoordinates() {
        // 1000 x 800 into 640 x 480: the height ratio wins, drawn 600 x 480, corners 5 % in.
        MarcoAjuste m = Marco(1000, 800, 640, 480);
        QCOMPARE(QList<int>({m.AnchoDibujo, m.AltoDibujo, m.MargenX, m.MargenY}),
                 QList<int>({600, 480, 20, 0}));
        QCOMPARE(m.PuntosX, (Puntos{50, 950, 950, 50}));
        QCOMPARE(m.PuntosY, (Puntos{40, 40, 760, 760}));
        // Different scales and odd margins on the two axes, so a swap shows; halves to even
        // (2.5 -> 2, 3.5 -> 4, 4.5 -> 4, 5.5 -> 6), then the margin.
        m.AsignarDibujo(1000, 800, 500, 200, 511, 211);
        QCOMPARE(m.ImagenAPantalla(5, 14), QPoint(7, 9));
        QCOMPARE(m.ImagenAPantalla(9, 22), QPoint(9, 11));
        QCOMPARE(m.PantallaAImagen(506, 6), QPointF(1002, 4)); // unrounded, unclamped
        QCOMPARE(m.PantallaAImagen(0, 0), QPointF(-10, -20));
        QCOMPARE(PixelRaton(QPointF(2.5, 3.5)), QPoint(2, 4));
        QCOMPARE(PixelRaton(QPointF(10.49, -0.5)), QPoint(10, 0));
    }

    void handlesAndTheirGrabSquares() {
        MarcoAjuste m = Marco(400, 300, 400, 300);
        m.PuntosX = {10, 15, 301, 8};
        m.PuntosY = {11, 20, 250, 243};
        // Side handles halfway between their corners, halves truncated.
        const QList<QPoint> at{{10, 11}, {15, 20},   {301, 250}, {8, 243},
                               {12, 15}, {158, 135}, {154, 246}, {9, 127}};
        for (int t = 0; t < 8; ++t)
            QCOMPARE(m.PosicionTirador(t), at[t]);
        // The grab square reaches 18 pixels each way; corners win over side handles.
        QCOMPARE(m.TiradorEn(301 + 18, 250 - 18), 2);
        QCOMPARE(m.TiradorEn(301 + 19, 250) + m.TiradorEn(301, 250 + 19), -2);
        m.PuntosX = {100, 300, 300, 100};
        m.PuntosY = {100, 100, 120, 120};
        QCOMPARE(QList<int>({m.TiradorEn(100, 110), m.TiradorEn(100, 125), m.TiradorEn(300, 110)}),
                 QList<int>({0, 3, 1}));
        m.PuntosY = {100, 100, 200, 200};
        QCOMPARE(QList<int>({m.TiradorEn(200, 100), m.TiradorEn(305, 150), m.TiradorEn(200, 210),
                             m.TiradorEn(100, 150)}),
                 QList<int>({4, 5, 6, 7}));
    }

    // A corner moves alone; a side sets one axis of its two corners; all kept in the image.
    void movesStayInsideTheImage() {
        const struct {
            int handle;
            double x, y;
            Puntos xs, ys;
        } casos[] = {
            {1, 1500.5, -20, {50, 999, 950, 50}, {40, 0, 760, 760}},
            {3, -1, 900, {50, 950, 950, 0}, {40, 40, 760, 799}},
            {4, 500, -35, {50, 950, 950, 50}, {0, 0, 760, 760}},
            {5, 2000, 300, {50, 999, 999, 50}, {40, 40, 760, 760}},
            {6, 10, 700.5, {50, 950, 950, 50}, {40, 40, 700.5, 700.5}},
            {7, 33, 10, {33, 950, 950, 33}, {40, 40, 760, 760}},
        };
        for (const auto& c : casos) {
            MarcoAjuste m = Marco(1000, 800, 1000, 800);
            c.handle < 4 ? m.MoverEsquina(c.handle, c.x, c.y) : m.MoverLado(c.handle, c.x, c.y);
            QCOMPARE(m.PuntosX, c.xs);
            QCOMPARE(m.PuntosY, c.ys);
        }
    }
};

QTEST_APPLESS_MAIN(TestGridFrame)
#include "tst_gridframe.moc"
