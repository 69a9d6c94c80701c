#pragma once

#include "lang/textapplier.h"
#include "shell/toolrunner.h"

#include <QDialog>

#include <functional>
#include <memory>

class CajaLog;
class QPushButton;

// Base of the modal tool windows: their own log, a Close button, and one tool run at a time.
// While a run lasts its start button is disabled; closing the window then asks, stops the
// tool and closes once the run has ended.
class VentanaHerramienta : public QDialog, public TextApplier {
    Q_OBJECT

public:
    explicit VentanaHerramienta(QWidget* owner);

    bool Ejecutando() const { return ejecutando_; }

protected:
    // Runs work with `boton` disabled; work gets the token that closing the window fires.
    void Ejecutar(QPushButton* boton, const std::function<void(const CancelToken*)>& work);

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    CajaLog* txtLog = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    // True when the window may close now; during a run asks whether to stop it.
    bool PuedeCerrar();

    std::unique_ptr<CancelToken> cancel_;
    bool ejecutando_ = false;
    bool cerrarAlTerminar_ = false;
};
