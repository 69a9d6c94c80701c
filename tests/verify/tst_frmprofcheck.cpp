#include "lang/texto.h"
#include "portablefolders.h"
#include "profiledata.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "verify/cajalog.h"
#include "verify/frmprofcheck.h"
#include "verify/lienzografico.h"
#include "verify/profcheckreport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
    void setupDefaultsKeepsPlaceholderForEmptyPath();
    void automaticVerificationWithDetail();
    void automaticVerificationWithoutDetail();
    void graphButtons();
    void graphButtonWithoutData();
    void hoverReadout();
    void redrawnWhenEnlarged();
    void languageSwitchKeepsChoices();
    void fileButtons();
    void runMissingInputs();
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
    QCOMPARE(w.windowTitle(), QString("Resultados - Verificar perfil y gráficos"));
    QVERIFY(w.chkEach->isChecked());
    QVERIFY(!w.chkDE2000->isChecked());
    QVERIFY(w.chkDE2000->isHidden());
    QVERIFY(!w.chkHistogram->isHidden() && !w.chkX3DOM->isHidden());
    QCOMPARE(w.chkHistogram->text(), Texto("profcheck.histogram"));
    QCOMPARE(w.TipoGrafico(), 0);
    QCOMPARE(Back(w.cmdGraphDE), QColor(34, 116, 232));
    for (QPushButton* b : {w.cmdGraphL, w.cmdGraphC, w.cmdGraphH})
        QCOMPARE(Back(b), QColor(224, 224, 224));
    QCOMPARE(w.cmdGraphDE->text() + w.cmdGraphL->text() + w.cmdGraphC->text() + w.cmdGraphH->text(),
             QString("DE-eDE-LDE-CDE-H"));
    QCOMPARE(w.cmdGraphH->toolTip(), Texto("profcheck.tip.h"));
    QCOMPARE(w.cmdTi3->text(), QString("TI3..."));
    QCOMPARE(w.fraInput->title(), QString("Entrada"));
    QCOMPARE(w.cboIntent->count(), 2);
    QCOMPARE(w.cboIntent->currentIndex(), 0);
    QCOMPARE(w.cboIntent->itemText(1), Texto("intent.relative"));
    QCOMPARE(w.lblTi3->text(), QString("(sin fichero TI3)"));
    QCOMPARE(w.lblProfile->text(), QString("(sin perfil ICC/ICM)"));
    QCOMPARE(w.findChild<QPushButton*>("cmdClose")->text(), QString("Cerrar"));
    QVERIFY(w.Grafico().Barras().isEmpty());
    const QString start = "Pulsa 'Verificar y dibujar gráficos' para ver Delta-e CIE76, "
                          "Lightness, Chroma y Hue.";
    QCOMPARE(w.picDEGraph->Imagen(), Message(w.picDEGraph->size(), start));
}

void TestFrmProfCheck::setupDefaultsKeepsPlaceholderForEmptyPath() {
    frmProfCheck w(nullptr);
    w.SetupDefaults("", icc_);
    QCOMPARE(w.lblTi3->text(), QString("(sin fichero TI3)"));
    QCOMPARE(w.lblProfile->text(), icc_);
}

void TestFrmProfCheck::automaticVerificationWithDetail() {
    frmProfCheck w(nullptr);
    w.resize(900, 800);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString output = LeerDatoVerify("colorchecker.profcheck-v2-Ir.txt");
    w.findChild<CajaLog*>("txtLog")->LogMsg("earlier text");
    w.MostrarVerificacionAutomatica(ti3_, icc_, output);
    QCOMPARE(w.lblTi3->text(), ti3_);
    QCOMPARE(w.lblProfile->text(), icc_);
    QCOMPARE(LogText(w), ResumirProfcheck(output) + "\n" + output);
    QCOMPARE(w.Errores().size(), 24);
    QCOMPARE(w.Grafico().Barras().size(), 24);
    QCOMPARE(w.Grafico().Nombre(), QString("Delta-e"));
    QCOMPARE(w.picDEGraph->Imagen().size(), w.picDEGraph->size());
    QCOMPARE(w.picDEGraph->Imagen(), w.Grafico().Imagen());
}

