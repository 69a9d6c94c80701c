#include "chartcapture.h"
#include "charts/chartcatalog.h"
#include "grid/frmgridadjust.h"
#include "grid/frmgridcheck.h"
#include "grid/gridcontroller.h"
#include "lang/texto.h"
#include "namedcontrol.h"
#include "portablefolders.h"
#include "profile/createcontroller.h"
#include "profile/createvalidation.h"
#include "scripteddialogs.h"
#include "shell/frmmain.h"
#include "toolrunwait.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

class TestGridIntegration : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshProgram> dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<frmMain> main_;
    bool lockedWhilePreparing_ = false;

    GridController& Controlador() { return *main_->findChild<GridController*>(); }
    EntradaCreacion Entradas() const {
        return main_->findChild<CreateController*>()->LeerEntradas();
    }
    QString Log() const { return TextoDe(*main_, "txtLog"); }

    void ElegirImagen(const QString& image) {
        dialogs_->answerOpen(image);
        Control<QPushButton>(*main_, "cmdLoadImage")->click();
    }

    // A ColorChecker capture as the main window's target.
    void ElegirCaptura(double perspective, double rotation, chartrender::RenderInfo* info) {
        chartrender::RenderOptions options = chartCaptureOptions("ColorChecker");
        options.perspective = perspective;
        options.rotationDeg = rotation;
        QString error;
        const QString image = dir_->filePath("capture.tif");
        if (!chartrender::renderChart(options, image, &error, info))
            qFatal("render failed: %s", qPrintable(error));
        ElegirImagen(image);
        Control<QComboBox>(*main_, "cboChart")
            ->setCurrentIndex(Catalogo().IndiceCarta("ColorChecker.cht"));
    }

    // The same, its adjustment window opened.
    QPointer<frmGridAdjust> Abrir(double perspective, double rotation,
                                  chartrender::RenderInfo* info) {
        ElegirCaptura(perspective, rotation, info);
        // The image is prepared on a worker, with the main window's inputs and Create locked.
        if (!EsperarTrabajo(Controlador().Preparacion(), [this] {
                Control<QAction>(*main_, "mnuToolsGridCheck")->trigger();
                lockedWhilePreparing_ = Controlador().Preparacion().Ejecutando() &&
                                        !Control<QComboBox>(*main_, "cboChart")->isEnabled() &&
                                        !Control<QPushButton>(*main_, "cmdCreate")->isEnabled();
            }))
            qFatal("the image preparation did not end");
        return Controlador().VentanaAjuste();
    }

    // The corners where the renderer put the chart's fiducials.
    static void PonerFiduciales(frmGridAdjust& w, const chartrender::RenderInfo& info) {
        for (int i = 0; i < 4; ++i) {
            w.Marco().PuntosX[i] = info.fiducials[i].x();
            w.Marco().PuntosY[i] = info.fiducials[i].y();
        }
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() {
        dir_ = std::make_unique<FreshProgram>();
        QVERIFY2(!Carpetas().toolPath("scanin").isEmpty(), "ArgyllCMS is not installed");
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

    // The run goes on while the windows handle events (its log lines arrive); meanwhile the
    // buttons are off and a second run does nothing. Automatic recognition drops a stored
    // adjustment and shows scanin's diagnostic, a copy deleted with its window.
    void automaticRunOnACleanCapture() {
        chartrender::RenderInfo info;
        QPointer<frmGridAdjust> w = Abrir(0, 0, &info);
        QVERIFY(w && w->isVisible() && lockedWhilePreparing_);
        QVERIFY(Control<QPushButton>(*main_, "cmdCreate")->isEnabled());
        Controlador().RegistrarAjusteCuadriculaManual("ColorChecker.cht", "1,2,3,4,5,6,7,8",
                                                      Entradas().imagen);
        const QString work = w->Parametros().CarpetaTrabajoAjuste;
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
        QVERIFY(Control<QPushButton>(*w, "cmdRun")->isEnabled() && !w->EjecutandoScanin());
        QVERIFY(Controlador().AjusteManual().fiduciales.isEmpty());

        QPointer<frmGridCheck> check = Controlador().VentanaComprobacion();
        QVERIFY(check && check->isVisible());
        const QString copy = check->Imagen();
        QVERIFY(QFile::exists(copy));
        check->close();
        QVERIFY(!QFile::exists(copy));
        dialogs_->answerMessage(Msg::Yes);
        w->close();
        QVERIFY(!QDir(work).exists());
    }

    // Closing while the image is prepared waits for it, then closes without opening the window.
    void closingDuringThePreparation() {
        ElegirCaptura(0, 0, nullptr);
        main_->show();
        QVERIFY(EsperarTrabajo(Controlador().Preparacion(), [this] {
            Control<QAction>(*main_, "mnuToolsGridCheck")->trigger();
            QVERIFY(!main_->close() && main_->isVisible());
        }));
        QVERIFY(!main_->isVisible() && !Controlador().VentanaAjuste());
    }

    // scanin cannot find a warped chart by itself: the failure is shown, not stored. The
    // corners put by hand are stored with their image, passed to a Create on it, and dropped
    // with a change of chart.
    void manualRunOnAWarpedCaptureFeedsCreate() {
        chartrender::RenderInfo info;
        QPointer<frmGridAdjust> w = Abrir(0.6, 7, &info);
        QVERIFY(w && info.hasFiducials);
        QVERIFY(PulsarYEsperar(w->Trabajo(), Control<QPushButton>(*w, "cmdAuto")));
        QVERIFY2(TextoDe(*w, "txtInfo").startsWith("scanin automático rc=1\n"),
                 qPrintable(TextoDe(*w, "txtInfo")));

        // Another image chosen meanwhile in the main window does not get them.
        PonerFiduciales(*w, info);
        const QString F = info.fiducialArgument();
        const QString first = Entradas().imagen;
        QVERIFY(QFile::copy(first, dir_->filePath("another.tif")));
        ElegirImagen(dir_->filePath("another.tif"));
        QVERIFY(PulsarYEsperar(w->Trabajo(), Control<QPushButton>(*w, "cmdRun")));
        QVERIFY(Log().contains(" -v -F " + F + " -dion \"" + w->Parametros().ImagenAjuste));
        QCOMPARE(Controlador().AjusteManual().fiduciales, F);
        EntradaCreacion in = Entradas();
        QVERIFY(!CuadriculaManualAplicable(in));
        in.imagen = first;
        QCOMPARE(ArgumentoCuadriculaManual(in), QStringList({"-p", "-F", F}));

        Control<QComboBox>(*main_, "cboChart")
            ->setCurrentIndex(Catalogo().IndiceCarta("ColorCheckerPassport.cht"));
        QVERIFY(Controlador().AjusteManual().fiduciales.isEmpty());
        dialogs_->answerMessage(Msg::No);
        w->close();
    }
};

QTEST_MAIN(TestGridIntegration)
#include "tst_gridintegration.moc"
