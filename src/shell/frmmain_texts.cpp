// The main window's texts in the current language: captions, menus, option lists, placeholders.
#include "shell/frmmain.h"

#include "lang/controlproperty.h"
#include "lang/optionlist.h"
#include "lang/placeholders.h"
#include "lang/texto.h"
#include "profile/createcontroller.h"

#include <QAction>
#include <QLineEdit>

namespace {

struct Caption {
    const char* control;
    const char* key;
};

constexpr Caption kCaptions[] = {
    {"fraTarget", "main.group.chart"},
    {"fraTargetImage", "main.target_image.frame"},
    {"cmdLoadImage", "main.target_image.button"},
    {"lblImagenDeltarget", "main.target_image.label"},
    {"fraReference", "main.reference.frame"},
    {"optFRGenerico", "main.reference.generic"},
    {"optPersoanlizado", "main.reference.custom"},
    {"cmdLoadRef", "main.reference.load_custom"},
    {"lblFicheroDeReferencia", "main.reference.label"},
    {"fraVisualCheck", "main.visual.frame"},
    {"fraCorrections", "main.corrections.frame"},
    {"chkPerspective", "main.corrections.perspective"},
    {"lblGamma", "main.corrections.gamma"},
    {"fraTweaks", "main.tweaks.frame"},
    {"lblWhitePoint", "main.tweaks.white_point"},
    {"lblDarkAreas", "main.tweaks.dark_areas"},
    {"fraTargetType", "main.chart_type.frame"},
    {"lblTipoDeCarta", "main.chart_type.label"},
    {"lblCartaDeCoplor", "main.chart_group.title"},
    {"fraProfile", "main.group.profile"},
    {"fraProfileInfo", "main.profile_info.frame"},
    {"Label1", "main.profile_info.label"},
    {"lblScanner", "main.profile_info.device"},
    {"lblModelTitle", "main.profile_info.model"},
    {"lblDescriptionTitle", "main.profile_info.description"},
    {"lblCopyrightTitle", "main.profile_info.copyright"},
    {"fraProfileOptions", "main.options.frame"},
    {"lblOpciones", "main.options.label"},
    {"lblAlgorithmTitle", "main.options.algorithm"},
    {"lblIntentTitle", "main.options.intent"},
    {"lblQualityTitle", "main.options.quality"},
    {"mnuFile", "menu.file"},
    {"mnuFileOpenTarget", "menu.file.open_target"},
    {"mnuFileOpenRef", "menu.file.open_ref"},
    {"mnuTools", "menu.tools"},
    {"mnuToolsGridCheck", "menu.tools.grid"},
    {"mnuResults", "menu.results"},
    {"mnuResultsAutoScaninDiag", "menu.results.save_diag"},
    {"mnuResultsSaveTi3WithProfile", "menu.results.save_ti3"},
    {"mnuResultsSummary", "menu.results.summary"},
    {"mnuResultsOpenFolder", "menu.results.open_folder"},
    {"mnuResultsViewDiag", "menu.results.view_diag"},
    {"mnuResultsVerify", "menu.results.verify"},
    {"mnuResultsScaninDiag", "menu.results.scanin"},
    {"mnuResultsColVerify", "menu.results.compare"},
    {"mnuLanguage", "menu.language"},
    {"mnuHelp", "menu.help"},
    {"mnuHelpContents", "menu.help.contents"},
    {"mnuAcercaDe", "menu.about"},
    {"mnuExit", "menu.exit"},
};

QStringList Claves(std::initializer_list<const char*> keys) {
    QStringList list;
    for (const char* key : keys)
        list.append(QString::fromLatin1(key));
    return list;
}

} // namespace

void frmMain::AplicarTextosMain() {
    setWindowTitle(Texto(QStringLiteral("app.title")));
    const QString caption = QStringLiteral("Caption");
    for (const Caption& c : kCaptions) {
        AsignarPropiedad(this, QString::fromLatin1(c.control), caption,
                         Texto(QString::fromLatin1(c.key)));
    }
    controlCrear->AplicarTextoBoton();

    mnuLanguageES->setText(QStringLiteral("Español"));
    mnuLanguageEN->setText(QStringLiteral("English"));
    mnuLanguageFR->setText(QStringLiteral("Français"));
    mnuLanguageIT->setText(QStringLiteral("Italiano"));
    mnuLanguageES->setChecked(IdiomaActual() == IdiomaEs);
    mnuLanguageEN->setChecked(IdiomaActual() == IdiomaEn);
    mnuLanguageFR->setChecked(IdiomaActual() == IdiomaFr);
    mnuLanguageIT->setChecked(IdiomaActual() == IdiomaIt);

    RebuildOptionList(cboAlgorithm,
                      Claves({"algo.lab_clut", "algo.xyz_clut", "algo.gamma_matrix",
                              "algo.shaper_matrix", "algo.display_xyz_matrix", "algo.matrix_only",
                              "algo.single_gamma_matrix", "algo.single_shaper_matrix"}),
                      2);
    RebuildOptionList(
        cboQuality, Claves({"quality.low", "quality.medium", "quality.high", "quality.ultra"}), 2);
    RebuildOptionList(
        cboIntent,
        Claves({"intent.perceptual", "intent.relative", "intent.saturation", "intent.absolute"}),
        0);

    // A grey hint only: the box's text stays empty until an image is chosen.
    txtImage->setPlaceholderText(Texto(QStringLiteral("placeholder.no_image")));

    UpdatePlaceholderBox(txtScanner, QStringLiteral("default.device"));
    UpdatePlaceholderBox(txtModel, QStringLiteral("default.model"));
    UpdatePlaceholderBox(txtDescription, QStringLiteral("app.title"));
}
