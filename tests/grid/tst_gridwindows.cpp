#include "grid/cajaimagen.h"
#include "grid/frmgridadjust.h"
#include "grid/frmgridcheck.h"
#include "grid/gridcontroller.h"
#include "lang/texto.h"
#include "namedcontrol.h"
#include "portablefolders.h"
#include "scripteddialogs.h"
#include "shell/frmmain.h"
#include "shell/workfolders.h"
#include "toolrunwait.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace {

CajaImagen* Caja(const frmGridAdjust& w) {
    return Control<CajaImagen>(w, "picAdjust");
}

} // namespace

class TestGridWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshProgram> dir_;
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<ScriptedDialogs> dialogs_;

    GridController& Controlador() { return *main_->findChild<GridController*>(); }
    QString Log() const { return TextoDe(*main_, "txtLog"); }

    // An adjustment window on an image of the given size, in a work folder of its own.
    QPointer<frmGridAdjust> Abrir(int w, int h) {
        const QString work = CrearCarpetaTrabajo(Carpetas().tmpFolder);
        ParametrosAjuste p;
        p.ImagenAjuste = p.ImagenOrigen = work + "/chart.png";
        p.NombreChtAjuste = "ColorChecker.cht";
        p.CarpetaTrabajoAjuste = work;
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        image.save(p.ImagenAjuste);
        auto* window = new frmGridAdjust(Controlador(), main_.get());
        window->resize(900, 700);
        window->Configurar(p);
        return window;
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() {
        dir_ = std::make_unique<FreshProgram>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        main_ = std::make_unique<frmMain>();
    }

    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmGridAdjust*>(w) || qobject_cast<frmGridCheck*>(w))
                delete w;
        main_.reset();
        QVERIFY2(dialogs_->problems().isEmpty(), qPrintable(dialogs_->problems()));
        dialogs_.reset();
    }

    // The corners start 5% in from the image's edges, over the image drawn once; dragging one
    // moves it without reloading the image and stops at the image's edge; Reset puts it back.
    void draggingACorner() {
        QPointer<frmGridAdjust> w = Abrir(3000, 2000);
        QVERIFY(w->isVisible() && !w->isModal());
        const std::array<double, 4> start{150, 2850, 2850, 150};
        QCOMPARE(w->Marco().PuntosX, start);
        QCOMPARE(w->Marco().PuntosY, (std::array<double, 4>{100, 100, 1900, 1900}));
        QCOMPARE(Caja(*w)->Imagen().pixel(w->Marco().ImagenAPantalla(1500, 1000)),
                 QColor(Qt::darkCyan).rgb());
        const int loads = w->Cache().Cargas();
        const QPoint c = w->Marco().PosicionTirador(2);
        QTest::mousePress(Caja(*w), Qt::LeftButton, {}, c + QPoint(3, 3));
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(Caja(*w), c - QPoint(4 * i, 3 * i));
        QTest::mouseRelease(Caja(*w), Qt::LeftButton, {}, c - QPoint(40, 30));
        QCOMPARE(QPointF(w->Marco().PuntosX[2], w->Marco().PuntosY[2]),
                 w->Marco().PantallaAImagen(c.x() - 40, c.y() - 30));
        QCOMPARE(w->Cache().Cargas(), loads);

        const QPoint beyond(Caja(*w)->width() + 50, -50);
        QTest::mousePress(Caja(*w), Qt::LeftButton, {}, w->Marco().PosicionTirador(1));
        QTest::mouseMove(Caja(*w), beyond);
        QTest::mouseRelease(Caja(*w), Qt::LeftButton, {}, beyond);
        QCOMPARE(QPointF(w->Marco().PuntosX[1], w->Marco().PuntosY[1]), QPointF(2999, 0));
        QTest::mouseClick(Control<QPushButton>(*w, "cmdReset"), Qt::LeftButton);
        QCOMPARE(w->Marco().PuntosX, start);
    }

    // Closing during a run stops scanin, and the window closes once the run has ended.
    void closingDuringARunStopsIt() {
        QVERIFY(EscribirHerramientaLenta(Carpetas().programFolder, "scanin"));
        EstablecerCarpetas(PortableFolders(Carpetas().programFolder)); // finds its Argyll/bin now
        QPointer<frmGridAdjust> w = Abrir(1000, 800);
        Controlador().RegistrarAjusteCuadriculaManual("ColorChecker.cht", "1,2,3,4,5,6,7,8",
                                                      "/a.tif");
        dialogs_->answerMessage(Msg::Yes).answerMessage(Msg::No);
        bool closedAtOnce = true;
        QVERIFY(EsperarTrabajo(w->Trabajo(), [&] {
            w->ReconocimientoAutomatico();
            w->close();
            closedAtOnce = !w->isVisible();
        }));
        QVERIFY(!closedAtOnce);
        QVERIFY2(Log().endsWith("scanin reconocimiento automático rc=-1"), qPrintable(Log()));
        // Nothing registered from a stopped run.
        QVERIFY(!Controlador().AjusteManual().fiduciales.isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.isNull());
    }
};

QTEST_MAIN(TestGridWindows)
#include "tst_gridwindows.moc"
