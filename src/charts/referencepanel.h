#pragma once

#include "charts/referencechoice.h"

#include <QObject>
#include <QString>

#include <functional>

class ActivityLog;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The reference panel and chart picture of the main window: the controls of the chart type,
// the generic/custom choice, the custom file and the chart picture, kept in step with the
// rules of ReferenceChoice. The constructor connects the controls' signals; selections the
// panel makes itself raise none, so one change never starts another.
class ReferencePanel : public QObject {
    Q_OBJECT

public:
    // The main window's controls the panel works on.
    struct Controles {
        QComboBox* cboChart = nullptr;
        QComboBox* cboGenericRef = nullptr;
        QRadioButton* optFRGenerico = nullptr;
        QRadioButton* optPersoanlizado = nullptr;
        QPushButton* cmdLoadRef = nullptr;
        QAction* mnuFileOpenRef = nullptr;
        QLineEdit* txtRef = nullptr;
        QLabel* picTipoCartaColor = nullptr;
    };

    // window: the owner of the file dialog and of the panel; log: where choices are reported.
    ReferencePanel(QWidget& window, const Controles& controles, ActivityLog& log,
                   const ChartCatalog& catalogo = Catalogo());

    // The panel as the user sees it now.
    EstadoReferencia Estado() const;

    // Selects the generic reference of the selected chart (or the empty item); options untouched.
    void SincronizarGenericaConCarta();
    // Enables the list or the load button by mode and shows the reference in use in txtRef.
    void ActualizarPanelReferencia();
    // Redraws picTipoCartaColor from the selected chart's picture (also when the box is
    // resized, since the window's layout can change its size).
    void DibujarImagenCarta();

signals:
    // The user chose another chart type; its reference is associated right after.
    void cartaCambiada();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cboChart_Click();
    void cboGenericRef_Click();
    void cmdLoadRef_Click(); // also mnuFileOpenRef
    void optFRGenerico_Click();

    // Applies one rule to the panel's state, shows the result and logs its line.
    void Cambiar(const std::function<QString(EstadoReferencia&)>& paso);
    // Shows a state; the selections are made without raising the lists' signals.
    void Mostrar(const EstadoReferencia& e);

    QWidget& window_;
    Controles c_;
    ActivityLog& log_;
    ReferenceChoice reglas_;
    const ChartCatalog& catalogo_;
    QString personalizada_; // the custom reference file
};