void TestFrmProfCheck::automaticVerificationWithoutDetail() {
    frmProfCheck w(nullptr);
    const QString output = LeerDatoVerify("colorchecker.profcheck-v-Ir.txt");
    w.MostrarVerificacionAutomatica(ti3_, icc_, output);
    QCOMPARE(LogText(w), ResumirProfcheck(output) + "\n" + output);
    QVERIFY(w.Errores().isEmpty());
    QVERIFY(w.Grafico().Barras().isEmpty());
    QCOMPARE(w.picDEGraph->Imagen(),
             Message(w.picDEGraph->size(), Texto("msg.profcheck_need_detail")));
    // Nothing captured: no log lines at all.
    frmProfCheck empty(nullptr);
    empty.MostrarVerificacionAutomatica(ti3_, icc_, "");
    QCOMPARE(LogText(empty), QString());
}

void TestFrmProfCheck::graphButtons() {
    frmProfCheck w(nullptr);
    w.MostrarVerificacionAutomatica(ti3_, icc_, LeerDatoVerify("colorchecker.profcheck-v2-Ir.txt"));
    const QList<QPushButton*> buttons{w.cmdGraphDE, w.cmdGraphL, w.cmdGraphC, w.cmdGraphH};
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
    QTest::mouseClick(w.cmdGraphC, Qt::LeftButton);
    QCOMPARE(w.TipoGrafico(), 2);
    QCOMPARE(Back(w.cmdGraphC), QColor(34, 116, 232));
    QCOMPARE(w.picDEGraph->Imagen(),
             Message(w.picDEGraph->size(), "Todavía no hay datos de verificación para dibujar."));
}

