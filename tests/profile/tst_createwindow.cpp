#include "charts/chartcatalog.h"
#include "image/frmimagencompleta.h"
#include "lang/texto.h"
#include "namedcontrol.h"
#include "portablefolders.h"
#include "profile/createcontroller.h"
#include "profile/createvalidation.h"
#include "profile/resultsmenu.h"
#include "profilefixtures.h"
#include "scripteddialogs.h"
#include "shell/frmmain.h"
#include "toolrunwait.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

namespace {

const UltimosResultados& Ultimos(const frmMain& w) {
    return w.findChild<ResultsMenu*>()->Ultimos();
}

bool EnLog(const frmMain& w, const QString& text) {
    return TextoDe(w, "txtLog").contains(text);
}

ToolJob& Trabajo(const frmMain& w) {
    return w.findChild<CreateController*>()->Trabajo();
}

} // namespace

// Create pressed through the main window on rendered captures, dialogs scripted.
class TestCreateWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshProgram> dir_;

    // A main window with a rendered ColorChecker capture as target, its generic reference.
    std::unique_ptr<frmMain> Preparar(const QString& suffix = "png", int width = 1400) {
        const QString image = dir_->filePath("capture." + suffix);
        const QString error = RenderizarCarta("ColorChecker", image, false, 0, width);
        if (!error.isEmpty())
            qFatal("render failed: %s", qPrintable(error));
        auto w = std::make_unique<frmMain>();
        w->Form_Load();
        ScriptedDialogs dialogs;
        dialogs.answerOpen(image);
        Control<QPushButton>(*w, "cmdLoadImage")->click();
        Control<QComboBox>(*w, "cboChart")
            ->setCurrentIndex(Catalogo().IndiceCarta("ColorChecker.cht"));
        return w;
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() { dir_ = std::make_unique<FreshProgram>(); }

    // One real run: the click returns at once, the log's lines arrive while the run goes on
    // with the inputs locked (loading an image or opening the grid window asks nothing).
    void createsVerifiedProfile() {
        auto w = Preparar("jpg");
        Control<QAction>(*w, "mnuResultsSaveTi3WithProfile")->setChecked(true);
        Control<QLineEdit>(*w, "txtScanner")->setText("Acme");
        const QString profile = dir_->filePath("out/cam era.icc");
        QVERIFY(QDir().mkpath(dir_->filePath("out")));
        ScriptedDialogs dialogs;
        dialogs.answerSave(profile).answerMessage(Msg::No).answerMessage(Msg::Yes);
        // The verification window opens modal after the summary; close it when it does.
        QStringList modals;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modals << modal->metaObject()->className();
                modal->close();
            }
        });
        closer.start(50);
        ToolJob& job = Trabajo(*w);
        bool returned = false;
        bool locked = false;
        AlVerEnLog(Control<QPlainTextEdit>(*w, "txtLog"), "scanin: ", [&] {
            Control<QPushButton>(*w, "cmdLoadImage")->click();
            Control<QAction>(*w, "mnuToolsGridCheck")->trigger();
            locked = job.Ejecutando() && !Control<QComboBox>(*w, "cboChart")->isEnabled() &&
                     !Control<QMenu>(*w, "mnuResults")->menuAction()->isEnabled();
        });
        QVERIFY(EsperarTrabajo(job, [&] {
            Control<QPushButton>(*w, "cmdCreate")->click();
            returned = job.Ejecutando();
        }));
        QVERIFY(returned && locked);
        QCOMPARE(modals, QStringList({"frmProfCheck"}));
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));

        QCOMPARE(LeerEtiquetasIcc(profile).fabricante, QString("Acme"));
        QCOMPARE(Ultimos(*w).perfil, profile);
        QCOMPARE(Ultimos(*w).ti3, dir_->filePath("out/cam era.ti3"));
        QCOMPARE(ParchesTi3(Ultimos(*w).ti3), 24);
        QVERIFY(dialogs.messages().at(0).startsWith("Perfil creado correctamente:\n" + profile));
        QVERIFY(EnLog(*w, "Carpeta temporal borrada: "));
    }

    void failedRunExplainsItself_data() {
        QTest::addColumn<bool>("read"); // else the destination fails
        QTest::newRow("missing folder") << false;
        QTest::newRow("chart not found") << true;
    }

    // One message naming the step and its reason; a destination that cannot take the profile
    // is refused before any tool runs, a chart that cannot be read opens its diagnostic image.
    void failedRunExplainsItself() {
        QFETCH(bool, read);
        const QString destination = read ? "p.icc" : "missing/p.icc";
        auto w = Preparar("png", 700);
        if (read) // a capture of another chart
            Control<QComboBox>(*w, "cboChart")
                ->setCurrentIndex(Catalogo().IndiceCarta("QPcard_201.cht"));
        ScriptedDialogs dialogs;
        dialogs.answerSave(dir_->filePath(destination)).answerMessage(Msg::Ok);
        QVERIFY(PulsarYEsperar(Trabajo(*w), Control<QPushButton>(*w, "cmdCreate")));
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
        const ScriptedDialogs::Call& failure = dialogs.calls().last();
        const QString step = read ? "fail.step.read" : "fail.step.destination";
        QVERIFY2(failure.text.contains(Texto(step)), qPrintable(failure.text));
        QVERIFY(failure.text.contains(w->findChild<CreateController*>()->UltimaEjecucion().motivo));
        QCOMPARE(EnLog(*w, "scanin: "), read);
        QCOMPARE(VisorImagenCompleta() != nullptr, read);
        delete VisorImagenCompleta();
        QVERIFY(!QFile::exists(dir_->filePath(destination)));
    }

    // Refused before any tool runs: a custom reference missing (in one message with every
    // other missing item), then a kept TI3 that would replace the reference.
    void refusedBeforeAnyTool() {
        auto w = Preparar();
        const QString reference = dir_->filePath("cam.ti3");
        QFile file(reference);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("reference") == 9);
        file.close();
        Control<QRadioButton>(*w, "optPersoanlizado")->click();
        ScriptedDialogs dialogs;
        dialogs.answerMessage(Msg::Ok).answerOpen(reference);
        dialogs.answerSave(dir_->filePath("cam.icc")).answerMessage(Msg::Ok);
        Control<QPushButton>(*w, "cmdCreate")->click();
        Control<QAction>(*w, "mnuFileOpenRef")->trigger();
        Control<QAction>(*w, "mnuResultsSaveTi3WithProfile")->setChecked(true);
        Control<QPushButton>(*w, "cmdCreate")->click();
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
        QVERIFY(dialogs.messages().first().endsWith("\n\n- Fichero de referencia personalizado"));
        QCOMPARE(dialogs.messages().last(), MensajeSalidaSobreEntrada(reference));
        QVERIFY(!EnLog(*w, "scanin: "));
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == "reference");
    }

    void stoppedDuringColprof_data() {
        QTest::addColumn<bool>("closing");
        QTest::newRow("cancel button after a language switch") << false;
        QTest::newRow("closing the window") << true;
    }

    // The button (still Cancel after a language switch) or closing the window (which asks)
    // stops the run; no profile is written and the window closes once the run has ended.
    void stoppedDuringColprof() {
        QFETCH(bool, closing);
        auto w = Preparar();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        Control<QComboBox>(*w, "cboAlgorithm")->setCurrentIndex(0); // Lab cLUT runs for seconds
        const QString profile = dir_->filePath("stopped.icc");
        ScriptedDialogs dialogs;
        dialogs.answerSave(profile);
        if (closing)
            dialogs.answerMessage(Msg::Yes);
        QSignalSpy unloaded(w.get(), &frmMain::descargado);
        AlVerEnLog(Control<QPlainTextEdit>(*w, "txtLog"), "colprof: ", [&] {
            if (closing) {
                QCloseEvent event;
                QCoreApplication::sendEvent(w->windowHandle(), &event);
            } else {
                Control<QAction>(*w, "mnuLanguageEN")->trigger();
                Control<QPushButton>(*w, "cmdCreate")->click();
            }
        });
        QVERIFY(PulsarYEsperar(Trabajo(*w), Control<QPushButton>(*w, "cmdCreate")));
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
        QVERIFY(!QFile::exists(profile));
        QVERIFY(Ultimos(*w).perfil.isEmpty());
        QCOMPARE(unloaded.count(), closing ? 1 : 0);
        QCOMPARE(w->isVisible(), !closing);
        QVERIFY(EnLog(*w, Texto("log.cancelled"))); // in the language of the moment
    }
};

QTEST_MAIN(TestCreateWindow)
#include "tst_createwindow.moc"
