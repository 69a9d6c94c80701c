// Restoring the main window from the settings file at start and saving it at exit.
#include "shell/frmmain.h"

#include "charts/chartcatalog.h"
#include "charts/chartcombos.h"
#include "charts/charttables.h"
#include "charts/referencepanel.h"
#include "profile/profileoptions.h"
#include "profile/resultsmenu.h"
#include "shell/mainsettings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSplitter>

namespace {

QStringList Elementos(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->itemText(i));
    return items;
}

void SeleccionarSiValido(QComboBox* list, int index) {
    if (index >= 0 && index < list->count())
        list->setCurrentIndex(index);
}

// Selects the item equal to stored (or else fallback, or else item 0), "," read as ".".
void SeleccionarValorCombo(QComboBox* list, const QString& stored, const QString& fallback) {
    SeleccionarSiValido(list, IndiceValorLista(Elementos(list), stored, fallback));
}

} // namespace

void frmMain::RellenarOpciones() {
    RellenarComboCartas(cboChart);
    RellenarComboGenericas(cboGenericRef);
    for (const ListaOpciones& lista : ListasOpciones()) {
        auto* list = findChild<QComboBox*>(lista.control);
        if (!list)
            continue;
        list->clear();
        list->addItems(lista.items);
        list->setCurrentIndex(lista.defaultIndex);
    }
}

AjustesPrincipales frmMain::AjustesActuales() const {
    AjustesPrincipales a;
    a.camera = txtScanner->text();
    a.model = txtModel->text();
    a.description = txtDescription->text();
    a.copyright = txtCopyright->text();
    a.gamma = txtGamma->currentText();
    a.whitePoint = txtWhitePoint->currentText();
    a.darkAreas = txtDarkAreas->currentText();
    a.type = cboChart->currentIndex();
    a.chartFile = Catalogo().FicheroCarta(cboChart->currentIndex());
    a.genericRefFile = FicheroReferenciaGenerica(cboGenericRef->currentIndex());
    a.algorithm = cboAlgorithm->currentIndex();
    a.intent = cboIntent->currentIndex();
    a.quality = cboQuality->currentIndex();
    a.perspective = chkPerspective->isChecked();
    a.saveScaninDiag = mnuResultsAutoScaninDiag->isChecked();
    a.saveTi3WithProfile = mnuResultsSaveTi3WithProfile->isChecked();
    const UltimosResultados& ultimos = menuResultados->Ultimos();
    a.lastProfile = ultimos.perfil;
    a.lastTi3 = ultimos.ti3;
    a.lastDiag = ultimos.diagnostico;
    a.lastCheck = ultimos.verificacion;
    a.logSplit = QString::fromLatin1(splLog->saveState().toBase64());
    return a;
}

void frmMain::CargarAjustes() {
    const AjustesPrincipales a = LeerAjustesPrincipales(RutaIniAjustes, AjustesActuales());

    txtScanner->setText(a.camera);
    txtModel->setText(a.model);
    txtDescription->setText(a.description);
    txtCopyright->setText(a.copyright);

    SeleccionarValorCombo(txtGamma, a.gamma, QStringLiteral("2.2"));
    SeleccionarValorCombo(txtWhitePoint, a.whitePoint, QStringLiteral("1.0"));
    SeleccionarValorCombo(txtDarkAreas, a.darkAreas, QStringLiteral("1.0"));

    const QString chart = a.chartFile.isEmpty() ? FicheroCartaAntiguo(a.type) : a.chartFile;
    SeleccionarSiValido(cboChart, Catalogo().IndiceCarta(chart));

    if (!a.genericRefFile.isEmpty())
        SeleccionarSiValido(cboGenericRef, IndiceGenericaPorReferencia(a.genericRefFile));
    else
        panelReferencia->SincronizarGenericaConCarta();
    if (cboGenericRef->currentIndex() >= 1)
        optFRGenerico->setChecked(true);
    else
        optPersoanlizado->setChecked(true);

    cboAlgorithm->setCurrentIndex(LimitarIndice(a.algorithm, cboAlgorithm->count()));
    cboIntent->setCurrentIndex(LimitarIndice(a.intent, cboIntent->count()));
    cboQuality->setCurrentIndex(LimitarIndice(a.quality, cboQuality->count()));

    chkPerspective->setChecked(a.perspective);

    menuResultados->RestaurarUltimos({a.lastProfile, a.lastTi3, a.lastDiag, a.lastCheck, {}});

    mnuResultsAutoScaninDiag->setChecked(a.saveScaninDiag);
    mnuResultsSaveTi3WithProfile->setChecked(a.saveTi3WithProfile);

    panelReferencia->ActualizarPanelReferencia();
    panelReferencia->DibujarImagenCarta();
    splLog->restoreState(QByteArray::fromBase64(a.logSplit.toLatin1()));
}

void frmMain::GuardarAjustes() {
    EscribirAjustesPrincipales(RutaIniAjustes, AjustesActuales());
}
