#include "grid/gridframe.h"
#include "image/fittedimage.h"

#include <QtTest>

namespace {

// A frame for an image of w x h drawn fitted into a box, as the window sets it up.
MarcoAjuste Marco(int w, int h, int boxW, int boxH) {
    const AjusteImagen fit = CalcularAjuste(w, h, boxW, boxH);
    MarcoAjuste m;
    m.AsignarDibujo(w, h, fit.ancho, fit.alto, boxW, boxH);
    m.ReiniciarPuntos();
    return m;
}

// Drawn at its own size with no margin, so screen and image pixels coincide.
MarcoAjuste MarcoUnoAUno(int w, int h) {
    return Marco(w, h, w, h);
}

void Colocar(MarcoAjuste& m, const std::array<QPointF, 4>& points) {
    for (int i = 0; i < 4; ++i) {
        m.PuntosX[i] = points[i].x();
        m.PuntosY[i] = points[i].y();
    }
}

} // namespace

class TestGridFrame : public QObject {
    Q_OBJECT

private slots:
    void startPointsAreFivePercentIn() {
        MarcoAjuste m = MarcoUnoAUno(1000, 800);
        const std::array<double, 4> xs{50, 950, 950, 50};
        const std::array<double, 4> ys{40, 40, 760, 760};
        QCOMPARE(m.PuntosX, xs);
        QCOMPARE(m.PuntosY, ys);
        QCOMPARE(m.TiradorActivo, -1);

        // Without a size nothing is set, and no handle can be grabbed.
        MarcoAjuste empty;
        empty.PuntosX[0] = 7;
        empty.ReiniciarPuntos();
        QCOMPARE(empty.PuntosX[0], 7.0);
        QCOMPARE(empty.TiradorEn(0, 0), -1);
        empty.Pulsar(Qt::LeftButton, 0, 0);
        QCOMPARE(empty.TiradorActivo, -1);
    }

    void marginsCentreTheDrawing() {
        // 1000 x 800 into 640 x 480: the height ratio 0.6 wins, drawn 600 x 480.
        MarcoAjuste m = Marco(1000, 800, 640, 480);
        QCOMPARE(m.AnchoDibujo, 600);
        QCOMPARE(m.AltoDibujo, 480);
        QCOMPARE(m.MargenX, 20);
        QCOMPARE(m.MargenY, 0);
        // An odd spare room is halved toward zero.
        m.AsignarDibujo(1000, 800, 600, 480, 641, 483);
        QCOMPARE(m.MargenX, 20);
        QCOMPARE(m.MargenY, 1);
    }

    void imageToScreenRoundsHalvesToEven() {
        MarcoAjuste m;
        m.AsignarDibujo(1000, 1000, 500, 500, 510, 500); // half scale, 5 px margin on x
        // 2.5 -> 2, 3.5 -> 4, 4.5 -> 4, 5.5 -> 6
        QCOMPARE(m.ImagenAPantalla(5, 7), QPoint(5 + 2, 4));
        QCOMPARE(m.ImagenAPantalla(9, 11), QPoint(5 + 4, 6));
        QCOMPARE(m.ImagenAPantalla(1000, 0), QPoint(505, 0));
    }

    void screenToImageIsUnrounded() {
        MarcoAjuste m = Marco(1000, 800, 640, 480);
        QCOMPARE(m.PantallaAImagen(20, 0), QPointF(0, 0));
        QCOMPARE(m.PantallaAImagen(620, 480), QPointF(1000, 800));
        const QPointF p = m.PantallaAImagen(21, 1);
        QVERIFY(qFuzzyCompare(p.x(), 1000.0 / 600.0));
        QVERIFY(qFuzzyCompare(p.y(), 800.0 / 480.0));
        // Left of the drawing the image coordinate goes negative (the moves clamp it).
        QVERIFY(m.PantallaAImagen(0, 0).x() < 0);
        // There and back stays within one screen pixel's worth of image pixels.
        for (double x : {0.0, 123.4, 500.0, 999.0}) {
            const QPoint s = m.ImagenAPantalla(x, x * 0.8);
            const QPointF back = m.PantallaAImagen(s.x(), s.y());
            QVERIFY(std::abs(back.x() - x) <= 1000.0 / 600.0);
            QVERIFY(std::abs(back.y() - x * 0.8) <= 800.0 / 480.0);
        }
    }

