#include "chartcapture.h"
#include "portablefolders.h"
#include "profile/profileoptions.h"
#include "profile/scanindiagrun.h"
#include "recordinglog.h"
#include "shell/appfolders.h"
#include "shell/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The manual scanin window's options and real scanin runs on rendered chart captures.
class TestScaninDiag : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void normalisation();
    void gammaPosition();
    void commandLine();
    void effectiveReference();
    void missingInputs();
    void pngRunSavesTheTi3();
    void cornersTypedLooselyAreUsed();
    void destinationThatCannotBeWritten();
    void failedScaninKeepsTheFolder();

private:
    EntradaScaninDiag Entrada(const QString& image, const QString& dest) const;
    static int Sets(const QString& ti3);

    QTemporaryDir dir_;
    QString tmp_;
    QString png_, tif_;
    chartrender::RenderInfo info_;
};

void TestScaninDiag::initTestCase() {
    QVERIFY(dir_.isValid());
    QDir().mkpath(dir_.filePath("program"));
    EstablecerCarpetas(PortableFolders(dir_.filePath("program")));
    tmp_ = dir_.filePath("program/tmp");
    QVERIFY(QDir().mkpath(dir_.filePath("fotos de carta")));
    png_ = dir_.filePath("fotos de carta/carta colores.png");
    tif_ = dir_.filePath("fotos de carta/carta girada.tif");
    QString error;
    QVERIFY2(chartrender::renderChart(chartCaptureOptions("ColorChecker", 1000), png_, &error),
             qPrintable(error));
    chartrender::RenderOptions turned = chartCaptureOptions("ColorChecker", 1000);
    turned.rotationDeg = 12;
    QVERIFY2(chartrender::renderChart(turned, tif_, &error, &info_), qPrintable(error));
    QVERIFY(info_.hasFiducials);
}

EntradaScaninDiag TestScaninDiag::Entrada(const QString& image, const QString& dest) const {
    EntradaScaninDiag in;
    in.imagen = image;
    in.carta = argyllRefFile("ColorChecker.cht");
    in.referenciaGenerica = argyllRefFile("ColorChecker.cie");
    in.destinoTi3 = dest;
    in.carpetaTmp = tmp_;
    return in;
}

int TestScaninDiag::Sets(const QString& ti3) {
    QFile file(ti3);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith("NUMBER_OF_SETS"))
            return line.mid(14).trimmed().toInt();
    return 0;
}

void TestScaninDiag::normalisation() {
    QCOMPARE(NormalizarEsquinas("  10.5; 20 ;30 , 40;50;60; 70;80 "),
             QString("10.5,20,30,40,50,60,70,80"));
    QCOMPARE(NormalizarEsquinas("   "), QString());
    QCOMPARE(NormalizarBanderasDiag(" I H\tv G "), QString("ihvg"));
    QCOMPARE(NormalizarBanderasDiag("\t \t"), QString());
}

void TestScaninDiag::gammaPosition() {
    const QStringList& items = ListaGammas();
    QCOMPARE(items[IndiceGammaScaninDiag(2.2)], QString("2.2"));
    QCOMPARE(items[IndiceGammaScaninDiag(1.0)], QString("1.0"));
    QCOMPARE(items[IndiceGammaScaninDiag(2.0)], QString("2.0"));
    QCOMPARE(items[IndiceGammaScaninDiag(0.5)], QString("0.5"));
    QCOMPARE(items[IndiceGammaScaninDiag(2.8)], QString("2.8"));
    QCOMPARE(items[IndiceGammaScaninDiag(1.8)], QString("2.2"));
    QCOMPARE(items[IndiceGammaScaninDiag(1.4004)], QString("1.4"));
    QCOMPARE(items[IndiceGammaScaninDiag(1.41)], QString("2.2"));
}

