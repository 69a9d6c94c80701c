#include "grid/gridcontroller.h"

#include "grid/frmgridadjust.h"
#include "grid/frmgridcheck.h"
#include "grid/gridimageprep.h"
#include "lang/texto.h"
#include "profile/createcontroller.h"
#include "profile/profileoptions.h"
#include "shell/activitylog.h"

#include <QAction>
#include <QFile>

GridController::GridController(QWidget& window, QAction& mnuToolsGridCheck, ActivityLog& log,
                               CreateController& crear)
    : QObject(&window), window_(window), log_(log), crear_(crear), preparacion_(log) {
    connect(&mnuToolsGridCheck, &QAction::triggered, this, &GridController::AbrirAjusteCuadricula);
}

void GridController::AbrirAjusteCuadricula() {
    if (preparacion_.Ejecutando())
        return;
    const EntradaCreacion in = crear_.LeerEntradas();
    const std::optional<QString> referencia = crear_.ComprobarEntradas(in);
    if (!referencia)
        return;
    if (!QFile::exists(in.carta)) {
        log_.LogMsg(Texto(QStringLiteral("log.no_chart")) + in.carta);
        return;
    }
    preparacion_.Iniciar(
        [in](ActivityLog& log, const CancelToken*) {
            return PrepararImagenAjuste(in.imagen, in.ficheroCarta, in.carpetaTmp, log);
        },
        [this, in, referencia = *referencia](const ImagenAjustePreparada& prep) {
            emit preparacionCambiada(false);
            if (cerrarAlTerminar_)
                window_.close();
            else if (prep.ok)
                MostrarAjuste(in, referencia, prep);
        });
    emit preparacionCambiada(true);
}

bool GridController::CerrarTrasPreparacion() {
    cerrarAlTerminar_ = preparacion_.Ejecutando();
    return cerrarAlTerminar_;
}

void GridController::MostrarAjuste(const EntradaCreacion& in, const QString& referencia,
                                   const ImagenAjustePreparada& prep) {
    if (!ajuste_)
        ajuste_ = new frmGridAdjust(*this, &window_);
    ajuste_->Configurar({prep.copia, in.carta, in.ficheroCarta, referencia, prep.carpetaTrabajo,
                         ArgumentoGamma(LeerGamma(in.gamma)),
                         in.perspectiva ? QStringList{QStringLiteral("-p")} : QStringList(),
                         in.imagen});
    log_.LogMsg(Texto(QStringLiteral("log.grid_opened")) + prep.copia);
}

void GridController::RegistrarAjusteCuadriculaManual(const QString& chart, const QString& fiducials,
                                                     const QString& image) {
    ajusteManual_ = {fiducials.trimmed(), chart.trimmed().toLower(), image.trimmed().toLower()};
    if (!ajusteManual_.fiduciales.isEmpty())
        log_.LogMsg(Texto(QStringLiteral("log.grid_saved")) + ajusteManual_.fiduciales);
}

void GridController::RegistrarReconocimientoCuadriculaAutomatico(const QString& chart) {
    DescartarAjusteManual(Texto(QStringLiteral("log.grid_auto_chosen")));
    log_.LogMsg(Texto(QStringLiteral("log.grid_auto_for_chart")) + chart);
}

void GridController::DescartarAjusteManual(const QString& reason) {
    if (!reason.isEmpty() && !ajusteManual_.fiduciales.isEmpty())
        log_.LogMsg(Texto(QStringLiteral("log.grid_discarded")) + reason);
    ajusteManual_ = {};
}

void GridController::MostrarComprobacion(const QString& image, const QString& chart,
                                         const QString& output) {
    if (!comprobacion_)
        comprobacion_ = new frmGridCheck(&window_);
    comprobacion_->Mostrar(image, chart, output, true);
}

frmGridAdjust* GridController::VentanaAjuste() const {
    return ajuste_;
}

frmGridCheck* GridController::VentanaComprobacion() const {
    return comprobacion_;
}
