#pragma once

#include "verify/errorgraph.h"
#include "verify/errorparche.h"
#include "verify/ventanaherramienta.h"

#include <QList>
#include <QString>

class LienzoGrafico;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Results - profile verification: runs profcheck on a profile and its TI3, logs the output and
// draws the per-patch errors (Delta-e and its L, C, H parts) as bar graphs.
class frmProfCheck : public VentanaHerramienta {
    Q_OBJECT

public:
    explicit frmProfCheck(QWidget* owner);

    // Results menu: the window modal over owner with the last TI3 and profile preset.
    static void MostrarConRutas(QWidget* owner, const QString& ti3, const QString& perfil);
    // After Create: the window modal over owner with the automatic run's output already read.
    static void MostrarConSalida(QWidget* owner, const QString& ti3, const QString& perfil,
                                 const QString& salida);

    // Stores both paths; a non-empty one replaces its label's placeholder.
    void SetupDefaults(const QString& ti3, const QString& perfil);
    // SetupDefaults, then the log shows the summary and the output, the graph their patches.
    void MostrarVerificacionAutomatica(const QString& ti3, const QString& perfil,
                                       const QString& salida);
    void AplicarTextosProfCheck();
    void aplicarTextos() override { AplicarTextosProfCheck(); }

    int TipoGrafico() const { return tipoGrafico_; }
    const QList<ErrorParche>& Errores() const { return errores_; }
    const GraficoErrores& Grafico() const { return grafico_; }

private:
    QGroupBox* fraInput = nullptr;
    QPushButton* cmdTi3 = nullptr;
    QPushButton* cmdProfile = nullptr;
    QLabel* lblTi3 = nullptr;
    QLabel* lblProfile = nullptr;
    QGroupBox* fraOptions = nullptr;
    QCheckBox* chkEach = nullptr;
    QCheckBox* chkSort = nullptr;
    QComboBox* cboIntent = nullptr;
    QLabel* lblIntent = nullptr;
    QLineEdit* txtPrune = nullptr;
    QLabel* lblPrune = nullptr;
    QLabel* lblPruneHint = nullptr;
    QCheckBox* chkDE2000 = nullptr;
    QCheckBox* chkHistogram = nullptr;
    QCheckBox* chkX3DOM = nullptr;
    QCheckBox* chkAxes = nullptr;
    QCheckBox* chkColorVectors = nullptr;
    QPushButton* cmdRun = nullptr;
    QPushButton* cmdGraphDE = nullptr;
    QPushButton* cmdGraphL = nullptr;
    QPushButton* cmdGraphC = nullptr;
    QPushButton* cmdGraphH = nullptr;
    QPushButton* cmdGraphDE2000 = nullptr;
    LienzoGrafico* picDEGraph = nullptr;

    void CrearControles();
    void cmdTi3_Click();
    void cmdProfile_Click();
    void cmdRun_Click();
    void ElegirGrafico(int tipo);
    void MostrarDetalle(const QString& salida);
    void ResaltarBotonesGrafico();
    void DibujarGraficoActual();
    void MostrarMensajeGrafico(const QString& text);
    void Redibujar();
    void LecturaGrafico(const QPoint& pos);

    QString ti3_;
    QString perfil_;
    QList<ErrorParche> errores_;
    int tipoGrafico_ = 0;
    GraficoErrores grafico_;
    QString mensaje_; // the message shown instead of a graph; empty while a graph is shown
};
