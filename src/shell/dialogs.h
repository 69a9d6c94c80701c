#pragma once

#include <QFlags>
#include <QString>

class QWidget;

// Message-box styles and answers with the classic numeric values; a style is one icon, the
// buttons and the default button or'ed together (Msg::Question | Msg::YesNo).
namespace Msg {
enum Style : int {
    OkOnly = 0,
    YesNo = 4,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
    DefaultButton2 = 256,
};
Q_DECLARE_FLAGS(Styles, Style)
enum Answer : int { Ok = 1, Yes = 6, No = 7 };
} // namespace Msg
Q_DECLARE_OPERATORS_FOR_FLAGS(Msg::Styles)

// Every message box and file dialog goes through this interface, so tests script the answers
// and never block on a dialog.
class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    // `details`: the lines behind the message (a failed run's log), shown on request; may be "".
    virtual int message(QWidget* owner, const QString& text, Msg::Styles style,
                        const QString& title, const QString& details) = 0;
    // filter in the pipe notation ("Perfiles ICC (*.icc;*.icm)|*.icc;*.icm"); "" means cancelled.
    virtual QString openFile(QWidget* owner, const QString& filter, const QString& title,
                             const QString& initialFolder) = 0;
    virtual QString saveFile(QWidget* owner, const QString& filter, const QString& title,
                             const QString& initialFolder, const QString& defaultExtension) = 0;
};

// The provider in use (the real Qt dialogs unless a test installed its own).
DialogProvider& Dialogos();
void EstablecerDialogos(DialogProvider* provider); // nullptr restores the real dialogs

// Asked when a window closes while its tool runs; true for Yes (stop the tool and close).
bool PreguntarDetenerHerramienta(QWidget* owner, const QString& title);

// Shorthands over Dialogos().
int MsgBox(QWidget* owner, const QString& text, Msg::Styles style, const QString& title,
           const QString& details = QString());
QString AbrirFichero(QWidget* owner, const QString& filter, const QString& title,
                     const QString& initialFolder);
QString GuardarFichero(QWidget* owner, const QString& filter, const QString& title,
                       const QString& initialFolder, const QString& defaultExtension);
