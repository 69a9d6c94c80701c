#include "lang/texto.h"
#include "namedcontrol.h"
#include "portablefolders.h"
#include "profiledata.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "toolrunwait.h"
#include "verify/cajalog.h"
#include "verify/frmprofcheck.h"
#include "verify/lienzografico.h"
#include "verify/profcheckreport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString LogText(frmProfCheck& w) {
    return w.findChild<CajaLog*>("txtLog")->toPlainText();
}

QColor Back(QPushButton* b) {
    return b->palette().color(QPalette::Button);
}

// The message image a fresh graph of the same size shows for the text.
QImage Message(const QSize& size, const QString& text) {
    GraficoErrores graph;
    graph.MostrarMensaje(size, text);
    return graph.Imagen();
}

} // namespace

class TestFrmProfCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void loadState();
    void automaticVerificationWithDetail();
    void automaticVerificationWithoutDetail();
    void graphButtons();
    void graphButtonWithoutData();
    void hoverReadout();
    void redrawnWhenEnlarged();
    void languageSwitchKeepsChoices();
    void fileButtons();
    void realRuns();
    void closingDuringRunStopsTheTool();

private:
    QTemporaryDir dir_;
    QString ti3_, icc_;
};

void TestFrmProfCheck::initTestCase() {
    QVERIFY(dir_.isValid());
    QDir().mkpath(dir_.filePath("program"));
    EstablecerCarpetas(PortableFolders(dir_.filePath("program")));
    const QString work = dir_.filePath("perfiles con blancos");
    QVERIFY(QDir().mkpath(work));
    QVERIFY(PrepararPerfil(work, "colorchecker"));
    ti3_ = work + "/colorchecker.ti3";
    icc_ = work + "/colorchecker.icc";
}

void TestFrmProfCheck::init() {
    EstablecerIdiomaActual(IdiomaEs);
    QLocale::setDefault(QLocale::c());
}

void TestFrmProfCheck::loadState() {
    frmProfCheck w(nullptr);
    auto* de2000 = Control<QCheckBox>(w, "chkDE2000");
    auto* graph = Control<LienzoGrafico>(w, "picDEGraph");
    QVERIFY(Control<QCheckBox>(w, "chkEach")->isChecked());
    QVERIFY(!de2000->isChecked() && de2000->isHidden());
    QVERIFY(!Control<QCheckBox>(w, "chkHistogram")->isHidden());
    QCOMPARE(w.TipoGrafico(), 0);
    QCOMPARE(Back(Control<QPushButton>(w, "cmdGraphDE")), QColor(34, 116, 232));
    for (const char* other : {"cmdGraphL", "cmdGraphC", "cmdGraphH"})
        QCOMPARE(Back(Control<QPushButton>(w, other)), QColor(224, 224, 224));
    QCOMPARE(Control<QComboBox>(w, "cboIntent")->count(), 2);
    QCOMPARE(Control<QComboBox>(w, "cboIntent")->currentIndex(), 0);
    QCOMPARE(Control<QLabel>(w, "lblTi3")->text(), QString("(sin fichero TI3)"));
    QCOMPARE(Control<QLabel>(w, "lblProfile")->text(), QString("(sin perfil ICC/ICM)"));
    QVERIFY(w.Grafico().Barras().isEmpty());
    const QString start = "Pulsa 'Verificar y dibujar gráficos' para ver Delta-e CIE76, "
                          "Lightness, Chroma y Hue.";
    QCOMPARE(graph->Imagen(), Message(graph->size(), start));
}

