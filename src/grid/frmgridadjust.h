#pragma once

#include "grid/fittedimagecache.h"
#include "grid/gridframe.h"
#include "grid/gridrecognition.h"
#include "image/imageviewerpicture.h"
#include "lang/textapplier.h"
#include "shell/tooljob.h"

#include <QStringList>
#include <QWidget>

class CajaImagen;
class GridController;
class QPlainTextEdit;
class QPushButton;

// Tools - detect / adjust grid: the chart image with a quadrilateral whose corners the user
// drags onto the chart's fiducial marks, and the automatic and manual scanin runs. Modeless;
// deleted when closed. The fitted image is kept while the file and the box size stay the
// same, so a drag only redraws the overlay. While a handle is dragged a loupe shows the full
// image around it, so a corner can be placed to the pixel on a large image.
class frmGridAdjust : public QWidget, public TextApplier {
    Q_OBJECT

public:
    frmGridAdjust(GridController& owner, QWidget* parent);
    ~frmGridAdjust() override;

    // Stores the run's values, shows the window, puts the corners at their start and draws.
    // The image size of an earlier image is forgotten, so the start points follow the new one.
    // p.ImagenOrigen is the main window's chart image: a manual adjustment is stored for it,
    // even when another image has been loaded before the run ends.
    void Configurar(const ParametrosAjuste& p);
    void ReiniciarPuntos();
    void Redibujar();
    // cmdAuto and cmdRun: start a scanin run on a worker; nothing while one is going.
    void ReconocimientoAutomatico();
    void ReconocimientoConAjuste();

    void AplicarTextosGridAdjust();
    void aplicarTextos() override { AplicarTextosGridAdjust(); }

    const ParametrosAjuste& Parametros() const { return p_; }
    MarcoAjuste& Marco() { return marco_; }
    const MarcoAjuste& Marco() const { return marco_; }
    bool EjecutandoScanin() const { return trabajo_.Ejecutando(); }
    // The runs' worker; its terminado() follows each run's hand-over.
    ToolJob& Trabajo() { return trabajo_; }
    const FittedImageCache& Cache() const { return cache_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CrearControles();
    void Reconocer(ModoReconocimiento modo);
    // A run has ended: its result goes to the owner (or to the info box when it failed).
    void Terminar(const ParametrosAjuste& p, ModoReconocimiento modo,
                  const ResultadoReconocimiento& r);
    // The run buttons, Reset and the picture: off while a run lasts.
    void HabilitarControles(bool habilitar);
    void MostrarInfo(const QString& text);
    void picAdjust_MouseDown(Qt::MouseButton button, const QPointF& pos);
    void picAdjust_MouseMove(const QPointF& pos);
    void picAdjust_MouseUp();
    void picAdjust_Resize();
    // Where the dragged handle is, in full-image pixels.
    QPointF PuntoActivo() const;
    // Unload: the tmp copies of the diagnostics, then the work folder question.
    void Descargar();

    CajaImagen* picAdjust = nullptr;
    QPlainTextEdit* txtInfo = nullptr;
    QPushButton* cmdAuto = nullptr;
    QPushButton* cmdRun = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdClose = nullptr;

    GridController& owner_;
    ParametrosAjuste p_;
    MarcoAjuste marco_;
    FittedImageCache cache_;
    ImagenVisor lupa_; // the full image, read on the first drag
    QString rutaLupa_; // the file lupa_ holds
    ToolJob trabajo_;  // logs into the main window
    bool cerrarAlTerminar_ = false;
};
