#include "lang/texto.h"
#include "namedcontrol.h"
#include "portablefolders.h"
#include "profiledata.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "shell/paths.h"
#include "toolrunwait.h"
#include "verify/cajalog.h"
#include "verify/frmcolverify.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString LogText(frmColVerify& w) {
    return w.findChild<CajaLog*>("txtLog")->toPlainText();
}

} // namespace

class TestFrmColVerify : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void loadState();
    void languageSwitchKeepsPositions();
    void fileButtons();
    void optionTextsOnTheCommandLine();

private:
    // Chooses both files through the scripted dialogs.
    void Elegir(frmColVerify& w, const QString& ref, const QString& measured);

    QTemporaryDir dir_;
    QString ref_, measured_;
};

void TestFrmColVerify::initTestCase() {
    QVERIFY(dir_.isValid());
    QDir().mkpath(dir_.filePath("program"));
    EstablecerCarpetas(PortableFolders(dir_.filePath("program")));
    const QString work = dir_.filePath("medidas con blancos");
    QVERIFY(QDir().mkpath(work));
    ref_ = work + "/referencia carta.ti3";
    measured_ = work + "/medida carta.ti3";
    QVERIFY(QFile::copy(DatoVerify("colorchecker.ti3"), ref_));
    // The measured file: the same patches with every XYZ_X scaled by 1.02.
    QString text = LeerDatoVerify("colorchecker.ti3");
    QStringList lines = text.split('\n');
    for (QString& line : lines) {
        QStringList f = line.split(' ');
        if (f.size() == 7 && f[0].size() == 3 && f[0][0].isLetter())
            f[1] = QString::number(f[1].toDouble() * 1.02, 'f', 5);
        line = f.join(' ');
    }
    QFile out(measured_);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(lines.join('\n').toUtf8());
}

void TestFrmColVerify::init() {
    EstablecerIdiomaActual(IdiomaEs);
}