void TestFrmProfCheck::automaticVerificationWithDetail() {
    frmProfCheck w(nullptr);
    auto* graph = Control<LienzoGrafico>(w, "picDEGraph");
    w.resize(900, 800);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString output = LeerDatoVerify("colorchecker.profcheck-v2-Ir.txt");
    w.findChild<CajaLog*>("txtLog")->LogMsg("earlier text");
    w.MostrarVerificacionAutomatica(ti3_, icc_, output);
    QCOMPARE(Control<QLabel>(w, "lblTi3")->text(), ti3_);
    QCOMPARE(Control<QLabel>(w, "lblProfile")->text(), icc_);
    QCOMPARE(LogText(w), ResumirProfcheck(output) + "\n" + output);
    QCOMPARE(w.Errores().size(), 24);
    QCOMPARE(w.Grafico().Barras().size(), 24);
    QCOMPARE(w.Grafico().Nombre(), QString("Delta-e"));
    QCOMPARE(graph->Imagen().size(), graph->size());
    QCOMPARE(graph->Imagen(), w.Grafico().Imagen());
}

void TestFrmProfCheck::automaticVerificationWithoutDetail() {
    frmProfCheck w(nullptr);
    auto* graph = Control<LienzoGrafico>(w, "picDEGraph");
    const QString output = LeerDatoVerify("colorchecker.profcheck-v-Ir.txt");
    w.MostrarVerificacionAutomatica(ti3_, icc_, output);
    QCOMPARE(LogText(w), ResumirProfcheck(output) + "\n" + output);
    QVERIFY(w.Errores().isEmpty());
    QVERIFY(w.Grafico().Barras().isEmpty());
    QCOMPARE(graph->Imagen(), Message(graph->size(), Texto("msg.profcheck_need_detail")));
    // Nothing captured: no log lines at all.
    frmProfCheck empty(nullptr);
    empty.MostrarVerificacionAutomatica(ti3_, icc_, "");
    QCOMPARE(LogText(empty), QString());
}

void TestFrmProfCheck::graphButtons() {
    frmProfCheck w(nullptr);
    w.MostrarVerificacionAutomatica(ti3_, icc_, LeerDatoVerify("colorchecker.profcheck-v2-Ir.txt"));
    QList<QPushButton*> buttons;
    for (const char* name : {"cmdGraphDE", "cmdGraphL", "cmdGraphC", "cmdGraphH"})
        buttons << Control<QPushButton>(w, name);
    const QStringList names{"Delta-e", "Delta-L", "Delta-C", "Delta-H"};
    for (int t : {2, 1, 3, 0}) {
        QTest::mouseClick(buttons[t], Qt::LeftButton);
        QCOMPARE(w.TipoGrafico(), t);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(Back(buttons[k]), k == t ? QColor(34, 116, 232) : QColor(224, 224, 224));
        QCOMPARE(w.Grafico().Nombre(), names[t]);
        const ErrorParche& e = w.Errores()[5];
        const double expected[4] = {e.de, e.dl, e.dc, e.dh};
        QCOMPARE(w.Grafico().Barras()[5].value, expected[t]);
    }
}

void TestFrmProfCheck::graphButtonWithoutData() {
    frmProfCheck w(nullptr);
    auto* graph = Control<LienzoGrafico>(w, "picDEGraph");
    QTest::mouseClick(Control<QPushButton>(w, "cmdGraphC"), Qt::LeftButton);
    QCOMPARE(w.TipoGrafico(), 2);
    QCOMPARE(Back(Control<QPushButton>(w, "cmdGraphC")), QColor(34, 116, 232));
    QCOMPARE(graph->Imagen(),
             Message(graph->size(), "Todavía no hay datos de verificación para dibujar."));
}

void TestFrmProfCheck::hoverReadout() {
    frmProfCheck w(nullptr);
    auto* graph = Control<LienzoGrafico>(w, "picDEGraph");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.MostrarVerificacionAutomatica(ti3_, icc_, LeerDatoVerify("colorchecker.profcheck-v2-Ir.txt"));
    const BarraGrafico bar = w.Grafico().Barras()[3];
    const QPoint inside((bar.x0 + bar.x1) / 2, w.Grafico().PlotBottom() - 2);
    QTest::mouseMove(graph, inside);
    QCOMPARE(graph->toolTip(),
             w.Errores()[3].id + " | Delta-e: " + QString::number(bar.value, 'f', 3));
    QTest::mouseMove(graph, QPoint(inside.x(), 5));
    QCOMPARE(graph->toolTip(), QString());
    QTest::mouseClick(Control<QPushButton>(w, "cmdGraphH"), Qt::LeftButton);
    QTest::mouseMove(graph, inside);
    QVERIFY(graph->toolTip().startsWith(w.Errores()[3].id + " | Delta-H: "));
}

