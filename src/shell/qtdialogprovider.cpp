#include "shell/qtdialogprovider.h"

#include "lang/texto.h"
#include "shell/dialogfilter.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

constexpr int kIconMask = 0x70;
constexpr int kButtonsMask = 0x0F;
constexpr int kDefaultMask = 0x300;

QMessageBox::Icon Icono(Msg::Styles style) {
    switch ((style & kIconMask).toInt()) {
    case Msg::Critical:
        return QMessageBox::Critical;
    case Msg::Question:
        return QMessageBox::Question;
    case Msg::Exclamation:
        return QMessageBox::Warning;
    case Msg::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The windows name their filters in Spanish; the dialog shows the names in the current
// language.
QStringList FiltrosEnIdioma(const QString& filter) {
    static const std::pair<const char16_t*, const char*> nombres[] = {
        {u"Imágenes", "filter.images"},
        {u"Perfiles ICC", "filter.icc_profiles"},
        {u"Todos", "filter.all"},
    };
    QStringList filtros = FiltrosQt(filter);
    for (QString& f : filtros) {
        for (const auto& [espanol, clave] : nombres) {
            const QString nombre = QString::fromUtf16(espanol);
            if (f.startsWith(nombre + QStringLiteral(" (")))
                f.replace(0, nombre.size(), Texto(QLatin1String(clave)));
        }
    }
    return filtros;
}

std::unique_ptr<QFileDialog> DialogoFichero(QWidget* owner, const QString& filter,
                                            const QString& title, const QString& initialFolder) {
    auto dialog = std::make_unique<QFileDialog>(owner, title, initialFolder);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
    dialog->setNameFilters(FiltrosEnIdioma(filter));
    return dialog;
}

QString Elegido(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

std::unique_ptr<QMessageBox> QtDialogProvider::crearMensaje(QWidget* owner, const QString& text,
                                                            Msg::Styles style,
                                                            const QString& title) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    auto box =
        std::make_unique<QMessageBox>(Icono(style), title, shown, QMessageBox::NoButton, owner);
    if ((style & kButtonsMask) == Msg::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        const bool second = (style & kDefaultMask) == Msg::DefaultButton2;
        box->setDefaultButton(second ? QMessageBox::No : QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
    }
    return box;
}

std::unique_ptr<QFileDialog> QtDialogProvider::crearDialogoAbrir(QWidget* owner,
                                                                 const QString& filter,
                                                                 const QString& title,
                                                                 const QString& initialFolder) {
    auto dialog = DialogoFichero(owner, filter, title, initialFolder);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return dialog;
}

std::unique_ptr<QFileDialog>
QtDialogProvider::crearDialogoGuardar(QWidget* owner, const QString& filter, const QString& title,
                                      const QString& initialFolder,
                                      const QString& defaultExtension) {
    auto dialog = DialogoFichero(owner, filter, title, initialFolder);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog->setDefaultSuffix(defaultExtension);
    return dialog;
}

int QtDialogProvider::respuesta(const QMessageBox& box) {
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return Msg::Yes;
    case QMessageBox::No:
        return Msg::No;
    default:
        return box.standardButtons().testFlag(QMessageBox::No) ? Msg::No : Msg::Ok;
    }
}

int QtDialogProvider::message(QWidget* owner, const QString& text, Msg::Styles style,
                              const QString& title, const QString& details) {
    const auto box = crearMensaje(owner, text, style, title);
    box->setDetailedText(details);
    box->exec();
    return respuesta(*box);
}

QString QtDialogProvider::openFile(QWidget* owner, const QString& filter, const QString& title,
                                   const QString& initialFolder) {
    const auto dialog = crearDialogoAbrir(owner, filter, title, initialFolder);
    return Elegido(*dialog);
}

QString QtDialogProvider::saveFile(QWidget* owner, const QString& filter, const QString& title,
                                   const QString& initialFolder, const QString& defaultExtension) {
    const auto dialog = crearDialogoGuardar(owner, filter, title, initialFolder, defaultExtension);
    return Elegido(*dialog);
}
