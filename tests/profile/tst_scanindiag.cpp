#include "chartcapture.h"
#include "portablefolders.h"
#include "profile/scanindiagrun.h"
#include "recordinglog.h"
#include "shell/appfolders.h"
#include "shell/paths.h"

#include <QtTest>

// The manual scanin window's options and real scanin runs on rendered chart captures.
class TestScaninDiag : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString tmp_, png_, tif_;
    chartrender::RenderInfo info_;

    EntradaScaninDiag Entrada(const QString& image, const QString& dest) const {
        EntradaScaninDiag in;
        in.imagen = image;
        in.carta = argyllRefFile("ColorChecker.cht");
        in.referenciaGenerica = argyllRefFile("ColorChecker.cie");
        in.destinoTi3 = dir_.filePath(dest);
        in.carpetaTmp = tmp_;
        return in;
    }

    static bool Leida(const QString& ti3) {
        QFile file(ti3);
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("\nNUMBER_OF_SETS 24\n");
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir().mkpath(dir_.filePath("program")) && QDir().mkpath(dir_.filePath("fotos")));
        EstablecerCarpetas(PortableFolders(dir_.filePath("program")));
        tmp_ = dir_.filePath("program/tmp");
        png_ = dir_.filePath("fotos/carta colores.png");
        tif_ = dir_.filePath("fotos/carta girada.tif");
        QString error;
        QVERIFY2(chartrender::renderChart(chartCaptureOptions("ColorChecker", 1000), png_, &error),
                 qPrintable(error));
        chartrender::RenderOptions turned = chartCaptureOptions("ColorChecker", 1000);
        turned.rotationDeg = 12;
        QVERIFY2(chartrender::renderChart(turned, tif_, &error, &info_), qPrintable(error));
    }

    // scanin takes "1." for a gamma of 1.
    void options() {
        const OpcionesScaninDiag op{"1.0", true, true, true, "", ""};
        QCOMPARE(ComandoScaninDiag("scanin", op, "a.tif", "c.cht", "c.cie").arguments.mid(0, 6),
                 QStringList({"-v", "-G", "1.", "-p", "-a", "-m"}));
    }

    // The true fiducials typed with semicolons and blanks; the custom reference wins; a TIFF is
    // used where it is, with no temporary conversion.
    void cornersTypedLooselyAreUsed() {
        EntradaScaninDiag in = Entrada(tif_, "girada.ti3");
        in.referenciaPropia = argyllRefFile("ColorChecker.cie");
        in.referenciaGenerica = "/nowhere/generic.cie";
        in.opciones.esquinas = info_.fiducialArgument().replace(",", " ; ");
        in.opciones.banderas = " H ";
        RecordingLog log;
        const ResultadoScaninDiag r = EjecutarScaninDiag(in, log);
        QVERIFY2(r.exito, qPrintable(log.lines.join('\n')));
        QVERIFY(log.lines.contains("Temporal: " + r.carpetaTrabajo + "/carta girada.tif"));
        QVERIFY(log.lines.join('\n').contains(" -dh -F " + info_.fiducialArgument() + " "));
        QVERIFY(Leida(in.destinoTi3));
        QVERIFY(QFile::exists(dir_.filePath("girada_scanin_diag.tif")));
        QVERIFY(!log.lines.join('\n').contains("TIFF temporal"));
    }

    // A destination that cannot be written, and a ColorChecker capture read as an IT8 chart:
    // the work folder stays, and the diagnostic shows why.
    void failedRunsKeepTheFolder() {
        for (const auto& [dest, chart, reason] : QList<std::tuple<QString, QString, QString>>{
                 {"no such folder/carta.ti3", "ColorChecker.cht", "No se pudo guardar el TI3 en "},
                 {"it8.ti3", "it8.cht", "scanin rc="}}) {
            EntradaScaninDiag in = Entrada(png_, dest);
            in.carta = argyllRefFile(chart);
            in.opciones.banderas = "ipn";
            RecordingLog log;
            const ResultadoScaninDiag r = EjecutarScaninDiag(in, log);
            QVERIFY(!r.exito && !QFile::exists(in.destinoTi3));
            QCOMPARE(log.lines.filter(QRegularExpression("^" + reason + "\\S")).size(), 1);
            QVERIFY(
                log.lines.value(log.lines.size() - 2).startsWith("Diagnóstico scanin guardado"));
            QCOMPARE(log.lines.last(), "Carpeta temporal conservada: " + r.carpetaTrabajo);
            QVERIFY(QFileInfo(r.carpetaTrabajo).isDir());
            QVERIFY(!QFile::exists(tmp_ + "/chromaflux_scanin_diag_tmp.tif"));
        }
    }
};

QTEST_GUILESS_MAIN(TestScaninDiag)
#include "tst_scanindiag.moc"
