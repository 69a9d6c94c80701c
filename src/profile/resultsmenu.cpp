#include "profile/resultsmenu.h"

#include "image/frmimagencompleta.h"
#include "lang/aboutinfo.h"
#include "lang/texto.h"
#include "profile/frmscanindiag.h"
#include "profile/profileoptions.h"
#include "profile/showinfolder.h"
#include "shell/activitylog.h"
#include "shell/appfolders.h"
#include "shell/dialogs.h"
#include "shell/inifile.h"
#include "shell/paths.h"
#include "verify/frmprofcheck.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

namespace {

bool Existe(const QString& path) {
    return !path.isEmpty() && QFile::exists(path);
}

} // namespace

ResultsMenu::ResultsMenu(QWidget& window, const Controles& controles, ActivityLog& log)
    : QObject(&window), window_(window), c_(controles), log_(log) {
    connect(c_.mnuResultsSummary, &QAction::triggered, this, &ResultsMenu::mnuResultsSummary_Click);
    connect(c_.mnuResultsOpenFolder, &QAction::triggered, this,
            &ResultsMenu::mnuResultsOpenFolder_Click);
    connect(c_.mnuResultsViewDiag, &QAction::triggered, this,
            &ResultsMenu::mnuResultsViewDiag_Click);
    connect(c_.mnuResultsVerify, &QAction::triggered, this, &ResultsMenu::mnuResultsVerify_Click);
}

void ResultsMenu::ActualizarMenuResultados() {
    const bool perfil = Existe(ultimos_.perfil);
    c_.mnuResultsSummary->setEnabled(perfil);
    c_.mnuResultsOpenFolder->setEnabled(perfil);
    c_.mnuResultsViewDiag->setEnabled(Existe(ultimos_.diagnostico));
    c_.mnuResultsVerify->setEnabled(perfil && Existe(ultimos_.ti3));
}

void ResultsMenu::RegistrarResultados(const ResultadoCreacion& r) {
    ultimos_.perfil = r.perfil;
    // The graphs need a TI3; the tmp folder keeps one when none is kept beside the profile.
    ultimos_.ti3 = r.ti3.isEmpty() ? r.ti3Ultimo : r.ti3;
    ultimos_.diagnostico = r.diagnostico;
    ultimos_.verificacion = r.verificacion;
    ultimos_.salidaVerificacion = r.salidaVerificacion;
    // Written now rather than only at exit, so a crash later does not lose them.
    const QString section = QStringLiteral("results");
    FicheroIni ini(Carpetas().settingsFile());
    ini.Escribir(section, QStringLiteral("last_profile"), r.perfil);
    ini.Escribir(section, QStringLiteral("last_ti3"), ultimos_.ti3);
    ini.Escribir(section, QStringLiteral("last_diag"), r.diagnostico);
    ini.Escribir(section, QStringLiteral("last_check"), r.verificacion);
    ini.Guardar();
    ActualizarMenuResultados();
}

void ResultsMenu::MostrarResumenResultados(const ResultadoCreacion& r) {
    ResultadoCreacion shown = r;
    if (shown.perfil.isEmpty()) {
        shown.perfil = ultimos_.perfil;
    }
    if (!Existe(shown.perfil)) {
        Informar(QStringLiteral("msg.no_results_profile"));
        return;
    }
    const QString message =
        TextoResumenResultados(shown, c_.mnuResultsSaveTi3WithProfile->isChecked(),
                               c_.mnuResultsAutoScaninDiag->isChecked());
    log_.LogMsg(LineaLogResumen(message));
    if (MsgBox(&window_, message, Msg::Information | Msg::YesNo,
               Texto(QStringLiteral("results.created_title"))) == Msg::Yes) {
        AbrirCarpeta(shown.perfil);
    }
}

void ResultsMenu::AbrirCarpeta(const QString& perfil) {
    if (!MostrarEnCarpeta(perfil)) {
        MsgBox(&window_,
               Texto(QStringLiteral("msg.open_by_hand")).arg(QFileInfo(perfil).absolutePath()),
               Msg::Exclamation, AboutInfo::kNombreProducto);
    }
}

bool ResultsMenu::HayPerfilResultado() {
    if (Existe(ultimos_.perfil)) {
        return true;
    }
    Informar(QStringLiteral("msg.no_results_profile"));
    return false;
}

void ResultsMenu::AbrirVerificacionAuto() {
    if (ultimos_.salidaVerificacion.isEmpty() || ultimos_.perfil.isEmpty() ||
        ultimos_.ti3.isEmpty()) {
        return;
    }
    frmProfCheck::MostrarConSalida(&window_, ultimos_.ti3, ultimos_.perfil,
                                   ultimos_.salidaVerificacion);
}

void ResultsMenu::mnuResultsSummary_Click() {
    ResultadoCreacion last;
    last.perfil = ultimos_.perfil;
    last.ti3 = ultimos_.ti3;
    last.diagnostico = ultimos_.diagnostico;
    last.verificacion = ultimos_.verificacion;
    MostrarResumenResultados(last);
}

void ResultsMenu::mnuResultsOpenFolder_Click() {
    if (HayPerfilResultado()) {
        AbrirCarpeta(ultimos_.perfil);
    }
}

void ResultsMenu::mnuResultsViewDiag_Click() {
    if (!Existe(ultimos_.diagnostico)) {
        Informar(QStringLiteral("msg.no_diag_last"));
        return;
    }
    MostrarImagenCompleta(&window_, ultimos_.diagnostico, NombreFichero(ultimos_.diagnostico),
                          Texto(QStringLiteral("results.diag_title")));
}

void ResultsMenu::mnuResultsVerify_Click() {
    if (!HayPerfilResultado()) {
        return;
    }
    if (!Existe(ultimos_.ti3)) {
        Informar(QStringLiteral("msg.no_ti3_last"));
        return;
    }
    frmProfCheck::MostrarConRutas(&window_, ultimos_.ti3, ultimos_.perfil);
}

void ResultsMenu::Informar(const QString& key) {
    MsgBox(&window_, Texto(key), Msg::Information, Texto(QStringLiteral("menu.results")));
}
