#include "profile/createcontroller.h"

#include "charts/chartcatalog.h"
#include "charts/referencepanel.h"
#include "image/embeddedprofilecheck.h"
#include "image/frmimagencompleta.h"
#include "lang/texto.h"
#include "profile/createvalidation.h"
#include "profile/failuremessage.h"
#include "profile/resultsmenu.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"
#include "shell/frmmain.h"
#include "shell/paths.h"
#include "shell/workfolderquestion.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

CreateController::CreateController(frmMain& main, ResultsMenu& results)
    : QObject(&main), main_(main), results_(results) {
    connect(main_.cmdCreate, &QPushButton::clicked, this, &CreateController::cmdCreate_Click);
    main_.installEventFilter(this);
}

EntradaCreacion CreateController::LeerEntradas() const {
    const ChartCatalog& catalogo = Catalogo();
    const AppFolders& folders = Carpetas();
    EntradaCreacion in;
    in.imagen = main_.RutaImagenTarget;
    if (main_.optFRGenerico->isChecked()) {
        in.tipoReferencia = EntradaCreacion::Generica;
    } else if (main_.optPersoanlizado->isChecked()) {
        in.tipoReferencia = EntradaCreacion::Personalizada;
    }
    in.referenciaGenerica = catalogo.RutaReferenciaGenerica(main_.cboGenericRef->currentIndex());
    in.referenciaPersonalizada = main_.RutaReferenciaPersonalizada;
    in.carta = catalogo.RutaCarta(main_.cboChart->currentIndex());
    in.ficheroCarta = catalogo.FicheroCarta(main_.cboChart->currentIndex());
    in.gamma = main_.txtGamma->currentText();
    in.perspectiva = main_.chkPerspective->isChecked();
    in.fiducialesManuales = main_.FiducialesManuales;
    in.cartaAjusteManual = main_.CartaAjusteManual;
    in.imagenAjusteManual = main_.ImagenAjusteManual;
    in.fabricante = main_.txtScanner->text();
    in.modelo = main_.txtModel->text();
    in.descripcion = main_.txtDescription->text();
    in.copyright = main_.txtCopyright->text();
    in.calidad = main_.cboQuality->currentIndex();
    in.algoritmo = main_.cboAlgorithm->currentIndex();
    in.intento = main_.cboIntent->currentIndex();
    in.puntoBlanco = main_.txtWhitePoint->currentText();
    in.sombras = main_.txtDarkAreas->currentText();
    in.guardarTi3JuntoPerfil = main_.mnuResultsSaveTi3WithProfile->isChecked();
    in.guardarDiagJuntoPerfil = main_.mnuResultsAutoScaninDiag->isChecked();
    in.carpetaPrograma = folders.programFolder;
    in.carpetaTmp = folders.tmpFolder;
    in.scanin = folders.toolPath(QStringLiteral("scanin"));
    in.colprof = folders.toolPath(QStringLiteral("colprof"));
    in.profcheck = folders.toolPath(QStringLiteral("profcheck"));
    return in;
}

void CreateController::cmdCreate_Click() {
    if (ejecutando_) {
        CancelarCreacion();
        return;
    }
    Crear();
    if (cerrarAlTerminar_) {
        QMetaObject::invokeMethod(&main_, &QWidget::close, Qt::QueuedConnection);
    }
}

void CreateController::Crear() {
    main_.panelReferencia->ActualizarPanelReferencia();
    EntradaCreacion in = LeerEntradas();
    const std::optional<QString> referencia = ComprobarEntradas(in);
    if (!referencia)
        return;
    in.destino = GuardarFichero(&main_, QStringLiteral("Perfiles ICC (*.icc;*.icm)|*.icc;*.icm"),
                                Texto(QStringLiteral("msg.save_profile_title")), in.carpetaPrograma,
                                QStringLiteral("icc"));
    if (in.destino.isEmpty()) {
        return;
    }
    const QString pisada = SalidaSobreEntrada(in, *referencia);
    if (!pisada.isEmpty()) {
        MsgBox(&main_, MensajeSalidaSobreEntrada(pisada), Msg::Exclamation, main_.NombreProducto);
        main_.LogMsg(LineaLogSalidaSobreEntrada(pisada));
        return;
    }
    CancelToken cancel;
    cancel_ = &cancel;
    ejecutando_ = true;
    registro_.clear();
    ActualizarBoton();
    ultima_ = CrearPerfil(in, *referencia, *this, *this, &cancel);
    ejecutando_ = false;
    cancel_ = nullptr;
    ActualizarBoton();
    if (ultima_.fin == FinCreacion::Fallido)
        MostrarFallo();
}

