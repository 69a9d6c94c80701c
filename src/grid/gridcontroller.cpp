#include "grid/gridcontroller.h"

#include "grid/frmgridadjust.h"
#include "grid/frmgridcheck.h"
#include "grid/gridimageprep.h"
#include "lang/texto.h"
#include "profile/createcontroller.h"
#include "profile/createvalidation.h"
#include "profile/profileoptions.h"
#include "shell/frmmain.h"

#include <QAction>
#include <QFile>

GridController::GridController(frmMain& main) : QObject(&main), main_(main) {
    connect(main_.mnuToolsGridCheck, &QAction::triggered, this,
            &GridController::AbrirAjusteCuadricula);
}

void GridController::AbrirAjusteCuadricula() {
    const EntradaCreacion in = main_.controlCrear->LeerEntradas();
    const std::optional<QString> referencia = main_.controlCrear->ComprobarEntradas(in);
    if (!referencia)
        return;
    if (!QFile::exists(in.carta)) {
        main_.LogMsg(Texto(QStringLiteral("log.no_chart")) + in.carta);
        return;
    }
    const ImagenAjustePreparada prep =
        PrepararImagenAjuste(in.imagen, in.ficheroCarta, in.carpetaTmp, main_);
    if (!prep.ok)
        return;
    if (!ajuste_)
        ajuste_ = new frmGridAdjust(*this, &main_);
    ajuste_->Configurar(prep.copia, in.carta, in.ficheroCarta, *referencia, prep.carpetaTrabajo,
                        ArgumentoGamma(LeerGamma(in.gamma)),
                        in.perspectiva ? QStringList{QStringLiteral("-p")} : QStringList());
    main_.LogMsg(Texto(QStringLiteral("log.grid_opened")) + prep.copia);
}

void GridController::RegistrarAjusteCuadriculaManual(const QString& chart, const QString& fiducials,
                                                     const QString& image) {
    main_.FiducialesManuales = fiducials.trimmed();
    main_.CartaAjusteManual = chart.trimmed().toLower();
    main_.ImagenAjusteManual = image.trimmed().toLower();
    if (!main_.FiducialesManuales.isEmpty())
        main_.LogMsg(Texto(QStringLiteral("log.grid_saved")) + main_.FiducialesManuales);
}

void GridController::RegistrarAjusteCuadriculaManual(const QString& chart,
                                                     const QString& fiducials) {
    RegistrarAjusteCuadriculaManual(chart, fiducials, main_.RutaImagenTarget);
}

void GridController::RegistrarReconocimientoCuadriculaAutomatico(const QString& chart) {
    main_.DescartarAjusteManual(Texto(QStringLiteral("log.grid_auto_chosen")));
    main_.LogMsg(Texto(QStringLiteral("log.grid_auto_for_chart")) + chart);
}

bool GridController::CuadriculaManualAplicable() const {
    return ::CuadriculaManualAplicable(main_.controlCrear->LeerEntradas());
}

void GridController::MostrarComprobacion(const QString& image, const QString& chart,
                                         const QString& output) {
    if (!comprobacion_)
        comprobacion_ = new frmGridCheck(&main_);
    comprobacion_->Mostrar(image, chart, output, true);
}

frmGridAdjust* GridController::VentanaAjuste() const {
    return ajuste_;
}

frmGridCheck* GridController::VentanaComprobacion() const {
    return comprobacion_;
}
