#include "shell/appfolders.h"
#include "shell/dialogs.h"
#include "shell/frmmain.h"
#include "shell/singleinstance.h"

#include <QApplication>

#include <exception>

namespace {

const QString kTitulo = QStringLiteral("Nerva Chromaflux");

// Brings the window to the front when a second start asks for it.
void Activar(frmMain& window) {
    if (window.isMinimized())
        window.showNormal();
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("nerva-chromaflux"));
    // No display name: Qt would append it to titles that already carry the product name.
    try {
        SingleInstance instance;
        if (!instance.tryBecomePrimary(QStringLiteral("nerva-chromaflux")))
            return 0;
        EstablecerCarpetas(AppFolders::forProgram(QCoreApplication::applicationDirPath()));
        frmMain window;
        QObject::connect(&instance, &SingleInstance::activationRequested, &window,
                         [&window] { Activar(window); });
        window.Form_Load();
        window.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        MsgBox(nullptr,
               QStringLiteral("No se pudo iniciar %1.\n%2")
                   .arg(kTitulo, QString::fromLocal8Bit(e.what())),
               Msg::Critical, kTitulo);
    } catch (...) {
        MsgBox(nullptr, QStringLiteral("No se pudo iniciar %1.\n").arg(kTitulo), Msg::Critical,
               kTitulo);
    }
    return 1;
}
