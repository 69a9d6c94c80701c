#include "lang/texto.h"
#include "profile/createvalidation.h"
#include "profile/profilecommands.h"
#include "profile/resultsummary.h"

#include <QtTest>

// Input check, manual grid and the scanin and colprof invocations of a profile run.
class TestCreateSteps : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString Touch(const QString& name) {
        QFile file(dir_.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(name));
        return file.fileName();
    }

    EntradaCreacion Completa() {
        EntradaCreacion in;
        in.imagen = Touch("chart.tif");
        in.tipoReferencia = EntradaCreacion::Generica;
        in.referenciaGenerica = Touch("ColorChecker.cie");
        in.carta = Touch("ColorChecker.cht");
        in.ficheroCarta = "ColorChecker.cht";
        in.scanin = Touch("scanin");
        in.colprof = Touch("colprof");
        in.gamma = "2.2";
        in.puntoBlanco = in.sombras = "1.0";
        in.calidad = in.algoritmo = 2;
        in.intento = 0;
        return in;
    }

private slots:
    // Every missing item in one list, in the fixed order; a file that is gone is named.
    void validation() {
        EntradaCreacion in = Completa();
        QVERIFY(ValidarDatosPerfil(in).ok);
        QCOMPARE(ValidarDatosPerfil(in).referencia, in.referenciaGenerica);
        QCOMPARE(ValidarDatosPerfil(EntradaCreacion()).faltas.count('\n'), 4);
        in.tipoReferencia = EntradaCreacion::Personalizada;
        in.referenciaPersonalizada = dir_.filePath("gone.cie");
        in.colprof = dir_.filePath("gone");
        QCOMPARE(ValidarDatosPerfil(in).faltas,
                 "- Fichero de referencia personalizado no encontrado: " +
                     dir_.filePath("gone.cie") + "\n- Argyll colprof: " + dir_.filePath("gone"));
    }

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

    // The summary names the files kept or not, then the verification and a misread warning.
    void summaryMessage() {
        ResultadoCreacion r;
        r.perfil = "/p/cam.icc";
        QVERIFY(TextoResumenResultados(r, true, false).contains("- TI3: no se pudo guardar"));
        r.ti3 = "/p/cam.ti3";
        r.verificacion = "Resumen profcheck: 24 parches";
        r.avisoLectura = "Aviso: mal leída";
        const QString m = TextoResumenResultados(r, true, false);
        QVERIFY(m.contains("- TI3: mediciones guardadas") && !m.contains("Diagnóstico"));
        QVERIFY(m.contains("\n\nResumen profcheck: 24 parches\n" + Texto("verify.intent_note") +
                           "\n\nAviso: mal leída\n\n"));
        QCOMPARE(LineaLogResumen("a\r\nb\nc"), QString("Resumen operador: a | b | c"));
    }
};

QTEST_APPLESS_MAIN(TestCreateSteps)
#include "test_createsteps.moc"
