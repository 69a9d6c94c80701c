#include "chartcapture.h"
#include "charts/chartcatalog.h"
#include "charts/charttables.h"
#include "lang/texto.h"
#include "namedcontrol.h"
#include "portablefolders.h"
#include "profile/frmscanindiag.h"
#include "profiledata.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "toolrunwait.h"
#include "verify/frmcolverify.h"
#include "verify/frmprofcheck.h"
#include "verify/lienzografico.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>

// The three tool windows: what they share as rows, then what each does on its own.
class TestToolWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { EstablecerIdiomaActual(IdiomaEs); }
    void fileButtonsAndLanguage_data() { filas(); }
    void fileButtonsAndLanguage();
    void closingDuringRunStopsTheTool_data() { filas(); }
    void closingDuringRunStopsTheTool();
    void profcheckRunHandlesEventsAndRefusesASecond();
    void profcheckGraphSeries();
    void scaninListsFollowEachOther();
    void scaninRunsAndTheWorkFolder();
    void colverifyOptionsReachTheCommandLine_data();
    void colverifyOptionsReachTheCommandLine();

private:
    void filas();
    // The window of `kind`, its inputs already chosen.
    std::unique_ptr<VentanaHerramienta> abrir(const QString& kind);
    static QString log(VentanaHerramienta& w) { return TextoDe(w, "txtLog"); }
    static int carta(const QString& cht) { return Catalogo().IndiceCarta(cht); }

    QTemporaryDir dir_;
    QString ti3_, icc_, png_;
};

void TestToolWindows::initTestCase() {
    QVERIFY(dir_.isValid());
    QDir().mkpath(dir_.filePath("program"));
    EstablecerCarpetas(PortableFolders(dir_.filePath("program")));
    const QString work = dir_.filePath("con blancos");
    QVERIFY(QDir().mkpath(work));
    QVERIFY(PrepararPerfil(work, "colorchecker"));
    ti3_ = work + "/colorchecker.ti3";
    icc_ = work + "/colorchecker.icc";
    png_ = work + "/carta uno.png";
    QString error;
    QVERIFY2(chartrender::renderChart(chartCaptureOptions("ColorChecker", 900), png_, &error),
             qPrintable(error));
    for (const QString& file : {ti3_, png_})
        QVERIFY(QFile::copy(file, work + "/otro " + QFileInfo(file).fileName()));
}

void TestToolWindows::filas() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("file");
    QTest::newRow("profcheck") << "profcheck"
                               << "cmdTi3"
                               << "lblTi3" << ti3_;
    QTest::newRow("scanin") << "scanin"
                            << "cmdImage"
                            << "lblImage" << png_;
    QTest::newRow("colverify") << "colverify"
                               << "cmdTarget"
                               << "lblTarget" << ti3_;
}

std::unique_ptr<VentanaHerramienta> TestToolWindows::abrir(const QString& kind) {
    if (kind == "profcheck") {
        auto w = std::make_unique<frmProfCheck>(nullptr);
        w->SetupDefaults(ti3_, icc_);
        return w;
    }
    if (kind == "scanin") {
        auto w = std::make_unique<frmScaninDiag>(nullptr);
        w->SetupDefaults(png_, "", carta("ColorChecker.cht"), 0, false, 2.2);
        return w;
    }
    auto w = std::make_unique<frmColVerify>(nullptr);
    ScriptedDialogs dialogs;
    dialogs.answerOpen(ti3_).answerOpen(ti3_);
    Control<QPushButton>(*w, "cmdTarget")->click();
    Control<QPushButton>(*w, "cmdMeasured")->click();
    return w;
}

// A cancelled dialog keeps the file; a chosen one shows, and stays across a language switch.
void TestToolWindows::fileButtonsAndLanguage() {
    QFETCH(QString, kind);
    QFETCH(QString, button);
    QFETCH(QString, label);
    QFETCH(QString, file);
    auto w = abrir(kind);
    const QString other = QFileInfo(file).path() + "/otro " + QFileInfo(file).fileName();
    ScriptedDialogs dialogs;
    dialogs.answerOpen("").answerOpen(other);
    auto* shown = Control<QLabel>(*w, qPrintable(label));
    Control<QPushButton>(*w, qPrintable(button))->click();
    QCOMPARE(shown->text(), file);
    Control<QPushButton>(*w, qPrintable(button))->click();
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QVERIFY(dialogs.calls()[0].initialFolder != Carpetas().programFolder); // last used, or home
    EstablecerIdiomaActual(IdiomaEn);
    w->aplicarTextos();
    QCOMPARE(shown->text(), other);
}

