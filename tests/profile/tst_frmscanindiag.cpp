#include "chartcapture.h"
#include "charts/chartcatalog.h"
#include "charts/charttables.h"
#include "lang/texto.h"
#include "portablefolders.h"
#include "profile/frmscanindiag.h"
#include "scripteddialogs.h"
#include "shell/appfolders.h"
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
    void realRunDeletesTheFolderOnYes();
    void realRunKeepsTheFolderOnNo();
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
    QCOMPARE(w.windowTitle(), QString("Herramientas - Diagnóstico scanin"));
    QCOMPARE(w.lblImage->text(), QString("(sin imagen)"));
    QCOMPARE(w.lblRef->text(), Texto("placeholder.ref_or_generic"));
    QCOMPARE(w.cmdSaveTi3->text(), Texto("scanin.save_ti3"));
    QCOMPARE(w.chkMean->text(), Texto("scanin.mean"));
    QCOMPARE(w.lblCornersHint->text(), Texto("scanin.corners_hint"));
    QCOMPARE(w.findChild<QPushButton*>("cmdClose")->text(), QString("Cerrar"));
    QCOMPARE(w.cboChart->count(), 0);
}

void TestFrmScaninDiag::setupDefaultsFillsAndSelects() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults(png_, "", Chart("ColorChecker.cht"), 0, true, 1.0);
    QCOMPARE(w.cboChart->count(), Catalogo().NumCartas());
    QCOMPARE(w.cboGenericRef->count(), NumGenericas() + 1);
    QCOMPARE(w.cboGamma->count(), 11);
    QCOMPARE(w.cboGamma->currentText(), QString("1.0"));
    QCOMPARE(w.cboChart->currentIndex(), Chart("ColorChecker.cht"));
    const int g = IndiceGenericaPorCarta("ColorChecker.cht");
    QVERIFY(g >= 1);
    QCOMPARE(w.cboGenericRef->currentIndex(), g);
    QCOMPARE(w.lblRef->text(), Catalogo().RutaReferenciaGenerica(g));
    QVERIFY(w.chkPerspective->isChecked());
    QCOMPARE(w.ImagenDiag(), png_);
    QCOMPARE(w.lblImage->text(), png_);
    QCOMPARE(w.txtSaveTi3->text(), dir_.filePath("fotos/carta uno.ti3"));

    // A second set-up keeps the lists and takes the new values; gamma 1.8 is not listed.
    w.SetupDefaults("", "", -1, 0, false, 1.8);
    QCOMPARE(w.cboChart->count(), Catalogo().NumCartas());
    QCOMPARE(w.cboGamma->currentText(), QString("2.2"));
    QCOMPARE(w.lblImage->text(), QString("(sin imagen)"));
    QVERIFY(!w.chkPerspective->isChecked());
}

void TestFrmScaninDiag::customReferenceWins() {
    frmScaninDiag w(nullptr);
    const QString own = dir_.filePath("mi referencia.cie");
    w.SetupDefaults(png_, own, Chart("ColorChecker.cht"), 2, false, 2.2);
    QCOMPARE(w.ReferenciaDiag(), own);
    QCOMPARE(w.cboGenericRef->currentIndex(), 0);
    QCOMPARE(w.lblRef->text(), own);
    QCOMPARE(w.cboChart->currentIndex(), Chart("ColorChecker.cht"));
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
    QCOMPARE(w.cboGenericRef->currentIndex(), g);
    QCOMPARE(w.cboChart->currentIndex(), Chart(FicheroCartaGenerica(g)));
    QCOMPARE(w.lblRef->text(), Catalogo().RutaReferenciaGenerica(g));
}

void TestFrmScaninDiag::listClicksFollowEachOther() {
    frmScaninDiag w(nullptr);
    const QString own = dir_.filePath("mi referencia.cie");
    w.SetupDefaults("", own, Chart("it8.cht"), 0, false, 2.2);
    QCOMPARE(w.ReferenciaDiag(), own);
    // Choosing a generic reference moves the chart and drops the custom reference.
    const int g = IndiceGenericaPorCarta("ColorChecker.cht");
    w.cboGenericRef->setCurrentIndex(g);
    QCOMPARE(w.cboChart->currentIndex(), Chart("ColorChecker.cht"));
    QCOMPARE(w.ReferenciaDiag(), QString());
    QCOMPARE(w.lblRef->text(), Catalogo().RutaReferenciaGenerica(g));
    // Choosing a chart selects its generic reference, or the empty item when it has none.
    w.cboChart->setCurrentIndex(Chart("it8.cht"));
    QCOMPARE(w.cboGenericRef->currentIndex(), IndiceGenericaPorCarta("it8.cht"));
}