void TestFrmColVerify::Elegir(frmColVerify& w, const QString& ref, const QString& measured) {
    ScriptedDialogs dialogs;
    dialogs.answerOpen(ref).answerOpen(measured);
    QTest::mouseClick(Control<QPushButton>(w, "cmdTarget"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(w, "cmdMeasured"), Qt::LeftButton);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
}

void TestFrmColVerify::loadState() {
    frmColVerify w(nullptr);
    auto* normalize = Control<QComboBox>(w, "cboNormalize");
    auto* x3dom = Control<QComboBox>(w, "cboX3DOM");
    QCOMPARE(normalize->count(), 5);
    QCOMPARE(x3dom->count(), 4);
    QVERIFY(normalize->currentIndex() == 0 && x3dom->currentIndex() == 0);
    QCOMPARE(Control<QLabel>(w, "lblTarget")->text(), QString("(sin TI3 de referencia)"));
    QCOMPARE(Control<QLabel>(w, "lblMeasured")->text(), QString("(sin TI3 medido)"));
    QCOMPARE(LogText(w), QString());
}

void TestFrmColVerify::languageSwitchKeepsPositions() {
    frmColVerify w(nullptr);
    Elegir(w, ref_, "");
    Control<QComboBox>(w, "cboNormalize")->setCurrentIndex(3);
    Control<QComboBox>(w, "cboX3DOM")->setCurrentIndex(2);
    EstablecerIdiomaActual(IdiomaIt);
    w.aplicarTextos();
    QCOMPARE(Control<QComboBox>(w, "cboNormalize")->currentIndex(), 3);
    QCOMPARE(Control<QComboBox>(w, "cboX3DOM")->currentIndex(), 2);
    QCOMPARE(Control<QComboBox>(w, "cboX3DOM")->currentText(),
             TextoEnIdioma(IdiomaIt, "colverify.x3dom.pcs_markers"));
    QCOMPARE(Control<QLabel>(w, "lblTarget")->text(), ref_);
    QCOMPARE(Control<QLabel>(w, "lblMeasured")->text(),
             TextoEnIdioma(IdiomaIt, "placeholder.no_measured_ti3"));
    QCOMPARE(w.windowTitle(), TextoEnIdioma(IdiomaIt, "colverify.title"));
}

void TestFrmColVerify::fileButtons() {
    frmColVerify w(nullptr);
    ScriptedDialogs dialogs;
    dialogs.answerOpen("").answerOpen(measured_);
    QTest::mouseClick(Control<QPushButton>(w, "cmdTarget"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(w, "cmdMeasured"), Qt::LeftButton);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QCOMPARE(Control<QLabel>(w, "lblTarget")->text(), QString("(sin TI3 de referencia)"));
    QCOMPARE(Control<QLabel>(w, "lblMeasured")->text(), measured_);
    QCOMPARE(dialogs.calls()[0].title, QString("Abrir TI3 de referencia"));
    QCOMPARE(dialogs.calls()[1].title, QString("Abrir TI3 medido"));
    for (const auto& call : dialogs.calls()) {
        QCOMPARE(call.filter, QString("CGATS TI3 (*.ti3)|*.ti3|Todos|*.*"));
        QVERIFY(call.initialFolder != Carpetas().programFolder); // the last TI3 folder, or home
    }
}

// The boxes reach the command line; each run adds to the log.
void TestFrmColVerify::optionTextsOnTheCommandLine() {
    frmColVerify w(nullptr);
    Elegir(w, ref_, measured_);
    const QString program = Entrecomillar(Carpetas().toolPath("colverify"));
    const QString files = Entrecomillar(ref_) + " " + Entrecomillar(measured_);
    QVERIFY(PulsarYEsperar(w.Trabajo(), Control<QPushButton>(w, "cmdRun")));
    const QString first = LogText(w);
    QVERIFY(first.startsWith("colverify: " + program + " -v " + files + "\n"));
    QVERIFY(first.endsWith("\ncolverify rc=0"));
    Control<QCheckBox>(w, "chkAxes")->setChecked(true);
    QVERIFY(PulsarYEsperar(w.Trabajo(), Control<QPushButton>(w, "cmdRun")));
    QVERIFY(LogText(w).startsWith(first + "\ncolverify: " + program + " -v -x " + files + "\n"));

    w.findChild<CajaLog*>("txtLog")->clear();
    Control<QCheckBox>(w, "chkAxes")->setChecked(false);
    Control<QCheckBox>(w, "chkEach")->setChecked(true);
    Control<QCheckBox>(w, "chkMatchLocation")->setChecked(true);
    Control<QCheckBox>(w, "chkDE2000")->setChecked(true);
    Control<QComboBox>(w, "cboNormalize")->setCurrentIndex(2);
    Control<QComboBox>(w, "cboX3DOM")->setCurrentIndex(1);
    QVERIFY(PulsarYEsperar(w.Trabajo(), Control<QPushButton>(w, "cmdRun")));
    QVERIFY2(LogText(w).startsWith("colverify: " + program + " -v 2 -l -k -N -w " + files + "\n"),
             qPrintable(LogText(w)));
    // TI3 files from scanin carry no SAMPLE_LOC: colverify refuses -l and says why in the log.
    QVERIFY(LogText(w).contains("SAMPLE_LOC"));
    QVERIFY(LogText(w).endsWith("\ncolverify rc=1\nSi se creó X3DOM, estará junto al TI3 medido."));

    w.findChild<CajaLog*>("txtLog")->clear();
    Control<QCheckBox>(w, "chkMatchLocation")->setChecked(false);
    Control<QCheckBox>(w, "chkSort")->setChecked(true);
    Control<QCheckBox>(w, "chkD50White")->setChecked(true);
    QVERIFY(PulsarYEsperar(w.Trabajo(), Control<QPushButton>(w, "cmdRun")));
    QVERIFY(
        LogText(w).startsWith("colverify: " + program + " -v 2 -k -s -D -N -w " + files + "\n"));
    QVERIFY2(LogText(w).contains("No of test patches = 24"), qPrintable(LogText(w)));
    QVERIFY(LogText(w).endsWith("\ncolverify rc=0\nSi se creó X3DOM, estará junto al TI3 medido."));
    QVERIFY(QFile::exists(dir_.filePath("medidas con blancos/medida carta.x3d.html")));
}

QTEST_MAIN(TestFrmColVerify)
#include "tst_frmcolverify.moc"
