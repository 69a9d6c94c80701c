#include "profile/createcontroller.h"

#include "image/embeddedprofilecheck.h"
#include "image/frmimagencompleta.h"
#include "lang/aboutinfo.h"
#include "lang/texto.h"
#include "profile/createvalidation.h"
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
      results_(results) {
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
    if (ejecutando_) {
        CancelarCreacion();
        return;
    }
    Crear();
    if (cerrarAlTerminar_) {
        QMetaObject::invokeMethod(&window_, &QWidget::close, Qt::QueuedConnection);
    }
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
    if (cancel_ != nullptr && !cancel_->cancelled()) {
        cancel_->cancel();
        log_.LogMsg(Texto(QStringLiteral("log.cancelling")));
    }
}

void CreateController::AplicarTextoBoton() {
    boton_.setText(
        Texto(ejecutando_ ? QStringLiteral("main.create_cancel") : QStringLiteral("main.create")));
}

void CreateController::ActualizarBoton() {
    AplicarTextoBoton();
    boton_.setEnabled(true);
}

bool CreateController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_ || event->type() != QEvent::Close || !ejecutando_) {
        return QObject::eventFilter(watched, event);
    }
    event->ignore();
    const QString question = Texto(QStringLiteral("msg.exit_while_creating"));
    if (MsgBox(&window_, question, Msg::Question + Msg::YesNo + Msg::DefaultButton2,
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
    if (MsgBox(&window_, text, Msg::Exclamation + Msg::YesNo,
               Texto(QStringLiteral("read.misread_title"))) == Msg::Yes) {
        // After the run has ended: the grid window starts runs of its own.
        QMetaObject::invokeMethod(this, &CreateController::revisarCuadricula, Qt::QueuedConnection);
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
    if (ejecutando_) {
        boton_.setEnabled(true);
    }
}
