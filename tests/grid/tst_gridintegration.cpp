#include "chartrenderer.h"
#include "charts/chartcatalog.h"
#include "grid/frmgridadjust.h"
#include "grid/frmgridcheck.h"
#include "grid/gridcontroller.h"
#include "grid/gridrecognition.h"
#include "lang/texto.h"
#include "namedcontrol.h"
#include "portablefolders.h"
#include "profile/createcontroller.h"
#include "profile/createvalidation.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "shell/frmmain.h"
#include "toolrunwait.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kRef = QStringLiteral("/usr/share/color/argyll/ref/");

} // namespace

class TestGridIntegration : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<frmMain> main_;

    GridController& Controlador() { return *main_->findChild<GridController*>(); }
    EntradaCreacion Entradas() const {
        return main_->findChild<CreateController*>()->LeerEntradas();
    }
    QString Log() const { return TextoDe(*main_, "txtLog"); }

    // Loads the image as the main window's target, through its open dialog.
    void ElegirImagen(const QString& image) {
        dialogs_->answerOpen(image);
        Control<QPushButton>(*main_, "cmdLoadImage")->click();
    }

    // A ColorChecker capture as the main window's target, with the chart's generic reference.
    chartrender::RenderInfo Preparar(double perspective, double rotation) {
        chartrender::RenderOptions options;
        options.chtFile = kRef + "ColorChecker.cht";
        options.referenceFile = kRef + "ColorChecker.cie";
        options.width = 1400;
        options.perspective = perspective;
        options.rotationDeg = rotation;
        chartrender::RenderInfo info;
        QString error;
        const QString image = dir_->filePath("capture.tif");
        if (!chartrender::renderChart(options, image, &error, &info))
            qFatal("render failed: %s", qPrintable(error));
        ElegirImagen(image);
        Control<QComboBox>(*main_, "cboChart")
            ->setCurrentIndex(Catalogo().IndiceCarta("ColorChecker.cht"));
        return info;
    }

    frmGridAdjust* AbrirDesdeMenu() {
        Control<QAction>(*main_, "mnuToolsGridCheck")->trigger();
        return Controlador().VentanaAjuste();
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        EstablecerCarpetas(PortableFolders(dir_->path()));
        if (Carpetas().toolPath("scanin").isEmpty())
            QSKIP("ArgyllCMS is not installed");
        EstablecerIdiomaActual(IdiomaEs);
        dialogs_ = std::make_unique<ScriptedDialogs>();
        main_ = std::make_unique<frmMain>();
        main_->Form_Load();
    }

    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmGridAdjust*>(w) || qobject_cast<frmGridCheck*>(w))
                delete w;
        main_.reset();
        if (dialogs_)
            QVERIFY2(dialogs_->problems().isEmpty(), qPrintable(dialogs_->problems()));
        dialogs_.reset();
    }

    void automaticRunOnACleanCapture() {
        const chartrender::RenderInfo info = Preparar(0, 0);
        Controlador().RegistrarAjusteCuadriculaManual(
            "ColorChecker.cht", "1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00", Entradas().imagen);
        QPointer<frmGridAdjust> w = AbrirDesdeMenu();
        QVERIFY(w && w->isVisible());
        const ParametrosAjuste p = w->Parametros();
        QVERIFY(p.CarpetaTrabajoAjuste.startsWith(Carpetas().tmpFolder + "/chromaflux_tmp_"));
        QCOMPARE(p.ImagenAjuste, p.CarpetaTrabajoAjuste + "/capture.tif");
        QCOMPARE(p.NombreChtAjuste, QString("ColorChecker.cht"));
        QCOMPARE(p.ReferenciaAjuste, kRef + "ColorChecker.cie");
        QVERIFY(p.ArgGamma.isEmpty() && p.ArgPerspectiva.isEmpty());
        QVERIFY(Log().contains("Ajuste manual de cuadrícula abierto: " + p.ImagenAjuste));
        QCOMPARE(w->Marco().AnchoImagen, info.imageSize.width());

        // The run goes on while the windows handle events (its log lines arrive); meanwhile the
        // buttons are off and a second run does nothing.
        bool refused = false;
        bool seenRunning = false;
        AlVerEnLog(Control<QPlainTextEdit>(*main_, "txtLog"),
                   "scanin: ", [&] { seenRunning = w->EjecutandoScanin(); });
        QVERIFY(EsperarTrabajo(w->Trabajo(), [&] {
            w->ReconocimientoAutomatico();
            w->ReconocimientoConAjuste();
            refused = w->EjecutandoScanin() && !Control<QPushButton>(*w, "cmdRun")->isEnabled() &&
                      !Control<QPushButton>(*w, "cmdAuto")->isEnabled();
        }));
        QVERIFY(refused && seenRunning);
        QVERIFY(!Log().contains("Fiduciales manuales"));
        QVERIFY(Control<QPushButton>(*w, "cmdRun")->isEnabled() &&
                Control<QPushButton>(*w, "cmdAuto")->isEnabled() && !w->EjecutandoScanin());

        const QString scanin = Carpetas().toolPath("scanin");
        QVERIFY(Log().contains("scanin: \"" + scanin + "\" -v -dion \"" + p.ImagenAjuste + "\" \"" +
                               kRef + "ColorChecker.cht\" \"" + kRef + "ColorChecker.cie\" \"" +
                               p.CarpetaTrabajoAjuste + "/grid_auto_diag.tif\""));
        QVERIFY(Log().contains("Ajuste manual de cuadrícula descartado: Reconocimiento automático "
                               "seleccionado.\nCrear perfil usará reconocimiento automático de "
                               "scanin para la carta: ColorChecker.cht"));
        QVERIFY(Controlador().AjusteManual().fiduciales.isEmpty());
        const QString copy = Carpetas().tmpFolder + "/ultimo_reconocimiento_cuadricula_auto.tif";
        QVERIFY(Log().endsWith("Diagnóstico de cuadrícula automático abierto: " + copy));
        QCOMPARE(TextoDe(*w, "txtInfo"), Texto("msg.grid_auto_done"));

        QPointer<frmGridCheck> check = Controlador().VentanaComprobacion();
        QVERIFY(check && check->isVisible());
        QCOMPARE(check->Imagen(), copy);
        QCOMPARE(check->AnchoImagen(), info.imageSize.width());
        QCOMPARE(TextoDe(*check, "txtInfo"), Texto("msg.gridcheck_desc"));
        // scanin's output went to the log and to the check window.
        QVERIFY(!check->Salida().trimmed().isEmpty());
        QVERIFY(Log().contains(check->Salida().trimmed()));
        check->close();
        QVERIFY(!QFile::exists(copy));

        dialogs_->answerMessage(Msg::Yes);
        w->close();
        QVERIFY(!QDir(p.CarpetaTrabajoAjuste).exists());
    }

    void manualRunOnAWarpedCaptureFeedsCreate() {
        const chartrender::RenderInfo info = Preparar(0.6, 7);
        QVERIFY(info.hasFiducials);
        QPointer<frmGridAdjust> w = AbrirDesdeMenu();
        QVERIFY(w);
        // scanin cannot find this chart by itself (without -p): the failure is shown, not stored.
        QVERIFY(PulsarYEsperar(w->Trabajo(), Control<QPushButton>(*w, "cmdAuto")));
        QVERIFY2(TextoDe(*w, "txtInfo").startsWith("scanin automático rc=1\n"),
                 qPrintable(TextoDe(*w, "txtInfo")));
        QVERIFY(TextoDe(*w, "txtInfo").contains("Pattern match wasn't good enough"));
        QVERIFY(Log().endsWith("scanin reconocimiento automático rc=1"));
        QVERIFY(Controlador().VentanaComprobacion() == nullptr);

        for (int i = 0; i < 4; ++i) {
            w->Marco().PuntosX[i] = info.fiducials[i].x();
            w->Marco().PuntosY[i] = info.fiducials[i].y();
        }
        const QString F = ListaFiduciales(w->Marco().PuntosX, w->Marco().PuntosY);
        QCOMPARE(F, info.fiducialArgument());
        QVERIFY(PulsarYEsperar(w->Trabajo(), Control<QPushButton>(*w, "cmdRun")));
        QCOMPARE(TextoDe(*w, "txtInfo"), Texto("msg.grid_manual_done"));
        QVERIFY(Log().contains("Fiduciales manuales scanin -F TL,TR,BR,BL: " + F));
        QVERIFY(Log().contains(" -v -F " + F + " -dion \"" + w->Parametros().ImagenAjuste));
        QVERIFY(Log().contains("Ajuste manual de cuadrícula guardado para crear perfil: -F " + F));
        QVERIFY(Log().endsWith("Diagnóstico de cuadrícula manual abierto: " + Carpetas().tmpFolder +
                               "/ultimo_reconocimiento_cuadricula_manual.tif"));
        QCOMPARE(Controlador().AjusteManual().fiduciales, F);
        QCOMPARE(Controlador().AjusteManual().carta, QString("colorchecker.cht"));
        QCOMPARE(Controlador().AjusteManual().imagen, Entradas().imagen.toLower());

        // The next Create passes the same fiducials to scanin.
        QCOMPARE(ArgumentoCuadriculaManual(Entradas()), QStringList({"-p", "-F", F}));

        // The user picks another chart type: the adjustment is dropped and Create stops using it.
        Control<QComboBox>(*main_, "cboChart")
            ->setCurrentIndex(Catalogo().IndiceCarta("ColorCheckerPassport.cht"));
        QVERIFY(Log().contains("Ajuste manual de cuadrícula descartado: Cambio de tipo de carta."));
        QVERIFY(Controlador().AjusteManual().fiduciales.isEmpty());
        QVERIFY(!CuadriculaManualAplicable(Entradas()));

        dialogs_->answerMessage(Msg::No);
        w->close();
    }

    // The window opens with its corners on the chart it finds; fiducials stored for one image
    // do not follow the user to another image.
    void adjustmentStaysWithItsImage() {
        const chartrender::RenderInfo info = Preparar(0, 0);
        QPointer<frmGridAdjust> w = AbrirDesdeMenu();
        QVERIFY(w);
        for (int i = 0; i < 4; ++i) {
            const QPointF miss =
                QPointF(w->Marco().PuntosX[i], w->Marco().PuntosY[i]) - info.fiducials[i];
            QVERIFY2(std::hypot(miss.x(), miss.y()) < 0.01 * info.imageSize.width(),
                     qPrintable(ListaFiduciales(w->Marco().PuntosX, w->Marco().PuntosY)));
        }
        for (int i = 0; i < 4; ++i) {
            w->Marco().PuntosX[i] = info.fiducials[i].x();
            w->Marco().PuntosY[i] = info.fiducials[i].y();
        }
        const QString first = Entradas().imagen;
        QVERIFY(QFile::copy(first, dir_->filePath("another.tif")));
        ElegirImagen(dir_->filePath("another.tif")); // while the window is open
        QVERIFY(PulsarYEsperar(w->Trabajo(), Control<QPushButton>(*w, "cmdRun")));
        QCOMPARE(Controlador().AjusteManual().imagen, first.toLower());
        EntradaCreacion in = Entradas();
        QVERIFY(!CuadriculaManualAplicable(in));
        in.imagen = first;
        QVERIFY(CuadriculaManualAplicable(in));
        dialogs_->answerMessage(Msg::Yes);
        w->close();
    }
};

QTEST_MAIN(TestGridIntegration)
#include "tst_gridintegration.moc"
