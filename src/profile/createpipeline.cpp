#include "profile/createpipeline.h"

#include "lang/texto.h"
#include "profile/autoverify.h"
#include "profile/capturechecks.h"
#include "profile/chartreading.h"
#include "profile/colprofversion.h"
#include "profile/createvalidation.h"
#include "profile/creationfrontend.h"
#include "profile/destinationcheck.h"
#include "profile/keptfiles.h"
#include "profile/profilecommands.h"
#include "profile/profileinstall.h"
#include "profile/scaninprep.h"
#include "shell/activitylog.h"
#include "shell/paths.h"
#include "shell/toolrunner.h"
#include "shell/workfolders.h"

#include <QElapsedTimer>
#include <QFile>

namespace {

class Creacion {
public:
    Creacion(const EntradaCreacion& in, const QString& referencia, ActivityLog& log,
             InterlocutorCreacion& frontEnd, const CancelToken* cancel)
        : in_(in), referencia_(referencia), log_(log), frontEnd_(frontEnd), cancel_(cancel) {}

    EjecucionCreacion Ejecutar() {
        log_.MostrarEstado(Texto(QStringLiteral("status.preparing_profile")));
        if (ComprobarDestino() && Preparar() && Leer() && Perfilar()) {
            Resultados();
        }
        Limpiar();
        return run_;
    }

private:
    bool Cancelado() const { return cancel_ != nullptr && cancel_->cancelled(); }

    // Before any tool runs: a destination that cannot take the profile would be found only
    // after minutes of scanin and colprof.
    bool ComprobarDestino() {
        const QString problema = ProblemaDestino(in_);
        return problema.isEmpty() || Fallar(problema);
    }

    // The chart file, the TIFF scanin reads (turned for a portrait QPcard 202), a fresh work
    // folder and the image copied into it.
    bool Preparar() {
        run_.paso = PasoCreacion::Preparacion;
        if (!QFile::exists(in_.carta)) {
            return Fallar(Texto(QStringLiteral("log.no_chart")) + in_.carta);
        }
        const QString pisada = SalidaSobreEntrada(in_, referencia_);
        if (!pisada.isEmpty()) {
            return Fallar(LineaLogSalidaSobreEntrada(pisada));
        }
        QString tiff;
        QString error;
        if (!PrepararTiffScanin(in_.imagen, in_.carpetaTmp, tiff, convertido_, error, log_) ||
            !OrientarQPcard202(in_.ficheroCarta, in_.carpetaTmp, tiff, rotado_, error, log_)) {
            return Fallar(error);
        }
        if (Cancelado()) {
            return false;
        }
        run_.carpetaTrabajo = CrearCarpetaTrabajo(in_.carpetaTmp);
        if (run_.carpetaTrabajo.isEmpty()) {
            return Fallar(Texto(QStringLiteral("log.no_work_folder")));
        }
        // Work names derived from a long image name still fit.
        const QString nombre = NombreFichero(tiff);
        const QString sufijoDiag = QStringLiteral("_scanin_diag.tif");
        base_ = BaseQueCabe(run_.carpetaTrabajo + QLatin1Char('/') + QuitarExtension(nombre),
                            sufijoDiag);
        copia_ = base_ + nombre.mid(QuitarExtension(nombre).size());
        if (!CopiarImagen(tiff)) {
            return false;
        }
        ti3_ = base_ + QStringLiteral(".ti3");
        diag_ = base_ + sufijoDiag;
        return true;
    }

    // A temporary TIFF of this run is moved into the work folder (it is as large as the
    // image); the user's own TIFF is copied.
    bool CopiarImagen(const QString& tiff) {
        const bool temporal = tiff == convertido_ || tiff == rotado_;
        QFile file(tiff);
        if (temporal ? file.rename(copia_) : file.copy(copia_)) {
            return true;
        }
        return Fallar(Texto(QStringLiteral("log.copy_failed")) + copia_ + QStringLiteral(" -> ") +
                      file.errorString());
    }

