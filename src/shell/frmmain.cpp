#include "shell/frmmain.h"

#include "charts/referencepanel.h"
#include "grid/gridcontroller.h"
#include "image/targetimage.h"
#include "lang/aboutinfo.h"
#include "lang/frmacercade.h"
#include "lang/helpmenu.h"
#include "lang/hoverhelp.h"
#include "lang/languageswitch.h"
#include "lang/qttranslations.h"
#include "lang/texto.h"
#include "lang/windowplacement.h"
#include "profile/createcontroller.h"
#include "profile/resultsmenu.h"
#include "shell/appfolders.h"
#include "shell/closewindows.h"
#include "shell/dialogs.h"
#include "shell/mainsettings.h"
#include "shell/workfolders.h"
#include "verify/frmcolverify.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

namespace {

// Clean-up steps at exit must not stop the program from ending.
template <typename Step> void SinErrores(Step step) {
    try {
        step();
    } catch (...) {
    }
}

constexpr int kMaxLineasLog = 200000;

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    CrearMenus();
    CrearControles();
    ConectarMenus();
    CrearControladores();
    // Tool output that never stops cannot fill the memory; the log keeps its last lines.
    txtLog->setMaximumBlockCount(kMaxLineasLog);
    ConectarAyudaFlotante();
    cronometro_ = new QTimer(this);
    cronometro_->setInterval(1000);
    connect(cronometro_, &QTimer::timeout, this, &frmMain::MostrarTiempo);
    // Roomy on a usual desktop, most of a large screen (the pictures and the log take the extra
    // room), never larger than the screen.
    const QSize pantalla = QGuiApplication::primaryScreen()->availableGeometry().size();
    resize(TamanoEnPantalla(QSize(1240, 780).expandedTo(pantalla * 0.85), pantalla));
}

frmMain::~frmMain() {
    // The helpers watching these widgets are deleted after them, with this window half gone:
    // they stop watching first.
    picPreview->removeEventFilter(imagenTarget);
    picTipoCartaColor->removeEventFilter(panelReferencia);
}

void frmMain::CrearControladores() {
    panelReferencia = new ReferencePanel(*this,
                                         {cboChart, cboGenericRef, optFRGenerico, optPersoanlizado,
                                          cmdLoadRef, mnuFileOpenRef, txtRef, picTipoCartaColor},
                                         *this);
    menuResultados =
        new ResultsMenu(*this,
                        {mnuResultsAutoScaninDiag, mnuResultsSaveTi3WithProfile, mnuResultsSummary,
                         mnuResultsOpenFolder, mnuResultsViewDiag, mnuResultsVerify},
                        *this);
    controlCrear = new CreateController(*this, *cmdCreate, *this, *this, *menuResultados);
    controlCuadricula = new GridController(*this, *mnuToolsGridCheck, *this, *controlCrear);
    imagenTarget =
        new TargetImage(*this, {cmdLoadImage, mnuFileOpenTarget, txtImage, picPreview}, *this);
    // A new chart image or chart type: the corners stored for the old one no longer apply.
    connect(imagenTarget, &TargetImage::imagenCambiada, controlCuadricula, [this] {
        controlCuadricula->DescartarAjusteManual(Texto(QStringLiteral("log.target_changed")));
    });
    connect(panelReferencia, &ReferencePanel::cartaCambiada, controlCuadricula, [this] {
        controlCuadricula->DescartarAjusteManual(Texto(QStringLiteral("log.chart_changed")));
    });
    connect(controlCrear, &CreateController::revisarCuadricula, controlCuadricula,
            &GridController::AbrirAjusteCuadricula);
    connect(controlCrear, &CreateController::ejecucionCambiada, this, &frmMain::BloquearEntradas);
    // Create would prepare the same image in the same tmp folder.
    connect(controlCuadricula, &GridController::preparacionCambiada, this, [this](bool enCurso) {
        BloquearEntradas(enCurso);
        cmdCreate->setEnabled(!enCurso);
        if (enCurso)
            setCursor(Qt::BusyCursor);
        else
            unsetCursor();
    });
    connect(mnuResultsScaninDiag, &QAction::triggered, this, &frmMain::AbrirScaninDiag);
    connect(mnuResultsColVerify, &QAction::triggered, this,
            [this] { frmColVerify::Mostrar(this); });
}

