#include "chartrenderer.h"
#include "charts/chartcatalog.h"
#include "grid/frmgridadjust.h"
#include "grid/frmgridcheck.h"
#include "grid/gridcontroller.h"
#include "grid/gridrecognition.h"
#include "lang/texto.h"
#include "portablefolders.h"
#include "profile/createcontroller.h"
#include "profile/createpipeline.h"
#include "profile/createvalidation.h"
#include "profile/creationfrontend.h"
#include "profile/profilecommands.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "shell/frmmain.h"
#include "verify/profcheckreport.h"

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
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QString kRef = QStringLiteral("/usr/share/color/argyll/ref/");

// The Create pipeline's front end without windows: keeps the work folder, records results.
class FrontEnd : public InterlocutorCreacion {
public:
    QList<ResultadoCreacion> registrados;
    void Avisar(const QString&) override {}
    void RegistrarResultados(const ResultadoCreacion& r) override { registrados << r; }
    void MostrarResumenResultados(const ResultadoCreacion&) override {}
    void AvisarLecturaSospechosa(const ResultadoCreacion&) override {}
    void MostrarDiagnosticoFallido(const QString&) override {}
    void AbrirVerificacionAuto(const ResultadoCreacion&) override {}
    bool PreguntarBorrarCarpeta(const QString&) override { return true; }
};

double ErrorMedio(const QString& profcheckOutput) {
    QList<ErrorParche> errores;
    if (!LeerDetalleProfcheck(profcheckOutput, errores) || errores.isEmpty())
        return 1e9;
    double sum = 0;
    for (const ErrorParche& e : errores)
        sum += e.de;
    return sum / errores.size();
}

} // namespace

