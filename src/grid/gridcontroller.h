#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class frmGridAdjust;
class frmGridCheck;
class frmMain;

// The main window's side of grid recognition: Tools > grid opens the adjustment window on a
// work copy of the prepared chart image, the runs report back here, and the manual adjustment
// that profile creation uses is stored in the main window's state (FiducialesManuales,
// CartaAjusteManual, ImagenAjusteManual). A child of the main window, which only constructs it;
// the constructor connects mnuToolsGridCheck.
class GridController : public QObject {
    Q_OBJECT

public:
    explicit GridController(frmMain& main);

    // mnuToolsGridCheck: checks the inputs as Create does, prepares the image and opens (or
    // reuses) the adjustment window on its copy in a fresh work folder.
    void AbrirAjusteCuadricula();

    // A successful manual run: keeps its fiducials for Create, bound to the chart and to the
    // chart image (by default the one now loaded in the main window).
    void RegistrarAjusteCuadriculaManual(const QString& chart, const QString& fiducials,
                                         const QString& image);
    void RegistrarAjusteCuadriculaManual(const QString& chart, const QString& fiducials);
    // A successful automatic run: Create goes back to scanin's own recognition.
    void RegistrarReconocimientoCuadriculaAutomatico(const QString& chart);
    // Whether the stored adjustment belongs to the chart and image now chosen.
    bool CuadriculaManualAplicable() const;

    // Opens (or reuses) the grid check window on a run's diagnostic image, which the window
    // deletes when it closes.
    void MostrarComprobacion(const QString& image, const QString& chart, const QString& output);

    frmMain& Principal() const { return main_; }
    frmGridAdjust* VentanaAjuste() const;
    frmGridCheck* VentanaComprobacion() const;

private:
    frmMain& main_;
    QPointer<frmGridAdjust> ajuste_;
    QPointer<frmGridCheck> comprobacion_;
};