    void sideHandlesSitHalfwayTruncated() {
        MarcoAjuste m = MarcoUnoAUno(400, 300);
        Colocar(m, {QPointF(10, 11), QPointF(15, 20), QPointF(301, 250), QPointF(8, 243)});
        QCOMPARE(m.PosicionTirador(0), QPoint(10, 11));
        QCOMPARE(m.PosicionTirador(4), QPoint(12, 15));   // (25/2, 31/2)
        QCOMPARE(m.PosicionTirador(5), QPoint(158, 135)); // (316/2, 270/2)
        QCOMPARE(m.PosicionTirador(6), QPoint(154, 246)); // (309/2, 493/2)
        QCOMPARE(m.PosicionTirador(7), QPoint(9, 127));   // (18/2, 254/2)
        QCOMPARE(MarcoAjuste::EtiquetaTirador(0), QString("SI"));
        QCOMPARE(MarcoAjuste::EtiquetaTirador(3), QString("II"));
        QCOMPARE(MarcoAjuste::EtiquetaTirador(7), QString("Izquierda"));
    }

    void grabSquareIsEighteenPixels() {
        MarcoAjuste m = Marco(1000, 800, 640, 480);
        const QPoint c = m.PosicionTirador(2);
        QCOMPARE(m.TiradorEn(c.x() + 18, c.y() + 18), 2);
        QCOMPARE(m.TiradorEn(c.x() - 18, c.y() - 18), 2);
        QCOMPARE(m.TiradorEn(c.x() + 19, c.y() + 18), -1);
        QCOMPARE(m.TiradorEn(c.x() + 18, c.y() + 19), -1);
        const QPoint side = m.PosicionTirador(4);
        QCOMPARE(m.TiradorEn(side.x(), side.y() + 5), 4);
        QCOMPARE(m.TiradorEn(side.x(), side.y() + 40), -1);
    }

    void cornersWinOverSides() {
        MarcoAjuste m = MarcoUnoAUno(400, 300);
        Colocar(m, {QPointF(100, 100), QPointF(300, 100), QPointF(300, 120), QPointF(100, 120)});
        // Handle 7 (left side) at (100, 110) and 5 at (300, 110) lie within reach of corners.
        QCOMPARE(m.PosicionTirador(7), QPoint(100, 110));
        QCOMPARE(m.TiradorEn(100, 110), 0);
        QCOMPARE(m.TiradorEn(100, 125), 3);
        QCOMPARE(m.TiradorEn(300, 110), 1);
        // Below reach of the corners, the side handle is taken.
        Colocar(m, {QPointF(100, 100), QPointF(300, 100), QPointF(300, 200), QPointF(100, 200)});
        QCOMPARE(m.TiradorEn(100, 150), 7);
        QCOMPARE(m.TiradorEn(200, 100), 4);
    }

    void cornerMovesStayInsideTheImage() {
        MarcoAjuste m = MarcoUnoAUno(1000, 800);
        m.MoverEsquina(1, 1500.5, -20);
        QCOMPARE(m.PuntosX[1], 999.0);
        QCOMPARE(m.PuntosY[1], 0.0);
        m.MoverEsquina(3, -1, 900);
        QCOMPARE(m.PuntosX[3], 0.0);
        QCOMPARE(m.PuntosY[3], 799.0);
        m.MoverEsquina(0, 12.25, 13.75);
        QCOMPARE(m.PuntosX[0], 12.25);
        QCOMPARE(m.PuntosY[0], 13.75);
        // The other corners did not move.
        QCOMPARE(m.PuntosX[2], 950.0);
        QCOMPARE(m.PuntosY[2], 760.0);
    }

    void sideMovesSetOneAxisOfTwoCorners() {
        MarcoAjuste m = MarcoUnoAUno(1000, 800);
        const auto xs = m.PuntosX;
        m.MoverLado(4, 500, -35); // top side dragged above the image
        QCOMPARE(m.PuntosY[0], 0.0);
        QCOMPARE(m.PuntosY[1], 0.0);
        QCOMPARE(m.PuntosX, xs);
        QCOMPARE(m.PuntosY[2], 760.0);

        const auto ys = m.PuntosY;
        m.MoverLado(5, 2000, 300); // right side beyond the right edge
        QCOMPARE(m.PuntosX[1], 999.0);
        QCOMPARE(m.PuntosX[2], 999.0);
        QCOMPARE(m.PuntosX[0], 50.0);
        QCOMPARE(m.PuntosY, ys);

        m.MoverLado(6, 10, 700.5);
        QCOMPARE(m.PuntosY[2], 700.5);
        QCOMPARE(m.PuntosY[3], 700.5);
        QCOMPARE(m.PuntosY[0], 0.0);

        m.MoverLado(7, 33, 10);
        QCOMPARE(m.PuntosX[0], 33.0);
        QCOMPARE(m.PuntosX[3], 33.0);
        QCOMPARE(m.PuntosX[1], 999.0);
        QVERIFY(MarcoAjuste::EsLadoVertical(5) && MarcoAjuste::EsLadoVertical(7));
        QVERIFY(!MarcoAjuste::EsLadoVertical(4) && !MarcoAjuste::EsLadoVertical(6) &&
                !MarcoAjuste::EsLadoVertical(0));
    }

