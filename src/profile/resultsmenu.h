#pragma once

#include "profile/resultsummary.h"

#include <QObject>
#include <QString>

class ActivityLog;
class QAction;
class QWidget;

// The files of the last profile run, as the Results menu offers them.
struct UltimosResultados {
    QString perfil;             // UltimoPerfil
    QString ti3;                // UltimoTi3
    QString diagnostico;        // UltimoDiagnostico
    QString verificacion;       // UltimaVerificacion: the profcheck summary
    QString salidaVerificacion; // SalidaVerificacionAuto: this session's output only
};

// The main window's Results menu and the recorded results of the last profile. The
// constructor connects the menu items it serves; the two switches are checkable actions that
// invert themselves.
class ResultsMenu : public QObject {
    Q_OBJECT

public:
    // The main window's menu items this menu works on.
    struct Controles {
        QAction* mnuResultsAutoScaninDiag = nullptr;
        QAction* mnuResultsSaveTi3WithProfile = nullptr;
        QAction* mnuResultsSummary = nullptr;
        QAction* mnuResultsOpenFolder = nullptr;
        QAction* mnuResultsViewDiag = nullptr;
        QAction* mnuResultsVerify = nullptr;
    };

    // window: the owner of the messages and windows opened from the menu.
    ResultsMenu(QWidget& window, const Controles& controles, ActivityLog& log);

    const UltimosResultados& Ultimos() const { return ultimos_; }
    // The results read from the settings file at start (the menu is updated separately).
    void RestaurarUltimos(const UltimosResultados& ultimos) { ultimos_ = ultimos; }

    // Enables the items by which recorded files still exist (at start and after each run).
    void ActualizarMenuResultados();
    // Records a run's results as the last ones, persists them at once and updates the menu.
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

private:
    void Informar(const QString& key);
    // The profile's folder in the file manager; when nothing can show it, its path in a message.
    void AbrirCarpeta(const QString& perfil);

    QWidget& window_;
    Controles c_;
    ActivityLog& log_;
    UltimosResultados ultimos_;
};
