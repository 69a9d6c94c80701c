#pragma once

#include "profile/resultsummary.h"

#include <QObject>
#include <QPointer>
#include <QString>

class frmImagenCompleta;
class frmMain;

// The main window's Results menu and the recorded results of the last profile: UltimoPerfil,
// UltimoTi3, UltimoDiagnostico, UltimaVerificacion and SalidaVerificacionAuto. The
// constructor connects the menu items it serves; the two switches are checkable actions that
// invert themselves.
class ResultsMenu : public QObject {
    Q_OBJECT

public:
    explicit ResultsMenu(frmMain& main);
    ~ResultsMenu() override;

    // Enables the items by which recorded files still exist (at start and after each run).
    void ActualizarMenuResultados();
    // Stores a run's results in the main window state, persists them at once and updates
    // the menu.
    void RegistrarResultados(const ResultadoCreacion& r);
    // The summary message; Yes opens the profile's folder. An empty profile means the last.
    void MostrarResumenResultados(const ResultadoCreacion& r);
    // True when the last profile exists, else tells the user so.
    bool HayPerfilResultado();
    // The verification window with the automatic run's output, when there is one.
    void AbrirVerificacionAuto();

    void mnuResultsSummary_Click();
    void mnuResultsOpenFolder_Click();
    void mnuResultsViewDiag_Click();
    void mnuResultsVerify_Click();
    void mnuResultsScaninDiag_Click();
    void mnuResultsColVerify_Click();

private:
    void Informar(const QString& key);
    // The profile's folder in the file manager; when nothing can show it, its path in a message.
    void AbrirCarpeta(const QString& perfil);

    frmMain& main_;
    QPointer<frmImagenCompleta> visor_; // the diagnostic image viewer, while open
};