    // Runs one tool with its output in the log; false when it was cancelled.
    bool Herramienta(const CommandLine& command, int& rc) {
        QElapsedTimer clock;
        clock.start();
        const ToolResult result = EjecutarTool(command, run_.carpetaTrabajo, &log_, cancel_);
        run_.msHerramientas += clock.elapsed();
        rc = result.exitCode;
        run_.lineaHerramienta = rc == 0 ? QString() : LineaErrorHerramienta(result.output);
        return !result.cancelled && !Cancelado();
    }

    // scanin reads the chart into the TI3, trying harder when its own recognition fails or
    // gives a reading that does not fit the reference; the capture is checked on the reading.
    bool Leer() {
        run_.paso = PasoCreacion::Lectura;
        log_.MostrarEstado(Texto(QStringLiteral("status.scanin_reading")));
        log_.LogMsg(Texto(QStringLiteral("log.creating")));
        log_.LogMsg(Texto(QStringLiteral("log.chart")) + in_.carta);
        log_.LogMsg(Texto(QStringLiteral("log.work_copy")) + copia_);
        if (CuadriculaManualAplicable(in_)) {
            log_.LogMsg(Texto(QStringLiteral("log.manual_grid")) + in_.fiducialesManuales);
        }
        QElapsedTimer clock;
        clock.start();
        run_.lectura =
            LeerCarta(in_, referencia_, copia_, ti3_, diag_, run_.carpetaTrabajo, log_, cancel_);
        run_.msHerramientas += clock.elapsed();
        run_.rcScanin = run_.lectura.rc;
        if (run_.lectura.cancelada || Cancelado()) {
            return false;
        }
        if (!run_.lectura.leida) {
            run_.lineaHerramienta = run_.lectura.error;
            Fallar(run_.lectura.motivo);
            QString error; // the run has failed already; a diagnostic not kept is logged
            run_.diagnosticoFallo = GuardarDiagJuntoPerfil(
                diag_, in_.destino, in_.guardarDiagJuntoPerfil, in_.carpetaTmp, log_, error);
            frontEnd_.MostrarDiagnosticoFallido(run_.diagnosticoFallo);
            return false;
        }
        ResultadoCreacion& r = run_.resultado;
        if (!run_.lectura.plausible) {
            r.avisoLectura = Texto(QStringLiteral("read.misread_warning"))
                                 .arg(run_.lectura.ajuste.error, 0, 'f', 1);
            log_.LogMsg(r.avisoLectura);
        }
        QList<PatchReading> parches;
        QString error;
        if (ReadTi3Patches(ti3_, &parches, &error)) {
            r.avisosCaptura = CheckCapture(parches);
        }
        for (const CaptureWarning& w : r.avisosCaptura) {
            log_.LogMsg(w.text);
        }
        return true;
    }

    // colprof builds the profile, which then replaces the chosen file.
    bool Perfilar() {
        run_.paso = PasoCreacion::Calculo;
        log_.MostrarEstado(Texto(QStringLiteral("status.colprof")));
        QElapsedTimer clock;
        clock.start();
        const int version = VersionColprof(in_.colprof);
        run_.msHerramientas += clock.elapsed();
        const ComandoColprof colprof = ConstruirComandoColprof(in_, version, base_);
        for (const QString& warning : colprof.avisos) {
            frontEnd_.Avisar(warning);
        }
        if (Cancelado()) {
            return false;
        }
        log_.LogMsg(QStringLiteral("colprof: ") + colprof.command.display);
        int rc = -1;
        const bool terminado = Herramienta(colprof.command, rc);
        run_.rcColprof = rc;
        if (!terminado) {
            return false;
        }
        if (rc != 0) {
            Fallar(QStringLiteral("colprof rc=") + QString::number(rc));
            ConservadoAnterior();
            return false;
        }
        QString producido = base_ + QStringLiteral(".icc");
        if (!QFile::exists(producido)) {
            producido = base_ + QStringLiteral(".icm");
        }
        if (!QFile::exists(producido)) {
            Fallar(Texto(QStringLiteral("log.colprof_no_profile")) + base_);
            ConservadoAnterior();
            return false;
        }
        run_.paso = PasoCreacion::Guardado;
        QString error;
        if (!InstalarPerfil(producido, in_.destino, error)) {
            Fallar(Texto(QStringLiteral("log.save_failed")).arg(in_.destino, error));
            ConservadoAnterior();
            return false;
        }
        log_.LogMsg(Texto(QStringLiteral("log.saved")) + in_.destino);
        run_.resultado.perfil = in_.destino;
        return true;
    }

