#include "profile/createcontroller.h"

#include "image/embeddedprofilecheck.h"
#include "image/frmimagencompleta.h"
#include "lang/aboutinfo.h"
#include "lang/texto.h"
#include "profile/createvalidation.h"
#include "profile/creationfrontendrelay.h"
#include "profile/failuremessage.h"
#include "profile/resultsmenu.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"
#include "shell/paths.h"
#include "shell/workfolderquestion.h"

#include <QEvent>
#include <QPushButton>

CreateController::CreateController(QWidget& window, QPushButton& boton,
                                   const FormularioCreacion& formulario, ActivityLog& log,
                                   ResultsMenu& results)
    : QObject(&window), window_(window), boton_(boton), formulario_(formulario), log_(log),
      results_(results), trabajo_(*this) {
    connect(&boton_, &QPushButton::clicked, this, &CreateController::cmdCreate_Click);
    window_.installEventFilter(this);
}

EntradaCreacion CreateController::LeerEntradas() const {
    const AppFolders& folders = Carpetas();
    EntradaCreacion in = formulario_.EntradasFormulario();
    in.carpetaPrograma = folders.programFolder;
    in.carpetaTmp = folders.tmpFolder;
    in.scanin = folders.toolPath(QStringLiteral("scanin"));
    in.colprof = folders.toolPath(QStringLiteral("colprof"));
    in.profcheck = folders.toolPath(QStringLiteral("profcheck"));
    return in;
}

void CreateController::cmdCreate_Click() {
    if (Ejecutando()) {
        CancelarCreacion();
        return;
    }
    Crear();
}

void CreateController::Crear() {
    EntradaCreacion in = LeerEntradas();
    const std::optional<QString> referencia = ComprobarEntradas(in);
    if (!referencia)
        return;
    in.destino = GuardarFichero(&window_, QStringLiteral("Perfiles ICC (*.icc;*.icm)|*.icc;*.icm"),
                                Texto(QStringLiteral("msg.save_profile_title")), in.carpetaPrograma,
                                QStringLiteral("icc"));
    if (in.destino.isEmpty()) {
        return;
    }
    const QString pisada = SalidaSobreEntrada(in, *referencia);
    if (!pisada.isEmpty()) {
        MsgBox(&window_, MensajeSalidaSobreEntrada(pisada), Msg::Exclamation,
               AboutInfo::kNombreProducto);
        log_.LogMsg(LineaLogSalidaSobreEntrada(pisada));
        return;
    }
    registro_.clear();
    abrirCuadriculaAlTerminar_ = false;
    trabajo_.Iniciar(
        [this, in, referencia = *referencia](ActivityLog& log, const CancelToken* cancel) {
            InterlocutorEnHiloPrincipal frontEnd(*this, trabajo_);
            return CrearPerfil(in, referencia, log, frontEnd, cancel);
        },
        [this](const EjecucionCreacion& run) { Terminar(run); });
    emit ejecucionCambiada(true);
    ActualizarBoton();
}

void CreateController::Terminar(const EjecucionCreacion& run) {
    ultima_ = run;
    emit ejecucionCambiada(false);
    ActualizarBoton();
    if (ultima_.fin == FinCreacion::Fallido)
        MostrarFallo();
    if (cerrarAlTerminar_) {
        window_.close();
    } else if (abrirCuadriculaAlTerminar_) {
        emit revisarCuadricula(); // the grid window starts runs of its own
    }
}

void CreateController::MostrarFallo() {
    MsgBox(&window_, TextoFalloCreacion(ultima_), Msg::Critical,
           Texto(QStringLiteral("fail.title")), UltimasLineas(registro_, 60));
    const QString diagnostico = ultima_.diagnosticoFallo;
    if (!diagnostico.isEmpty())
        MostrarImagenCompleta(&window_, diagnostico, NombreFichero(diagnostico),
                              Texto(QStringLiteral("results.diag_title")));
}

std::optional<QString> CreateController::ComprobarEntradas(const EntradaCreacion& in) {
    const ValidacionPerfil check = ValidarDatosPerfil(in);
    if (!check.ok) {
        MsgBox(&window_, MensajeFaltanDatos(check.faltas), Msg::Exclamation,
               Texto(QStringLiteral("msg.missing_data_title")));
        log_.LogMsg(LineaLogFaltanDatos(check.faltas));
        return std::nullopt;
    }
    if (!ComprobarICCIncrustado(in.imagen, log_, &window_))
        return std::nullopt;
    return check.referencia;
}

void CreateController::CancelarCreacion() {
    if (Ejecutando() && !trabajo_.Cancelado()) {
        trabajo_.Cancelar();
        log_.LogMsg(Texto(QStringLiteral("log.cancelling")));
    }
}

void CreateController::AplicarTextoBoton() {
    boton_.setText(
        Texto(Ejecutando() ? QStringLiteral("main.create_cancel") : QStringLiteral("main.create")));
}

void CreateController::ActualizarBoton() {
    AplicarTextoBoton();
    boton_.setEnabled(true);
}

bool CreateController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_ || event->type() != QEvent::Close || !Ejecutando()) {
        return QObject::eventFilter(watched, event);
    }
    event->ignore();
    const QString question = Texto(QStringLiteral("msg.exit_while_creating"));
    if (MsgBox(&window_, question, Msg::Question | Msg::YesNo | Msg::DefaultButton2,
               AboutInfo::kNombreProducto) == Msg::Yes) {
        cerrarAlTerminar_ = true;
        CancelarCreacion();
    }
    return true;
}

void CreateController::Avisar(const QString& text) {
    MsgBox(&window_, text, Msg::Exclamation, AboutInfo::kNombreProducto);
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
    abrirCuadriculaAlTerminar_ = MsgBox(&window_, text, Msg::Exclamation | Msg::YesNo,
                                        Texto(QStringLiteral("read.misread_title"))) == Msg::Yes;
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
    return ::PreguntarBorrarCarpeta(&window_, folder);
}

void CreateController::LogMsg(const QString& text) {
    registro_ += text + QLatin1Char('\n');
    log_.LogMsg(text);
}

void CreateController::AgregarSalidaLog(const QString& text) {
    registro_ += text;
    log_.AgregarSalidaLog(text);
}

void CreateController::MostrarEstado(const QString& text) {
    log_.MostrarEstado(text);
    // The busy status disables the button; during a run it stays enabled to cancel.
    if (Ejecutando()) {
        boton_.setEnabled(true);
    }
}
