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
#include "shell/appfolders.h"
#include "shell/frmmain.h"
#include "shell/inifile.h"
#include "toolrunwait.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <memory>

namespace {

const UltimosResultados& Ultimos(const frmMain& w) {
    return w.findChild<ResultsMenu*>()->Ultimos();
}

int LogLines(const frmMain& w, const QString& start) {
    int count = 0;
    for (const QString& line : TextoDe(w, "txtLog").split(QLatin1Char('\n'))) {
        count += line.startsWith(start) ? 1 : 0;
    }
    return count;
}

// "max. = a, avg. = b" of the automatic verification.
QString Errores(const QString& profcheckOutput) {
    static const QRegularExpression complete(
        QStringLiteral("max\\. = ([0-9.]+), avg\\. = ([0-9.]+)"));
    const QRegularExpressionMatch m = complete.match(profcheckOutput);
    return m.hasMatch() ? QStringLiteral("avg %1 max %2").arg(m.captured(2), m.captured(1))
                        : QString();
}

// Closes every modal window that opens (the verification window after Create) and notes
// its name, so no test waits on one.
class ModalCloser {
public:
    ModalCloser() {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                closed << modal->metaObject()->className();
                modal->close();
            }
        });
        timer_.start();
    }
    QStringList closed;

private:
    QTimer timer_;
};

} // namespace

