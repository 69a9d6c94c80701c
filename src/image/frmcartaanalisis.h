#pragma once

#include "image/chartinspectorpoint.h"
#include "image/histogram.h"
#include "lang/textapplier.h"

#include <QImage>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;

// The chart inspector: the image fitted and framed, its size, file size and embedded profile,
// the histogram of the whole image at full resolution, and the red, green and blue of the
// drawn picture under the pointer. A double-click opens the full image viewer at that point.
class frmCartaAnalisis : public QWidget, public TextApplier {
    Q_OBJECT

public:
    explicit frmCartaAnalisis(QWidget* parent = nullptr);

    // Opens the inspector on the image with the relative point (0..1 each) shown in the
    // readout; a missing file changes nothing.
    void MostrarCarta(const QString& ruta, const QString& nombreFichero, double fx, double fy);

    void AplicarTextosCartaAnalisis();
    void aplicarTextos() override { AplicarTextosCartaAnalisis(); }

    const PuntoCarta& punto() const { return punto_; }
    const QImage& imagenCarta() const { return carta_; }
    const QImage& imagenHistograma() const { return histogramaDibujado_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* picCarta = nullptr;
    QWidget* picHist = nullptr;
    QLabel* lblProfile = nullptr;
    QLineEdit* txtRed = nullptr;
    QLineEdit* txtGreen = nullptr;
    QLineEdit* txtBlue = nullptr;
    QLabel* lblHistogram = nullptr;
    QLabel* lblRed = nullptr;
    QLabel* lblGreen = nullptr;
    QLabel* lblBlue = nullptr;

    void TituloCarta();
    void InfoPerfilCarta();
    void DibujarCarta();
    void DibujarHistograma();
    bool CalcularHistograma();
    void LeerPixelCarta(QPointF p);
    void MostrarPuntoCarta(double fx, double fy);
    // Draws again what no longer matches its box's size (after a resize).
    void redibujar();

    QString ruta_;
    QString nombreFichero_;
    int w_ = 0;
    int h_ = 0;
    PuntoCarta punto_;
    Histograma histograma_;
    bool histogramaListo_ = false;
    QImage carta_;
    QImage histogramaDibujado_;
};

// The one chart inspector, created on first use as a window of owner and reused until
// closed, opened on the image (see frmCartaAnalisis::MostrarCarta).
void MostrarCartaAnalisis(QWidget* owner, const QString& ruta, const QString& nombreFichero,
                          double fx, double fy);
// The open inspector window, or null.
frmCartaAnalisis* InspectorCarta();
