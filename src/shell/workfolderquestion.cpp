#include "shell/workfolderquestion.h"

#include "shell/dialogs.h"

bool PreguntarBorrarCarpeta(QWidget* owner, const QString& path, const QString& text,
                            const QString& title) {
    if (path.isEmpty())
        return false;
    const QString question = QString(text).replace(QLatin1String("%1"), path);
    return MsgBox(owner, question, Msg::Question + Msg::YesNo, title) == Msg::Yes;
}
