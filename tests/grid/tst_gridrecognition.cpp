#include "grid/gridrecognition.h"
#include "lang/texto.h"
#include "recordinglog.h"

#include <QFile>
#include <QImage>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

ParametrosAjuste Parametros(const QString& work) {
    ParametrosAjuste p;
    p.ImagenAjuste = work + QStringLiteral("/my chart.tif");
    p.ChtAjuste = QStringLiteral("/usr/share/color/argyll/ref/ColorChecker.cht");
    p.NombreChtAjuste = QStringLiteral("ColorChecker.cht");
    p.ReferenciaAjuste = QStringLiteral("/usr/share/color/argyll/ref/ColorChecker.cie");
    p.CarpetaTrabajoAjuste = work;
    p.ArgGamma = {QStringLiteral("-G"), QStringLiteral("1.")};
    return p;
}

const QString kStartPoints = QStringLiteral("50.00,40.00,950.00,40.00,950.00,760.00,50.00,760.00");

} // namespace

class TestGridRecognition : public QObject {
    Q_OBJECT

private slots:
    void init() { EstablecerIdiomaActual(IdiomaEs); }

    void coordinatesHaveTwoDecimalsAndADot() {
        QCOMPARE(FormatoCoordenada(50), QString("50.00"));
        QCOMPARE(FormatoCoordenada(1234.567), QString("1234.57"));
        QCOMPARE(FormatoCoordenada(0.004), QString("0.00"));
        // A locale with a decimal comma changes nothing.
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        QCOMPARE(FormatoCoordenada(12.5), QString("12.50"));
        QLocale::setDefault(before);
        // The start points of a 1000 x 800 image, TL TR BR BL.
        QCOMPARE(ListaFiduciales({50, 950, 950, 50}, {40, 40, 760, 760}), kStartPoints);
    }

    // Fiducials need no perspective search (minutes on a large photograph), even when the
    // main window asks for perspective.
    void manualCommandTakesTheFiducialsAlone() {
        ParametrosAjuste p = Parametros(QStringLiteral("/w"));
        p.ArgPerspectiva = {QStringLiteral("-p")};
        const CommandLine c = ComandoReconocimiento(QStringLiteral("/usr/bin/scanin"), p,
                                                    ModoReconocimiento::Manual, kStartPoints);
        QCOMPARE(c.program, QString("/usr/bin/scanin"));
        QCOMPARE(c.arguments,
                 QStringList({"-v", "-G", "1.", "-F", kStartPoints, "-dion", "/w/my chart.tif",
                              p.ChtAjuste, p.ReferenciaAjuste, "/w/grid_manual_diag.tif"}));
        QCOMPARE(c.display, QString("\"/usr/bin/scanin\" -v -G 1. -F ") + kStartPoints +
                                " -dion \"/w/my chart.tif\" \"" + p.ChtAjuste + "\" \"" +
                                p.ReferenciaAjuste + "\" \"/w/grid_manual_diag.tif\"");
    }

    void automaticCommandFollowsThePerspectiveOption() {
        ParametrosAjuste p = Parametros(QStringLiteral("/w"));
        CommandLine c = ComandoReconocimiento("scanin", p, ModoReconocimiento::Automatico, {});
        QCOMPARE(c.arguments,
                 QStringList({"-v", "-G", "1.", "-dion", "/w/my chart.tif", p.ChtAjuste,
                              p.ReferenciaAjuste, "/w/grid_auto_diag.tif"}));
        QVERIFY(c.display.contains(" -G 1. -dion \"/w/my chart.tif\""));
        p.ArgPerspectiva = {QStringLiteral("-p")};
        p.ArgGamma.clear();
        c = ComandoReconocimiento("scanin", p, ModoReconocimiento::Automatico, {});
        QVERIFY(c.display.startsWith("\"scanin\" -v -p -dion \""));
        QVERIFY(!c.arguments.contains("-F"));
        QCOMPARE(NombreCopiaDiagnostico(ModoReconocimiento::Automatico),
                 QString("ultimo_reconocimiento_cuadricula_auto.tif"));
        QCOMPARE(NombreCopiaDiagnostico(ModoReconocimiento::Manual),
                 QString("ultimo_reconocimiento_cuadricula_manual.tif"));
    }

