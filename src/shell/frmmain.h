#pragma once

#include "lang/textapplier.h"
#include "profile/creationform.h"
#include "shell/activitylog.h"
#include "shell/logtext.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>

struct AjustesPrincipales;
class CreateController;
class GridController;
class HoverHelp;
class ReferencePanel;
class ResultsMenu;
class TargetImage;
class QAction;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTimer;

// The main window, the hub of the program. Its controls are its own: each subsystem's
// controller, owned by the window, gets the controls it serves, keeps its part of the state
// (the target image, the custom reference, the last results, the stored grid adjustment) and
// reports through the activity log; Create reads the window's inputs through
// EntradasFormulario. Controls carry their objectName, so texts are applied, and tests find
// them, by name.
class frmMain : public QMainWindow,
                public ActivityLog,
                public TextApplier,
                private FormularioCreacion {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up sequence: tmp clean-up, settings file, language, option lists, settings,
    // texts, Results menu, chart picture, first log line.
    void Form_Load();
    // Exit work (other windows, floating help, settings, tmp clean-up); runs once only.
    void Form_Unload();
    // Asks the exit question; on Yes closes the window without asking again.
    void mnuExit_Click();

    // Activity log and busy status.
    void LogMsg(const QString& text) override;
    void AgregarSalidaLog(const QString& text) override;
    void MostrarEstado(const QString& text) override;

    void aplicarTextos() override { AplicarTextosMain(); }

signals:
    // Emitted once, when the exit work of Form_Unload has been done.
    void descargado();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // While a Create runs: the inputs it has read, the choice of image and chart, and the
    // menus that open other runs are disabled.
    void BloquearEntradas(bool bloquear);
    void CrearMenus();
    void CrearControles();
    void CrearControladores();
    void ConectarMenus();
    void ConectarAyudaFlotante();
    bool PreguntarSalir();
    // Fills the six option lists and the chart and generic reference lists.
    void RellenarOpciones();
    // Captions, menus, option lists and placeholders in the current language.
    void AplicarTextosMain();
    void CargarAjustes();
    void GuardarAjustes();
    AjustesPrincipales AjustesActuales() const;
    EntradaCreacion EntradasFormulario() const override;
    // Results > manual scanin, pre-filled with this window's choices.
    void AbrirScaninDiag();
    void MostrarTiempo();
    // Appends to the log and keeps its end in view.
    void Anadir(const QString& chunk);

    QString RutaIniAjustes;
    bool descargando_ = false; // Form_Unload ran
    TextoLog textoLog_;
    QElapsedTimer reloj_; // since the busy status was set
    QTimer* cronometro_ = nullptr;

    // The subsystems' controllers working on this window (owned by it).
    ReferencePanel* panelReferencia = nullptr;
    ResultsMenu* menuResultados = nullptr;
    CreateController* controlCrear = nullptr;
    GridController* controlCuadricula = nullptr;
    TargetImage* imagenTarget = nullptr;
    HoverHelp* ayudaFlotante = nullptr;

    // ---- Menus -------------------------------------------------------------------------
    QMenu* mnuFile = nullptr;
    QAction* mnuFileOpenTarget = nullptr;
    QAction* mnuFileOpenRef = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuToolsGridCheck = nullptr;
    QMenu* mnuResults = nullptr;
    QAction* mnuResultsAutoScaninDiag = nullptr;     // checkable
    QAction* mnuResultsSaveTi3WithProfile = nullptr; // checkable
    QAction* mnuResultsSep1 = nullptr;
    QAction* mnuResultsSummary = nullptr;
    QAction* mnuResultsOpenFolder = nullptr;
    QAction* mnuResultsViewDiag = nullptr;
    QAction* mnuResultsVerify = nullptr;
    QAction* mnuResultsScaninDiag = nullptr;
    QAction* mnuResultsColVerify = nullptr;
    QMenu* mnuLanguage = nullptr;
    QAction* mnuLanguageES = nullptr;
    QAction* mnuLanguageEN = nullptr;
    QAction* mnuLanguageFR = nullptr;
    QAction* mnuLanguageIT = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpArgyllCMS = nullptr;
    QAction* mnuAcercaDe = nullptr;
    QAction* mnuExit = nullptr;

    // ---- Chart group ("CARTA") ---------------------------------------------------------
    QGroupBox* fraTarget = nullptr;

    // 1. Chart image
    QGroupBox* fraTargetImage = nullptr;
    QPushButton* cmdLoadImage = nullptr;
    QLineEdit* txtImage = nullptr; // read-only: the target image path
    QLabel* lblImagenDeltarget = nullptr;
    QLabel* lblTimage = nullptr;
    QLabel* lblAyudaImagenTarget = nullptr;

    // 2. Visual check
    QGroupBox* fraVisualCheck = nullptr;
    QLabel* picPreview = nullptr;
    QLabel* lblAyudaChequeoVisual = nullptr;

    // 3. Reference file
    QGroupBox* fraReference = nullptr;
    QRadioButton* optFRGenerico = nullptr;
    QRadioButton* optPersoanlizado = nullptr;
    QComboBox* cboGenericRef = nullptr;
    QPushButton* cmdLoadRef = nullptr;
    QLineEdit* txtRef = nullptr; // read-only: the reference in use or a placeholder
    QLabel* lblFicheroDeReferencia = nullptr;
    QLabel* lblFichRef = nullptr;
    QLabel* lbAyudaFicheroReferencia = nullptr;

    // 4. Corrections
    QGroupBox* fraCorrections = nullptr;
    QCheckBox* chkPerspective = nullptr;
    QComboBox* txtGamma = nullptr; // editable
    QLabel* lblGamma = nullptr;
    QLabel* lblAyudaCorrecciones = nullptr;

    // 5. Tweaks
    QGroupBox* fraTweaks = nullptr;
    QComboBox* txtWhitePoint = nullptr; // editable
    QComboBox* txtDarkAreas = nullptr;  // editable
    QLabel* lblWhitePoint = nullptr;
    QLabel* lblDarkAreas = nullptr;
    QLabel* lblAyudaAjustes = nullptr;

    // 6. Chart type
    QGroupBox* fraTargetType = nullptr;
    QComboBox* cboChart = nullptr;
    QLabel* picTipoCartaColor = nullptr;
    QLabel* lblTipoDeCarta = nullptr;
    QLabel* lblCartaDeCoplor = nullptr;
    QLabel* lblAyudaTipoCartaColor = nullptr;

    // ---- Profile group ("PERFIL") ------------------------------------------------------
    QGroupBox* fraProfile = nullptr;

    // 7. Profile texts
    QGroupBox* fraProfileInfo = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblScanner = nullptr;
    QLineEdit* txtScanner = nullptr;
    QLabel* lblModelTitle = nullptr;
    QLineEdit* txtModel = nullptr;
    QLabel* lblDescriptionTitle = nullptr;
    QLineEdit* txtDescription = nullptr;
    QLabel* lblCopyrightTitle = nullptr;
    QLineEdit* txtCopyright = nullptr;
    QLabel* lblAyudaInfoPerfil = nullptr;

    // 8. Profile options
    QGroupBox* fraProfileOptions = nullptr;
    QLabel* lblOpciones = nullptr;
    QLabel* lblAlgorithmTitle = nullptr;
    QComboBox* cboAlgorithm = nullptr;
    QLabel* lblIntentTitle = nullptr;
    QComboBox* cboIntent = nullptr;
    QLabel* lblQualityTitle = nullptr;
    QComboBox* cboQuality = nullptr;
    QLabel* lblAyudaOpciones = nullptr;

    QPushButton* cmdCreate = nullptr;
    QLabel* lblPerfil = nullptr;

    // ---- Log and status ----------------------------------------------------------------
    QSplitter* splLog = nullptr;      // the groups above, the log below; the split is kept
    QPlainTextEdit* txtLog = nullptr; // read-only activity log
    // Status bar: the busy status (the running step), the time since it began and a busy
    // indicator, all hidden when idle.
    QLabel* lblMeta = nullptr;
    QLabel* lblTiempo = nullptr;
    QProgressBar* prgOcupado = nullptr;
};
