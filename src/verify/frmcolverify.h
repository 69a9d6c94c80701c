#pragma once

#include "verify/ventanaherramienta.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// Tools - compare measurements: runs colverify on a reference and a measured TI3 file and
// shows its output in the window's log.
class frmColVerify : public VentanaHerramienta {
    Q_OBJECT

public:
    explicit frmColVerify(QWidget* owner);

    // Results menu: the window modal over owner, nothing preset.
    static void Mostrar(QWidget* owner);

    void AplicarTextosColVerify();
    void aplicarTextos() override { AplicarTextosColVerify(); }

private:
    QGroupBox* fraInput = nullptr;
    QPushButton* cmdTarget = nullptr;
    QPushButton* cmdMeasured = nullptr;
    QLabel* lblTarget = nullptr;
    QLabel* lblMeasured = nullptr;
    QGroupBox* fraOptions = nullptr;
    QCheckBox* chkEach = nullptr;
    QCheckBox* chkMatchLocation = nullptr;
    QCheckBox* chkDE2000 = nullptr;
    QCheckBox* chkHistogram = nullptr;
    QCheckBox* chkSort = nullptr;
    QCheckBox* chkD50White = nullptr;
    QLabel* lblNormalize = nullptr;
    QComboBox* cboNormalize = nullptr;
    QLabel* lblX3DOM = nullptr;
    QComboBox* cboX3DOM = nullptr;
    QCheckBox* chkAxes = nullptr;
    QPushButton* cmdRun = nullptr;

    void CrearControles();
    QString ElegirTi3(const QString& title);
    void cmdTarget_Click();
    void cmdMeasured_Click();
    void cmdRun_Click();

    QString referencia_;
    QString medido_;
};