// Create pressed through the main window on rendered captures, dialogs scripted.
class TestCreateWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    std::unique_ptr<frmMain> Cargar() {
        auto w = std::make_unique<frmMain>();
        w->Form_Load();
        return w;
    }

    void Elegir(frmMain& w, const QString& image, const QString& chart) {
        ScriptedDialogs dialogs;
        dialogs.answerOpen(image);
        Control<QPushButton>(w, "cmdLoadImage")->click();
        QCOMPARE(Control<QLineEdit>(w, "txtImage")->text(), image);
        Control<QComboBox>(w, "cboChart")->setCurrentIndex(Catalogo().IndiceCarta(chart + ".cht"));
        QVERIFY(Control<QRadioButton>(w, "optFRGenerico")->isChecked());
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        EstablecerCarpetas(PortableFolders(dir_->path()));
        EstablecerIdiomaActual(IdiomaEs);
    }

    void createsVerifiedProfile_data() {
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<double>("perspective");
        QTest::addColumn<bool>("custom");
        QTest::addColumn<bool>("keepBeside");
        QTest::newRow("ColorChecker png") << "ColorChecker"
                                          << "png" << false << 0.0 << false << true;
        QTest::newRow("ColorChecker jpg") << "ColorChecker"
                                          << "jpg" << false << 0.0 << false << false;
        QTest::newRow("ColorChecker perspective") << "ColorChecker"
                                                  << "png" << false << 0.3 << false << true;
        QTest::newRow("ColorChecker custom reference") << "ColorChecker"
                                                       << "tif" << false << 0.0 << true << true;
        QTest::newRow("ColorChecker Passport") << "ColorCheckerPassport"
                                               << "png" << false << 0.0 << false << true;
        QTest::newRow("SpyderChecker") << "SpyderChecker"
                                       << "jpg" << false << 0.0 << false << true;
        QTest::newRow("SpyderChecker 24") << "SpyderChecker24"
                                          << "png" << false << 0.0 << false << false;
        QTest::newRow("QPcard 201") << "QPcard_201"
                                    << "png" << false << 0.0 << false << true;
        QTest::newRow("QPcard 202 portrait") << "QPcard_202"
                                             << "jpg" << true << 0.0 << false << true;
        QTest::newRow("CMP Digital Target 4") << "CMP_Digital_Target-4"
                                              << "png" << false << 0.0 << false << true;
    }

    void createsVerifiedProfile() {
        QFETCH(QString, chart);
        QFETCH(QString, suffix);
        QFETCH(bool, portrait);
        QFETCH(double, perspective);
        QFETCH(bool, custom);
        QFETCH(bool, keepBeside);
        const QString image = dir_->filePath("capture." + suffix);
        const QString error = RenderizarCarta(chart, image, portrait, perspective,
                                              chart.startsWith("CMP") ? 2400 : 1400);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        auto w = Cargar();
        Elegir(*w, image, chart);
        QString reference = CarpetaRefArgyll() + chart + ".cie";
        if (custom) {
            reference = dir_->filePath("my reference.cie");
            QVERIFY(QFile::copy(CarpetaRefArgyll() + chart + ".cie", reference));
            ScriptedDialogs dialogs;
            dialogs.answerOpen(reference);
            Control<QAction>(*w, "mnuFileOpenRef")->trigger();
        }
        Control<QCheckBox>(*w, "chkPerspective")->setChecked(perspective > 0);
        Control<QAction>(*w, "mnuResultsSaveTi3WithProfile")->setChecked(keepBeside);
        Control<QAction>(*w, "mnuResultsAutoScaninDiag")->setChecked(keepBeside);
        Control<QLineEdit>(*w, "txtScanner")->setText("Acme");

        const QString profile = dir_->filePath("out/cam era.icc");
        QVERIFY(QDir().mkpath(dir_->filePath("out")));
        ScriptedDialogs dialogs;
        dialogs.answerSave(profile).answerMessage(Msg::No).answerMessage(Msg::Yes);
        ModalCloser modals;
        // The click returns at once; the log's lines arrive while the run goes on, with the
        // inputs locked: loading an image or opening the grid window asks nothing.
        ToolJob& job = w->findChild<CreateController*>()->Trabajo();
        bool returned = false;
        bool locked = false;
        AlVerEnLog(Control<QPlainTextEdit>(*w, "txtLog"), "scanin: ", [&] {
            Control<QPushButton>(*w, "cmdLoadImage")->click();
            Control<QAction>(*w, "mnuToolsGridCheck")->trigger();
            locked = job.Ejecutando() && !Control<QComboBox>(*w, "cboChart")->isEnabled() &&
                     !Control<QLineEdit>(*w, "txtScanner")->isEnabled() &&
                     !Control<QMenu>(*w, "mnuResults")->menuAction()->isEnabled();
        });
        QVERIFY(EsperarTrabajo(job, [&] {
            Control<QPushButton>(*w, "cmdCreate")->click();
            returned = job.Ejecutando();
        }));
        QVERIFY(returned && locked);
        QVERIFY(Control<QComboBox>(*w, "cboChart")->isEnabled() &&
                Control<QMenu>(*w, "mnuResults")->menuAction()->isEnabled());
        // The verification window opens after the summary, the TI3 kept beside the profile or not.
        QCOMPARE(modals.closed, QStringList({"frmProfCheck"}));
        QVERIFY2(dialogs.problems().isEmpty(),
                 qPrintable(dialogs.problems() + "\n" + TextoDe(*w, "txtLog")));

        QVERIFY2(LeerEtiquetasIcc(profile).ok, qPrintable(TextoDe(*w, "txtLog")));
        QCOMPARE(LeerEtiquetasIcc(profile).fabricante, QString("Acme"));
        QCOMPARE(Ultimos(*w).perfil, profile);
        const QString p0 = dir_->filePath("out/cam era");
        if (keepBeside) {
            QCOMPARE(Ultimos(*w).ti3, p0 + ".ti3");
            QCOMPARE(Ultimos(*w).diagnostico, p0 + "_scanin_diag.tif");
        } else {
            QCOMPARE(Ultimos(*w).ti3, Carpetas().tmpFolder + "/ultimo.ti3");
            QCOMPARE(Ultimos(*w).diagnostico, Carpetas().tmpFolder + "/ultimo_scanin_diag.tif");
            QVERIFY(!QFile::exists(p0 + ".ti3"));
        }
        QVERIFY(QFile::exists(Ultimos(*w).diagnostico));
        QCOMPARE(ParchesTi3(Ultimos(*w).ti3), ParchesTi3(reference));
        QVERIFY(Control<QAction>(*w, "mnuResultsSummary")->isEnabled());
        QVERIFY(Control<QAction>(*w, "mnuResultsVerify")->isEnabled());
        QCOMPARE(LeerIni(Carpetas().settingsFile(), "results", "last_profile", ""), profile);

        const QStringList messages = dialogs.messages();
        QCOMPARE(messages.size(), 2);
        QVERIFY(messages.at(0).startsWith("Perfil creado correctamente:\n" + profile));
        QVERIFY(messages.at(0).contains(
            "\nResumen profcheck: " + QString::number(ParchesTi3(reference)) + " parches; "));
        QVERIFY2(!messages.at(0).contains("leyó mal"), qPrintable(messages.at(0)));
        for (const char* start : {"Creando perfil con Nerva Chromaflux/Argyll...",
                                  "scanin: ", "colprof: ", "Perfil guardado: ",
                                  "profcheck automático: ", "Resumen profcheck: ", "profcheck rc=0",
                                  "Resumen operador: ", "Carpeta temporal borrada: "}) {
            QVERIFY2(LogLines(*w, QString::fromUtf8(start)) == 1, start);
        }
        QCOMPARE(LogLines(*w, "scanin: \""), 1);
        QCOMPARE(LogLines(*w, "QPcard 202 vertical detectada"), portrait ? 1 : 0);
        QCOMPARE(LogLines(*w, "Imagen convertida a TIFF temporal -> "), suffix == "tif" ? 0 : 1);
        QVERIFY(Control<QPushButton>(*w, "cmdCreate")->isEnabled());
        QCOMPARE(Control<QPushButton>(*w, "cmdCreate")->text(), Texto("main.create"));
        const QString figures = Errores(Ultimos(*w).salidaVerificacion);
        QVERIFY(!figures.isEmpty());
        qInfo("%s: %s", QTest::currentDataTag(), qPrintable(figures));
        if (chart == "ColorChecker" && perspective == 0) {
            const double average = figures.section(' ', 1, 1).toDouble();
            const double maximum = figures.section(' ', 3, 3).toDouble();
            QVERIFY(average < 5 && maximum < 15);
        }
    }

    // One message lists every missing item; nothing runs.
    void missingInputsInOneMessage() {
        auto w = Cargar();
        Control<QRadioButton>(*w, "optPersoanlizado")->click();
        ScriptedDialogs dialogs;
        dialogs.answerMessage(Msg::Ok);
        Control<QPushButton>(*w, "cmdCreate")->click();
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
        QCOMPARE(dialogs.calls().first().style, Msg::Styles(Msg::Exclamation));
        QCOMPARE(dialogs.calls().first().title, Texto("msg.missing_data_title"));
        QVERIFY(dialogs.messages().first().endsWith(
            "\n\n- Imagen target\n- Fichero de referencia personalizado"));
        QCOMPARE(LogLines(*w, "No se puede crear el perfil. Faltan datos:"), 1);
        QCOMPARE(LogLines(*w, "scanin: "), 0);
    }

    void failedRunExplainsItself_data() {
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("step");
        QTest::newRow("missing folder") << "ColorChecker"
                                        << "missing/p.icc"
                                        << "fail.step.destination";
        QTest::newRow("chart not found") << "QPcard_201"
                                         << "p.icc"
                                         << "fail.step.read";
    }

    // A run that fails after the save dialog ends in one message naming the step, with the
    // log behind it; a destination that cannot take the profile is refused before any tool
    // runs, a chart that cannot be read opens its diagnostic image after the message.
    void failedRunExplainsItself() {
        QFETCH(QString, chart);
        QFETCH(QString, destination);
        QFETCH(QString, step);
        const QString image = dir_->filePath("capture.png");
        QVERIFY(RenderizarCarta("ColorChecker", image, false, 0.0, 700).isEmpty());
        auto w = Cargar();
        Elegir(*w, image, "ColorChecker");
        Control<QComboBox>(*w, "cboChart")->setCurrentIndex(Catalogo().IndiceCarta(chart + ".cht"));
        ScriptedDialogs dialogs;
        dialogs.answerSave(dir_->filePath(destination)).answerMessage(Msg::Ok);
        QVERIFY(PulsarYEsperar(w->findChild<CreateController*>()->Trabajo(),
                               Control<QPushButton>(*w, "cmdCreate")));
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
        const ScriptedDialogs::Call& failure = dialogs.calls().last();
        QCOMPARE(failure.title, Texto("fail.title"));
        QCOMPARE(failure.style, Msg::Styles(Msg::Critical));
        QVERIFY2(failure.text.contains(Texto(step)), qPrintable(failure.text));
        const QString reason = w->findChild<CreateController*>()->UltimaEjecucion().motivo;
        QVERIFY(failure.text.contains(reason));
        QVERIFY(failure.details.contains(reason));
        const bool read = step == "fail.step.read";
        QCOMPARE(LogLines(*w, "scanin: "), read ? 1 : 0);
        QCOMPARE(failure.text.contains(Texto("fail.try.read_diag")), read);
        QCOMPARE(VisorImagenCompleta() != nullptr, read);
        delete VisorImagenCompleta();
        QVERIFY(!QFile::exists(dir_->filePath(destination)));
    }

    // A kept TI3 that would replace the reference is refused; nothing runs.
    void outputOverAnInputIsRefused() {
        const QString image = dir_->filePath("capture.png");
        QVERIFY(RenderizarCarta("ColorChecker", image).isEmpty());
        auto w = Cargar();
        Elegir(*w, image, "ColorChecker");
        const QString reference = dir_->filePath("cam.ti3");
        QFile file(reference);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("reference") == 9);
        file.close();
        ScriptedDialogs dialogs;
        dialogs.answerOpen(reference).answerSave(dir_->filePath("cam.icc")).answerMessage(Msg::Ok);
        Control<QAction>(*w, "mnuFileOpenRef")->trigger();
        Control<QAction>(*w, "mnuResultsSaveTi3WithProfile")->setChecked(true);
        Control<QPushButton>(*w, "cmdCreate")->click();
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
        QCOMPARE(dialogs.messages().last(), MensajeSalidaSobreEntrada(reference));
        QCOMPARE(LogLines(*w, "scanin: "), 0);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == "reference");
    }

    // The button cancels a running Create, also after a language switch during the run (which
    // keeps it a Cancel button); no profile is written.
    void cancelButtonStopsTheRun() {
        const QString image = dir_->filePath("capture.png");
        QVERIFY(RenderizarCarta("ColorChecker", image).isEmpty());
        auto w = Cargar();
        Elegir(*w, image, "ColorChecker");
        Control<QComboBox>(*w, "cboAlgorithm")->setCurrentIndex(0); // Lab cLUT runs for seconds
        const QString profile = dir_->filePath("cancelled.icc");
        ScriptedDialogs dialogs;
        dialogs.answerSave(profile);
        QString caption;
        bool enabled = false;
        AlVerEnLog(Control<QPlainTextEdit>(*w, "txtLog"), "colprof: ", [&] {
            Control<QAction>(*w, "mnuLanguageEN")->trigger();
            caption = Control<QPushButton>(*w, "cmdCreate")->text();
            enabled = Control<QPushButton>(*w, "cmdCreate")->isEnabled();
            Control<QPushButton>(*w, "cmdCreate")->click();
        });
        QVERIFY(PulsarYEsperar(w->findChild<CreateController*>()->Trabajo(),
                               Control<QPushButton>(*w, "cmdCreate")));
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
        QVERIFY(enabled);
        QCOMPARE(caption, TextoEnIdioma(IdiomaEn, "main.create_cancel"));
        QVERIFY(!QFile::exists(profile));
        // The run's own lines follow the switch too.
        QCOMPARE(LogLines(*w, TextoEnIdioma(IdiomaEn, "log.cancelled")), 1);
        QVERIFY(Ultimos(*w).perfil.isEmpty());
        QCOMPARE(Control<QPushButton>(*w, "cmdCreate")->text(), Texto("main.create"));
    }

    // Closing the window during a run asks, stops the tool, cleans up, then closes.
    void closingDuringRunStopsTheTool() {
        const QString image = dir_->filePath("capture.png");
        QVERIFY(RenderizarCarta("ColorChecker", image).isEmpty());
        auto w = Cargar();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        Elegir(*w, image, "ColorChecker");
        Control<QComboBox>(*w, "cboAlgorithm")->setCurrentIndex(0);
        const QString profile = dir_->filePath("closed.icc");
        ScriptedDialogs dialogs;
        dialogs.answerSave(profile).answerMessage(Msg::Yes);
        QSignalSpy unloaded(w.get(), &frmMain::descargado);
        AlVerEnLog(Control<QPlainTextEdit>(*w, "txtLog"), "colprof: ", [&] {
            QCloseEvent event;
            QCoreApplication::sendEvent(w->windowHandle(), &event);
        });
        QVERIFY(PulsarYEsperar(w->findChild<CreateController*>()->Trabajo(),
                               Control<QPushButton>(*w, "cmdCreate")));
        QCOMPARE(unloaded.count(), 1);
        QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
        QVERIFY(dialogs.messages().first().contains("Detener"));
        QVERIFY(!QFile::exists(profile));
        QVERIFY(TextoDe(*w, "txtLog").contains("Creación del perfil cancelada"));
        QVERIFY(!w->isVisible());
    }

    // After a restart the Results menu follows which recorded files still exist.
    void resultsMenuAfterRestart() {
        const QString profile = dir_->filePath("p.icc");
        const QString diag = dir_->filePath("p_scanin_diag.tif");
        for (const QString& path : {profile, diag}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString ini = Carpetas().settingsFile();
        QVERIFY(EscribirIni(ini, "results", "last_profile", profile));
        QVERIFY(EscribirIni(ini, "results", "last_ti3", dir_->filePath("gone.ti3")));
        QVERIFY(EscribirIni(ini, "results", "last_diag", diag));
        auto w = Cargar();
        QVERIFY(Control<QAction>(*w, "mnuResultsSummary")->isEnabled());
        QVERIFY(Control<QAction>(*w, "mnuResultsOpenFolder")->isEnabled());
        QVERIFY(Control<QAction>(*w, "mnuResultsViewDiag")->isEnabled());
        QVERIFY(!Control<QAction>(*w, "mnuResultsVerify")->isEnabled());
        QFile::remove(profile);
        auto again = Cargar();
        QVERIFY(!Control<QAction>(*again, "mnuResultsSummary")->isEnabled());
        QVERIFY(!Control<QAction>(*again, "mnuResultsVerify")->isEnabled());
        QVERIFY(Control<QAction>(*again, "mnuResultsViewDiag")->isEnabled());
        ScriptedDialogs dialogs;
        dialogs.answerMessage(Msg::Ok);
        again->findChild<ResultsMenu*>()->mnuResultsSummary_Click();
        QCOMPARE(dialogs.messages(), QStringList({Texto("msg.no_results_profile")}));
    }
};

QTEST_MAIN(TestCreateWindow)
#include "tst_createwindow.moc"
