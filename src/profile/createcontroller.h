#pragma once

#include "profile/createpipeline.h"
#include "profile/creationform.h"
#include "profile/creationfrontend.h"
#include "profile/creationinputs.h"
#include "shell/activitylog.h"
#include "shell/tooljob.h"

#include <QObject>

#include <optional>

class QPushButton;
class QWidget;
class ResultsMenu;

// The Create button of the main window. Pressing it reads the inputs once, checks them,
// asks where to save, and runs the profile pipeline on a worker thread while the tools' output
// streams into the log; the pipeline's questions are asked here. During a run the button
// cancels it and the inputs are locked; closing the main window during a run asks, stops the
// tool, lets the run clean up and then closes.
class CreateController : public QObject, private InterlocutorCreacion, private ActivityLog {
    Q_OBJECT

public:
    // window: the main window, owner of the dialogs, whose closing a run holds up; boton: its
    // Create button; formulario: where the inputs come from; log: its activity log.
    CreateController(QWidget& window, QPushButton& boton, const FormularioCreacion& formulario,
                     ActivityLog& log, ResultsMenu& results);

    bool Ejecutando() const { return trabajo_.Ejecutando(); }
    // The run's worker; its terminado() follows each run, after the failure message.
    ToolJob& Trabajo() { return trabajo_; }
    // The last run (for the caller that wants its outcome or timings).
    const EjecucionCreacion& UltimaEjecucion() const { return ultima_; }

    // Everything a run reads, as the window shows it now, with the folders and tools (also
    // read by grid adjustment).
    EntradaCreacion LeerEntradas() const;
    // Lists every missing input in one message and the log, then asks about an embedded
    // profile; empty when the run must not go on, else the reference to use.
    std::optional<QString> ComprobarEntradas(const EntradaCreacion& in);

    void cmdCreate_Click();
    // Stops a running tool; the run then ends in its clean-up step.
    void CancelarCreacion();
    // The button's caption in the current language: Cancel while a run is going, else Create.
    void AplicarTextoBoton();

signals:
    // The user wants to check the chart's grid after a doubtful reading; raised once the run
    // has ended.
    void revisarCuadricula();
    // A run starts (true) or has ended (false): the window locks the run's inputs meanwhile.
    void ejecucionCambiada(bool ejecutando);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Crear();
    void Terminar(const EjecucionCreacion& run);
    // The caption for the run's state, the button enabled.
    void ActualizarBoton();
    // A run that failed: its message with the log behind it, then its diagnostic image.
    void MostrarFallo();

    // InterlocutorCreacion
    void Avisar(const QString& text) override;
    void RegistrarResultados(const ResultadoCreacion& r) override;
    void MostrarResumenResultados(const ResultadoCreacion& r) override;
    void AvisarLecturaSospechosa(const ResultadoCreacion& r) override;
    void MostrarDiagnosticoFallido(const QString& diagnostico) override;
    void AbrirVerificacionAuto(const ResultadoCreacion& r) override;
    bool PreguntarBorrarCarpeta(const QString& folder) override;

    // ActivityLog: forwards to the main window and keeps the button a Cancel button.
    void LogMsg(const QString& text) override;
    void AgregarSalidaLog(const QString& text) override;
    void MostrarEstado(const QString& text) override;

    QWidget& window_;
    QPushButton& boton_;
    const FormularioCreacion& formulario_;
    ActivityLog& log_;
    ResultsMenu& results_;
    ToolJob trabajo_;
    bool cerrarAlTerminar_ = false;
    bool abrirCuadriculaAlTerminar_ = false;
    EjecucionCreacion ultima_;
    QString registro_; // the log of the run going on or last ended
};
