#pragma once

#include "charts/chartcatalog.h"

#include <QObject>
#include <QString>

#include <functional>

class QComboBox;
class frmMain;

// The reference panel and chart picture of the main window: which reference goes with the
// chosen chart, the generic/custom choice, the custom file and the chart picture. Works on
// frmMain's public controls and state (cboChart, cboGenericRef, optFRGenerico,
// optPersoanlizado, cmdLoadRef, mnuFileOpenRef, txtRef, picTipoCartaColor,
// RutaReferenciaPersonalizada, CambioInterno) and logs through frmMain::LogMsg.
//
// The constructor connects the controls' signals to the handlers below, so the main window
// only constructs it (after creating its controls) and forwards its own calls.
class ReferencePanel : public QObject {
    Q_OBJECT

public:
    // descartarAjusteManual(reason) forgets the stored manual grid adjustment (and logs the
    // reason when one was stored); it runs on every user change of chart type.
    ReferencePanel(frmMain& main, std::function<void(const QString&)> descartarAjusteManual,
                   const ChartCatalog& catalogo = Catalogo());

    // Event handlers (connected by the constructor).
    void cboChart_Click();
    void cboGenericRef_Click();
    void cmdLoadRef_Click(); // also mnuFileOpenRef
    void optFRGenerico_Click();
    void optPersoanlizado_Click();

    // Chooses the reference for the chart now selected: its generic reference, else its own
    // reference file beside the .cht, else asks (in the log) for a custom file.
    void AplicarReferenciaDeCarta();
    // Selects the generic reference of the selected chart (or the empty item); options untouched.
    void SincronizarGenericaConCarta();
    // Selects the chart's generic reference and the generic option when there is one.
    bool SeleccionarGenericaDeCarta();
    // Enables the list or the load button by mode and shows the reference in use in txtRef.
    void ActualizarPanelReferencia();
    // Redraws picTipoCartaColor from the selected chart's picture (also when the box is
    // resized, since the window's layout can change its size).
    void DibujarImagenCarta();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Selects an item while CambioInterno is set, so the list handlers skip their logic.
    void SeleccionarInterno(QComboBox* combo, int index);

    frmMain& main_;
    std::function<void(const QString&)> descartarAjusteManual_;
    const ChartCatalog& catalogo_;
};
