#include "grid/gridrecognition.h"
#include "lang/texto.h"
#include "recordinglog.h"

#include <QtTest>

namespace {

ParametrosAjuste Parametros(const QString& work) {
    ParametrosAjuste p;
    p.ImagenAjuste = work + "/my chart.tif";
    p.ChtAjuste = "/usr/share/color/argyll/ref/ColorChecker.cht";
    p.ReferenciaAjuste = "/usr/share/color/argyll/ref/ColorChecker.cie";
    p.CarpetaTrabajoAjuste = work;
    p.ArgGamma = {"-G", "1."};
    p.ArgPerspectiva = {"-p"};
    return p;
}

const QString kStart = "50.00,40.00,950.00,40.00,950.00,760.00,50.00,760.00";

} // namespace

class TestGridRecognition : public QObject {
    Q_OBJECT

private slots:
    // Fiducials need no perspective search (minutes on a large photograph), even when the
    // main window asks for perspective; each mode writes its own diagnostic. The corners have
    // two decimals and a dot, whatever the locale.
    void commandOfEachMode() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        QCOMPARE(ListaFiduciales({50, 950, 950, 50}, {40, 40, 760, 760.004}), kStart);
        QCOMPARE(FormatoCoordenada(1234.567), QString("1234.57"));
        QLocale::setDefault(QLocale::c());
        const ParametrosAjuste p = Parametros("/w");
        const QStringList files{"/w/my chart.tif", p.ChtAjuste, p.ReferenciaAjuste};
        QCOMPARE(ComandoReconocimiento("scanin", p, ModoReconocimiento::Manual, kStart).arguments,
                 QStringList({"-v", "-G", "1.", "-F", kStart, "-dion"}) + files +
                     QStringList{"/w/grid_manual_diag.tif"});
        QCOMPARE(ComandoReconocimiento("scanin", p, ModoReconocimiento::Automatico, {}).arguments,
                 QStringList({"-v", "-G", "1.", "-p", "-dion"}) + files +
                     QStringList{"/w/grid_auto_diag.tif"});
    }

    // scanin reads TIFF only, so a PNG makes it fail; a missing tool gives -1; a tool that ends
    // well without a diagnostic has not succeeded, whatever an earlier run left there.
    void failedRuns() {
        EstablecerIdiomaActual(IdiomaEs);
        const QString scanin = QStandardPaths::findExecutable("scanin");
        QVERIFY2(!scanin.isEmpty(), "ArgyllCMS scanin is not installed");
        for (const auto& [program, mode] : QList<QPair<QString, ModoReconocimiento>>{
                 {scanin, ModoReconocimiento::Manual},
                 {scanin, ModoReconocimiento::Automatico},
                 {"/nonexistent/scanin", ModoReconocimiento::Manual},
                 {QStandardPaths::findExecutable("true"), ModoReconocimiento::Automatico}}) {
            QTemporaryDir work, tmp;
            ParametrosAjuste p = Parametros(work.path());
            p.ImagenAjuste = work.filePath("chart.png");
            QVERIFY(QFile(p.ImagenAjuste).open(QIODevice::WriteOnly));
            QFile old(DiagnosticoTrabajo(p, mode));
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old diagnostic") > 0);
            old.close();
            RecordingLog log;
            const ResultadoReconocimiento r =
                EjecutarReconocimiento(program, tmp.path(), p, mode, kStart, log);
            QVERIFY(!r.correcto && r.diagnostico.isEmpty());
            QVERIFY(!old.exists() && QDir(tmp.path()).isEmpty());
            QCOMPARE(log.lines.first().endsWith(kStart), mode == ModoReconocimiento::Manual);
            if (r.rc == 0) {
                QCOMPARE(r.mensaje, Texto("msg.grid_auto_missing"));
                continue;
            }
            QCOMPARE(r.rc == -1, program.startsWith("/nonexistent"));
            QVERIFY2(!r.salida.isEmpty() &&
                         r.mensaje.endsWith(QString(" rc=%1\n").arg(r.rc) + r.salida),
                     qPrintable(r.mensaje));
            QVERIFY(log.lines.contains(r.salida) &&
                    log.lines.last().endsWith(QString(" rc=%1").arg(r.rc)));
        }
    }
};

QTEST_GUILESS_MAIN(TestGridRecognition)
#include "tst_gridrecognition.moc"
