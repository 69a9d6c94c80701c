// Hover help of the main window: each group's "?" label shows its topic, moving over the
// window or its main controls hides it again.
#include "shell/frmmain.h"

#include "lang/hoverhelp.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void frmMain::ConectarAyudaFlotante() {
    ayudaFlotante = new HoverHelp(this);
    const std::pair<QLabel*, const char*> temas[] = {
        {lblAyudaImagenTarget, "imagen_del_target"},
        {lbAyudaFicheroReferencia, "fichero_de_referencia"},
        {lblAyudaChequeoVisual, "comprobacion_visual"},
        {lblAyudaCorrecciones, "correcciones"},
        {lblAyudaAjustes, "ajustes"},
        {lblAyudaTipoCartaColor, "tipo_de_carta"},
        {lblAyudaInfoPerfil, "informacion_del_perfil"},
        {lblAyudaOpciones, "opciones"},
    };
    for (const auto& [label, topic] : temas)
        ayudaFlotante->MostrarAlPasar(label, QString::fromLatin1(topic));

    const QList<QWidget*> ocultan = {
        this,           cmdLoadImage,     lblImagenDeltarget, fraTargetImage,
        fraTarget,      cmdLoadRef,       optFRGenerico,      optPersoanlizado,
        picPreview,     chkPerspective,   picTipoCartaColor,  txtScanner,
        txtModel,       txtDescription,   txtCopyright,       fraReference,
        fraVisualCheck, fraCorrections,   fraTweaks,          fraTargetType,
        fraProfileInfo, fraProfileOptions};
    for (QWidget* widget : ocultan)
        ayudaFlotante->OcultarAlPasar(widget);
}
