#pragma once

#include <QObject>
#include <QPointF>
#include <QSize>
#include <QString>

class ActivityLog;
class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The target image of the main window: choosing it (cmdLoadImage and mnuFileOpenTarget), its
// path in txtImage, its preview in picPreview, and the double-click hand-over to the chart
// inspector. The constructor connects the controls; a child of the window.
class TargetImage : public QObject {
    Q_OBJECT

public:
    // The main window's controls the target image works on.
    struct Controles {
        QPushButton* cmdLoadImage = nullptr;
        QAction* mnuFileOpenTarget = nullptr;
        QLineEdit* txtImage = nullptr;
        QLabel* picPreview = nullptr;
    };

    // window: the owner of the dialogs and the inspector; log: where each step is reported.
    TargetImage(QWidget& window, const Controles& controles, ActivityLog& log);

    // The chosen chart image (RutaImagenTarget), empty while there is none.
    const QString& Ruta() const { return ruta_; }

    // Asks for the image; on a choice takes it as the target (imagenCambiada), shows the path
    // and the preview, and logs each step. A file that is not a readable image is refused
    // with a message: a header that is not an image keeps the previous target, an image
    // whose pixels do not load leaves none.
    void cmdLoadImage_Click();
    // Opens the chart inspector at the last press point relative to the drawn image (the
    // image centre when the point lies outside it); nothing while there is no target.
    void AbrirInspectorCarta();

    // The size the target is drawn at in picPreview, (0, 0) while there is none.
    int anchoDibujo() const { return anchoDibujo_; }
    int altoDibujo() const { return altoDibujo_; }

signals:
    // Another image became the target, before its preview is drawn.
    void imagenCambiada();
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

    QWidget& window_;
    Controles c_;
    ActivityLog& log_;
    QString ruta_;
    QSize cajaDibujo_; // picPreview's inner size when the preview was drawn
    int anchoDibujo_ = 0;
    int altoDibujo_ = 0;
    bool previewTiff_ = false; // drawn centred (TIFF) rather than at the top-left corner
    QPointF pulsacion_;        // last left-button press in picPreview
};
