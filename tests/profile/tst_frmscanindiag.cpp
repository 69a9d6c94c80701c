#include "chartcapture.h"
#include "charts/chartcatalog.h"
#include "charts/charttables.h"
#include "lang/texto.h"
#include "namedcontrol.h"
#include "portablefolders.h"
#include "profile/frmscanindiag.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
#include "toolrunwait.h"
#include "verify/cajalog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString LogText(frmScaninDiag& w) {
    return w.findChild<CajaLog*>("txtLog")->toPlainText();
}

int Chart(const QString& cht) {
    return Catalogo().IndiceCarta(cht);
}

} // namespace

class TestFrmScaninDiag : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void loadState();
    void setupDefaultsFillsAndSelects();
    void customReferenceWins();
    void genericIndexMovesTheChart();
    void listClicksFollowEachOther();
    void fileButtons();
    void runWithoutDestinationAsks();
    void runWithoutReference();
    void realRunsAndTheWorkFolder();
    void languageSwitch();

private:
    QTemporaryDir dir_;
    QString png_;
};

void TestFrmScaninDiag::initTestCase() {
    QVERIFY(dir_.isValid());
    QDir().mkpath(dir_.filePath("program"));
    EstablecerCarpetas(PortableFolders(dir_.filePath("program")));
    QVERIFY(Chart("ColorChecker.cht") >= 0);
    QVERIFY(QDir().mkpath(dir_.filePath("fotos")));
    png_ = dir_.filePath("fotos/carta uno.png");
    QString error;
    QVERIFY2(chartrender::renderChart(chartCaptureOptions("ColorChecker", 900), png_, &error),
             qPrintable(error));
}

void TestFrmScaninDiag::init() {
    EstablecerIdiomaActual(IdiomaEs);
}

void TestFrmScaninDiag::loadState() {
    frmScaninDiag w(nullptr);
    QCOMPARE(Control<QLabel>(w, "lblImage")->text(), QString("(sin imagen)"));
    QCOMPARE(Control<QLabel>(w, "lblRef")->text(), Texto("placeholder.ref_or_generic"));
    QCOMPARE(Control<QComboBox>(w, "cboChart")->count(), 0);
}

void TestFrmScaninDiag::setupDefaultsFillsAndSelects() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults(png_, "", Chart("ColorChecker.cht"), 0, true, 1.0);
    QCOMPARE(Control<QComboBox>(w, "cboChart")->count(), Catalogo().NumCartas());
    QCOMPARE(Control<QComboBox>(w, "cboGenericRef")->count(), NumGenericas() + 1);
    QCOMPARE(Control<QComboBox>(w, "cboGamma")->count(), 11);
    QCOMPARE(Control<QComboBox>(w, "cboGamma")->currentText(), QString("1.0"));
    QCOMPARE(Control<QComboBox>(w, "cboChart")->currentIndex(), Chart("ColorChecker.cht"));
    const int g = IndiceGenericaPorCarta("ColorChecker.cht");
    QVERIFY(g >= 1);
    QCOMPARE(Control<QComboBox>(w, "cboGenericRef")->currentIndex(), g);
    QCOMPARE(Control<QLabel>(w, "lblRef")->text(), Catalogo().RutaReferenciaGenerica(g));
    QVERIFY(Control<QCheckBox>(w, "chkPerspective")->isChecked());
    QCOMPARE(w.ImagenDiag(), png_);
    QCOMPARE(Control<QLabel>(w, "lblImage")->text(), png_);
    QCOMPARE(Control<QLineEdit>(w, "txtSaveTi3")->text(), dir_.filePath("fotos/carta uno.ti3"));

    // A second set-up keeps the lists and takes the new values; gamma 1.8 is not listed.
    w.SetupDefaults("", "", -1, 0, false, 1.8);
    QCOMPARE(Control<QComboBox>(w, "cboChart")->count(), Catalogo().NumCartas());
    QCOMPARE(Control<QComboBox>(w, "cboGamma")->currentText(), QString("2.2"));
    QCOMPARE(Control<QLabel>(w, "lblImage")->text(), QString("(sin imagen)"));
    QVERIFY(!Control<QCheckBox>(w, "chkPerspective")->isChecked());
}

void TestFrmScaninDiag::customReferenceWins() {
    frmScaninDiag w(nullptr);
    const QString own = dir_.filePath("mi referencia.cie");
    w.SetupDefaults(png_, own, Chart("ColorChecker.cht"), 2, false, 2.2);
    QCOMPARE(w.ReferenciaDiag(), own);
    QCOMPARE(Control<QComboBox>(w, "cboGenericRef")->currentIndex(), 0);
    QCOMPARE(Control<QLabel>(w, "lblRef")->text(), own);
    QCOMPARE(Control<QComboBox>(w, "cboChart")->currentIndex(), Chart("ColorChecker.cht"));
}