void TestFrmProfCheck::hoverReadout() {
    frmProfCheck w(nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.MostrarVerificacionAutomatica(ti3_, icc_, LeerDatoVerify("colorchecker.profcheck-v2-Ir.txt"));
    const BarraGrafico bar = w.Grafico().Barras()[3];
    const QPoint inside((bar.x0 + bar.x1) / 2, w.Grafico().PlotBottom() - 2);
    QTest::mouseMove(w.picDEGraph, inside);
    QCOMPARE(w.picDEGraph->toolTip(),
             w.Errores()[3].id + " | Delta-e: " + QString::number(bar.value, 'f', 3));
    QTest::mouseMove(w.picDEGraph, QPoint(inside.x(), 5));
    QCOMPARE(w.picDEGraph->toolTip(), QString());
    QTest::mouseClick(w.cmdGraphH, Qt::LeftButton);
    QTest::mouseMove(w.picDEGraph, inside);
    QVERIFY(w.picDEGraph->toolTip().startsWith(w.Errores()[3].id + " | Delta-H: "));
}

void TestFrmProfCheck::redrawnWhenEnlarged() {
    frmProfCheck w(nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.MostrarVerificacionAutomatica(ti3_, icc_, LeerDatoVerify("spread100.profcheck-v2-Ir.txt"));
    const QSize before = w.picDEGraph->size();
    w.resize(w.width() + 400, w.height() + 200);
    QTRY_VERIFY(w.picDEGraph->size() != before);
    QCOMPARE(w.picDEGraph->Imagen().size(), w.picDEGraph->size());
    QCOMPARE(w.Grafico().Barras().size(), 100);
    QCOMPARE(w.Grafico().PlotBottom(), w.picDEGraph->height() - 43);
}

void TestFrmProfCheck::languageSwitchKeepsChoices() {
    frmProfCheck w(nullptr);
    w.SetupDefaults(ti3_, "");
    w.cboIntent->setCurrentIndex(1);
    EstablecerIdiomaActual(IdiomaEn);
    w.aplicarTextos();
    QCOMPARE(w.lblTi3->text(), ti3_);
    QCOMPARE(w.lblProfile->text(), TextoEnIdioma(IdiomaEn, "placeholder.no_profile"));
    QVERIFY(w.lblProfile->text() != QString("(sin perfil ICC/ICM)"));
    QCOMPARE(w.cboIntent->currentIndex(), 1);
    QCOMPARE(w.cboIntent->currentText(), TextoEnIdioma(IdiomaEn, "intent.relative"));
    QCOMPARE(w.windowTitle(), TextoEnIdioma(IdiomaEn, "profcheck.title"));
    QCOMPARE(w.cmdGraphL->text(), QString("DE-L"));
}

void TestFrmProfCheck::fileButtons() {
    frmProfCheck w(nullptr);
    ScriptedDialogs dialogs;
    dialogs.answerOpen(ti3_).answerOpen("").answerOpen(icc_);
    QTest::mouseClick(w.cmdTi3, Qt::LeftButton);
    QTest::mouseClick(w.cmdProfile, Qt::LeftButton);
    QCOMPARE(w.lblProfile->text(), QString("(sin perfil ICC/ICM)"));
    QTest::mouseClick(w.cmdProfile, Qt::LeftButton);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QCOMPARE(w.lblTi3->text(), ti3_);
    QCOMPARE(w.lblProfile->text(), icc_);
    const auto& calls = dialogs.calls();
    QCOMPARE(calls[0].title, QString("Abrir fichero TI3"));
    QCOMPARE(calls[0].filter, QString("CGATS TI3 (*.ti3)|*.ti3|Todos|*.*"));
    QVERIFY(calls[0].initialFolder != Carpetas().programFolder); // the last TI3 folder, or home
    QCOMPARE(calls[1].title, QString("Abrir perfil ICC/ICM"));
    QCOMPARE(calls[1].filter, QString("Perfiles ICC (*.icc;*.icm)|*.icc;*.icm|Todos|*.*"));
}

void TestFrmProfCheck::runMissingInputs() {
    frmProfCheck w(nullptr);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    w.SetupDefaults(ti3_ + ".missing", icc_);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QCOMPARE(LogText(w), "Falta fichero TI3.\nNo existe TI3: " + ti3_ + ".missing");
    QVERIFY(w.cmdRun->isEnabled());
}

void TestFrmProfCheck::realRuns() {
    frmProfCheck w(nullptr);
    w.SetupDefaults(ti3_, icc_);
    w.chkSort->setChecked(true);
    w.cboIntent->setCurrentIndex(1);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    const QString first = LogText(w);
    QVERIFY2(first.startsWith("profcheck: \"" + Carpetas().toolPath("profcheck") +
                              "\" -v2 -s -Ir \"" + ti3_ + "\" \"" + icc_ +
                              "\"\nResumen profcheck: 24 parches"),
             qPrintable(first));
    QVERIFY(first.endsWith("\nprofcheck rc=0"));
    QCOMPARE(w.Errores().size(), 24);
    QVERIFY(w.Errores().first().de >= w.Errores().last().de);
    QCOMPARE(w.Grafico().Barras().size(), 24);

    // Without per-patch detail: the log grows, the graph gives way to the message.
    QTest::mouseClick(w.cmdGraphL, Qt::LeftButton);
    w.chkEach->setChecked(false);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    const QString second = LogText(w);
    QVERIFY(second.startsWith(first + "\nprofcheck: "));
    QVERIFY(second.contains(" -v -s -Ir "));
    QVERIFY(second.endsWith("\nprofcheck rc=0"));
    QVERIFY(w.Errores().isEmpty());
    QCOMPARE(w.picDEGraph->Imagen(),
             Message(w.picDEGraph->size(), Texto("msg.profcheck_need_detail")));
}

void TestFrmProfCheck::closingDuringRunStopsTheTool() {
    // A local profcheck that only waits: closing the window asks, stops it and closes.
    const QString program = dir_.filePath("slow");
    QVERIFY(QDir().mkpath(program + "/Argyll/bin"));
    QFile tool(program + "/Argyll/bin/profcheck");
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\nexec sleep 30\n");
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EstablecerCarpetas(PortableFolders(program));

    ScriptedDialogs dialogs;
    dialogs.answerMessage(Msg::No).answerMessage(Msg::Yes);
    frmProfCheck w(nullptr);
    w.SetupDefaults(ti3_, icc_);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTimer::singleShot(300, &w, [&] {
        QVERIFY(w.Ejecutando());
        QVERIFY(!w.cmdRun->isEnabled());
        w.close(); // answered No: keeps running
        QVERIFY(w.isVisible());
        w.close(); // answered Yes
    });
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(!w.isVisible());
    QVERIFY(!w.Ejecutando());
    QVERIFY(LogText(w).endsWith("profcheck rc=-1"));
    QCOMPARE(dialogs.messages().size(), 2);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    EstablecerCarpetas(PortableFolders(dir_.filePath("program")));
}

QTEST_MAIN(TestFrmProfCheck)
#include "tst_frmprofcheck.moc"
