#include "image/frmcartaanalisis.h"
#include "image/frmimagencompleta.h"
#include "image/histogram.h"
#include "image/histogramdrawing.h"
#include "image/imageviewergeometry.h"
#include "lang/languageswitch.h"
#include "lang/texto.h"
#include "lang/windowplacement.h"
#include "namedcontrol.h"

#include "imagefixtures.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::array<int, 3> Degradado(int x, int y) {
    return {(x / 8) % 256, (y / 8) % 256, 60};
}

// Left half red, right half blue.
std::array<int, 3> Mitades(int x, int) {
    return x < 200 ? std::array<int, 3>{255, 0, 0} : std::array<int, 3>{0, 0, 255};
}

void EnviarRaton(QWidget* w, QEvent::Type tipo, QPointF p, Qt::MouseButton boton,
                 Qt::MouseButtons botones) {
    QMouseEvent evento(tipo, p, w->mapToGlobal(p), boton, botones, Qt::NoModifier);
    QApplication::sendEvent(w, &evento);
}

void EnviarRueda(QWidget* w, QPoint angulo) {
    const QPointF p(10, 10);
    QWheelEvent evento(p, w->mapToGlobal(p), QPoint(), angulo, Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &evento);
}

// The fit area the viewer must choose on its screen.
QSize AreaEsperada(const frmImagenCompleta* visor) {
    EntornoVisor e;
    e.pantalla = visor->screen()->geometry().size();
    e.borde = visor->frameGeometry().size() - visor->size();
    e.reservaAlto = DisenoAPixeles(53, visor->logicalDpiY());
    return AreaAjustada(visor->imagen().tamano(), AreaDisponible(e));
}

QRgb Rgb(QRgb c) {
    return c & 0xFFFFFF;
}

} // namespace

