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
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

QString EscribirImagen(const QString& path, int w, int h, const QColor& colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path) ? path : QString();
}

int Distancia(QRgb a, const QColor& b) {
    return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) +
           std::abs(qBlue(a) - b.blue());
}

// Whether some pixel within r pixels of p has about that colour.
bool ColorCerca(const QImage& image, const QPoint& p, int r, const QColor& colour) {
    for (int y = p.y() - r; y <= p.y() + r; ++y)
        for (int x = p.x() - r; x <= p.x() + r; ++x)
            if (image.rect().contains(x, y) && Distancia(image.pixel(x, y), colour) < 60)
                return true;
    return false;
}

int Contar(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && test(image.pixel(x, y)))
                ++n;
    return n;
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

    // An adjustment window on an image of the given size, in a work folder of its own.
    QPointer<frmGridAdjust> Abrir(int w, int h, const QColor& colour = QColor(40, 60, 80)) {
        const QString work = CrearCarpetaTrabajo(Carpetas().tmpFolder);
        const QString image = EscribirImagen(work + "/chart.png", w, h, colour);
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

    QString Log() const { return TextoDe(*main_, "txtLog"); }

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

    void configureShowsTheImageWithTheFrame() {
        QPointer<frmGridAdjust> w = Abrir(1000, 800);
        QVERIFY(w->isVisible());
        QVERIFY(!w->isModal());
        QCOMPARE(TextoDe(*w, "txtInfo"), Texto("msg.grid_drag_points"));

        const MarcoAjuste& m = w->Marco();
        QCOMPARE(m.AnchoImagen, 1000);
        QCOMPARE(m.AltoImagen, 800);
        QCOMPARE(m.PuntosX, (std::array<double, 4>{50, 950, 950, 50}));
        QCOMPARE(m.PuntosY, (std::array<double, 4>{40, 40, 760, 760}));
        const QImage picture = Caja(*w)->Imagen();
        QCOMPARE(picture.size(), Caja(*w)->size());
        QCOMPARE(m.MargenX, (picture.width() - m.AnchoDibujo) / 2);

        // Each handle: a hollow red ring, the image in sight inside; the sides yellow.
        for (int t = 0; t < MarcoAjuste::kNumTiradores; ++t) {
            const QPoint p = m.PosicionTirador(t);
            const QPoint diagonales[] = {{3, 3}, {-3, 3}, {3, -3}, {-3, -3}}; // off the sides
            QVERIFY2(std::any_of(std::begin(diagonales), std::end(diagonales),
                                 [&](QPoint d) {
                                     return Distancia(picture.pixel(p + d), QColor(40, 60, 80)) <
                                            10;
                                 }),
                     qPrintable(QString::number(t)));
            QVERIFY(ColorCerca(picture, p + QPoint(kRadioTirador, 0), 1, kColorBordeTirador));
        }
        const QPoint a = m.PosicionTirador(0);
        const QPoint b = m.PosicionTirador(4);
        QVERIFY(ColorCerca(picture, (a + b) / 2, 1, kColorMarco));
        const QPoint inside = m.ImagenAPantalla(500, 400);
        QVERIFY(Distancia(picture.pixel(inside), QColor(40, 60, 80)) < 10);
        QCOMPARE(QColor(picture.pixel(1, 1)), QColor(Qt::black)); // outside the drawn image
    }

    void labelsReadOnLightAndDarkImages() {
        for (const QColor& background :
             {QColor(Qt::white), QColor(Qt::black), QColor(255, 230, 0)}) {
            QPointer<frmGridAdjust> w = Abrir(1200, 800, background);
            const QImage picture = Caja(*w)->Imagen();
            const QPoint p = w->Marco().PosicionTirador(5);
            const QRect label(p.x() + 10, p.y() - 8, 60, 18);
            const int yellow =
                Contar(picture, label, [](QRgb c) { return Distancia(c, kColorMarco) < 60; });
            const int dark = Contar(picture, label, [](QRgb c) { return qGray(c) < 90; });
            // The label's letters and their dark outline are both there, whatever the image.
            QVERIFY2(yellow > 15, qPrintable(background.name()));
            QVERIFY2(background == Qt::black || dark > 15, qPrintable(background.name()));
            dialogs_->answerMessage(Msg::Yes);
            w->close();
            delete w;
        }
    }

    void draggingACornerRedrawsOnlyTheOverlay() {
        QPointer<frmGridAdjust> w = Abrir(3000, 2000);
        const int loads = w->Cache().Cargas();
        const QPoint c = w->Marco().PosicionTirador(2);
        QTest::mousePress(Caja(*w), Qt::LeftButton, {}, c + QPoint(3, 3));
        QCOMPARE(w->Marco().TiradorActivo, 2);
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(Caja(*w), c - QPoint(4 * i, 3 * i));
        QCOMPARE(Caja(*w)->cursor().shape(), Qt::SizeAllCursor);
        const QPointF expected = w->Marco().PantallaAImagen(c.x() - 40, c.y() - 30);
        QCOMPARE(w->Marco().PuntosX[2], expected.x());
        QCOMPARE(w->Marco().PuntosY[2], expected.y());
        // The overlay followed: the handle is drawn at its new place.
        QVERIFY(ColorCerca(Caja(*w)->Imagen(), c - QPoint(40, 30) + QPoint(kRadioTirador, 0), 1,
                           kColorBordeTirador));
        // A loupe in the top-left corner shows the image around the corner, magnified.
        const QImage arrastrando = Caja(*w)->Imagen();
        QVERIFY(ColorCerca(arrastrando, QPoint(4, 84), 1, kColorBordeTirador));
        QVERIFY(Distancia(arrastrando.pixel(40, 40), QColor(40, 60, 80)) < 10);
        QTest::mouseRelease(Caja(*w), Qt::LeftButton, {}, c - QPoint(40, 30));
        QVERIFY(!ColorCerca(Caja(*w)->Imagen(), QPoint(4, 84), 1, kColorBordeTirador));
        QCOMPARE(w->Marco().TiradorActivo, -1);
        QVERIFY(!Caja(*w)->testAttribute(Qt::WA_SetCursor));
        QCOMPARE(w->Cache().Cargas(), loads);

        // Beyond the picture the corner stops at the image's edge.
        const QPoint c1 = w->Marco().PosicionTirador(1);
        QTest::mousePress(Caja(*w), Qt::LeftButton, {}, c1);
        QTest::mouseMove(Caja(*w), QPoint(Caja(*w)->width() + 50, -50));
        QTest::mouseRelease(Caja(*w), Qt::LeftButton, {}, QPoint(Caja(*w)->width() + 50, -50));
        QCOMPARE(w->Marco().PuntosX[1], 2999.0);
        QCOMPARE(w->Marco().PuntosY[1], 0.0);

        // Reset puts every corner back.
        QTest::mouseClick(Control<QPushButton>(*w, "cmdReset"), Qt::LeftButton);
        QCOMPARE(w->Marco().PuntosX, (std::array<double, 4>{150, 2850, 2850, 150}));
        QCOMPARE(w->Cache().Cargas(), loads);
    }

    void hoverPointersAndOtherButtons() {
        QPointer<frmGridAdjust> w = Abrir(1000, 800);
        const MarcoAjuste& m = w->Marco();
        QTest::mouseMove(Caja(*w), m.PosicionTirador(5));
        QCOMPARE(Caja(*w)->cursor().shape(), Qt::SizeHorCursor);
        QTest::mouseMove(Caja(*w), m.PosicionTirador(6));
        QCOMPARE(Caja(*w)->cursor().shape(), Qt::SizeVerCursor);
        QTest::mouseMove(Caja(*w), m.PosicionTirador(3));
        QCOMPARE(Caja(*w)->cursor().shape(), Qt::SizeAllCursor);
        QTest::mouseMove(Caja(*w), m.ImagenAPantalla(500, 400));
        QVERIFY(!Caja(*w)->testAttribute(Qt::WA_SetCursor));

        const auto before = m.PuntosX;
        const QPoint c = m.PosicionTirador(0);
        QTest::mousePress(Caja(*w), Qt::RightButton, {}, c);
        QTest::mouseMove(Caja(*w), c + QPoint(60, 60));
        QTest::mouseRelease(Caja(*w), Qt::RightButton, {}, c + QPoint(60, 60));
        QCOMPARE(m.PuntosX, before);
    }

    void resizingRedrawsAtTheNewSize() {
        QPointer<frmGridAdjust> w = Abrir(1000, 800);
        const int loads = w->Cache().Cargas();
        const QSize before = Caja(*w)->size();
        w->resize(w->size() + QSize(120, 80));
        QCoreApplication::processEvents();
        QVERIFY(Caja(*w)->size() != before);
        QCOMPARE(Caja(*w)->Imagen().size(), Caja(*w)->size());
        QCOMPARE(w->Cache().Cargas(), loads + 1);
        // The points are image pixels: a new size does not move them.
        QCOMPARE(w->Marco().PuntosX[0], 50.0);
    }

    void anotherImageGetsItsOwnStartPoints() {
        QPointer<frmGridAdjust> w = Abrir(1000, 800);
        const QString other = EscribirImagen(dir_->filePath("other.png"), 400, 300, Qt::gray);
        w->Configurar({other, "/ref/it8.cht", "it8.cht", "/ref/it8.txt", QString(), {}, {}, other});
        QCOMPARE(w->Marco().PuntosX, (std::array<double, 4>{20, 380, 380, 20}));
        QCOMPARE(w->Parametros().NombreChtAjuste, QString("it8.cht"));
    }

    void unreadableImageLeavesNoOverlay() {
        QPointer<frmGridAdjust> w = Abrir(1000, 800);
        const QString broken = dir_->filePath("broken.tif");
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not an image");
        f.close();
        w->Configurar(
            {broken, "/ref/it8.cht", "it8.cht", "/ref/it8.txt", QString(), {}, {}, broken});
        QVERIFY(TextoDe(*w, "txtInfo").startsWith(Texto("msg.grid_open_image_error")));
        QVERIFY(TextoDe(*w, "txtInfo").size() > Texto("msg.grid_open_image_error").size());
        QVERIFY(!w->Marco().TieneTamano());
        const QImage picture = Caja(*w)->Imagen();
        QCOMPARE(Contar(picture, picture.rect(), [](QRgb c) { return c != qRgb(0, 0, 0); }), 0);
        QCOMPARE(w->Marco().TiradorEn(Caja(*w)->width() / 2, Caja(*w)->height() / 2), -1);
        QVERIFY(Control<QPushButton>(*w, "cmdAuto")->isEnabled() &&
                Control<QPushButton>(*w, "cmdRun")->isEnabled());
    }

    void closingAsksAboutTheWorkFolder() {
        QPointer<frmGridAdjust> w = Abrir(1000, 800);
        const QString work = w->Parametros().CarpetaTrabajoAjuste;
        const QString tmpAuto =
            RutaTmp(Carpetas().tmpFolder, "ultimo_reconocimiento_cuadricula_auto.tif");
        const QString tmpManual =
            RutaTmp(Carpetas().tmpFolder, "ultimo_reconocimiento_cuadricula_manual.tif");
        for (const QString& path : {tmpAuto, tmpManual}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("diagnostic") > 0);
        }

        dialogs_->answerMessage(Msg::No);
        w->close();
        QVERIFY(!QFile::exists(tmpAuto) && !QFile::exists(tmpManual));
        QVERIFY(QDir(work).exists());
        const ScriptedDialogs::Call& ask = dialogs_->calls().last();
        QCOMPARE(ask.title, QString("Borrar carpeta temporal"));
        QCOMPARE(ask.text, "Se ha creado una carpeta temporal de trabajo:\n\n" + work +
                               "\n\n¿Quieres borrarla ahora?");
        QCOMPARE(ask.style, Msg::Question | Msg::YesNo);

        QPointer<frmGridAdjust> again = Abrir(1000, 800);
        const QString work2 = again->Parametros().CarpetaTrabajoAjuste;
        dialogs_->answerMessage(Msg::Yes);
        again->close();
        QVERIFY(!QDir(work2).exists());
        QVERIFY(Log().contains("Carpeta temporal borrada: " + work2));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(again.isNull());
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
        QCOMPARE(dialogs_->calls().first().text,
                 QString("La herramienta todavía está en marcha. ¿Quieres detenerla y cerrar la "
                         "ventana?"));
        QVERIFY(Log().endsWith("scanin reconocimiento automático rc=-1"));
        // Nothing registered from a stopped run.
        QVERIFY(!Controlador().AjusteManual().fiduciales.isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.isNull());
    }

    void textsFollowTheLanguage() {
        QPointer<frmGridAdjust> w = Abrir(1000, 800);
        auto* check = new frmGridCheck(main_.get());
        EstablecerIdiomaActual(IdiomaEn);
        w->aplicarTextos();
        check->aplicarTextos();
        QCOMPARE(w->windowTitle(), QString("Tools - Detect / adjust grid"));
        QCOMPARE(Control<QPushButton>(*w, "cmdRun")->text(), QString("Detect with adjustment"));
        QCOMPARE(check->windowTitle(), QString("Results - Grid recognition"));
        QCOMPARE(Control<QPushButton>(*check, "cmdClose")->text(), Texto("common.close"));
        EstablecerIdiomaActual(IdiomaFr);
        w->AplicarTextosGridAdjust();
        QCOMPARE(Control<QPushButton>(*w, "cmdReset")->text(), QString("Réinitialiser les points"));
        delete check;
    }

    void checkWindowShowsAndDeletesItsImage() {
        auto* check = new frmGridCheck(main_.get());
        QPointer<frmGridCheck> guard(check);
        check->Mostrar(QString(), "ColorChecker.cht", "out", true);
        QVERIFY(check->isVisible());
        QVERIFY(Control<CajaImagen>(*check, "picGrid")->Imagen().isNull());
        QVERIFY(TextoDe(*check, "txtInfo").isEmpty());

        const QString first = EscribirImagen(dir_->filePath("diag1.png"), 600, 400, Qt::darkGreen);
        check->Mostrar(first, "ColorChecker.cht", "scanin output", true);
        QCOMPARE(check->Carta(), QString("colorchecker.cht"));
        QCOMPARE(check->Salida(), QString("scanin output"));
        QCOMPARE(TextoDe(*check, "txtInfo"), Texto("msg.gridcheck_desc"));
        QCOMPARE(check->AnchoImagen(), 600);
        const QImage picture = Control<CajaImagen>(*check, "picGrid")->Imagen();
        QCOMPARE(picture.size(), Control<CajaImagen>(*check, "picGrid")->size());
        QVERIFY(Distancia(picture.pixel(picture.width() / 2, picture.height() / 2),
                          QColor(Qt::darkGreen)) < 10);

        // Another diagnostic replaces the first, whose file belonged to the window.
        const QString second = EscribirImagen(dir_->filePath("diag2.png"), 300, 300, Qt::blue);
        check->Mostrar(second, "ColorChecker.cht", "again", true);
        QVERIFY(!QFile::exists(first));
        QCOMPARE(check->AnchoImagen(), 300);

        check->close();
        QVERIFY(!QFile::exists(second));
        QCOMPARE(check->Imagen(), QString());
    }

    void checkWindowReportsAnUnreadableImage() {
        auto* check = new frmGridCheck(main_.get());
        QFile f(dir_->filePath("bad.tif"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("garbage");
        f.close();
        check->Mostrar(dir_->filePath("bad.tif"), "it8.cht", QString(), false);
        QVERIFY(check->isVisible());
        QVERIFY(TextoDe(*check, "txtInfo").startsWith(Texto("msg.gridcheck_open_error")));
        check->close();
        // Not the window's file: it stays.
        QVERIFY(QFile::exists(dir_->filePath("bad.tif")));
    }

    void openingWithMissingInputsListsThem() {
        main_->Form_Load();
        dialogs_->answerMessage(Msg::Ok);
        Control<QAction>(*main_, "mnuToolsGridCheck")->trigger();
        // The same check and message as Create's.
        QVERIFY(Controlador().VentanaAjuste() == nullptr);
        QVERIFY(dialogs_->messages().last().startsWith(Texto("msg.missing_data_prefix")));
    }

    void storedAdjustmentBelongsToChartAndImage() {
        GridController& g = Controlador();
        g.RegistrarAjusteCuadriculaManual("  ColorChecker.CHT ",
                                          " 1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00 ",
                                          "/Charts/Shot 1.TIF");
        QCOMPARE(g.AjusteManual().fiduciales, QString("1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00"));
        QCOMPARE(g.AjusteManual().carta, QString("colorchecker.cht"));
        QCOMPARE(g.AjusteManual().imagen, QString("/charts/shot 1.tif"));
        QVERIFY(Log().endsWith("Ajuste manual de cuadrícula guardado para crear perfil: -F "
                               "1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00"));
    }
};

QTEST_MAIN(TestGridWindows)
#include "tst_gridwindows.moc"
