#include "verify/ventanaherramienta.h"

#include "shell/dialogs.h"
#include "verify/cajalog.h"

#include <QCloseEvent>
#include <QPushButton>

VentanaHerramienta::VentanaHerramienta(QWidget* owner) : QDialog(owner) {
    txtLog = new CajaLog(this);
    txtLog->setObjectName(QStringLiteral("txtLog"));
    cmdClose = new QPushButton(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    connect(cmdClose, &QPushButton::clicked, this, &VentanaHerramienta::close);
}

void VentanaHerramienta::Ejecutar(QPushButton* boton,
                                  const std::function<void(const CancelToken*)>& work) {
    if (ejecutando_)
        return;
    ejecutando_ = true;
    cancel_ = std::make_unique<CancelToken>();
    boton->setEnabled(false);
    work(cancel_.get());
    boton->setEnabled(true);
    ejecutando_ = false;
    if (cerrarAlTerminar_) {
        cerrarAlTerminar_ = false;
        QDialog::reject();
    }
}

bool VentanaHerramienta::PuedeCerrar() {
    if (!ejecutando_)
        return true;
    if (!cerrarAlTerminar_ && PreguntarDetenerHerramienta(this, windowTitle())) {
        cerrarAlTerminar_ = true;
        cancel_->cancel();
    }
    return false;
}

void VentanaHerramienta::closeEvent(QCloseEvent* event) {
    if (PuedeCerrar())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void VentanaHerramienta::reject() {
    if (PuedeCerrar())
        QDialog::reject();
}
