#include "shell/workfolderquestion.h"

#include "lang/texto.h"
#include "shell/dialogs.h"

bool PreguntarBorrarCarpeta(QWidget* owner, const QString& path) {
    if (path.isEmpty())
        return false;
    const QString question =
        Texto(QStringLiteral("msg.temp_delete_question")).replace(QLatin1String("%1"), path);
    return MsgBox(owner, question, Msg::Question | Msg::YesNo,
                  Texto(QStringLiteral("msg.temp_delete_title"))) == Msg::Yes;
}