// With a tool that only waits, closing asks: No keeps it running, Yes stops it and closes.
void TestToolWindows::closingDuringRunStopsTheTool() {
    QFETCH(QString, kind);
    const QString program = dir_.filePath("slow " + kind);
    QVERIFY(EscribirHerramientaLenta(program, kind));
    EstablecerCarpetas(PortableFolders(program));
    auto w = abrir(kind);
    ScriptedDialogs dialogs;
    dialogs.answerMessage(Msg::No).answerMessage(Msg::Yes);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    bool keptOpen = false;
    QVERIFY(EsperarTrabajo(w->Trabajo(), [&] {
        Control<QPushButton>(*w, "cmdRun")->click();
        w->close();
        keptOpen = w->isVisible() && w->Ejecutando();
        w->close();
    }));
    EstablecerCarpetas(PortableFolders(dir_.filePath("program")));
    QVERIFY(keptOpen && !w->isVisible() && !w->Ejecutando());
    QVERIFY2(log(*w).contains(kind + " rc=-1"), qPrintable(log(*w)));
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
}

// The click returns at once; the run's lines arrive while it goes on, with its button and
// inputs off, so a second click starts nothing.
void TestToolWindows::profcheckRunHandlesEventsAndRefusesASecond() {
    frmProfCheck w(nullptr);
    w.SetupDefaults(ti3_, icc_);
    auto* run = Control<QPushButton>(w, "cmdRun");
    Control<QCheckBox>(w, "chkSort")->setChecked(true);
    Control<QComboBox>(w, "cboIntent")->setCurrentIndex(1);
    bool returned = false, refused = false;
    AlVerEnLog(Control<QPlainTextEdit>(w, "txtLog"), "profcheck: ", [&] {
        run->click();
        refused = w.Ejecutando() && !run->isEnabled() &&
                  !Control<QGroupBox>(w, "fraOptions")->isEnabled();
    });
    QVERIFY(EsperarTrabajo(w.Trabajo(), [&] {
        run->click();
        returned = w.Ejecutando();
    }));
    QVERIFY(returned && refused && run->isEnabled());
    QCOMPARE(log(w).count(" -v2 -s -Ir "), 1);
    QVERIFY(log(w).endsWith("\nprofcheck rc=0"));
    QCOMPARE(w.Errores().size(), 24);
    QVERIFY(w.Errores().first().de >= w.Errores().last().de);
    // Without per-patch detail the graph has nothing to draw.
    Control<QCheckBox>(w, "chkEach")->setChecked(false);
    QVERIFY(PulsarYEsperar(w.Trabajo(), run));
    QVERIFY(log(w).contains(" -v -s -Ir "));
    QVERIFY(w.Errores().isEmpty() && w.Grafico().Barras().isEmpty());
}

// Each graph button draws its own error, and the hover reads it back.
void TestToolWindows::profcheckGraphSeries() {
    frmProfCheck w(nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.MostrarVerificacionAutomatica(ti3_, icc_, LeerDatoVerify("colorchecker.profcheck-v2-Ir.txt"));
    const char* buttons[] = {"cmdGraphDE", "cmdGraphL", "cmdGraphC", "cmdGraphH"};
    for (int t : {2, 1, 3, 0}) {
        Control<QPushButton>(w, buttons[t])->click();
        const ErrorParche& e = w.Errores()[5];
        QCOMPARE(w.Grafico().Barras()[5].value, (std::array{e.de, e.dl, e.dc, e.dh}[t]));
    }
    const BarraGrafico bar = w.Grafico().Barras()[3];
    QTest::mouseMove(Control(w, "picDEGraph"),
                     QPoint((bar.x0 + bar.x1) / 2, w.Grafico().PlotBottom() - 2));
    QVERIFY(Control(w, "picDEGraph")->toolTip().startsWith(w.Errores()[3].id + " | Delta-e: "));
}

// A generic reference moves the chart and drops the custom one; a chart selects its generic
// reference.
void TestToolWindows::scaninListsFollowEachOther() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults("", dir_.filePath("mi referencia.cie"), carta("it8.cht"), 0, false, 2.2);
    const int g = IndiceGenericaPorCarta("ColorChecker.cht");
    Control<QComboBox>(w, "cboGenericRef")->setCurrentIndex(g);
    QCOMPARE(Control<QComboBox>(w, "cboChart")->currentIndex(), carta("ColorChecker.cht"));
    QCOMPARE(w.ReferenciaDiag(), QString());
    QCOMPARE(Control<QLabel>(w, "lblRef")->text(), Catalogo().RutaReferenciaGenerica(g));
    Control<QComboBox>(w, "cboChart")->setCurrentIndex(carta("it8.cht"));
    QCOMPARE(Control<QComboBox>(w, "cboGenericRef")->currentIndex(),
             IndiceGenericaPorCarta("it8.cht"));
}

