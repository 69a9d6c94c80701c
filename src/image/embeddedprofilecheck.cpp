#include "image/embeddedprofilecheck.h"

#include "image/previewdrawing.h"
#include "shell/dialogs.h"

bool ComprobarICCIncrustado(const QString& rutaImagen, ActivityLog& log, QWidget* owner) {
    if (!AvisarICCIncrustado(rutaImagen, log))
        return true;
    const QString texto = QStringLiteral(
        "La imagen seleccionada tiene un perfil ICC incrustado.\n\n"
        "Quitar esa etiqueta no cambia los píxeles: si el TIFF ya fue convertido o retocado, el "
        "programa generará el mismo perfil aunque se elimine el ICC.\n\n"
        "Lo ideal es usar el escaneo bruto de la carta, sin gestión de color en el software del "
        "escáner y sin pasarlo por Photoshop u otro editor.\n\n"
        "¿Quieres continuar de todos modos?");
    return MsgBox(owner, texto, Msg::YesNo | Msg::Exclamation | Msg::DefaultButton2,
                  QStringLiteral("Imagen con ICC incrustado")) == Msg::Yes;
}