void TestFrmProfCheck::redrawnWhenEnlarged() {
    frmProfCheck w(nullptr);
    auto* graph = Control<LienzoGrafico>(w, "picDEGraph");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.MostrarVerificacionAutomatica(ti3_, icc_, LeerDatoVerify("spread100.profcheck-v2-Ir.txt"));
    const QSize before = graph->size();
    w.resize(w.width() + 400, w.height() + 200);
    QTRY_VERIFY(graph->size() != before);
    QCOMPARE(graph->Imagen().size(), graph->size());
    QCOMPARE(w.Grafico().Barras().size(), 100);
    QCOMPARE(w.Grafico().PlotBottom(), graph->height() - 43);
}

void TestFrmProfCheck::languageSwitchKeepsChoices() {
    frmProfCheck w(nullptr);
    w.SetupDefaults(ti3_, "");
    Control<QComboBox>(w, "cboIntent")->setCurrentIndex(1);
    EstablecerIdiomaActual(IdiomaEn);
    w.aplicarTextos();
    QCOMPARE(Control<QLabel>(w, "lblTi3")->text(), ti3_);
    QCOMPARE(Control<QLabel>(w, "lblProfile")->text(),
             TextoEnIdioma(IdiomaEn, "placeholder.no_profile"));
    QVERIFY(Control<QLabel>(w, "lblProfile")->text() != QString("(sin perfil ICC/ICM)"));
    QCOMPARE(Control<QComboBox>(w, "cboIntent")->currentIndex(), 1);
    QCOMPARE(Control<QComboBox>(w, "cboIntent")->currentText(),
             TextoEnIdioma(IdiomaEn, "intent.relative"));
    QCOMPARE(w.windowTitle(), TextoEnIdioma(IdiomaEn, "profcheck.title"));
    QCOMPARE(Control<QPushButton>(w, "cmdGraphL")->text(), QString("DE-L"));
}

