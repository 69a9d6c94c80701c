#pragma once

#include "verify/ventanaherramienta.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Tools - manual scanin: runs scanin alone with every option under the user's control and
// saves the TI3 where the user chose; a test bench for charts the profile run cannot read.
class frmScaninDiag : public VentanaHerramienta {
    Q_OBJECT

public:
    explicit frmScaninDiag(QWidget* owner);

    // Results menu: the window modal over owner, pre-filled with the main window's choices.
    static void MostrarConDatos(QWidget* owner, const QString& imagen,
                                const QString& referenciaPropia, int indiceCarta,
                                int indiceGenerica, bool perspectiva, double gamma);

    // Fills the lists on first use and takes over the main window's choices; a custom
    // reference wins over the generic selection.
    void SetupDefaults(const QString& imagen, const QString& referenciaPropia, int indiceCarta,
                       int indiceGenerica, bool perspectiva, double gamma);
    void AplicarTextosScaninDiag();
    void aplicarTextos() override { AplicarTextosScaninDiag(); }

    const QString& ImagenDiag() const { return imagenDiag_; }
    const QString& ReferenciaDiag() const { return referenciaDiag_; }

private:
    QGroupBox* fraInput = nullptr;
    QPushButton* cmdImage = nullptr;
    QLabel* lblImage = nullptr;
    QLabel* lblChart = nullptr;
    QComboBox* cboChart = nullptr;
    QLabel* lblGenericRef = nullptr;
    QComboBox* cboGenericRef = nullptr;
    QPushButton* cmdRef = nullptr;
    QLabel* lblRef = nullptr;
    QGroupBox* fraOptions = nullptr;
    QCheckBox* chkPerspective = nullptr;
    QCheckBox* chkOrientation = nullptr;
    QCheckBox* chkMean = nullptr;
    QComboBox* cboGamma = nullptr;
    QLabel* lblGamma = nullptr;
    QLineEdit* txtDiagFlags = nullptr;
    QLabel* lblDiagFlags = nullptr;
    QLineEdit* txtCorners = nullptr;
    QLabel* lblCorners = nullptr;
    QLabel* lblCornersHint = nullptr;
    QGroupBox* fraOutput = nullptr;
    QLineEdit* txtSaveTi3 = nullptr;
    QPushButton* cmdSaveTi3 = nullptr;
    QPushButton* cmdRun = nullptr;

    void CrearControles();
    void RellenarListas();
    void ActualizarEtiquetaReferencia();
    void ElegirImagen(const QString& path);
    void cboChart_Click();
    void cboGenericRef_Click();
    void cmdImage_Click();
    void cmdRef_Click();
    void cmdSaveTi3_Click();
    void cmdRun_Click();

    QString imagenDiag_;
    QString referenciaDiag_;
};
