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
    : QObject(&window), window_(window), log_(log), crear_(crear) {
    connect(&mnuToolsGridCheck, &QAction::triggered, this, &GridController::AbrirAjusteCuadricula);
}

void GridController::AbrirAjusteCuadricula() {
    const EntradaCreacion in = crear_.LeerEntradas();
    const std::optional<QString> referencia = crear_.ComprobarEntradas(in);
    if (!referencia)
        return;
    if (!QFile::exists(in.carta)) {
        log_.LogMsg(Texto(QStringLiteral("log.no_chart")) + in.carta);
        return;
    }
    const ImagenAjustePreparada prep =
        PrepararImagenAjuste(in.imagen, in.ficheroCarta, in.carpetaTmp, log_);
    if (!prep.ok)
        return;
    if (!ajuste_)
        ajuste_ = new frmGridAdjust(*this, &window_);
    ajuste_->Configurar({prep.copia, in.carta, in.ficheroCarta, *referencia, prep.carpetaTrabajo,
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
