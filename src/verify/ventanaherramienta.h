#pragma once

#include "lang/textapplier.h"
#include "shell/tooljob.h"

#include <QDialog>
#include <QList>

class CajaLog;
class QPushButton;

// Base of the modal tool windows: their own log, a Close button, and one tool run at a time
// on a worker thread. While a run lasts its start button and the inputs it read are disabled;
// closing the window then asks, stops the tool and closes once the run has ended.
class VentanaHerramienta : public QDialog, public TextApplier {
    Q_OBJECT

public:
    explicit VentanaHerramienta(QWidget* owner);

    bool Ejecutando() const { return trabajo_->Ejecutando(); }
    // The runs' worker; its terminado() follows each run's alTerminar.
    ToolJob& Trabajo() { return *trabajo_; }

protected:
    // Runs trabajo(log, cancel) on a worker with `bloqueados` disabled, then alTerminar(its
    // result) here; nothing while a run is going.
    template <typename Trabajo, typename Fin>
    void Ejecutar(const QList<QWidget*>& bloqueados, Trabajo trabajo, Fin alTerminar) {
        if (trabajo_->Iniciar(std::move(trabajo), [this, alTerminar](const auto& resultado) {
                alTerminar(resultado);
                Terminado();
            }))
            Bloquear(bloqueados);
    }

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    CajaLog* txtLog = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    void Bloquear(const QList<QWidget*>& bloqueados);
    void Terminado();
    // True when the window may close now; during a run asks whether to stop it.
    bool PuedeCerrar();

    // Logs into txtLog; as a member it ends (stopping a run) before the log goes.
    std::unique_ptr<ToolJob> trabajo_;
    QList<QWidget*> bloqueados_;
    bool cerrarAlTerminar_ = false;
};