class TestGridIntegration : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<frmMain> main_;

    GridController& Controlador() { return *main_->findChild<GridController*>(); }
    QString Log() const { return main_->txtLog->toPlainText(); }

    // A ColorChecker capture as the main window's target, with its own reference.
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
        main_->RutaImagenTarget = image;
        main_->CambioInterno = true;
        main_->cboChart->setCurrentIndex(Catalogo().IndiceCarta("ColorChecker.cht"));
        main_->RutaReferenciaPersonalizada = kRef + "ColorChecker.cie";
        main_->optPersoanlizado->setChecked(true);
        main_->CambioInterno = false;
        return info;
    }

    frmGridAdjust* AbrirDesdeMenu() {
        main_->mnuToolsGridCheck->trigger();
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
        Controlador().RegistrarAjusteCuadriculaManual("ColorChecker.cht",
                                                      "1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00");
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

        // While the run lasts the buttons are off and a second run does nothing.
        bool runEnabled = true;
        QTimer::singleShot(0, w, [&] {
            runEnabled = w->cmdRun->isEnabled() || w->cmdAuto->isEnabled();
            w->ReconocimientoConAjuste();
        });
        w->ReconocimientoAutomatico();
        QVERIFY(!runEnabled);
        QVERIFY(!Log().contains("Fiduciales manuales"));
        QVERIFY(w->cmdRun->isEnabled() && w->cmdAuto->isEnabled() && !w->EjecutandoScanin());

        const QString scanin = Carpetas().toolPath("scanin");
        QVERIFY(Log().contains("scanin: \"" + scanin + "\" -v -dion \"" + p.ImagenAjuste + "\" \"" +
                               kRef + "ColorChecker.cht\" \"" + kRef + "ColorChecker.cie\" \"" +
                               p.CarpetaTrabajoAjuste + "/grid_auto_diag.tif\""));
        QVERIFY(Log().contains("Ajuste manual de cuadrícula descartado: Reconocimiento automático "
                               "seleccionado.\nCrear perfil usará reconocimiento automático de "
                               "scanin para la carta: ColorChecker.cht"));
        QVERIFY(main_->FiducialesManuales.isEmpty());
        const QString copy = Carpetas().tmpFolder + "/ultimo_reconocimiento_cuadricula_auto.tif";
        QVERIFY(Log().endsWith("Diagnóstico de cuadrícula automático abierto: " + copy));
        QCOMPARE(w->txtInfo->toPlainText(), Texto("msg.grid_auto_done"));

        QPointer<frmGridCheck> check = Controlador().VentanaComprobacion();
        QVERIFY(check && check->isVisible());
        QCOMPARE(check->Imagen(), copy);
        QCOMPARE(check->AnchoImagen(), info.imageSize.width());
        QCOMPARE(check->txtInfo->toPlainText(), Texto("msg.gridcheck_desc"));
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
        w->ReconocimientoAutomatico();
        QVERIFY2(w->txtInfo->toPlainText().startsWith("scanin automático rc=1\n"),
                 qPrintable(w->txtInfo->toPlainText()));
        QVERIFY(w->txtInfo->toPlainText().contains("Pattern match wasn't good enough"));
        QVERIFY(Log().endsWith("scanin reconocimiento automático rc=1"));
        QVERIFY(Controlador().VentanaComprobacion() == nullptr);

        for (int i = 0; i < 4; ++i) {
            w->Marco().PuntosX[i] = info.fiducials[i].x();
            w->Marco().PuntosY[i] = info.fiducials[i].y();
        }
        const QString F = ListaFiduciales(w->Marco().PuntosX, w->Marco().PuntosY);
        QCOMPARE(F, info.fiducialArgument());
        w->ReconocimientoConAjuste();
        QCOMPARE(w->txtInfo->toPlainText(), Texto("msg.grid_manual_done"));
        QVERIFY(Log().contains("Fiduciales manuales scanin -F TL,TR,BR,BL: " + F));
        QVERIFY(Log().contains(" -v -F " + F + " -dion \"" + w->Parametros().ImagenAjuste));
        QVERIFY(Log().contains("Ajuste manual de cuadrícula guardado para crear perfil: -F " + F));
        QVERIFY(Log().endsWith("Diagnóstico de cuadrícula manual abierto: " + Carpetas().tmpFolder +
                               "/ultimo_reconocimiento_cuadricula_manual.tif"));
        QCOMPARE(main_->FiducialesManuales, F);
        QCOMPARE(main_->CartaAjusteManual, QString("colorchecker.cht"));
        QCOMPARE(main_->ImagenAjusteManual, main_->RutaImagenTarget.toLower());
        QVERIFY(Controlador().CuadriculaManualAplicable());

        // The next Create passes the same fiducials to scanin and reads the chart right.
        EntradaCreacion in = main_->controlCrear->LeerEntradas();
        in.destino = dir_->filePath("warped.icc");
        const ValidacionPerfil valid = ValidarDatosPerfil(in);
        QVERIFY2(valid.ok, qPrintable(valid.faltas));
        FrontEnd front;
        const EjecucionCreacion run = CrearPerfil(in, valid.referencia, *main_, front);
        QVERIFY2(run.fin == FinCreacion::Correcto, qPrintable(Log()));
        QVERIFY(Log().contains("Aplicando ajuste manual de cuadrícula al perfil: -F " + F));
        QVERIFY(Log().contains(" -v -F " + F + " -dion \""));
        QVERIFY(QFile::exists(in.destino));
        QCOMPARE(front.registrados.size(), 1);
        const double average = ErrorMedio(front.registrados.first().salidaVerificacion);
        QVERIFY2(average < 6, qPrintable(QString::number(average)));
        QVERIFY(front.registrados.first().avisoLectura.isEmpty());

        // The user picks another chart type: the adjustment is dropped and Create stops using it.
        main_->cboChart->setCurrentIndex(Catalogo().IndiceCarta("ColorCheckerPassport.cht"));
        QVERIFY(Log().contains("Ajuste manual de cuadrícula descartado: Cambio de tipo de carta."));
        QVERIFY(main_->FiducialesManuales.isEmpty());
        QVERIFY(!Controlador().CuadriculaManualAplicable());
        QVERIFY(!CuadriculaManualAplicable(main_->controlCrear->LeerEntradas()));

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
        const QString first = main_->RutaImagenTarget;
        main_->RutaImagenTarget = dir_->filePath("another.tif"); // loaded while the window is open
        QVERIFY(QFile::copy(first, main_->RutaImagenTarget));
        w->ReconocimientoConAjuste();
        QCOMPARE(main_->ImagenAjusteManual, first.toLower());
        QVERIFY(!Controlador().CuadriculaManualAplicable());
        main_->RutaImagenTarget = first;
        QVERIFY(Controlador().CuadriculaManualAplicable());
        dialogs_->answerMessage(Msg::Yes);
        w->close();
    }
};

QTEST_MAIN(TestGridIntegration)
#include "tst_gridintegration.moc"
