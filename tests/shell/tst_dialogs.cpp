#include "shell/appfolders.h"
#include "shell/dialogfilter.h"
#include "shell/dialogfolder.h"
#include "shell/dialogs.h"
#include "shell/qtdialogprovider.h"
#include "shell/workfolderquestion.h"

#include "scripteddialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class TestDialogs : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    static void crearFichero(const QString& path) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    // Runs `step` on the next modal widget of type W once it shows, from inside its exec().
    // Gives up after five seconds by closing whatever dialog is up, so a test fails, not hangs.
    template <typename W> static void alAparecer(const std::function<void(W*)>& step) {
        auto* timer = new QTimer;
        timer->setInterval(10);
        auto ticks = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, step, ticks] {
            auto* widget = qobject_cast<W*>(QApplication::activeModalWidget());
            if (!widget && ++*ticks < 500)
                return;
            timer->stop();
            timer->deleteLater();
            if (widget)
                step(widget);
            else if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        timer->start();
    }

    // Types a file name and presses Save, as the user would.
    static void guardarComo(QFileDialog* dialog, const QString& name) {
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(edit);
        edit->setText(name);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own accept
    }

    static QStringList nombresVisibles(QFileDialog& dialog) {
        auto* view = dialog.findChild<QListView*>("listView");
        QStringList names;
        if (!view)
            return names;
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row)
            names.append(view->model()->index(row, 0, root).data().toString());
        names.sort();
        return names;
    }

