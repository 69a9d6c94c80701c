#pragma once

#include "grid/fittedimagecache.h"
#include "lang/textapplier.h"

#include <QWidget>

class CajaImagen;
class QPlainTextEdit;
class QPushButton;

// Results - grid recognition: scanin's own diagnostic image of a recognition run (sampling
// boxes, patch names and coordinates over the chart) fitted into the window, with a short
// explanation. Modeless; deleted when closed.
class frmGridCheck : public QWidget, public TextApplier {
    Q_OBJECT

public:
    explicit frmGridCheck(QWidget* parent);

    // Shows the window with that image (nothing is drawn for an empty path). When borrarAlCerrar
    // is set the image file belongs to the window and is deleted when it closes, or when a
    // later call shows another file instead.
    void Mostrar(const QString& imagen, const QString& carta, const QString& salida,
                 bool borrarAlCerrar);

    void AplicarTextosGridCheck();
    void aplicarTextos() override { AplicarTextosGridCheck(); }

    const QString& Imagen() const { return imagen_; }
    const QString& Carta() const { return carta_; }
    const QString& Salida() const { return salida_; }
    bool BorrarAlCerrar() const { return borrarAlCerrar_; }
    int AnchoImagen() const { return anchoImagen_; }
    int AltoImagen() const { return altoImagen_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CajaImagen* picGrid = nullptr;
    QPlainTextEdit* txtInfo = nullptr;
    QPushButton* cmdClose = nullptr;

    void MostrarDiagnostico();
    void SoltarImagen();

    QString imagen_;
    QString carta_;
    QString salida_;
    bool borrarAlCerrar_ = false;
    int anchoImagen_ = 0;
    int altoImagen_ = 0;
    FittedImageCache cache_;
};
