#include "verify/ventanaherramienta.h"

#include "shell/dialogs.h"
#include "verify/cajalog.h"

#include <QCloseEvent>
#include <QPushButton>

VentanaHerramienta::VentanaHerramienta(QWidget* owner) : QDialog(owner) {
    txtLog = new CajaLog(this);
    txtLog->setObjectName(QStringLiteral("txtLog"));
    trabajo_ = std::make_unique<ToolJob>(*txtLog);
    cmdClose = new QPushButton(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    connect(cmdClose, &QPushButton::clicked, this, &VentanaHerramienta::close);
}

void VentanaHerramienta::Bloquear(const QList<QWidget*>& bloqueados) {
    bloqueados_ = bloqueados;
    for (QWidget* w : bloqueados_)
        w->setEnabled(false);
}

void VentanaHerramienta::Terminado() {
    for (QWidget* w : bloqueados_)
        w->setEnabled(true);
    bloqueados_.clear();
    if (cerrarAlTerminar_) {
        cerrarAlTerminar_ = false;
        QDialog::reject();
    }
}

bool VentanaHerramienta::PuedeCerrar() {
    if (!Ejecutando())
        return true;
    if (!cerrarAlTerminar_ && PreguntarDetenerHerramienta(this, windowTitle())) {
        cerrarAlTerminar_ = true;
        trabajo_->Cancelar();
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