    void draggingFollowsTheMouseItself() {
        MarcoAjuste m = Marco(1000, 800, 640, 480);
        const QPoint c = m.PosicionTirador(0);
        // Grabbed 6 px off its centre: the corner jumps to the mouse, not by an offset.
        m.Pulsar(Qt::LeftButton, c.x() + 6, c.y() - 4);
        QCOMPARE(m.TiradorActivo, 0);
        MarcoAjuste::Movimiento mv = m.Mover(c.x() + 50, c.y() + 30);
        QVERIFY(mv.redibujar);
        QCOMPARE(mv.puntero, std::optional<Qt::CursorShape>(Qt::SizeAllCursor));
        const QPointF expected = m.PantallaAImagen(c.x() + 50, c.y() + 30);
        QCOMPARE(m.PuntosX[0], expected.x());
        QCOMPARE(m.PuntosY[0], expected.y());
        // Dragged out of the picture, it stops at the image's edge.
        m.Mover(-300, -300);
        QCOMPARE(m.PuntosX[0], 0.0);
        QCOMPARE(m.PuntosY[0], 0.0);
        m.Soltar();
        QCOMPARE(m.TiradorActivo, -1);

        // A side drag keeps the pointer it had and moves only its axis.
        const QPoint s = m.PosicionTirador(6);
        m.Pulsar(Qt::LeftButton, s.x(), s.y());
        QCOMPARE(m.TiradorActivo, 6);
        mv = m.Mover(s.x() + 100, s.y() - 60);
        QVERIFY(mv.redibujar);
        QVERIFY(!mv.puntero.has_value());
        QCOMPARE(m.PuntosY[2], m.PantallaAImagen(0, s.y() - 60).y());
        QCOMPARE(m.PuntosX[2], 950.0);
    }

    void otherButtonsStartNoDrag() {
        MarcoAjuste m = Marco(1000, 800, 640, 480);
        const QPoint c = m.PosicionTirador(1);
        m.Pulsar(Qt::RightButton, c.x(), c.y());
        QCOMPARE(m.TiradorActivo, -1);
        const auto before = m.PuntosX;
        const MarcoAjuste::Movimiento mv = m.Mover(c.x() + 40, c.y());
        QVERIFY(!mv.redibujar);
        QCOMPARE(m.PuntosX, before);
        // A left press on empty picture grabs nothing either.
        m.Pulsar(Qt::LeftButton, 320, 240);
        QCOMPARE(m.TiradorActivo, -1);
    }

    void hoverPointers() {
        MarcoAjuste m = Marco(1000, 800, 640, 480);
        auto over = [&](int t) {
            const QPoint p = m.PosicionTirador(t);
            return m.Mover(p.x(), p.y()).puntero;
        };
        for (int t = 0; t < 4; ++t)
            QCOMPARE(over(t), std::optional<Qt::CursorShape>(Qt::SizeAllCursor));
        QCOMPARE(over(5), std::optional<Qt::CursorShape>(Qt::SizeHorCursor));
        QCOMPARE(over(7), std::optional<Qt::CursorShape>(Qt::SizeHorCursor));
        QCOMPARE(over(4), std::optional<Qt::CursorShape>(Qt::SizeVerCursor));
        QCOMPARE(over(6), std::optional<Qt::CursorShape>(Qt::SizeVerCursor));
        QCOMPARE(m.Mover(320, 240).puntero, std::optional<Qt::CursorShape>(Qt::ArrowCursor));
        QVERIFY(!m.Mover(320, 240).redibujar);
    }

    void mousePositionsRoundHalvesToEven() {
        QCOMPARE(PixelRaton(QPointF(2.5, 3.5)), QPoint(2, 4));
        QCOMPARE(PixelRaton(QPointF(10.49, -0.5)), QPoint(10, 0));
        QCOMPARE(PixelRaton(QPointF(7.51, 1.5)), QPoint(8, 2));
    }
};

QTEST_APPLESS_MAIN(TestGridFrame)
#include "tst_gridframe.moc"