void TestFrmScaninDiag::genericIndexMovesTheChart() {
    // A generic reference handed over without a custom one selects the chart it belongs to.
    int g = 1;
    while (g <= NumGenericas() && Chart(FicheroCartaGenerica(g)) < 0)
        ++g;
    QVERIFY(g <= NumGenericas());
    const int other = Chart("it8.cht");
    QVERIFY(other >= 0 && other != Chart(FicheroCartaGenerica(g)));
    frmScaninDiag w(nullptr);
    w.SetupDefaults("", "", other, g, false, 2.2);
    QCOMPARE(Control<QComboBox>(w, "cboGenericRef")->currentIndex(), g);
    QCOMPARE(Control<QComboBox>(w, "cboChart")->currentIndex(), Chart(FicheroCartaGenerica(g)));
    QCOMPARE(Control<QLabel>(w, "lblRef")->text(), Catalogo().RutaReferenciaGenerica(g));
}

void TestFrmScaninDiag::listClicksFollowEachOther() {
    frmScaninDiag w(nullptr);
    const QString own = dir_.filePath("mi referencia.cie");
    w.SetupDefaults("", own, Chart("it8.cht"), 0, false, 2.2);
    QCOMPARE(w.ReferenciaDiag(), own);
    // Choosing a generic reference moves the chart and drops the custom reference.
    const int g = IndiceGenericaPorCarta("ColorChecker.cht");
    Control<QComboBox>(w, "cboGenericRef")->setCurrentIndex(g);
    QCOMPARE(Control<QComboBox>(w, "cboChart")->currentIndex(), Chart("ColorChecker.cht"));
    QCOMPARE(w.ReferenciaDiag(), QString());
    QCOMPARE(Control<QLabel>(w, "lblRef")->text(), Catalogo().RutaReferenciaGenerica(g));
    // Choosing a chart selects its generic reference, or the empty item when it has none.
    Control<QComboBox>(w, "cboChart")->setCurrentIndex(Chart("it8.cht"));
    QCOMPARE(Control<QComboBox>(w, "cboGenericRef")->currentIndex(),
             IndiceGenericaPorCarta("it8.cht"));
}

void TestFrmScaninDiag::fileButtons() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults("", "", Chart("ColorChecker.cht"), 0, false, 2.2);
    const QString own = dir_.filePath("otra ref.ti2");
    const QString saved = dir_.filePath("salida/elegido.ti3");
    ScriptedDialogs dialogs;
    dialogs.answerOpen(png_).answerOpen("").answerOpen(own).answerSave(saved).answerSave("");
    QTest::mouseClick(Control<QPushButton>(w, "cmdImage"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(w, "cmdRef"), Qt::LeftButton);
    QCOMPARE(w.ReferenciaDiag(), QString());
    QTest::mouseClick(Control<QPushButton>(w, "cmdRef"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(w, "cmdSaveTi3"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(w, "cmdSaveTi3"), Qt::LeftButton);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QCOMPARE(Control<QLabel>(w, "lblImage")->text(), png_);
    QCOMPARE(w.ReferenciaDiag(), own);
    QCOMPARE(Control<QComboBox>(w, "cboGenericRef")->currentIndex(), 0);
    QCOMPARE(Control<QLabel>(w, "lblRef")->text(), own);
    QCOMPARE(Control<QLineEdit>(w, "txtSaveTi3")->text(), saved);
    const auto& c = dialogs.calls();
    QCOMPARE(c[0].filter,
             QString("Imágenes (*.tif;*.tiff;*.png;*.jpg)|*.tif;*.tiff;*.png;*.jpg|Todos|*.*"));
    QCOMPARE(c[0].title, Texto("main.target_image.frame"));
    QVERIFY(c[0].initialFolder != Carpetas().programFolder); // the last image folder, or home
    QCOMPARE(c[2].filter, QString("CGATS/IT8 (*.txt;*.cie;*.it8;*.ti2;*.ti3)|"
                                  "*.txt;*.cie;*.it8;*.ti2;*.ti3|Todos|*.*"));
    QCOMPARE(c[2].title, Texto("main.reference.frame"));
    QCOMPARE(c[3].title, Texto("scanin.save_ti3"));
    QCOMPARE(c[3].filter, QString("CGATS TI3 (*.ti3)|*.ti3|Todos|*.*"));
    QCOMPARE(c[3].initialFolder, dir_.filePath("fotos"));
    QCOMPARE(c[3].defaultExtension, QString("ti3"));
    QCOMPARE(c[4].initialFolder, dir_.filePath("salida"));
}

void TestFrmScaninDiag::runWithoutDestinationAsks() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults("", "", Chart("ColorChecker.cht"), 0, false, 2.2);
    ScriptedDialogs dialogs;
    dialogs.answerMessage(Msg::Ok);
    QVERIFY(PulsarYEsperar(w.Trabajo(), Control<QPushButton>(w, "cmdRun")));
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QCOMPARE(dialogs.messages(), QStringList{Texto("msg.scanin_save_ti3_where")});
    QCOMPARE(dialogs.calls()[0].style, Msg::Styles(Msg::Exclamation));
    QCOMPARE(LogText(w), QString());
}

void TestFrmScaninDiag::runWithoutReference() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults(png_, "", Chart("it8.cht"), 0, false, 2.2);
    Control<QComboBox>(w, "cboGenericRef")->setCurrentIndex(0);
    Control<QLineEdit>(w, "txtSaveTi3")->clear();
    QVERIFY(PulsarYEsperar(w.Trabajo(), Control<QPushButton>(w, "cmdRun")));
    // The destination is refilled from the image before the reference is checked.
    QCOMPARE(Control<QLineEdit>(w, "txtSaveTi3")->text(), dir_.filePath("fotos/carta uno.ti3"));
    QCOMPARE(LogText(w), QString("Falta referencia."));
}

