#include "profile/profilecommands.h"
#include "profile/resultsummary.h"

#include <QtTest>

// The scanin and colprof invocations of a profile run, and its summary.
class TestCreateSteps : public QObject {
    Q_OBJECT

    static EntradaCreacion Completa() {
        EntradaCreacion in;
        in.carta = "/r/ColorChecker.cht";
        in.scanin = "/a/scanin";
        in.colprof = "/a/colprof";
        in.gamma = "2.2";
        in.puntoBlanco = in.sombras = "1.0";
        in.calidad = in.algoritmo = 2;
        in.intento = 0;
        return in;
    }

private slots:
    void toolCommands() {
        EntradaCreacion in = Completa();
        CommandLine c = ComandoScanin(in, "ref.cie", {}, "w/chart.tif", "w/diag.tif");
        QCOMPARE(c.program, in.scanin);
        QCOMPARE(c.arguments,
                 QStringList({"-v", "-dihvgon", "w/chart.tif", in.carta, "ref.cie", "w/diag.tif"}));
        in.gamma = "1,8";
        c = ComandoScanin(in, "ref.cie", {"-p", "-F", "1,2"}, "c.tif", "d.tif");
        QCOMPARE(c.arguments.mid(0, 7),
                 QStringList({"-v", "-G", "1.8", "-p", "-F", "1,2", "-dion"}));

        // Texts attached to their flag, unchanged; an empty one as a separate empty argument.
        in.fabricante = "Acme";
        in.modelo = "X-1";
        in.descripcion = "Camera \"D\" $(rm -rf x); `id`";
        ComandoColprof p = ConstruirComandoColprof(in, 2, "w/chart");
        QVERIFY(p.avisos.isEmpty());
        QCOMPARE(p.command.program, in.colprof);
        QCOMPARE(p.command.arguments, QStringList({"-v", "-AAcme", "-MX-1", "-D" + in.descripcion,
                                                   "-C", "", "-qh", "-ag", "-Z", "p", "w/chart"}));
        in.calidad = 3;
        in.algoritmo = 4;
        in.intento = 1;
        in.puntoBlanco = "1.3";
        in.sombras = "2,5";
        QCOMPARE(ConstruirComandoColprof(in, 2, "w/chart").command.arguments.mid(2),
                 QStringList({"-MX-1", "-D" + in.descripcion, "-C", "", "-qu", "-aX", "-Z", "r",
                              "-U", "1.30", "-V", "2.50", "w/chart"}));
        // ArgyllCMS 3 renamed the white point scale.
        QCOMPARE(ConstruirComandoColprof(in, 3, "w/chart").command.arguments.mid(10, 2),
                 QStringList({"-u", "1.30"}));
        // Out-of-range adjustments: one warning each, the default (no option) is used.
        in.puntoBlanco = "7";
        in.sombras = "";
        p = ConstruirComandoColprof(in, 3, "w/chart");
        QCOMPARE(p.avisos, QStringList({"Punto blanco debe estar entre 0.5 y 1.5. Se usará 1.",
                                        "Sombras debe estar entre 1 y 3. Se usará 1."}));
        QCOMPARE(p.command.arguments.mid(10), QStringList({"w/chart"}));
    }

    // The summary as one log line, its line breaks shown as bars.
    void summaryLogLine() {
        QCOMPARE(LineaLogResumen("a\r\nb\nc"), QString("Resumen operador: a | b | c"));
        ResultadoCreacion r;
        r.perfil = "/p/cam.icc";
        QVERIFY(TextoResumenResultados(r, true, false).contains("- TI3: no se pudo guardar"));
        QVERIFY(!TextoResumenResultados(r, false, false).contains("TI3"));
    }
};

QTEST_APPLESS_MAIN(TestCreateSteps)
#include "tst_createsteps.moc"