void frmMain::ConectarMenus() {
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuHelpContents, &QAction::triggered, this, [this] { AbrirAyuda(this); });
    connect(mnuHelpArgyllCMS, &QAction::triggered, this,
            [this] { AbrirDocumentacionArgyll(this); });
    connect(mnuAcercaDe, &QAction::triggered, this,
            [this] { MostrarAcercaDe(this, InfoPrograma{}); });
    const std::pair<QAction*, const char*> idiomas[] = {
        {mnuLanguageES, "es"}, {mnuLanguageEN, "en"}, {mnuLanguageFR, "fr"}, {mnuLanguageIT, "it"}};
    for (const auto& [item, code] : idiomas) {
        const QString codigo = QString::fromLatin1(code);
        connect(item, &QAction::triggered, this,
                [this, codigo] { CambiarIdioma(codigo, RutaIniAjustes); });
    }
}

void frmMain::Form_Load() {
    const AppFolders& folders = Carpetas();
    LimpiarCarpetaTmp(folders.tmpFolder);
    RutaIniAjustes = UbicarFicheroAjustes(folders.settingsFile(), folders.legacySettingsFile());
    CargarIdioma(RutaIniAjustes);
    CargarTraduccionesQt();
    // FreeImage is linked at build time: there is no library to load or to miss.
    RellenarOpciones();
    CargarAjustes();
    AplicarTextosMain();
    menuResultados->ActualizarMenuResultados();
    panelReferencia->DibujarImagenCarta();
    LogMsg(Texto(QStringLiteral("log.ready")));
}

void frmMain::Form_Unload() {
    if (descargando_)
        return;
    descargando_ = true;
    SinErrores([this] { DescargarFormularios(this); });
    SinErrores([this] { ayudaFlotante->OcultarAyudaTema(); });
    SinErrores([this] { GuardarAjustes(); });
    SinErrores([] { LimpiarCarpetaTmp(Carpetas().tmpFolder); });
    emit descargado();
}

bool frmMain::PreguntarSalir() {
    const QString question =
        Texto(QStringLiteral("msg.exit_question")).arg(AboutInfo::kNombreProducto);
    return MsgBox(this, question, Msg::Question | Msg::YesNo | Msg::DefaultButton2,
                  AboutInfo::kNombreProducto) == Msg::Yes;
}

void frmMain::mnuExit_Click() {
    if (!PreguntarSalir())
        return;
    close(); // from code: closeEvent does not ask again
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Only the close box asks; a close from code (after mnuExit) or from the session manager
    // does not, so the question is never asked twice.
    if (event->spontaneous() && !descargando_) {
        if (!PreguntarSalir()) {
            event->ignore();
            return;
        }
    }
    // The clean-up at exit would delete the files the grid preparation is writing.
    if (controlCuadricula->CerrarTrasPreparacion()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmMain::LogMsg(const QString& text) {
    Anadir(textoLog_.Entrada(text, txtLog->document()->isEmpty()));
}

void frmMain::AgregarSalidaLog(const QString& text) {
    Anadir(textoLog_.Salida(text));
}

void frmMain::Anadir(const QString& chunk) {
    if (chunk.isEmpty())
        return;
    txtLog->moveCursor(QTextCursor::End);
    txtLog->insertPlainText(chunk);
    txtLog->moveCursor(QTextCursor::End);
    txtLog->ensureCursorVisible();
}

void frmMain::MostrarTiempo() {
    const qint64 s = reloj_.elapsed() / 1000;
    lblTiempo->setText(QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0')));
}

void frmMain::MostrarEstado(const QString& text) {
    if (!text.isEmpty()) {
        if (!reloj_.isValid()) { // the steps of one run share one clock
            reloj_.start();
            cronometro_->start();
        }
        MostrarTiempo();
        lblMeta->setText(text);
        lblMeta->show();
        prgOcupado->show();
        cmdCreate->setEnabled(false);
        setCursor(Qt::WaitCursor);
        LogMsg(text);
    } else {
        reloj_.invalidate();
        cronometro_->stop();
        lblMeta->hide();
        lblMeta->clear();
        lblTiempo->clear();
        prgOcupado->hide();
        cmdCreate->setEnabled(true);
        unsetCursor();
    }
}

void frmMain::BloquearEntradas(bool bloquear) {
    // The frames, not their controls: the reference panel sets its controls' own state.
    for (QWidget* w :
         std::initializer_list<QWidget*>{fraTargetImage, fraReference, fraCorrections, fraTweaks,
                                         cboChart, fraProfileInfo, fraProfileOptions})
        w->setEnabled(!bloquear);
    for (QAction* a :
         {mnuFileOpenTarget, mnuFileOpenRef, mnuToolsGridCheck, mnuResults->menuAction()})
        a->setEnabled(!bloquear);
}