void TestFrmProfCheck::fileButtons() {
    frmProfCheck w(nullptr);
    ScriptedDialogs dialogs;
    dialogs.answerOpen(ti3_).answerOpen("").answerOpen(icc_);
    QTest::mouseClick(Control<QPushButton>(w, "cmdTi3"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(w, "cmdProfile"), Qt::LeftButton);
    QCOMPARE(Control<QLabel>(w, "lblProfile")->text(), QString("(sin perfil ICC/ICM)"));
    QTest::mouseClick(Control<QPushButton>(w, "cmdProfile"), Qt::LeftButton);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QCOMPARE(Control<QLabel>(w, "lblTi3")->text(), ti3_);
    QCOMPARE(Control<QLabel>(w, "lblProfile")->text(), icc_);
    const auto& calls = dialogs.calls();
    QCOMPARE(calls[0].title, QString("Abrir fichero TI3"));
    QCOMPARE(calls[0].filter, QString("CGATS TI3 (*.ti3)|*.ti3|Todos|*.*"));
    QVERIFY(calls[0].initialFolder != Carpetas().programFolder); // the last TI3 folder, or home
    QCOMPARE(calls[1].title, QString("Abrir perfil ICC/ICM"));
    QCOMPARE(calls[1].filter, QString("Perfiles ICC (*.icc;*.icm)|*.icc;*.icm|Todos|*.*"));
}

void TestFrmProfCheck::realRuns() {
    frmProfCheck w(nullptr);
    auto* graph = Control<LienzoGrafico>(w, "picDEGraph");
    w.SetupDefaults(ti3_, icc_);
    Control<QCheckBox>(w, "chkSort")->setChecked(true);
    Control<QComboBox>(w, "cboIntent")->setCurrentIndex(1);
    // The click returns at once; the run's lines arrive while it goes on, with its button and
    // inputs off, so a second click starts nothing.
    bool returned = false;
    bool refused = false;
    AlVerEnLog(w.findChild<CajaLog*>("txtLog"), "profcheck: ", [&] {
        QTest::mouseClick(Control<QPushButton>(w, "cmdRun"), Qt::LeftButton);
        refused = w.Ejecutando() && !Control<QPushButton>(w, "cmdRun")->isEnabled() &&
                  !Control<QGroupBox>(w, "fraOptions")->isEnabled();
    });
    QVERIFY(EsperarTrabajo(w.Trabajo(), [&] {
        QTest::mouseClick(Control<QPushButton>(w, "cmdRun"), Qt::LeftButton);
        returned = w.Ejecutando();
    }));
    QVERIFY(returned && refused && Control<QPushButton>(w, "cmdRun")->isEnabled() &&
            Control<QGroupBox>(w, "fraOptions")->isEnabled());
    const QString first = LogText(w);
    QCOMPARE(first.count(" -v2 -s -Ir "), 1);
    QVERIFY2(first.startsWith("profcheck: \"" + Carpetas().toolPath("profcheck") +
                              "\" -v2 -s -Ir \"" + ti3_ + "\" \"" + icc_ +
                              "\"\nResumen profcheck: 24 parches"),
             qPrintable(first));
    QVERIFY(first.endsWith("\nprofcheck rc=0"));
    QCOMPARE(w.Errores().size(), 24);
    QVERIFY(w.Errores().first().de >= w.Errores().last().de);
    QCOMPARE(w.Grafico().Barras().size(), 24);

    // Without per-patch detail: the log grows, the graph gives way to the message.
    QTest::mouseClick(Control<QPushButton>(w, "cmdGraphL"), Qt::LeftButton);
    Control<QCheckBox>(w, "chkEach")->setChecked(false);
    QVERIFY(PulsarYEsperar(w.Trabajo(), Control<QPushButton>(w, "cmdRun")));
    const QString second = LogText(w);
    QVERIFY(second.startsWith(first + "\nprofcheck: "));
    QVERIFY(second.contains(" -v -s -Ir "));
    QVERIFY(second.endsWith("\nprofcheck rc=0"));
    QVERIFY(w.Errores().isEmpty());
    QCOMPARE(graph->Imagen(), Message(graph->size(), Texto("msg.profcheck_need_detail")));
}

void TestFrmProfCheck::closingDuringRunStopsTheTool() {
    // A local profcheck that only waits: closing the window asks, stops it and closes.
    const QString program = dir_.filePath("slow");
    QVERIFY(EscribirHerramientaLenta(program, "profcheck"));
    EstablecerCarpetas(PortableFolders(program));
    ScriptedDialogs dialogs;
    dialogs.answerMessage(Msg::No).answerMessage(Msg::Yes);
    frmProfCheck w(nullptr);
    w.SetupDefaults(ti3_, icc_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    bool keptOpen = false;
    QVERIFY(EsperarTrabajo(w.Trabajo(), [&] {
        QTest::mouseClick(Control<QPushButton>(w, "cmdRun"), Qt::LeftButton);
        w.close(); // answered No: keeps running
        keptOpen = w.isVisible() && w.Ejecutando();
        w.close(); // answered Yes
    }));
    QVERIFY(keptOpen);
    QVERIFY(!w.isVisible());
    QVERIFY(!w.Ejecutando());
    QVERIFY(LogText(w).endsWith("profcheck rc=-1"));
    QCOMPARE(dialogs.messages().size(), 2);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    EstablecerCarpetas(PortableFolders(dir_.filePath("program")));
}

QTEST_MAIN(TestFrmProfCheck)
#include "tst_frmprofcheck.moc"