void TestFrmScaninDiag::fileButtons() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults("", "", Chart("ColorChecker.cht"), 0, false, 2.2);
    const QString own = dir_.filePath("otra ref.ti2");
    const QString saved = dir_.filePath("salida/elegido.ti3");
    ScriptedDialogs dialogs;
    dialogs.answerOpen(png_).answerOpen("").answerOpen(own).answerSave(saved).answerSave("");
    QTest::mouseClick(w.cmdImage, Qt::LeftButton);
    QTest::mouseClick(w.cmdRef, Qt::LeftButton);
    QCOMPARE(w.ReferenciaDiag(), QString());
    QTest::mouseClick(w.cmdRef, Qt::LeftButton);
    QTest::mouseClick(w.cmdSaveTi3, Qt::LeftButton);
    QTest::mouseClick(w.cmdSaveTi3, Qt::LeftButton);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QCOMPARE(w.lblImage->text(), png_);
    QCOMPARE(w.ReferenciaDiag(), own);
    QCOMPARE(w.cboGenericRef->currentIndex(), 0);
    QCOMPARE(w.lblRef->text(), own);
    QCOMPARE(w.txtSaveTi3->text(), saved);
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
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QCOMPARE(dialogs.messages(), QStringList{Texto("msg.scanin_save_ti3_where")});
    QCOMPARE(dialogs.calls()[0].style, Msg::Styles(Msg::Exclamation));
    QCOMPARE(LogText(w), QString());
}

void TestFrmScaninDiag::runWithoutReference() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults(png_, "", Chart("it8.cht"), 0, false, 2.2);
    w.cboGenericRef->setCurrentIndex(0);
    w.txtSaveTi3->clear();
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    // The destination is refilled from the image before the reference is checked.
    QCOMPARE(w.txtSaveTi3->text(), dir_.filePath("fotos/carta uno.ti3"));
    QCOMPARE(LogText(w), QString("Falta referencia."));
}

void TestFrmScaninDiag::realRunDeletesTheFolderOnYes() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults(png_, "", Chart("ColorChecker.cht"), 0, false, 2.2);
    const QString dest = dir_.filePath("guardado uno.ti3");
    w.txtSaveTi3->setText(dest);
    ScriptedDialogs dialogs;
    dialogs.answerMessage(Msg::Yes);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems() + "\n" + LogText(w)));
    QVERIFY(QFile::exists(dest));
    const QString log = LogText(w);
    QVERIFY(log.contains("\nTI3 guardado: " + dest + "\n"));
    const QRegularExpressionMatch m =
        QRegularExpression("\nCarpeta temporal borrada: (.*)$").match(log);
    QVERIFY2(m.hasMatch(), qPrintable(log));
    const QString folder = m.captured(1);
    QVERIFY(!QFileInfo::exists(folder));
    QCOMPARE(dialogs.calls()[0].title, QString("Borrar carpeta temporal"));
    QCOMPARE(dialogs.calls()[0].style, Msg::YesNo | Msg::Question);
    QCOMPARE(dialogs.messages()[0], "Se ha creado una carpeta temporal de trabajo:\n\n" + folder +
                                        "\n\n¿Quieres borrarla ahora?");
}

void TestFrmScaninDiag::realRunKeepsTheFolderOnNo() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults(png_, "", Chart("ColorChecker.cht"), 0, false, 2.2);
    w.txtSaveTi3->setText(dir_.filePath("guardado dos.ti3"));
    w.txtDiagFlags->setText(" I ");
    ScriptedDialogs dialogs;
    dialogs.answerMessage(Msg::No);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    const QString log = LogText(w);
    QVERIFY(log.contains(" -di \""));
    const QRegularExpressionMatch m =
        QRegularExpression("\nCarpeta temporal conservada: (.*)$").match(log);
    QVERIFY2(m.hasMatch(), qPrintable(log));
    QVERIFY(QFileInfo(m.captured(1)).isDir());

    // A failed run asks nothing and keeps its folder, and the diagnostic beside the TI3 path.
    w.cboChart->setCurrentIndex(Chart("it8.cht"));
    w.cboGenericRef->setCurrentIndex(IndiceGenericaPorCarta("ColorChecker.cht"));
    w.cboChart->blockSignals(true);
    w.cboChart->setCurrentIndex(Chart("it8.cht"));
    w.cboChart->blockSignals(false);
    QTest::mouseClick(w.cmdRun, Qt::LeftButton);
    QCOMPARE(dialogs.calls().size(), 1);
    QVERIFY(LogText(w).contains(QRegularExpression(
        "\nscanin rc=[1-9]\\d*\nDiagnóstico scanin guardado: " +
        QRegularExpression::escape(dir_.filePath("guardado dos_scanin_diag.tif")) +
        "\nCarpeta temporal conservada: [^\n]*$")));
}

void TestFrmScaninDiag::languageSwitch() {
    frmScaninDiag w(nullptr);
    w.SetupDefaults(png_, "", Chart("ColorChecker.cht"), 0, false, 2.2);
    w.lblRef->clear();
    EstablecerIdiomaActual(IdiomaFr);
    w.aplicarTextos();
    QCOMPARE(w.windowTitle(), TextoEnIdioma(IdiomaFr, "scanin.title"));
    QCOMPARE(w.lblImage->text(), png_);
    QCOMPARE(w.lblRef->text(), TextoEnIdioma(IdiomaFr, "placeholder.ref_or_generic"));
    QCOMPARE(w.cmdRun->text(), TextoEnIdioma(IdiomaFr, "scanin.run"));
}

QTEST_MAIN(TestFrmScaninDiag)
#include "tst_frmscanindiag.moc"
