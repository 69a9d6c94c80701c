#include "shell/appfolders.h"
#include "shell/dialogfilter.h"
#include "shell/dialogfolder.h"
#include "shell/dialogs.h"
#include "shell/qtdialogprovider.h"

#include "scripteddialogs.h"

#include <QtTest>
#include <QtWidgets>

class TestDialogs : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        AppFolders folders;
        folders.programFolder = dir_.filePath("program");
        folders.dataFolder = dir_.path();
        EstablecerCarpetas(folders);
    }

    // The last folder per kind of file (its first pattern) is kept in the settings file; the
    // home folder before any choice; a given folder wins unless it is the program folder.
    void folderRule() {
        const QString shots = dir_.filePath("shots");
        QVERIFY(QDir().mkpath(shots));
        const QString perfiles = "Perfiles ICC (*.icc;*.icm)|*.icc;*.icm";
        const QString imagenes = "Imágenes (*.tif;*.png)|*.TIF;*.png|Todos|*.*";
        QCOMPARE(DialogFolder::kind(imagenes), QString("tif"));
        ScriptedDialogs dialogs;
        dialogs.answerOpen("").answerOpen(shots + "/chart.tif").answerSave("/out/p.icc");
        dialogs.answerOpen("/x/y.ti3").answerOpen("");
        QCOMPARE(AbrirFichero(nullptr, perfiles, "Abrir", ""), QString());
        QCOMPARE(AbrirFichero(nullptr, perfiles, "Abrir", ""), shots + "/chart.tif");
        QCOMPARE(GuardarFichero(nullptr, perfiles, "Guardar", "", "icc"), QString("/out/p.icc"));
        QCOMPARE(AbrirFichero(nullptr, perfiles, "Abrir", "/given"), QString("/x/y.ti3"));
        AbrirFichero(nullptr, imagenes, "Abrir", dir_.filePath("program"));
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
        QStringList folders;
        for (const auto& call : dialogs.calls())
            folders << call.initialFolder;
        // A cancel keeps nothing; the images have their own kind, so no memory yet.
        QCOMPARE(folders.mid(0, 4),
                 QStringList({QDir::homePath(), QDir::homePath(), shots, "/given"}));
        QVERIFY(folders[4] != shots && folders[4] != dir_.filePath("program"));
        const DialogFolder folder(Carpetas().settingsFile());
        folder.remember(shots + "/it8.tif", imagenes);
        QCOMPARE(folder.initialFolder("", imagenes, "/p"), shots);
        QDir(shots).removeRecursively(); // a folder gone since falls back
        QVERIFY(folder.initialFolder("", imagenes, "/p") != shots);
    }

    // The style's icon and buttons; an answer by button, or No when the box is closed.
    void messageBoxes() {
        auto stop = QtDialogProvider::crearMensaje(nullptr, "a\r\nb", Msg::Critical, "Error");
        QCOMPARE(stop->icon(), QMessageBox::Critical);
        QCOMPARE(stop->text(), QString("a\nb"));
        QCOMPARE(QtDialogProvider::respuesta(*stop), int(Msg::Ok));
        auto ask = QtDialogProvider::crearMensaje(
            nullptr, "q", Msg::Exclamation | Msg::YesNo | Msg::DefaultButton2, "T");
        QCOMPARE(ask->icon(), QMessageBox::Warning);
        QCOMPARE(static_cast<QAbstractButton*>(ask->defaultButton()), ask->button(QMessageBox::No));
        QCOMPARE(QtDialogProvider::respuesta(*ask), int(Msg::No));
        auto yes = QtDialogProvider::crearMensaje(nullptr, "q", Msg::YesNo, "T");
        QCOMPARE(static_cast<QAbstractButton*>(yes->defaultButton()),
                 yes->button(QMessageBox::Yes));
        yes->show();
        yes->button(QMessageBox::Yes)->click();
        QCOMPARE(QtDialogProvider::respuesta(*yes), int(Msg::Yes));
    }

    // The open dialog offers the images in any letter case, and only them; the save dialog
    // adds the suffix and asks before overwriting.
    void fileDialogs() {
        const QString folder = dir_.filePath("pictures");
        QVERIFY(QDir().mkpath(folder));
        for (const char* name : {"CHART.TIF", "chart2.tif", "Other.Tiff", "old.icc"})
            QVERIFY(QFile(folder + "/" + name).open(QIODevice::WriteOnly));
        auto open = QtDialogProvider::crearDialogoAbrir(
            nullptr, "Imágenes TIFF (*.tif;*.tiff)|*.tif;*.tiff|Todos|*.*", "Abrir", folder);
        QCOMPARE(open->fileMode(), QFileDialog::ExistingFile);
        open->show();
        auto* view = open->findChild<QListView*>("listView");
        QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 3);
        open->selectNameFilter(open->nameFilters().last());
        QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 4);
        auto save =
            QtDialogProvider::crearDialogoGuardar(nullptr, "Perfiles|*.icc", "G", folder, "icc");
        QVERIFY(save->acceptMode() == QFileDialog::AcceptSave && save->defaultSuffix() == "icc");
        QVERIFY(!save->testOption(QFileDialog::DontConfirmOverwrite));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
