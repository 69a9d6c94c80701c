#include "profile/resultsmenu.h"

#include "image/frmimagencompleta.h"
#include "lang/texto.h"
#include "profile/frmscanindiag.h"
#include "profile/profileoptions.h"
#include "profile/showinfolder.h"
#include "shell/dialogs.h"
#include "shell/frmmain.h"
#include "shell/inifile.h"
#include "shell/paths.h"
#include "verify/frmcolverify.h"
#include "verify/frmprofcheck.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>

namespace {

bool Existe(const QString& path) {
    return !path.isEmpty() && QFile::exists(path);
}

} // namespace

ResultsMenu::ResultsMenu(frmMain& main) : QObject(&main), main_(main) {
    connect(main_.mnuResultsSummary, &QAction::triggered, this,
            &ResultsMenu::mnuResultsSummary_Click);
    connect(main_.mnuResultsOpenFolder, &QAction::triggered, this,
            &ResultsMenu::mnuResultsOpenFolder_Click);
    connect(main_.mnuResultsViewDiag, &QAction::triggered, this,
            &ResultsMenu::mnuResultsViewDiag_Click);
    connect(main_.mnuResultsVerify, &QAction::triggered, this,
            &ResultsMenu::mnuResultsVerify_Click);
    connect(main_.mnuResultsScaninDiag, &QAction::triggered, this,
            &ResultsMenu::mnuResultsScaninDiag_Click);
    connect(main_.mnuResultsColVerify, &QAction::triggered, this,
            &ResultsMenu::mnuResultsColVerify_Click);
}

ResultsMenu::~ResultsMenu() = default;

void ResultsMenu::ActualizarMenuResultados() {
    const bool perfil = Existe(main_.UltimoPerfil);
    main_.mnuResultsSummary->setEnabled(perfil);
    main_.mnuResultsOpenFolder->setEnabled(perfil);
    main_.mnuResultsViewDiag->setEnabled(Existe(main_.UltimoDiagnostico));
    main_.mnuResultsVerify->setEnabled(perfil && Existe(main_.UltimoTi3));
}

void ResultsMenu::RegistrarResultados(const ResultadoCreacion& r) {
    main_.UltimoPerfil = r.perfil;
    // The graphs need a TI3; the tmp folder keeps one when none is kept beside the profile.
    main_.UltimoTi3 = r.ti3.isEmpty() ? r.ti3Ultimo : r.ti3;
    main_.UltimoDiagnostico = r.diagnostico;
    main_.UltimaVerificacion = r.verificacion;
    main_.SalidaVerificacionAuto = r.salidaVerificacion;
    // Written now rather than only at exit, so a crash later does not lose them.
    const QString section = QStringLiteral("results");
    FicheroIni ini(main_.RutaIniAjustes);
    ini.Escribir(section, QStringLiteral("last_profile"), r.perfil);
    ini.Escribir(section, QStringLiteral("last_ti3"), main_.UltimoTi3);
    ini.Escribir(section, QStringLiteral("last_diag"), r.diagnostico);
    ini.Escribir(section, QStringLiteral("last_check"), r.verificacion);
    ini.Guardar();
    ActualizarMenuResultados();
}

void ResultsMenu::MostrarResumenResultados(const ResultadoCreacion& r) {
    ResultadoCreacion shown = r;
    if (shown.perfil.isEmpty()) {
        shown.perfil = main_.UltimoPerfil;
    }
    if (!Existe(shown.perfil)) {
        Informar(QStringLiteral("msg.no_results_profile"));
        return;
    }
    const QString message =
        TextoResumenResultados(shown, main_.mnuResultsSaveTi3WithProfile->isChecked(),
                               main_.mnuResultsAutoScaninDiag->isChecked());
    main_.LogMsg(LineaLogResumen(message));
    if (MsgBox(&main_, message, Msg::Information | Msg::YesNo,
               Texto(QStringLiteral("results.created_title"))) == Msg::Yes) {
        AbrirCarpeta(shown.perfil);
    }
}

void ResultsMenu::AbrirCarpeta(const QString& perfil) {
    if (!MostrarEnCarpeta(perfil)) {
        MsgBox(&main_,
               Texto(QStringLiteral("msg.open_by_hand")).arg(QFileInfo(perfil).absolutePath()),
               Msg::Exclamation, main_.NombreProducto);
    }
}

bool ResultsMenu::HayPerfilResultado() {
    if (Existe(main_.UltimoPerfil)) {
        return true;
    }
    Informar(QStringLiteral("msg.no_results_profile"));
    return false;
}

void ResultsMenu::AbrirVerificacionAuto() {
    if (main_.SalidaVerificacionAuto.isEmpty() || main_.UltimoPerfil.isEmpty() ||
        main_.UltimoTi3.isEmpty()) {
        return;
    }
    frmProfCheck::MostrarConSalida(&main_, main_.UltimoTi3, main_.UltimoPerfil,
                                   main_.SalidaVerificacionAuto);
}

void ResultsMenu::mnuResultsSummary_Click() {
    ResultadoCreacion last;
    last.perfil = main_.UltimoPerfil;
    last.ti3 = main_.UltimoTi3;
    last.diagnostico = main_.UltimoDiagnostico;
    last.verificacion = main_.UltimaVerificacion;
    MostrarResumenResultados(last);
}

void ResultsMenu::mnuResultsOpenFolder_Click() {
    if (HayPerfilResultado()) {
        AbrirCarpeta(main_.UltimoPerfil);
    }
}

void ResultsMenu::mnuResultsViewDiag_Click() {
    if (!Existe(main_.UltimoDiagnostico)) {
        Informar(QStringLiteral("msg.no_diag_last"));
        return;
    }
    MostrarImagenCompleta(&main_, main_.UltimoDiagnostico, NombreFichero(main_.UltimoDiagnostico),
                          Texto(QStringLiteral("results.diag_title")));
}

void ResultsMenu::mnuResultsVerify_Click() {
    if (!HayPerfilResultado()) {
        return;
    }
    if (!Existe(main_.UltimoTi3)) {
        Informar(QStringLiteral("msg.no_ti3_last"));
        return;
    }
    frmProfCheck::MostrarConRutas(&main_, main_.UltimoTi3, main_.UltimoPerfil);
}

void ResultsMenu::mnuResultsScaninDiag_Click() {
    frmScaninDiag::MostrarConDatos(
        &main_, main_.RutaImagenTarget, main_.RutaReferenciaPersonalizada,
        main_.cboChart->currentIndex(), main_.cboGenericRef->currentIndex(),
        main_.chkPerspective->isChecked(), LeerGamma(main_.txtGamma->currentText()));
}

void ResultsMenu::mnuResultsColVerify_Click() {
    frmColVerify::Mostrar(&main_);
}

void ResultsMenu::Informar(const QString& key) {
    MsgBox(&main_, Texto(key), Msg::Information, Texto(QStringLiteral("menu.results")));
}