// A saved TI3 brings the question about the work folder (Yes deletes it, No keeps it); a
// failed run asks nothing and keeps its folder, and the diagnostic beside the TI3 path.
void TestFrmScaninDiag::realRunsAndTheWorkFolder() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults(png_, "", Chart("ColorChecker.cht"), 0, false, 2.2);
    const QString dest = dir_.filePath("guardado uno.ti3");
    Control<QLineEdit>(w, "txtSaveTi3")->setText(dest);
    ScriptedDialogs dialogs;
    dialogs.answerMessage(Msg::Yes).answerMessage(Msg::No);
    QVERIFY(PulsarYEsperar(w.Trabajo(), Control<QPushButton>(w, "cmdRun")));
    QVERIFY(QFile::exists(dest));
    QVERIFY(LogText(w).contains("\nTI3 guardado: " + dest + "\n"));
    QRegularExpressionMatch m =
        QRegularExpression("\nCarpeta temporal borrada: (.*)$").match(LogText(w));
    QVERIFY2(m.hasMatch(), qPrintable(LogText(w)));
    QVERIFY(!QFileInfo::exists(m.captured(1)));
    QCOMPARE(dialogs.calls()[0].title, QString("Borrar carpeta temporal"));
    QCOMPARE(dialogs.calls()[0].style, Msg::YesNo | Msg::Question);
    QCOMPARE(dialogs.messages()[0], "Se ha creado una carpeta temporal de trabajo:\n\n" +
                                        m.captured(1) + "\n\n¿Quieres borrarla ahora?");

    Control<QLineEdit>(w, "txtSaveTi3")->setText(dir_.filePath("guardado dos.ti3"));
    Control<QLineEdit>(w, "txtDiagFlags")->setText(" I ");
    QVERIFY(PulsarYEsperar(w.Trabajo(), Control<QPushButton>(w, "cmdRun")));
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QVERIFY(LogText(w).contains(" -di \""));
    m = QRegularExpression("\nCarpeta temporal conservada: (.*)$").match(LogText(w));
    QVERIFY2(m.hasMatch(), qPrintable(LogText(w)));
    QVERIFY(QFileInfo(m.captured(1)).isDir());

    Control<QComboBox>(w, "cboChart")->setCurrentIndex(Chart("it8.cht"));
    Control<QComboBox>(w, "cboGenericRef")
        ->setCurrentIndex(IndiceGenericaPorCarta("ColorChecker.cht"));
    Control<QComboBox>(w, "cboChart")->blockSignals(true);
    Control<QComboBox>(w, "cboChart")->setCurrentIndex(Chart("it8.cht"));
    Control<QComboBox>(w, "cboChart")->blockSignals(false);
    QVERIFY(PulsarYEsperar(w.Trabajo(), Control<QPushButton>(w, "cmdRun")));
    QCOMPARE(dialogs.calls().size(), 2);
    QVERIFY(LogText(w).contains(QRegularExpression(
        "\nscanin rc=[1-9]\\d*\nDiagnóstico scanin guardado: " +
        QRegularExpression::escape(dir_.filePath("guardado dos_scanin_diag.tif")) +
        "\nCarpeta temporal conservada: [^\n]*$")));
}

void TestFrmScaninDiag::languageSwitch() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults(png_, "", Chart("ColorChecker.cht"), 0, false, 2.2);
    Control<QLabel>(w, "lblRef")->clear();
    EstablecerIdiomaActual(IdiomaFr);
    w.aplicarTextos();
    QCOMPARE(w.windowTitle(), TextoEnIdioma(IdiomaFr, "scanin.title"));
    QCOMPARE(Control<QLabel>(w, "lblImage")->text(), png_);
    QCOMPARE(Control<QLabel>(w, "lblRef")->text(),
             TextoEnIdioma(IdiomaFr, "placeholder.ref_or_generic"));
    QCOMPARE(Control<QPushButton>(w, "cmdRun")->text(), TextoEnIdioma(IdiomaFr, "scanin.run"));
}

QTEST_MAIN(TestFrmScaninDiag)
#include "tst_frmscanindiag.moc"