class TestImageWindows : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString grande_;
    QString pequena_;
    QString carta_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        EstablecerIdiomaActual(IdiomaEs);
        grande_ = dir_.filePath(QStringLiteral("grande.png"));
        pequena_ = dir_.filePath(QStringLiteral("pequena.png"));
        carta_ = dir_.filePath(QStringLiteral("carta.png"));
        QVERIFY(EscribirImagenRGB(grande_, FIF_PNG, 3000, 2000, 8, Degradado));
        QVERIFY(EscribirImagenRGB(pequena_, FIF_PNG, 120, 90, 8, Degradado));
        QVERIFY(EscribirImagenRGB(carta_, FIF_PNG, 400, 300, 8, Mitades));
    }

    void cleanup() {
        EstablecerIdiomaActual(IdiomaEs);
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QTRY_VERIFY(!VisorImagenCompleta() && !InspectorCarta());
    }

    void viewerFitsTogglesAndPans() {
        MostrarImagenCompleta(nullptr, grande_, QStringLiteral("grande.png"),
                              QStringLiteral("Diagnóstico scanin"));
        frmImagenCompleta* visor = VisorImagenCompleta();
        QVERIFY(visor && visor->isVisible());
        QWidget* pic = Control<QWidget>(*visor, "picGrande");
        QCOMPARE(visor->windowTitle(), QStringLiteral("grande.png  (3000 x 2000 px)"));
        const QSize area = AreaEsperada(visor);
        QVERIFY(area.width() < 3000);
        QCOMPARE(pic->geometry(), QRect(QPoint(0, 0), area));
        QCOMPARE(visor->size(), area);
        QCOMPARE(visor->imagen().tamanoReducida(), area); // the Lanczos picture
        QVERIFY(!Control<QScrollBar>(*visor, "hsbX")->isVisible() &&
                !Control<QScrollBar>(*visor, "vsbY")->isVisible() &&
                !Control<QLabel>(*visor, "lblDescripcion")->isVisible());
        // The fitted picture shows the image's colours where they belong.
        const QImage vista = pic->grab().toImage();
        const QPoint muestra(area.width() * 3 / 4, area.height() / 3);
        const std::array<int, 3> esperado =
            Degradado(muestra.x() * 3000 / area.width(), muestra.y() * 2000 / area.height());
        QVERIFY(std::abs(qRed(vista.pixel(muestra)) - esperado[0]) <= 3);
        QVERIFY(std::abs(qGreen(vista.pixel(muestra)) - esperado[1]) <= 3);

        // A click at the centre: 1:1 with the image centre in the middle.
        QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(area.width() / 2, area.height() / 2));
        QCOMPARE(visor->estado().modo(), ModoVisor::UnoAUno);
        QVERIFY(visor->windowTitle().endsWith(QStringLiteral("px) [1:1]")));
        const QSize vistaUnoAUno = pic->size();
        const QPoint marca = visor->estado().marca();
        QCOMPARE(visor->estado().scroll(),
                 marca - QPoint(vistaUnoAUno.width() / 2, vistaUnoAUno.height() / 2));
        QVERIFY(std::abs(marca.x() - 1500) <= 3000 / area.width());
        const auto pixelVisto = [pic](QPoint p) { return Rgb(pic->grab().toImage().pixel(p)); };
        const auto pixelImagen = [visor](QPoint p) {
            return Rgb(visor->imagen().completa().pixel(visor->estado().scroll() + p));
        };
        QCOMPARE(pixelVisto(QPoint(0, 0)), pixelImagen(QPoint(0, 0)));
        QCOMPARE(pixelVisto(QPoint(37, 21)), pixelImagen(QPoint(37, 21)));

        // The wheel: the user's lines per notch, 20 pixels a line, downwards for a negative delta.
        const QPoint antes = visor->estado().scroll();
        EnviarRueda(pic, QPoint(0, -120));
        QCOMPARE(visor->estado().scroll(),
                 antes + QPoint(0, 20 * QApplication::wheelScrollLines()));
        EnviarRueda(pic, QPoint(120, 0)); // sideways: nothing
        EnviarRueda(pic, QPoint(0, 120));
        QCOMPARE(visor->estado().scroll(), antes);

        // A drag pans and swallows its click.
        EnviarRaton(pic, QEvent::MouseButtonPress, QPointF(50, 50), Qt::LeftButton, Qt::LeftButton);
        EnviarRaton(pic, QEvent::MouseMove, QPointF(80, 70), Qt::NoButton, Qt::LeftButton);
        EnviarRaton(pic, QEvent::MouseButtonRelease, QPointF(80, 70), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(visor->estado().modo(), ModoVisor::UnoAUno);
        QCOMPARE(visor->estado().scroll(), antes - QPoint(30, 20));
        QCOMPARE(pixelVisto(QPoint(5, 5)), pixelImagen(QPoint(5, 5)));

        // A plain click goes back to fit.
        QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(visor->estado().modo(), ModoVisor::Ajustado);
        QCOMPARE(visor->windowTitle(), QStringLiteral("grande.png  (3000 x 2000 px)"));
        QCOMPARE(pic->size(), area);

        // Escape in the picture area closes the viewer.
        QTest::keyClick(pic, Qt::Key_Escape);
        QTRY_VERIFY(!VisorImagenCompleta());
    }

    void viewerDoubleClickAndReuse() {
        MostrarImagenCompleta(nullptr, grande_, QStringLiteral("grande.png"), QString(), 0.25,
                              0.75);
        frmImagenCompleta* visor = VisorImagenCompleta();
        QVERIFY(visor);
        QWidget* pic = Control<QWidget>(*visor, "picGrande");
        QCOMPARE(visor->estado().marca(), QPoint(750, 1500));
        const QSize area = pic->size();
        const QPoint p(area.width() / 5, area.height() / 5);
        QTest::mouseDClick(pic, Qt::LeftButton, {}, p);
        QCOMPARE(visor->estado().modo(), ModoVisor::UnoAUno);
        const QPoint marca = visor->estado().marca();
        QVERIFY(std::abs(marca.x() - 600) <= 3000 / area.width());
        const QSize vista = pic->size();
        QCOMPARE(visor->estado().scroll(), marca - QPoint(vista.width() / 2, vista.height() / 2));

        // Another image reuses the window, in fit mode and at its own size when it fits.
        MostrarImagenCompleta(nullptr, pequena_, QStringLiteral("pequena.png"), QString());
        QCOMPARE(VisorImagenCompleta(), visor);
        QCOMPARE(visor->estado().modo(), ModoVisor::Ajustado);
        QVERIFY(!visor->estado().hayMarca());
        QCOMPARE(pic->size(), QSize(120, 90));
        QCOMPARE(visor->imagen().tamanoReducida(), QSize(0, 0));
        QCOMPARE(visor->windowTitle(), QStringLiteral("pequena.png  (120 x 90 px)"));
        QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(60, 45));
        QCOMPARE(pic->size(), QSize(120, 90));
        QCOMPARE(visor->estado().scroll(), QPoint(0, 0));

        // A missing file changes nothing.
        MostrarImagenCompleta(nullptr, dir_.filePath(QStringLiteral("falta.png")),
                              QStringLiteral("falta.png"), QString());
        QVERIFY(visor->windowTitle().startsWith(QStringLiteral("pequena.png")));

        // The language switch gives the resting caption; Escape in the window closes it.
        EstablecerIdiomaActual(IdiomaEn);
        AplicarIdiomaFormularios();
        QCOMPARE(visor->windowTitle(), QStringLiteral("Full image"));
        QTest::keyClick(visor, Qt::Key_Escape);
        QTRY_VERIFY(!VisorImagenCompleta());
    }

    void viewerFollowsTheUsersResizing() {
        MostrarImagenCompleta(nullptr, grande_, QStringLiteral("grande.png"), QString());
        frmImagenCompleta* visor = VisorImagenCompleta();
        QVERIFY(visor);
        visor->resize(300, 150);
        QCOMPARE(visor->size(), QSize(300, 150)); // the window stays as the user made it
        QCOMPARE(Control<QWidget>(*visor, "picGrande")->geometry(), QRect(0, 0, 225, 150));
        QCOMPARE(visor->imagen().tamanoReducida(), QSize(225, 150));
    }

    void missingFileOpensNoViewer() {
        MostrarImagenCompleta(nullptr, dir_.filePath(QStringLiteral("falta.png")),
                              QStringLiteral("falta.png"), QString());
        QVERIFY(!VisorImagenCompleta() || !VisorImagenCompleta()->isVisible());
        MostrarCartaAnalisis(nullptr, dir_.filePath(QStringLiteral("falta.png")),
                             QStringLiteral("falta.png"), 0.5, 0.5);
        QVERIFY(!InspectorCarta() || !InspectorCarta()->isVisible());
    }

    void inspectorShowsImageHistogramAndReadout() {
        MostrarCartaAnalisis(nullptr, carta_, QStringLiteral("carta.png"), 0.25, 0.5);
        frmCartaAnalisis* inspector = InspectorCarta();
        QVERIFY(inspector && inspector->isVisible());
        QWidget* pic = Control<QWidget>(*inspector, "picCarta");
        auto* txtRed = Control<QLineEdit>(*inspector, "txtRed");
        auto* txtBlue = Control<QLineEdit>(*inspector, "txtBlue");
        QCOMPARE(inspector->windowTitle(),
                 QStringLiteral("Nerva Chromaflux | Carta - análisis visual | carta.png"));
        const QString megas = QLocale().toString(QFileInfo(carta_).size() / 1048576.0, 'f', 2);
        QCOMPARE(Control<QLabel>(*inspector, "lblProfile")->text(),
                 QStringLiteral("400 x 300 px | %1 MB | Sin perfil incrustado").arg(megas));
        QCOMPARE(Control<QLabel>(*inspector, "lblHistogram")->text(),
                 QStringLiteral("Histograma (imagen original completa)"));

        // The image fitted and centred in picCarta, framed in light grey.
        const QImage& carta = inspector->imagenCarta();
        QCOMPARE(carta.size(), pic->size());
        const PuntoCarta& punto = inspector->punto();
        const QSize caja = pic->size();
        QVERIFY(punto.ancho() > 0);
        QCOMPARE(punto.offsetX(), (caja.width() - punto.ancho()) / 2);
        QCOMPARE(punto.offsetY(), (caja.height() - punto.alto()) / 2);
        QVERIFY(punto.ancho() == caja.width() || punto.alto() == caja.height());
        QCOMPARE(Rgb(carta.pixel(punto.offsetX(), punto.offsetY() + 7)), Rgb(qRgb(220, 220, 220)));
        QCOMPARE(Rgb(carta.pixel(punto.offsetX() + punto.ancho() - 1, punto.offsetY() + 7)),
                 Rgb(qRgb(220, 220, 220)));
        if (punto.offsetX() > 0)
            QCOMPARE(Rgb(carta.pixel(punto.offsetX() - 1, 7)), 0u);

        // The readout at the opening point reads the drawn picture.
        QCOMPARE(txtRed->text(), QStringLiteral("255"));
        QCOMPARE(Control<QLineEdit>(*inspector, "txtGreen")->text(), QStringLiteral("0"));
        QCOMPARE(txtBlue->text(), QStringLiteral("0"));

        // The histogram is that of the whole image, drawn into picHist.
        Histograma h;
        QVERIFY(CalcularHistograma(carta_, h));
        QCOMPARE(h.cuentas[85], 400u * 300u); // red and blue both have the mean 85
        QImage esperado(Control<QWidget>(*inspector, "picHist")->size(), QImage::Format_RGB32);
        DibujarHistograma(esperado, &h);
        QCOMPARE(inspector->imagenHistograma(), esperado);

        // The pointer: over the blue half, then off the image.
        const QPointF azul(punto.offsetX() + punto.ancho() * 0.75,
                           punto.offsetY() + punto.alto() * 0.5);
        EnviarRaton(pic, QEvent::MouseMove, azul, Qt::NoButton, Qt::NoButton);
        QCOMPARE(txtBlue->text(), QStringLiteral("255"));
        QCOMPARE(txtRed->text(), QStringLiteral("0"));
        QCOMPARE(punto.fx, 0.75);
        const QPointF fuera(punto.offsetX() + punto.ancho() + 2,
                            punto.offsetY() + punto.alto() + 2);
        EnviarRaton(pic, QEvent::MouseMove, fuera, Qt::NoButton, Qt::NoButton);
        QVERIFY(txtRed->text().isEmpty() && txtBlue->text().isEmpty());
        QCOMPARE(punto.fx, 0.75);

        // A double-click opens the viewer remembering the point.
        QTest::mouseDClick(
            pic, Qt::LeftButton, {},
            QPoint(punto.offsetX() + punto.ancho() / 10, punto.offsetY() + punto.alto() / 10));
        frmImagenCompleta* visor = VisorImagenCompleta();
        QVERIFY(visor && visor->isVisible());
        QCOMPARE(visor->estado().marca(), QPoint(qRound(punto.fx * 400), qRound(punto.fy * 300)));
        QCOMPARE(visor->windowTitle(), QStringLiteral("carta.png  (400 x 300 px)"));
        visor->close();

        // Resizing draws again at the new size, with the histogram reused.
        const QSize antes = pic->size();
        inspector->resize(inspector->width() + 200, inspector->height() + 100);
        QTRY_VERIFY(pic->size() != antes);
        QCOMPARE(inspector->imagenCarta().size(), pic->size());
        QCOMPARE(inspector->imagenHistograma(), esperado);

        // Texts follow the language; Escape closes.
        EstablecerIdiomaActual(IdiomaEn);
        AplicarIdiomaFormularios();
        QCOMPARE(inspector->windowTitle(), QStringLiteral("Chart - visual analysis"));
        QCOMPARE(Control<QLabel>(*inspector, "lblRed")->text(), QStringLiteral("Red"));
        QCOMPARE(Control<QLabel>(*inspector, "lblBlue")->text(), QStringLiteral("Blue"));
        QTest::keyClick(inspector, Qt::Key_Escape);
        QTRY_VERIFY(!InspectorCarta());
    }

    void inspectorWithUnreadableImage() {
        const QString basura = dir_.filePath(QStringLiteral("basura.tif"));
        QVERIFY(EscribirBytes(basura, "no es una imagen"));
        MostrarCartaAnalisis(nullptr, basura, QStringLiteral("basura.tif"), 0.5, 0.5);
        frmCartaAnalisis* inspector = InspectorCarta();
        QVERIFY(inspector && inspector->isVisible());
        const QString perfil = Control<QLabel>(*inspector, "lblProfile")->text();
        QVERIFY(perfil.startsWith(QStringLiteral("- | 0.00 MB | ")) ||
                perfil.startsWith(QStringLiteral("- | 0,00 MB | ")));
        QVERIFY(perfil.endsWith(QStringLiteral("No se pudo leer")));
        QVERIFY(Control<QLineEdit>(*inspector, "txtRed")->text().isEmpty());
        const QImage& carta = inspector->imagenCarta();
        QCOMPARE(Rgb(carta.pixel(carta.width() / 2, carta.height() / 2)), 0u);
        const QImage& histograma = inspector->imagenHistograma();
        QCOMPARE(histograma.size(), Control<QWidget>(*inspector, "picHist")->size());
        QVERIFY(std::all_of(histograma.constBits(),
                            histograma.constBits() + histograma.sizeInBytes(),
                            [](uchar b) { return b == 0xFF; }));
    }
};

QTEST_MAIN(TestImageWindows)
#include "tst_imagewindows.moc"