// A saved TI3 brings the question about the work folder (Yes deletes it, No keeps it); a
// failed run asks nothing and keeps the folder and the diagnostic the flags asked for.
void TestToolWindows::scaninRunsAndTheWorkFolder() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults(png_, "", carta("ColorChecker.cht"), 0, false, 2.2);
    auto* run = Control<QPushButton>(w, "cmdRun");
    const QString dest = dir_.filePath("guardado uno.ti3");
    Control<QLineEdit>(w, "txtSaveTi3")->setText(dest);
    ScriptedDialogs dialogs;
    dialogs.answerMessage(Msg::Yes).answerMessage(Msg::No);
    QVERIFY(PulsarYEsperar(w.Trabajo(), run));
    QVERIFY(QFile::exists(dest));
    auto m = QRegularExpression("\nCarpeta temporal borrada: (.*)$").match(log(w));
    QVERIFY2(m.hasMatch(), qPrintable(log(w)));
    QVERIFY(!QFileInfo::exists(m.captured(1)));
    Control<QLineEdit>(w, "txtSaveTi3")->setText(dir_.filePath("guardado dos.ti3"));
    Control<QLineEdit>(w, "txtDiagFlags")->setText(" I ");
    QVERIFY(PulsarYEsperar(w.Trabajo(), run));
    QVERIFY(log(w).contains(" -di \""));
    m = QRegularExpression("\nCarpeta temporal conservada: (.*)$").match(log(w));
    QVERIFY2(m.hasMatch() && QFileInfo(m.captured(1)).isDir(), qPrintable(log(w)));
    // The IT8 chart with the ColorChecker reference: scanin fails.
    Control<QComboBox>(w, "cboChart")->blockSignals(true);
    Control<QComboBox>(w, "cboChart")->setCurrentIndex(carta("it8.cht"));
    Control<QComboBox>(w, "cboChart")->blockSignals(false);
    QVERIFY(PulsarYEsperar(w.Trabajo(), run));
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QVERIFY2(log(w).contains(QRegularExpression(
                 "\nscanin rc=[1-9]\\d*\nDiagnóstico scanin guardado: " +
                 QRegularExpression::escape(dir_.filePath("guardado dos_scanin_diag.tif")) +
                 "\nCarpeta temporal conservada: [^\n]*$")),
             qPrintable(log(w).right(600)));
}

void TestToolWindows::colverifyOptionsReachTheCommandLine_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index"); // of a list; a box is ticked
    QTest::addColumn<QString>("option");
    QTest::newRow("none") << "" << 0 << " -v \"";
    QTest::newRow("axes") << "chkAxes" << 0 << " -x ";
    QTest::newRow("each") << "chkEach" << 0 << " -v 2 ";
    QTest::newRow("location") << "chkMatchLocation" << 0 << " -l ";
    QTest::newRow("de2000") << "chkDE2000" << 0 << " -k ";
    QTest::newRow("sort") << "chkSort" << 0 << " -s ";
    QTest::newRow("d50") << "chkD50White" << 0 << " -D ";
    QTest::newRow("normalize") << "cboNormalize" << 2 << " -N ";
    QTest::newRow("x3dom") << "cboX3DOM" << 1 << " -w ";
}

void TestToolWindows::colverifyOptionsReachTheCommandLine() {
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(QString, option);
    auto w = abrir("colverify");
    if (auto* box = w->findChild<QCheckBox*>(control))
        box->setChecked(true);
    else if (auto* list = w->findChild<QComboBox*>(control))
        list->setCurrentIndex(index);
    QVERIFY(PulsarYEsperar(w->Trabajo(), Control<QPushButton>(*w, "cmdRun")));
    const QString first = log(*w).section('\n', 0, 0);
    QVERIFY2(first.startsWith("colverify: ") && first.contains(option), qPrintable(first));
    if (control.isEmpty()) {
        QVERIFY2(log(*w).contains("No of test patches = 24"), qPrintable(log(*w)));
        QVERIFY(log(*w).contains("\ncolverify rc=0"));
    }
}

QTEST_MAIN(TestToolWindows)
#include "tst_toolwindows.moc"
