#include "shell/appfolders.h"
#include "shell/dialogfilter.h"
#include "shell/dialogfolder.h"
#include "shell/dialogs.h"
#include "shell/qtdialogprovider.h"

#include "scripteddialogs.h"

#include <QtTest>
#include <QtWidgets>

namespace {

const QString kPerfiles = "Perfiles ICC (*.icc;*.icm)|*.icc;*.icm";

// Runs `step` on the next modal widget of type W once it shows, from inside its exec().
// Gives up after five seconds by closing whatever dialog is up, so a test fails, not hangs.
template <typename W> void alAparecer(const std::function<void(W*)>& step) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step, ticks] {
        auto* widget = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!widget && ++*ticks < 500)
            return;
        timer->deleteLater();
        if (widget)
            step(widget);
        else if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    timer->start();
}

// Types a file name and presses Save, as the user would; with `answer`, clicks it in the
// overwrite question that follows.
void guardarComo(const QString& name, QMessageBox::StandardButton answer = QMessageBox::NoButton) {
    alAparecer<QFileDialog>([=](QFileDialog* dialog) {
        if (answer != QMessageBox::NoButton)
            alAparecer<QMessageBox>([=](QMessageBox* box) {
                box->button(answer)->click();
                if (answer == QMessageBox::No) // still open: the user gives up
                    QTimer::singleShot(0, dialog, &QFileDialog::reject);
            });
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own accept
    });
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        AppFolders folders;
        folders.programFolder = dir_.filePath("program");
        folders.dataFolder = dir_.path();
        EstablecerCarpetas(folders);
    }

    void filterConversion() {
        const QList<QPair<QString, QStringList>> casos{
            {"TI3 (*.ti3)|*.ti3|Todos|*.*", {"TI3 (*.ti3)", "Todos (*)"}},
            {"Imágenes (*.tif)|*.tif; *.tiff ;;*.jpg", {"Imágenes (*.tif *.tiff *.jpg)"}},
            {"TIFF|*.tif|Roto|", {"TIFF (*.tif)"}}, // a pair without patterns is dropped
            {"TIFF|*.tif|Roto", {"TIFF (*.tif)"}},
        };
        for (const auto& [pipe, qt] : casos)
            QCOMPARE(FiltrosQt(pipe), qt);
    }

    // The last folder per kind of file (its first pattern) is kept in the settings file; the
    // home folder before any choice; a given folder wins unless it is the program folder.
    void folderRule() {
        const QString shots = dir_.filePath("shots");
        QVERIFY(QDir().mkpath(shots));
        const QString imagenes = "Imágenes (*.tif;*.png)|*.TIF;*.png|Todos|*.*";
        QCOMPARE(DialogFolder::kind(imagenes), QString("tif"));
        ScriptedDialogs dialogs;
        dialogs.answerOpen("").answerOpen(shots + "/chart.tif").answerSave("/out/p.icc");
        dialogs.answerOpen("/x/y.ti3").answerOpen("");
        QCOMPARE(AbrirFichero(nullptr, kPerfiles, "Abrir", ""), QString());
        QCOMPARE(AbrirFichero(nullptr, kPerfiles, "Abrir", ""), shots + "/chart.tif");
        QCOMPARE(GuardarFichero(nullptr, kPerfiles, "Guardar", "", "icc"), QString("/out/p.icc"));
        QCOMPARE(AbrirFichero(nullptr, kPerfiles, "Abrir", "/given"), QString("/x/y.ti3"));
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

    void messageBoxes() {
        auto stop = QtDialogProvider::crearMensaje(nullptr, "a\r\nb", Msg::Critical, "Error");
        QCOMPARE(stop->icon(), QMessageBox::Critical);
        QCOMPARE(stop->text(), QString("a\nb"));
        auto ask = QtDialogProvider::crearMensaje(
            nullptr, "q", Msg::Question + Msg::YesNo + Msg::DefaultButton2, "T");
        QCOMPARE(static_cast<QAbstractButton*>(ask->defaultButton()), ask->button(QMessageBox::No));
        QtDialogProvider real;
        alAparecer<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
        QCOMPARE(real.message(nullptr, "q", Msg::YesNo, "T", ""), int(Msg::Yes));
        alAparecer<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QCOMPARE(real.message(nullptr, "q", Msg::YesNo, "T", ""), int(Msg::No));
        QString details;
        alAparecer<QMessageBox>([&](QMessageBox* box) {
            details = box->detailedText();
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(real.message(nullptr, "i", Msg::Information, "T", "log\nlines"), int(Msg::Ok));
        QCOMPARE(details, QString("log\nlines"));
    }

    void fileDialogs() {
        const QString folder = dir_.filePath("pictures");
        QVERIFY(QDir().mkpath(folder));
        for (const char* name : {"CHART.TIF", "chart2.tif", "Other.Tiff", "old.icc"}) {
            QFile file(folder + "/" + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        // The image filter offers the images in any letter case, and only them.
        auto dialog = QtDialogProvider::crearDialogoAbrir(
            nullptr, "Imágenes TIFF (*.tif;*.tiff)|*.tif;*.tiff|Todos|*.*", "Abrir", folder);
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->show();
        auto* view = dialog->findChild<QListView*>("listView");
        const auto visibles = [view] { return view->model()->rowCount(view->rootIndex()); };
        QTRY_COMPARE(visibles(), 3);
        dialog->selectNameFilter(dialog->nameFilters().last());
        QTRY_COMPARE(visibles(), 4);
        dialog.reset();

        // The save dialog adds the suffix and asks before overwriting.
        QtDialogProvider real;
        guardarComo("new profile");
        QCOMPARE(real.saveFile(nullptr, kPerfiles, "Guardar", folder, "icc"),
                 folder + "/new profile.icc");
        guardarComo("old", QMessageBox::No);
        QCOMPARE(real.saveFile(nullptr, kPerfiles, "Guardar", folder, "icc"), QString());
        guardarComo("old.icc", QMessageBox::Yes);
        QCOMPARE(real.saveFile(nullptr, kPerfiles, "Guardar", folder, "icc"), folder + "/old.icc");
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
