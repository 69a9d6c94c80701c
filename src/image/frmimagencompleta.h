#pragma once

#include "image/imageviewergeometry.h"
#include "image/imageviewerpicture.h"
#include "image/imageviewerstate.h"
#include "lang/textapplier.h"

#include <QImage>
#include <QString>
#include <QWidget>

class QLabel;
class QScrollBar;

// The full image viewer: one image fitted to the screen or at one image pixel per screen pixel
// (1:1), a click toggling the two at the clicked point, panning by dragging and by the wheel.
class frmImagenCompleta : public QWidget, public TextApplier {
    Q_OBJECT

public:
    explicit frmImagenCompleta(QWidget* parent = nullptr);

    // Shows the image in fit mode; fx, fy (0 <= f < 1) the point a click or double-click
    // centres in 1:1, -1 for none. The description is not shown. A missing or unreadable file
    // changes nothing.
    void MostrarImagen(const QString& ruta, const QString& nombreFichero,
                       const QString& descripcion, double fx, double fy);
    // Lays the window out again in its mode (1:1 keeps the scroll).
    void RefrescarVisual();
    // One wheel event: delta in 120ths of a notch, positive away from the user.
    void EjecutarScrollRueda(int delta);

    void AplicarTextosImagenCompleta();
    void aplicarTextos() override { AplicarTextosImagenCompleta(); }

    const EstadoVisor& estado() const { return estado_; }
    const ImagenVisor& imagen() const { return imagen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* picGrande = nullptr;
    QScrollBar* hsbX = nullptr;
    QScrollBar* vsbY = nullptr;
    QLabel* lblDescripcion = nullptr;

    EntornoVisor entorno() const;
    void MostrarAjustada();
    void PintarAjustada(QSize area);
    void Mostrar1a1(int cx, int cy);
    void Pintar1a1();
    // Puts picGrande at the top-left corner with the area's size and, unless maximised or
    // following the user's resizing, fits the window around it centred on the screen.
    void colocar(QSize area);
    void terminarDisposicion();
    void ejecutar(const AccionVisor& accion);
    void pintar();

    ImagenVisor imagen_;
    EstadoVisor estado_;
    QImage ajustada_; // what the fit view paints, stretched to the area
    QString nombreFichero_;
    bool ocupado_ = false;
    bool redimensionando_ = false;
};

// The one viewer window, created on first use as a window of owner and reused until closed,
// showing the image (see frmImagenCompleta::MostrarImagen).
void MostrarImagenCompleta(QWidget* owner, const QString& ruta, const QString& nombreFichero,
                           const QString& descripcion, double fx = -1, double fy = -1);
// The open viewer window, or null.
frmImagenCompleta* VisorImagenCompleta();