void CreateController::MostrarFallo() {
    MsgBox(&main_, TextoFalloCreacion(ultima_), Msg::Critical, Texto(QStringLiteral("fail.title")),
           UltimasLineas(registro_, 60));
    const QString diagnostico = ultima_.diagnosticoFallo;
    if (!diagnostico.isEmpty())
        MostrarImagenCompleta(&main_, diagnostico, NombreFichero(diagnostico),
                              Texto(QStringLiteral("results.diag_title")));
}

std::optional<QString> CreateController::ComprobarEntradas(const EntradaCreacion& in) {
    const ValidacionPerfil check = ValidarDatosPerfil(in);
    if (!check.ok) {
        MsgBox(&main_, MensajeFaltanDatos(check.faltas), Msg::Exclamation,
               Texto(QStringLiteral("msg.missing_data_title")));
        main_.LogMsg(LineaLogFaltanDatos(check.faltas));
        return std::nullopt;
    }
    if (!ComprobarICCIncrustado(in.imagen, main_, &main_))
        return std::nullopt;
    return check.referencia;
}

void CreateController::CancelarCreacion() {
    if (cancel_ != nullptr && !cancel_->cancelled()) {
        cancel_->cancel();
        main_.LogMsg(Texto(QStringLiteral("log.cancelling")));
    }
}

void CreateController::AplicarTextoBoton() {
    main_.cmdCreate->setText(
        Texto(ejecutando_ ? QStringLiteral("main.create_cancel") : QStringLiteral("main.create")));
}

void CreateController::ActualizarBoton() {
    AplicarTextoBoton();
    main_.cmdCreate->setEnabled(true);
}

bool CreateController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &main_ || event->type() != QEvent::Close || !ejecutando_) {
        return QObject::eventFilter(watched, event);
    }
    event->ignore();
    const QString question = Texto(QStringLiteral("msg.exit_while_creating"));
    if (MsgBox(&main_, question, Msg::Question | Msg::YesNo | Msg::DefaultButton2,
               main_.NombreProducto) == Msg::Yes) {
        cerrarAlTerminar_ = true;
        CancelarCreacion();
    }
    return true;
}

void CreateController::Avisar(const QString& text) {
    MsgBox(&main_, text, Msg::Exclamation, main_.NombreProducto);
}

void CreateController::RegistrarResultados(const ResultadoCreacion& r) {
    results_.RegistrarResultados(r);
}

void CreateController::MostrarResumenResultados(const ResultadoCreacion& r) {
    results_.MostrarResumenResultados(r);
}

void CreateController::AvisarLecturaSospechosa(const ResultadoCreacion& r) {
    const QString text =
        r.avisoLectura + QStringLiteral("\n\n") + Texto(QStringLiteral("read.misread_question"));
    if (MsgBox(&main_, text, Msg::Exclamation | Msg::YesNo,
               Texto(QStringLiteral("read.misread_title"))) == Msg::Yes) {
        // After the run has ended: the grid window starts runs of its own.
        QMetaObject::invokeMethod(main_.mnuToolsGridCheck, &QAction::trigger, Qt::QueuedConnection);
    }
}

void CreateController::MostrarDiagnosticoFallido(const QString& diagnostico) {
    // The picture opens after the run's failure message, which announces it.
    if (!diagnostico.isEmpty())
        LogMsg(Texto(QStringLiteral("read.failed_diagnostic")).arg(diagnostico));
}

void CreateController::AbrirVerificacionAuto(const ResultadoCreacion&) {
    results_.AbrirVerificacionAuto();
}

bool CreateController::PreguntarBorrarCarpeta(const QString& folder) {
    return ::PreguntarBorrarCarpeta(&main_, folder);
}

void CreateController::LogMsg(const QString& text) {
    registro_ += text + QLatin1Char('\n');
    main_.LogMsg(text);
}

void CreateController::AgregarSalidaLog(const QString& text) {
    registro_ += text;
    main_.AgregarSalidaLog(text);
}

void CreateController::MostrarEstado(const QString& text) {
    main_.MostrarEstado(text);
    // The busy status disables the button; during a run it stays enabled to cancel.
    if (ejecutando_) {
        main_.cmdCreate->setEnabled(true);
    }
}