    // A failed step: its log line, kept as the reason of the run's failure.
    bool Fallar(const QString& line) {
        log_.LogMsg(line);
        run_.motivo = line;
        return false;
    }

    void ConservadoAnterior() {
        if (QFile::exists(in_.destino)) {
            log_.LogMsg(Texto(QStringLiteral("log.previous_kept")) + in_.destino);
        }
    }

    // By-products, automatic verification, state, summary.
    void Resultados() {
        run_.paso = PasoCreacion::Resultados;
        log_.MostrarEstado(Texto(QStringLiteral("status.saving_results")));
        ResultadoCreacion& r = run_.resultado;
        QString error;
        const QString ti3 = GuardarTi3JuntoPerfil(ti3_, in_.destino, in_.guardarTi3JuntoPerfil,
                                                  in_.carpetaTmp, log_, error);
        (in_.guardarTi3JuntoPerfil ? r.ti3 : r.ti3Ultimo) = ti3;
        r.diagnostico = GuardarDiagJuntoPerfil(diag_, in_.destino, in_.guardarDiagJuntoPerfil,
                                               in_.carpetaTmp, log_, error);
        // A file the user asked for that could not be kept fails the run.
        if (!error.isEmpty()) {
            run_.motivo = error;
            return;
        }
        QElapsedTimer clock;
        clock.start();
        const VerificacionAuto check = VerificarPerfilAuto(in_.profcheck, ti3_, in_.destino,
                                                           run_.carpetaTrabajo, log_, cancel_);
        run_.msHerramientas += clock.elapsed();
        run_.rcProfcheck = check.rc;
        r.verificacion = check.resumen;
        r.salidaVerificacion = check.salida;
        r.media2000 = check.media2000;
        r.maximo2000 = check.maximo2000;
        frontEnd_.RegistrarResultados(r);
        if (Cancelado()) {
            return;
        }
        log_.MostrarEstado(QString());
        frontEnd_.MostrarResumenResultados(r);
        if (!r.avisoLectura.isEmpty()) {
            frontEnd_.AvisarLecturaSospechosa(r);
        }
        frontEnd_.AbrirVerificacionAuto(r);
        run_.fin = FinCreacion::Correcto;
    }

    // Clean-up, reached from every step.
    void Limpiar() {
        BorrarFicheroSiHay(convertido_);
        BorrarFicheroSiHay(rotado_);
        log_.MostrarEstado(QString());
        if (Cancelado()) {
            run_.fin = FinCreacion::Cancelado;
            run_.motivo = run_.resultado.perfil.isEmpty()
                              ? Texto(QStringLiteral("log.cancelled"))
                              : Texto(QStringLiteral("log.cancelled_verifying"));
            log_.LogMsg(run_.motivo);
            return;
        }
        if (run_.fin != FinCreacion::Correcto) {
            return;
        }
        if (frontEnd_.PreguntarBorrarCarpeta(run_.carpetaTrabajo)) {
            BorrarCarpetaTrabajo(run_.carpetaTrabajo, log_);
        } else {
            log_.LogMsg(Texto(QStringLiteral("log.work_folder_kept")) + run_.carpetaTrabajo);
        }
    }

    const EntradaCreacion& in_;
    const QString referencia_;
    ActivityLog& log_;
    InterlocutorCreacion& frontEnd_;
    const CancelToken* cancel_;
    EjecucionCreacion run_;
    QString convertido_; // temporary TIFF conversion
    QString rotado_;     // temporary rotated TIFF
    QString copia_;      // image copy in the work folder
    QString base_;
    QString ti3_;
    QString diag_;
};

} // namespace

EjecucionCreacion CrearPerfil(const EntradaCreacion& in, const QString& referencia,
                              ActivityLog& log, InterlocutorCreacion& frontEnd,
                              const CancelToken* cancel) {
    return Creacion(in, referencia, log, frontEnd, cancel).Ejecutar();
}
