// What the main window's choices give to the runs started from it: Create (whose inputs the
// grid window shares) and the manual scanin window.
#include "shell/frmmain.h"

#include "charts/chartcatalog.h"
#include "charts/referencepanel.h"
#include "grid/gridcontroller.h"
#include "image/targetimage.h"
#include "profile/frmscanindiag.h"
#include "profile/profileoptions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

EntradaCreacion frmMain::EntradasFormulario() const {
    const ChartCatalog& catalogo = Catalogo();
    const EstadoReferencia referencia = panelReferencia->Estado();
    const AjusteCuadriculaManual& ajuste = controlCuadricula->AjusteManual();
    EntradaCreacion in;
    in.imagen = imagenTarget->Ruta();
    if (referencia.modo == EstadoReferencia::Generico)
        in.tipoReferencia = EntradaCreacion::Generica;
    else if (referencia.modo == EstadoReferencia::Personalizado)
        in.tipoReferencia = EntradaCreacion::Personalizada;
    in.referenciaGenerica = catalogo.RutaReferenciaGenerica(referencia.generica);
    in.referenciaPersonalizada = referencia.personalizada;
    in.carta = catalogo.RutaCarta(referencia.carta);
    in.ficheroCarta = catalogo.FicheroCarta(referencia.carta);
    in.gamma = txtGamma->currentText();
    in.perspectiva = chkPerspective->isChecked();
    in.fiducialesManuales = ajuste.fiduciales;
    in.cartaAjusteManual = ajuste.carta;
    in.imagenAjusteManual = ajuste.imagen;
    in.fabricante = txtScanner->text();
    in.modelo = txtModel->text();
    in.descripcion = txtDescription->text();
    in.copyright = txtCopyright->text();
    in.calidad = cboQuality->currentIndex();
    in.algoritmo = cboAlgorithm->currentIndex();
    in.intento = cboIntent->currentIndex();
    in.puntoBlanco = txtWhitePoint->currentText();
    in.sombras = txtDarkAreas->currentText();
    in.guardarTi3JuntoPerfil = mnuResultsSaveTi3WithProfile->isChecked();
    in.guardarDiagJuntoPerfil = mnuResultsAutoScaninDiag->isChecked();
    return in;
}

void frmMain::AbrirScaninDiag() {
    const EstadoReferencia referencia = panelReferencia->Estado();
    frmScaninDiag::MostrarConDatos(this, imagenTarget->Ruta(), referencia.personalizada,
                                   referencia.carta, referencia.generica,
                                   chkPerspective->isChecked(), LeerGamma(txtGamma->currentText()));
}
