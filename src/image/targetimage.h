#pragma once

#include <QObject>
#include <QPointF>
#include <QSize>
#include <QString>

class frmMain;

// The target image of the main window: choosing it (cmdLoadImage and mnuFileOpenTarget), its
// preview in picPreview, and the double-click hand-over to the chart inspector. Works on the
// main window's public controls and state; a child of the main window.
class TargetImage : public QObject {
    Q_OBJECT

public:
    explicit TargetImage(frmMain& main);

    // Asks for the image; on a choice sets RutaImagenTarget, drops a stored grid adjustment,
    // shows the path and the preview, and logs each step. A file that is not a readable image
    // is refused with a message: a header that is not an image keeps the previous target, an
    // image whose pixels do not load leaves none.
    void cmdLoadImage_Click();
    // Opens the chart inspector at the last press point relative to the drawn image (the
    // image centre when the point lies outside it); nothing while there is no target.
    void AbrirInspectorCarta();

    // The size the target is drawn at in picPreview, (0, 0) while there is none.
    int anchoDibujo() const { return anchoDibujo_; }
    int altoDibujo() const { return altoDibujo_; }

signals:
    // The hand-over to the chart inspector: the image path, its file name and the relative
    // point (0..1 each).
    void abrirInspector(const QString& ruta, const QString& nombre, double fx, double fy);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void borrarPreview();
    // False when the image could not be drawn.
    bool mostrarPreview(const QString& ruta);
    bool mostrarPreviewTiff(const QString& ruta);
    void rechazar(const QString& ruta);
    QPointF origenDibujo() const;

    frmMain& main_;
    QSize cajaDibujo_; // picPreview's inner size when the preview was drawn
    int anchoDibujo_ = 0;
    int altoDibujo_ = 0;
    bool previewTiff_ = false; // drawn centred (TIFF) rather than at the top-left corner
    QPointF pulsacion_;        // last left-button press in picPreview
};