void TestScaninDiag::commandLine() {
    OpcionesScaninDiag op;
    CommandLine line =
        ComandoScaninDiag("/usr/bin/scanin", op, "/w/a b.tif", "/r/c.cht", "/r/c.cie");
    QCOMPARE(line.display,
             QString("\"/usr/bin/scanin\" -v \"/w/a b.tif\" \"/r/c.cht\" \"/r/c.cie\""));
    QCOMPARE(line.arguments, (QStringList{"-v", "/w/a b.tif", "/r/c.cht", "/r/c.cie"}));
    op = OpcionesScaninDiag{"1.0", true, true, true, " I H\tv ", "1; 2 ,3;4"};
    line = ComandoScaninDiag("/usr/bin/scanin", op, "/w/a.tif", "/r/c.cht", "/r/c.cie");
    QCOMPARE(line.display, QString("\"/usr/bin/scanin\" -v -G 1. -p -a -m -dihv -F 1,2,3,4 "
                                   "\"/w/a.tif\" \"/r/c.cht\" \"/r/c.cie\""));
    QCOMPARE(line.arguments.mid(0, 9),
             (QStringList{"-v", "-G", "1.", "-p", "-a", "-m", "-dihv", "-F", "1,2,3,4"}));
    op = OpcionesScaninDiag{"2.4", false, false, false, "", ""};
    line = ComandoScaninDiag("scanin", op, "a.tif", "c.cht", "c.cie");
    QCOMPARE(line.arguments.mid(0, 3), (QStringList{"-v", "-G", "2.4"}));
}

void TestScaninDiag::effectiveReference() {
    const QString generic = argyllRefFile("ColorChecker.cie");
    QCOMPARE(ReferenciaScaninDiag("/nowhere/own.cie", generic), QString("/nowhere/own.cie"));
    QCOMPARE(ReferenciaScaninDiag("", generic), generic);
    QCOMPARE(ReferenciaScaninDiag("", "/nowhere/generic.cie"), QString());
    QCOMPARE(ReferenciaScaninDiag("", ""), QString());
}

void TestScaninDiag::missingInputs() {
    const QString dest = dir_.filePath("x.ti3");
    EntradaScaninDiag noRef = Entrada(png_, dest);
    noRef.referenciaGenerica = "/nowhere/generic.cie";
    EntradaScaninDiag noImage = Entrada("", dest);
    EntradaScaninDiag noChart = Entrada(png_, dest);
    noChart.carta = "/nowhere/chart.cht";
    const QList<QPair<EntradaScaninDiag, QString>> cases{
        {noRef, "Falta referencia."},
        {noImage, "Falta imagen de carta."},
        {noChart, "No existe carta: /nowhere/chart.cht"},
    };
    for (const auto& [in, line] : cases) {
        RecordingLog log;
        const ResultadoScaninDiag r = EjecutarScaninDiag(in, log);
        QVERIFY(!r.exito);
        QVERIFY(r.carpetaTrabajo.isEmpty());
        QCOMPARE(log.lines, QStringList{line});
    }
}

void TestScaninDiag::pngRunSavesTheTi3() {
    const QString dest = dir_.filePath("resultados con blancos/mi carta.ti3");
    QDir().mkpath(dir_.filePath("resultados con blancos"));
    QFile old(dest);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();

    RecordingLog log;
    const ResultadoScaninDiag r = EjecutarScaninDiag(Entrada(png_, dest), log);
    QVERIFY2(r.exito, qPrintable(log.lines.join('\n')));
    const QString converted = tmp_ + "/chromaflux_scanin_diag_tmp.tif";
    const QString copy = r.carpetaTrabajo + "/chromaflux_scanin_diag_tmp.tif";
    QCOMPARE(log.lines.mid(0, 6),
             (QStringList{"Imagen convertida a TIFF temporal -> " + converted,
                          "Ejecutando scanin...", "Carta: " + argyllRefFile("ColorChecker.cht"),
                          "Referencia: " + argyllRefFile("ColorChecker.cie"), "Temporal: " + copy,
                          "scanin: " + Entrecomillar(Carpetas().toolPath("scanin")) + " -v " +
                              Entrecomillar(copy) + " " +
                              Entrecomillar(argyllRefFile("ColorChecker.cht")) + " " +
                              Entrecomillar(argyllRefFile("ColorChecker.cie"))}));
    QCOMPARE(log.lines.last(), "TI3 guardado: " + dest);
    QCOMPARE(Sets(dest), 24);
    QVERIFY(!QFile::exists(converted));
    QVERIFY(QFileInfo(r.carpetaTrabajo).isDir());
    QVERIFY(QFile::exists(r.carpetaTrabajo + "/chromaflux_scanin_diag_tmp.ti3"));
    QVERIFY(NombreFichero(r.carpetaTrabajo).startsWith("chromaflux_tmp_"));
}