private slots:
    void initTestCase() {
        AppFolders folders;
        folders.programFolder = dir_.filePath("program");
        folders.dataFolder = dir_.path();
        EstablecerCarpetas(folders);
    }

    void filterConversion_data() {
        QTest::addColumn<QString>("pipe");
        QTest::addColumn<QStringList>("qt");
        QTest::newRow("profiles") << "Perfiles ICC (*.icc;*.icm)|*.icc;*.icm"
                                  << QStringList{"Perfiles ICC (*.icc *.icm)"};
        QTest::newRow("two pairs, all files")
            << "CGATS TI3 (*.ti3)|*.ti3|Todos|*.*" << QStringList{"CGATS TI3 (*.ti3)", "Todos (*)"};
        QTest::newRow("patterns rule over display")
            << "Imágenes (*.tif)|*.tif; *.tiff ;*.png;;*.jpg"
            << QStringList{"Imágenes (*.tif *.tiff *.png *.jpg)"};
        QTest::newRow("text without parentheses")
            << "Referencias|*.cie;*.ti2" << QStringList{"Referencias (*.cie *.ti2)"};
        QTest::newRow("pair without patterns dropped")
            << "TIFF|*.tif|Roto|" << QStringList{"TIFF (*.tif)"};
        QTest::newRow("dangling text dropped") << "TIFF|*.tif|Roto" << QStringList{"TIFF (*.tif)"};
        QTest::newRow("empty") << "" << QStringList{};
    }

    void filterConversion() {
        QFETCH(QString, pipe);
        QFETCH(QStringList, qt);
        QCOMPARE(FiltrosQt(pipe), qt);
    }

    // Per kind of file, across starts (the settings file); the home folder before any choice
    // (the pictures folder for images, when there is one).
    void folderRule() {
        const QString images = "Imágenes (*.tif;*.png)|*.TIF;*.png|Todos|*.*";
        const QString profiles = "Perfiles ICC (*.icc;*.icm)|*.icc;*.icm";
        QCOMPARE(DialogFolder::kind(images), QString("tif"));
        QCOMPARE(DialogFolder::kind(profiles), QString("icc"));
        const QString ini = dir_.filePath("folders.ini");
        const QString charts = dir_.filePath("charts");
        QVERIFY(QDir().mkpath(charts));
        DialogFolder folder(ini);
        QCOMPARE(folder.initialFolder("", profiles, "/prog"), QDir::homePath());
        QCOMPARE(folder.initialFolder("/prog", profiles, "/prog"), QDir::homePath());
        QCOMPARE(folder.initialFolder("/given", profiles, "/prog"), QString("/given"));
        folder.remember(charts + "/it8.tif", images);
        folder.remember("", profiles); // cancelled
        QCOMPARE(DialogFolder(ini).initialFolder("/prog", images, "/prog"), charts);
        QCOMPARE(DialogFolder(ini).initialFolder("", profiles, "/prog"), QDir::homePath());
        QCOMPARE(DialogFolder(ini).initialFolder("/given", images, "/prog"), QString("/given"));
        QDir(charts).removeRecursively(); // a folder gone since falls back
        QVERIFY(DialogFolder(ini).initialFolder("", images, "/prog") != charts);
    }

    // Runs first among the cases that choose files: nothing has been chosen yet.
    void shorthandsApplyFolderRuleAndMemory() {
        const QString shots = dir_.filePath("shots");
        QVERIFY(QDir().mkpath(shots));
        ScriptedDialogs dialogs;
        QCOMPARE(&Dialogos(), static_cast<DialogProvider*>(&dialogs));
        dialogs.answerOpen("")
            .answerOpen(shots + "/chart.tif")
            .answerSave("")
            .answerSave("/out/p.icc")
            .answerOpen("/x/y.ti3");
        const QString filter = "Perfiles ICC (*.icc;*.icm)|*.icc;*.icm";
        QCOMPARE(AbrirFichero(nullptr, filter, "Abrir", ""), QString());
        QCOMPARE(AbrirFichero(nullptr, filter, "Abrir", ""), shots + "/chart.tif");
        QCOMPARE(GuardarFichero(nullptr, filter, "Guardar", "", "icc"), QString());
        QCOMPARE(GuardarFichero(nullptr, filter, "Guardar", "", "icc"), QString("/out/p.icc"));
        QCOMPARE(AbrirFichero(nullptr, filter, "Abrir", "/given"), QString("/x/y.ti3"));
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));

        const auto& calls = dialogs.calls();
        QCOMPARE(calls.size(), 5);
        QCOMPARE(calls[0].initialFolder, QDir::homePath());
        QCOMPARE(calls[1].initialFolder, QDir::homePath()); // cancel kept nothing
        QCOMPARE(calls[2].initialFolder, shots);
        QCOMPARE(calls[3].initialFolder, shots);
        QCOMPARE(calls[4].initialFolder, QString("/given"));
        QCOMPARE(calls[3].kind, ScriptedDialogs::Kind::Save);
        QCOMPARE(calls[3].filter, filter);
        QCOMPARE(calls[3].title, QString("Guardar"));
        QCOMPARE(calls[3].defaultExtension, QString("icc"));
    }

    void realDialogsBackAfterScript() {
        { ScriptedDialogs dialogs; }
        QVERIFY(dynamic_cast<QtDialogProvider*>(&Dialogos()) != nullptr);
    }

    void unscriptedDialogIsReportedNotBlocking() {
        ScriptedDialogs dialogs;
        dialogs.answerSave("/a.icc");
        QCOMPARE(MsgBox(nullptr, "¿Seguro?", Msg::Question | Msg::YesNo, "T"), int(Msg::No));
        QCOMPARE(MsgBox(nullptr, "Hecho", Msg::Information, "T"), int(Msg::Ok));
        QVERIFY(dialogs.problems().contains("¿Seguro?"));
        QVERIFY(dialogs.problems().contains("1 scripted answer(s) never used"));
        QCOMPARE(dialogs.messages(), QStringList({"¿Seguro?", "Hecho"}));
    }

    void deleteQuestion() {
        ScriptedDialogs dialogs;
        dialogs.answerMessage(Msg::Yes).answerMessage(Msg::No);
        QVERIFY(!PreguntarBorrarCarpeta(nullptr, ""));
        QVERIFY(dialogs.calls().isEmpty());
        QVERIFY(PreguntarBorrarCarpeta(nullptr, "/t/w %1"));
        QVERIFY(!PreguntarBorrarCarpeta(nullptr, "/t/w"));
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
        QCOMPARE(dialogs.calls().size(), 2);
        QVERIFY(dialogs.calls()[0].text.contains("/t/w %1"));
        QCOMPARE(dialogs.calls()[0].style, Msg::Question | Msg::YesNo);
    }

    void messageBoxSetUp() {
        auto stop = QtDialogProvider::crearMensaje(nullptr, "a\r\nb", Msg::Critical, "Error");
        QCOMPARE(stop->icon(), QMessageBox::Critical);
        QCOMPARE(stop->text(), QString("a\nb"));
        QCOMPARE(stop->windowTitle(), QString("Error"));
        QCOMPARE(stop->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));

        auto ask = QtDialogProvider::crearMensaje(
            nullptr, "q", Msg::Question | Msg::YesNo | Msg::DefaultButton2, "T");
        QCOMPARE(ask->icon(), QMessageBox::Question);
        QCOMPARE(ask->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(static_cast<QAbstractButton*>(ask->defaultButton()), ask->button(QMessageBox::No));
        auto yesFirst = QtDialogProvider::crearMensaje(nullptr, "q", Msg::YesNo, "T");
        QCOMPARE(static_cast<QAbstractButton*>(yesFirst->defaultButton()),
                 yesFirst->button(QMessageBox::Yes));

        QCOMPARE(QtDialogProvider::crearMensaje(nullptr, "", Msg::Exclamation, "")->icon(),
                 QMessageBox::Warning);
        QCOMPARE(QtDialogProvider::crearMensaje(nullptr, "", Msg::Information, "")->icon(),
                 QMessageBox::Information);
    }

    void messageBoxAnswers() {
        QtDialogProvider real;
        alAparecer<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        QCOMPARE(real.message(nullptr, "q", Msg::Question | Msg::YesNo, "T", ""), int(Msg::Yes));
        alAparecer<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
        QCOMPARE(real.message(nullptr, "q", Msg::Question | Msg::YesNo, "T", ""), int(Msg::No));
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

    void openDialogOffersAnyLetterCase() {
        const QString folder = dir_.filePath("shots");
        QVERIFY(QDir().mkpath(folder));
        for (const char* name : {"CHART.TIF", "chart2.tif", "Other.Tiff", "notes.txt", "raw"})
            crearFichero(folder + "/" + name);
        auto dialog = QtDialogProvider::crearDialogoAbrir(
            nullptr, "Imágenes TIFF (*.tif;*.tiff)|*.tif;*.tiff|Todos|*.*", "Abrir", folder);
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dialog->windowTitle(), QString("Abrir"));
        QCOMPARE(dialog->nameFilters(), QStringList({"Imágenes TIFF (*.tif *.tiff)", "Todos (*)"}));
        dialog->show();
        const QStringList tiffs{"CHART.TIF", "Other.Tiff", "chart2.tif"};
        QTRY_COMPARE_WITH_TIMEOUT(nombresVisibles(*dialog), tiffs, 3000);
        dialog->selectNameFilter("Todos (*)");
        const QStringList all{"CHART.TIF", "Other.Tiff", "chart2.tif", "notes.txt", "raw"};
        QTRY_COMPARE_WITH_TIMEOUT(nombresVisibles(*dialog), all, 3000);
    }

    void saveDialogAddsSuffixAndAsksBeforeOverwriting() {
        const QString folder = dir_.filePath("profiles");
        QVERIFY(QDir().mkpath(folder));
        crearFichero(folder + "/old.icc");
        QtDialogProvider real;
        const QString filter = "Perfiles ICC (*.icc;*.icm)|*.icc;*.icm";

        alAparecer<QFileDialog>([](QFileDialog* dialog) {
            QCOMPARE(dialog->defaultSuffix(), QString("icc"));
            QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
            guardarComo(dialog, "new profile");
        });
        QCOMPARE(real.saveFile(nullptr, filter, "Guardar", folder, "icc"),
                 folder + "/new profile.icc");

        bool asked = false;
        alAparecer<QFileDialog>([&asked](QFileDialog* dialog) {
            alAparecer<QMessageBox>([&asked, dialog](QMessageBox* box) {
                asked = true;
                box->button(QMessageBox::No)->click();
                // still open after "No": the user gives up
                QTimer::singleShot(0, dialog, &QFileDialog::reject);
            });
            guardarComo(dialog, "old");
        });
        QCOMPARE(real.saveFile(nullptr, filter, "Guardar", folder, "icc"), QString());
        QVERIFY(asked);

        alAparecer<QFileDialog>([](QFileDialog* dialog) {
            alAparecer<QMessageBox>(
                [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
            guardarComo(dialog, "old.icc");
        });
        QCOMPARE(real.saveFile(nullptr, filter, "Guardar", folder, "icc"), folder + "/old.icc");
    }

    void openDialogCancelGivesEmpty() {
        QtDialogProvider real;
        alAparecer<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QCOMPARE(real.openFile(nullptr, "Todos|*.*", "Abrir", dir_.path()), QString());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
