#include "lang/texto.h"
#include "portablefolders.h"
#include "profiledata.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "shell/paths.h"
#include "verify/cajalog.h"
#include "verify/frmcolverify.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString LogText(frmColVerify& w) {
    return w.findChild<CajaLog*>("txtLog")->toPlainText();
}

QStringList Items(QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
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
    void missingInputs();
    void optionTextsOnTheCommandLine();
    void realRunsAddToTheLog();

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
    QTest::mouseClick(w.cmdTarget, Qt::LeftButton);
    QTest::mouseClick(w.cmdMeasured, Qt::LeftButton);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
}

void TestFrmColVerify::loadState() {
    frmColVerify w(nullptr);
    QCOMPARE(w.windowTitle(), QString("Herramientas - Comparar mediciones"));
    QCOMPARE(Items(w.cboNormalize),
             (QStringList{"Ninguna", "A blanco Y de cada fichero (-n)",
                          "A blanco XYZ de cada fichero (-N)",
                          "A blanco X+Y+Z de cada fichero (-m)", "Ambos a blanco medio XYZ (-M)"}));
    QCOMPARE(Items(w.cboX3DOM), (QStringList{"No crear", "Vectores PCS (-w)", "Marcadores PCS (-W)",
                                             "Marcadores RGB dispositivo (-d)"}));
    QCOMPARE(w.cboNormalize->currentIndex(), 0);
    QCOMPARE(w.cboX3DOM->currentIndex(), 0);
    QCOMPARE(w.lblX3DOM->text(), QString("X3DOM:"));
    QCOMPARE(w.lblTarget->text(), QString("(sin TI3 de referencia)"));
    QCOMPARE(w.lblMeasured->text(), QString("(sin TI3 medido)"));
    QCOMPARE(w.chkEach->text(), Texto("colverify.each"));
    QCOMPARE(w.chkDE2000->text(), Texto("colverify.dE2000"));
    QCOMPARE(w.fraOptions->title(), Texto("colverify.options"));
    QCOMPARE(w.cmdRun->text(), Texto("colverify.run"));
    QCOMPARE(LogText(w), QString());
}

void TestFrmColVerify::languageSwitchKeepsPositions() {
    frmColVerify w(nullptr);
    Elegir(w, ref_, "");
    w.cboNormalize->setCurrentIndex(3);
    w.cboX3DOM->setCurrentIndex(2);
    EstablecerIdiomaActual(IdiomaIt);
    w.aplicarTextos();
    QCOMPARE(w.cboNormalize->currentIndex(), 3);
    QCOMPARE(w.cboX3DOM->currentIndex(), 2);
    QCOMPARE(w.cboX3DOM->currentText(), TextoEnIdioma(IdiomaIt, "colverify.x3dom.pcs_markers"));
    QCOMPARE(w.lblTarget->text(), ref_);
    QCOMPARE(w.lblMeasured->text(), TextoEnIdioma(IdiomaIt, "placeholder.no_measured_ti3"));
    QCOMPARE(w.windowTitle(), TextoEnIdioma(IdiomaIt, "colverify.title"));
}

void TestFrmColVerify::fileButtons() {
    frmColVerify w(nullptr);
    ScriptedDialogs dialogs;
    dialogs.answerOpen("").answerOpen(measured_);
    QTest::mouseClick(w.cmdTarget, Qt::LeftButton);
    QTest::mouseClick(w.cmdMeasured, Qt::LeftButton);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QCOMPARE(w.lblTarget->text(), QString("(sin TI3 de referencia)"));
    QCOMPARE(w.lblMeasured->text(), measured_);
    QCOMPARE(dialogs.calls()[0].title, QString("Abrir TI3 de referencia"));
    QCOMPARE(dialogs.calls()[1].title, QString("Abrir TI3 medido"));
    for (const auto& call : dialogs.calls()) {
        QCOMPARE(call.filter, QString("CGATS TI3 (*.ti3)|*.ti3|Todos|*.*"));
        QVERIFY(call.initialFolder != Carpetas().programFolder); // the last TI3 folder, or home
    }
}

void TestFrmColVerify::missingInputs() {
    frmColVerify w(nullptr);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    Elegir(w, ref_, ref_ + ".gone");
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QCOMPARE(LogText(w), "Falta TI3 de referencia.\nNo existe TI3 medido: " + ref_ + ".gone");
}

void TestFrmColVerify::optionTextsOnTheCommandLine() {
    frmColVerify w(nullptr);
    Elegir(w, ref_, measured_);
    const QString program = Entrecomillar(Carpetas().toolPath("colverify"));
    const QString files = Entrecomillar(ref_) + " " + Entrecomillar(measured_);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QVERIFY(LogText(w).startsWith("colverify: " + program + " -v " + files + "\n"));

    w.findChild<CajaLog*>("txtLog")->clear();
    w.chkAxes->setChecked(true);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QVERIFY(LogText(w).startsWith("colverify: " + program + " -v -x " + files + "\n"));

    w.findChild<CajaLog*>("txtLog")->clear();
    w.chkAxes->setChecked(false);
    w.chkEach->setChecked(true);
    w.chkMatchLocation->setChecked(true);
    w.chkDE2000->setChecked(true);
    w.cboNormalize->setCurrentIndex(2);
    w.cboX3DOM->setCurrentIndex(1);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QVERIFY2(LogText(w).startsWith("colverify: " + program + " -v 2 -l -k -N -w " + files + "\n"),
             qPrintable(LogText(w)));
    // TI3 files from scanin carry no SAMPLE_LOC: colverify refuses -l and says why in the log.
    QVERIFY(LogText(w).contains("SAMPLE_LOC"));
    QVERIFY(LogText(w).endsWith("\ncolverify rc=1\nSi se creó X3DOM, estará junto al TI3 medido."));

    w.findChild<CajaLog*>("txtLog")->clear();
    w.chkMatchLocation->setChecked(false);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QVERIFY(LogText(w).startsWith("colverify: " + program + " -v 2 -k -N -w " + files + "\n"));
    QVERIFY(LogText(w).endsWith("\ncolverify rc=0\nSi se creó X3DOM, estará junto al TI3 medido."));
    QVERIFY(QFile::exists(dir_.filePath("medidas con blancos/medida carta.x3d.html")));
}

void TestFrmColVerify::realRunsAddToTheLog() {
    frmColVerify w(nullptr);
    Elegir(w, ref_, measured_);
    w.chkEach->setChecked(true);
    w.chkSort->setChecked(true);
    w.chkD50White->setChecked(true);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    const QString first = LogText(w);
    QVERIFY(first.contains(" -v 2 -s -D "));
    QVERIFY2(first.contains("No of test patches = 24"), qPrintable(first));
    QVERIFY(first.contains("Total errors"));
    QVERIFY(first.endsWith("\ncolverify rc=0"));
    QVERIFY(w.cmdRun->isEnabled());
    w.chkEach->setChecked(false);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QVERIFY(LogText(w).startsWith(first + "\ncolverify: "));
    QCOMPARE(LogText(w).count("colverify rc=0"), 2);
}

QTEST_MAIN(TestFrmColVerify)
#include "tst_frmcolverify.moc"
