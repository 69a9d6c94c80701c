#pragma once

#include "shell/tooljob.h"

#include <QObject>
#include <QPointer>
#include <QString>

class CreateController;
struct EntradaCreacion;
struct ImagenAjustePreparada;
class QAction;
class QWidget;
class frmGridAdjust;
class frmGridCheck;

// The manual grid adjustment kept for Create: the corners (eight numbers joined by ","), and
// the chart file and image they belong to, trimmed and lower-cased.
struct AjusteCuadriculaManual {
    QString fiduciales;
    QString carta;
    QString imagen;
};

// The main window's side of grid recognition: Tools > grid opens the adjustment window on a
// work copy of the prepared chart image, the runs report back here, and the manual adjustment
// that profile creation uses is kept here. A child of the main window, which only constructs
// it; the constructor connects mnuToolsGridCheck.
class GridController : public QObject {
    Q_OBJECT

public:
    // window: the main window, owner of the grid windows; log: its activity log; crear: the
    // Create button's controller, whose inputs and checks the grid window shares.
    GridController(QWidget& window, QAction& mnuToolsGridCheck, ActivityLog& log,
                   CreateController& crear);

    // mnuToolsGridCheck: checks the inputs as Create does, prepares the image on a worker (a
    // large scan takes seconds to convert) and then opens (or reuses) the adjustment window on
    // its copy in a fresh work folder. Ignored while a preparation is going.
    void AbrirAjusteCuadricula();

    // A successful manual run: keeps its fiducials for Create, bound to the chart and to the
    // chart image the window was opened on.
    void RegistrarAjusteCuadriculaManual(const QString& chart, const QString& fiducials,
                                         const QString& image);
    // A successful automatic run: Create goes back to scanin's own recognition.
    void RegistrarReconocimientoCuadriculaAutomatico(const QString& chart);
    // Forgets the stored manual adjustment; logs the reason when one was stored.
    void DescartarAjusteManual(const QString& reason);
    const AjusteCuadriculaManual& AjusteManual() const { return ajusteManual_; }

    // Opens (or reuses) the grid check window on a run's diagnostic image, which the window
    // deletes when it closes.
    void MostrarComprobacion(const QString& image, const QString& chart, const QString& output);

    ActivityLog& Registro() const { return log_; }
    frmGridAdjust* VentanaAjuste() const;
    frmGridCheck* VentanaComprobacion() const;
    ToolJob& Preparacion() { return preparacion_; }
    // While an image is being prepared: closes the window once it is ready instead of opening
    // the adjustment (true). False when nothing is being prepared.
    bool CerrarTrasPreparacion();

signals:
    // The image preparation started (true) or ended (false): its inputs must not change.
    void preparacionCambiada(bool enCurso);

private:
    void MostrarAjuste(const EntradaCreacion& in, const QString& referencia,
                       const ImagenAjustePreparada& prep);

    QWidget& window_;
    ActivityLog& log_;
    CreateController& crear_;
    AjusteCuadriculaManual ajusteManual_;
    QPointer<frmGridAdjust> ajuste_;
    QPointer<frmGridCheck> comprobacion_;
    ToolJob preparacion_;
    bool cerrarAlTerminar_ = false;
};