    void messagesOfEachMode() {
        QCOMPARE(TextoReconocimiento(ModoReconocimiento::Automatico, "running"),
                 Texto("msg.grid_auto_running"));
        QCOMPARE(TextoReconocimiento(ModoReconocimiento::Manual, "missing"),
                 Texto("msg.grid_manual_missing"));
        QVERIFY(!TextoReconocimiento(ModoReconocimiento::Manual, "done").startsWith("msg."));
        QCOMPARE(LineaDiagnosticoAbierto(ModoReconocimiento::Manual, "/t/x.tif"),
                 QString("Diagnóstico de cuadrícula manual abierto: /t/x.tif"));
        QCOMPARE(LineaDiagnosticoAbierto(ModoReconocimiento::Automatico, "/t/x.tif"),
                 QString("Diagnóstico de cuadrícula automático abierto: /t/x.tif"));
    }

    // scanin reads TIFF only: a PNG makes it fail with a non-zero code.
    void failedRunReportsCodeAndOutput() {
        const QString scanin = QStandardPaths::findExecutable("scanin");
        if (scanin.isEmpty())
            QSKIP("ArgyllCMS scanin is not installed");
        QTemporaryDir work;
        QTemporaryDir tmp;
        ParametrosAjuste p = Parametros(work.path());
        p.ImagenAjuste = work.filePath("chart.png");
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QVERIFY(image.save(p.ImagenAjuste));

        RecordingLog log;
        const ResultadoReconocimiento r = EjecutarReconocimiento(
            scanin, tmp.path(), p, ModoReconocimiento::Manual, kStartPoints, log);
        QVERIFY(!r.correcto);
        QVERIFY(r.rc != 0 && r.rc != -1);
        QVERIFY(!r.salida.isEmpty());
        QCOMPARE(r.mensaje, QString("scanin rc=%1\n").arg(r.rc) + r.salida);
        QCOMPARE(log.lines.at(0), "Fiduciales manuales scanin -F TL,TR,BR,BL: " + kStartPoints);
        QVERIFY(log.lines.at(1).startsWith("scanin: \"" + scanin + "\" -v -G 1. -F "));
        QCOMPARE(log.lines.at(2), r.salida);
        QCOMPARE(log.lines.last(), QString("scanin ajuste manual rc=%1").arg(r.rc));
        QVERIFY(r.diagnostico.isEmpty());
        QVERIFY(QDir(tmp.path()).entryList(QDir::Files).isEmpty());

        // The same in the automatic mode.
        log.lines.clear();
        const ResultadoReconocimiento a =
            EjecutarReconocimiento(scanin, tmp.path(), p, ModoReconocimiento::Automatico, {}, log);
        QVERIFY(a.mensaje.startsWith(QString("scanin automático rc=%1\n").arg(a.rc)));
        QCOMPARE(log.lines.last(), QString("scanin reconocimiento automático rc=%1").arg(a.rc));
        QVERIFY(!log.lines.first().startsWith("Fiduciales"));
    }

    // A tool that ends well but writes no diagnostic: an old diagnostic of an earlier run in
    // the work folder must not pass for this run's.
    void exitZeroWithoutDiagnosticIsNoSuccess() {
        const QString program = QStandardPaths::findExecutable("true");
        QVERIFY(!program.isEmpty());
        QTemporaryDir work;
        QTemporaryDir tmp;
        const ParametrosAjuste p = Parametros(work.path());
        const QString stale = DiagnosticoTrabajo(p, ModoReconocimiento::Automatico);
        QFile old(stale);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old diagnostic");
        old.close();

        RecordingLog log;
        const ResultadoReconocimiento r =
            EjecutarReconocimiento(program, tmp.path(), p, ModoReconocimiento::Automatico, {}, log);
        QCOMPARE(r.rc, 0);
        QVERIFY(!r.correcto);
        QCOMPARE(r.mensaje, Texto("msg.grid_auto_missing"));
        QVERIFY(!QFile::exists(stale));
        QVERIFY(
            !QFile::exists(tmp.filePath(NombreCopiaDiagnostico(ModoReconocimiento::Automatico))));
        // No output, so no output line; no code line for a zero code.
        QCOMPARE(log.lines.size(), 1);
    }

    // A tool that cannot start: exit code -1 and the code's message.
    void missingToolGivesMinusOne() {
        QTemporaryDir work;
        QTemporaryDir tmp;
        RecordingLog log;
        const ResultadoReconocimiento r =
            EjecutarReconocimiento(work.filePath("no-scanin"), tmp.path(), Parametros(work.path()),
                                   ModoReconocimiento::Automatico, {}, log);
        QCOMPARE(r.rc, -1);
        QVERIFY(r.mensaje.startsWith("scanin automático rc=-1"));
        QCOMPARE(log.lines.last(), QString("scanin reconocimiento automático rc=-1"));
    }
};

QTEST_GUILESS_MAIN(TestGridRecognition)
#include "tst_gridrecognition.moc"
