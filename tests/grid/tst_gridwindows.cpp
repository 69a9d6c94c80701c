#include "grid/cajaimagen.h"
#include "grid/frmgridadjust.h"
#include "grid/frmgridcheck.h"
#include "grid/gridcontroller.h"
#include "grid/gridoverlay.h"
#include "lang/texto.h"
#include "namedcontrol.h"
#include "portablefolders.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "shell/frmmain.h"
#include "shell/workfolders.h"
#include "toolrunwait.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QColor kFondo(40, 60, 80);

QString EscribirImagen(const QString& path, int w, int h, const QColor& colour = kFondo) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path) ? path : QString();
}

bool Parecido(QRgb a, const QColor& b) {
    return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) +
               std::abs(qBlue(a) - b.blue()) <
           10;
}

CajaImagen* Caja(const frmGridAdjust& w) {
    return Control<CajaImagen>(w, "picAdjust");
}

} // namespace

class TestGridWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<ScriptedDialogs> dialogs_;

    GridController& Controlador() { return *main_->findChild<GridController*>(); }
    QString Log() const { return TextoDe(*main_, "txtLog"); }

    // An adjustment window on an image of the given size, in a work folder of its own.
    QPointer<frmGridAdjust> Abrir(int w, int h) {
        const QString work = CrearCarpetaTrabajo(Carpetas().tmpFolder);
        const QString image = EscribirImagen(work + "/chart.png", w, h);
        auto* window = new frmGridAdjust(Controlador(), main_.get());
        window->resize(900, 700);
        window->Configurar({image,
                            "/ref/ColorChecker.cht",
                            "ColorChecker.cht",
                            "/ref/cc.cie",
                            work,
                            {},
                            {},
                            image});
        return window;
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        EstablecerCarpetas(PortableFolders(dir_->path()));
        EstablecerIdiomaActual(IdiomaEs);
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

    // The corners start 5% in from the image's edges, the image drawn under them.
    void configureShowsTheImageWithTheFrame() {
        QPointer<frmGridAdjust> w = Abrir(1000, 800);
        QVERIFY(w->isVisible() && !w->isModal());
        const MarcoAjuste& m = w->Marco();
        QCOMPARE(m.PuntosX, (std::array<double, 4>{50, 950, 950, 50}));
        QCOMPARE(m.PuntosY, (std::array<double, 4>{40, 40, 760, 760}));
        const QImage picture = Caja(*w)->Imagen();
        QCOMPARE(picture.size(), Caja(*w)->size());
        QVERIFY(Parecido(picture.pixel(m.ImagenAPantalla(500, 400)), kFondo));

        // Another image gets its own start points.
        const QString other = EscribirImagen(dir_->filePath("other.png"), 400, 300);
        w->Configurar({other, "/ref/it8.cht", "it8.cht", "/ref/it8.txt", QString(), {}, {}, other});
        QCOMPARE(w->Marco().PuntosX, (std::array<double, 4>{20, 380, 380, 20}));
        QCOMPARE(w->Parametros().NombreChtAjuste, QString("it8.cht"));
    }

    // Dragging moves the corner without reloading the image, stops at the image's edge;
    // Reset and a resize keep the points in image pixels.
    void draggingACorner() {
        QPointer<frmGridAdjust> w = Abrir(3000, 2000);
        const int loads = w->Cache().Cargas();
        const QPoint c = w->Marco().PosicionTirador(2);
        QTest::mousePress(Caja(*w), Qt::LeftButton, {}, c + QPoint(3, 3));
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(Caja(*w), c - QPoint(4 * i, 3 * i));
        QTest::mouseRelease(Caja(*w), Qt::LeftButton, {}, c - QPoint(40, 30));
        const QPointF expected = w->Marco().PantallaAImagen(c.x() - 40, c.y() - 30);
        QCOMPARE(w->Marco().PuntosX[2], expected.x());
        QCOMPARE(w->Marco().PuntosY[2], expected.y());
        QCOMPARE(w->Marco().TiradorActivo, -1);
        QCOMPARE(w->Cache().Cargas(), loads);

        const QPoint c1 = w->Marco().PosicionTirador(1);
        const QPoint beyond(Caja(*w)->width() + 50, -50);
        QTest::mousePress(Caja(*w), Qt::LeftButton, {}, c1);
        QTest::mouseMove(Caja(*w), beyond);
        QTest::mouseRelease(Caja(*w), Qt::LeftButton, {}, beyond);
        QCOMPARE(w->Marco().PuntosX[1], 2999.0);
        QCOMPARE(w->Marco().PuntosY[1], 0.0);

        QTest::mouseClick(Control<QPushButton>(*w, "cmdReset"), Qt::LeftButton);
        QCOMPARE(w->Marco().PuntosX, (std::array<double, 4>{150, 2850, 2850, 150}));
        w->resize(w->size() + QSize(120, 80));
        QCoreApplication::processEvents();
        QCOMPARE(Caja(*w)->Imagen().size(), Caja(*w)->size());
        QCOMPARE(w->Cache().Cargas(), loads + 1);
        QCOMPARE(w->Marco().PuntosX[0], 150.0);
    }

    void unreadableImageLeavesNoOverlay() {
        QPointer<frmGridAdjust> w = Abrir(1000, 800);
        const QString broken = dir_->filePath("broken.tif");
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("not an image") > 0);
        f.close();
        w->Configurar(
            {broken, "/ref/it8.cht", "it8.cht", "/ref/it8.txt", QString(), {}, {}, broken});
        QVERIFY(TextoDe(*w, "txtInfo").startsWith(Texto("msg.grid_open_image_error")));
        QVERIFY(!w->Marco().TieneTamano());
        QCOMPARE(w->Marco().TiradorEn(Caja(*w)->width() / 2, Caja(*w)->height() / 2), -1);
    }

    // No keeps the work folder, Yes deletes it; the diagnostic copies go either way.
    void closingAsksAboutTheWorkFolder() {
        for (const int answer : {Msg::No, Msg::Yes}) {
            QPointer<frmGridAdjust> w = Abrir(1000, 800);
            const QString work = w->Parametros().CarpetaTrabajoAjuste;
            const QString diag =
                RutaTmp(Carpetas().tmpFolder, "ultimo_reconocimiento_cuadricula_auto.tif");
            QFile file(diag);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("diagnostic") > 0);
            file.close();
            dialogs_->answerMessage(answer);
            w->close();
            QVERIFY(!QFile::exists(diag));
            QCOMPARE(QDir(work).exists(), answer == Msg::No);
            QCOMPARE(dialogs_->calls().last().style, Msg::Question | Msg::YesNo);
        }
        QVERIFY(Log().contains("Carpeta temporal borrada: "));
    }

    // Closing during a run stops scanin, and the window closes once the run has ended.
    void closingDuringARunStopsIt() {
        QVERIFY(EscribirHerramientaLenta(Carpetas().programFolder, "scanin"));
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
        QVERIFY(Log().endsWith("scanin reconocimiento automático rc=-1"));
        // Nothing registered from a stopped run.
        QVERIFY(!Controlador().AjusteManual().fiduciales.isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.isNull());
    }

    // A new diagnostic replaces the one shown, whose file belonged to the window; an
    // unreadable one is reported and, not being the window's, kept.
    void checkWindowOwnsItsImages() {
        auto* check = new frmGridCheck(main_.get());
        const QString first = EscribirImagen(dir_->filePath("diag1.png"), 600, 400, Qt::darkGreen);
        check->Mostrar(first, "ColorChecker.cht", "scanin output", true);
        QVERIFY(check->isVisible());
        QCOMPARE(check->Carta(), QString("colorchecker.cht"));
        const QImage picture = Control<CajaImagen>(*check, "picGrid")->Imagen();
        QVERIFY(Parecido(picture.pixel(picture.width() / 2, picture.height() / 2), Qt::darkGreen));
        const QString second = EscribirImagen(dir_->filePath("diag2.png"), 300, 300);
        check->Mostrar(second, "ColorChecker.cht", "again", true);
        QVERIFY(!QFile::exists(first));
        QCOMPARE(check->AnchoImagen(), 300);
        check->close();
        QVERIFY(!QFile::exists(second));

        const QString bad = dir_->filePath("bad.tif");
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("garbage") > 0);
        f.close();
        check->Mostrar(bad, "it8.cht", QString(), false);
        QVERIFY(TextoDe(*check, "txtInfo").startsWith(Texto("msg.gridcheck_open_error")));
        check->close();
        QVERIFY(QFile::exists(bad));
    }

    void openingWithMissingInputsListsThem() {
        main_->Form_Load();
        dialogs_->answerMessage(Msg::Ok);
        Control<QAction>(*main_, "mnuToolsGridCheck")->trigger();
        QVERIFY(Controlador().VentanaAjuste() == nullptr);
        QVERIFY(dialogs_->messages().last().startsWith(Texto("msg.missing_data_prefix")));
    }

    void storedAdjustmentIsNormalised() {
        GridController& g = Controlador();
        g.RegistrarAjusteCuadriculaManual("  ColorChecker.CHT ", " 1,2,3,4,5,6,7,8 ",
                                          "/Charts/Shot 1.TIF");
        QCOMPARE(g.AjusteManual().fiduciales, QString("1,2,3,4,5,6,7,8"));
        QCOMPARE(g.AjusteManual().carta, QString("colorchecker.cht"));
        QCOMPARE(g.AjusteManual().imagen, QString("/charts/shot 1.tif"));
    }
};

QTEST_MAIN(TestGridWindows)
#include "tst_gridwindows.moc"