void TestScaninDiag::cornersTypedLooselyAreUsed() {
    // The true fiducials typed with semicolons and blanks; the custom reference wins.
    QString typed = info_.fiducialArgument();
    typed.replace(",", " ; ");
    EntradaScaninDiag in = Entrada(tif_, dir_.filePath("girada.ti3"));
    in.referenciaPropia = argyllRefFile("ColorChecker.cie");
    in.referenciaGenerica = "/nowhere/generic.cie";
    in.opciones.esquinas = typed;
    in.opciones.banderas = " H ";
    RecordingLog log;
    const ResultadoScaninDiag r = EjecutarScaninDiag(in, log);
    QVERIFY2(r.exito, qPrintable(log.lines.join('\n')));
    QVERIFY(log.lines.contains("Temporal: " + r.carpetaTrabajo + "/carta girada.tif"));
    const QString command = log.lines.filter(QRegularExpression("^scanin: ")).value(0);
    QVERIFY2(command.contains(" -dh -F " + info_.fiducialArgument() + " "), qPrintable(command));
    QCOMPARE(Sets(dir_.filePath("girada.ti3")), 24);
    QVERIFY(log.lines.contains("Diagnóstico scanin guardado: " +
                               dir_.filePath("girada_scanin_diag.tif")));
    QVERIFY(QFile::exists(dir_.filePath("girada_scanin_diag.tif")));
    // A TIFF is used where it is: no temporary conversion.
    QVERIFY(!log.lines.join('\n').contains("TIFF temporal"));
}

void TestScaninDiag::destinationThatCannotBeWritten() {
    const QString dest = dir_.filePath("no such folder/carta.ti3");
    RecordingLog log;
    const ResultadoScaninDiag r = EjecutarScaninDiag(Entrada(png_, dest), log);
    QVERIFY(!r.exito);
    QVERIFY(!QFile::exists(dest));
    QCOMPARE(log.lines.size() >= 2, true);
    QVERIFY(log.lines[log.lines.size() - 2].startsWith("No se pudo guardar el TI3 en " + dest));
    QCOMPARE(log.lines.last(), "Carpeta temporal conservada: " + r.carpetaTrabajo);
    QVERIFY(QFileInfo(r.carpetaTrabajo).isDir());
    QVERIFY(!QFile::exists(tmp_ + "/chromaflux_scanin_diag_tmp.tif"));
}

void TestScaninDiag::failedScaninKeepsTheFolder() {
    // The ColorChecker capture read as an IT8 chart: scanin cannot match it.
    EntradaScaninDiag in = Entrada(tif_, dir_.filePath("it8.ti3"));
    in.carta = argyllRefFile("it8.cht");
    in.opciones.banderas = "ipn"; // the diagnostic image shows why, so it outlives the folder
    RecordingLog log;
    const ResultadoScaninDiag r = EjecutarScaninDiag(in, log);
    QVERIFY(!r.exito);
    QVERIFY(!QFile::exists(dir_.filePath("it8.ti3")));
    QCOMPARE(log.lines.value(log.lines.size() - 2),
             "Diagnóstico scanin guardado: " + dir_.filePath("it8_scanin_diag.tif"));
    const QString rc = log.lines.value(log.lines.size() - 3);
    QVERIFY2(rc.startsWith("scanin rc=") && rc != "scanin rc=0", qPrintable(rc));
    QCOMPARE(log.lines.last(), "Carpeta temporal conservada: " + r.carpetaTrabajo);
    QVERIFY(QFileInfo(r.carpetaTrabajo).isDir());
}

QTEST_GUILESS_MAIN(TestScaninDiag)
#include "tst_scanindiag.moc"
