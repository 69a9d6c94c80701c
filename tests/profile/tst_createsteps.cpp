#include "lang/texto.h"
#include "profile/createvalidation.h"
#include "profile/profilecommands.h"
#include "profile/resultsummary.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString Touch(const QString& path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("x");
    return path;
}

} // namespace

// Input check, manual grid and the scanin and colprof invocations of a profile run.
class TestCreateSteps : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    EntradaCreacion Completa() {
        EntradaCreacion in;
        in.imagen = Touch(dir_.filePath("chart.tif"));
        in.tipoReferencia = EntradaCreacion::Generica;
        in.referenciaGenerica = Touch(dir_.filePath("ColorChecker.cie"));
        in.carta = Touch(dir_.filePath("ColorChecker.cht"));
        in.ficheroCarta = "ColorChecker.cht";
        in.scanin = Touch(dir_.filePath("scanin"));
        in.colprof = Touch(dir_.filePath("colprof"));
        in.gamma = "2.2";
        in.puntoBlanco = "1.0";
        in.sombras = "1.0";
        in.calidad = 2;
        in.algoritmo = 2;
        in.intento = 0;
        return in;
    }

private slots:
    void validationAcceptsCompleteInputs() {
        const EntradaCreacion in = Completa();
        ValidacionPerfil v = ValidarDatosPerfil(in);
        QVERIFY(v.ok);
        QVERIFY(v.faltas.isEmpty());
        QCOMPARE(v.referencia, in.referenciaGenerica);

        EntradaCreacion custom = Completa();
        custom.tipoReferencia = EntradaCreacion::Personalizada;
        custom.referenciaPersonalizada = Touch(dir_.filePath("mine.ti2"));
        v = ValidarDatosPerfil(custom);
        QVERIFY(v.ok);
        QCOMPARE(v.referencia, custom.referenciaPersonalizada);
    }

    // Every missing item in one list, in the fixed order.
    void validationListsEveryMissingItem() {
        EntradaCreacion in;
        in.imagen = "  ";
        ValidacionPerfil v = ValidarDatosPerfil(in);
        QVERIFY(!v.ok);
        QCOMPARE(v.faltas, QString("- Imagen target\n"
                                   "- Tipo de referencia: Genérico o Personalizado\n"
                                   "- Tipo de carta\n"
                                   "- Argyll scanin: no encontrado\n"
                                   "- Argyll colprof: no encontrado"));

        in = Completa();
        const QString gone = dir_.filePath("gone");
        in.imagen = gone + ".png";
        in.tipoReferencia = EntradaCreacion::Personalizada;
        in.referenciaPersonalizada = gone + ".cie";
        in.carta = gone + ".cht";
        in.colprof = gone + "colprof";
        v = ValidarDatosPerfil(in);
        QCOMPARE(v.faltas, "- Imagen target no encontrada: " + gone + ".png\n" +
                               "- Fichero de referencia personalizado no encontrado: " + gone +
                               ".cie\n" + "- Fichero de carta Argyll no encontrado: " + gone +
                               ".cht\n" + "- Argyll colprof: " + gone + "colprof");
        QCOMPARE(v.referencia, in.referenciaPersonalizada);

        in = Completa();
        in.referenciaGenerica.clear();
        QCOMPARE(ValidarDatosPerfil(in).faltas, QString("- Fichero de referencia genérico"));
        in.tipoReferencia = EntradaCreacion::Personalizada;
        in.referenciaPersonalizada = " ";
        QCOMPARE(ValidarDatosPerfil(in).faltas, QString("- Fichero de referencia personalizado"));

        QCOMPARE(LineaLogFaltanDatos("- a\n- b"),
                 QString("No se puede crear el perfil. Faltan datos:\n- a\n- b"));
        QVERIFY(MensajeFaltanDatos("- a").endsWith("\n\n- a"));
    }

    void manualGridAppliesOnlyToItsChartAndImage() {
        EntradaCreacion in = Completa();
        in.fiducialesManuales = "1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00";
        in.cartaAjusteManual = "colorchecker.cht";
        in.imagenAjusteManual = in.imagen.toLower();
        QVERIFY(CuadriculaManualAplicable(in));
        QCOMPARE(ArgumentoCuadriculaManual(in), QStringList({"-p", "-F", in.fiducialesManuales}));
        EntradaCreacion otherChart = in;
        otherChart.ficheroCarta = "QPcard_201.cht";
        QVERIFY(ArgumentoCuadriculaManual(otherChart).isEmpty());
        EntradaCreacion otherImage = in;
        otherImage.imagen = dir_.filePath("other.tif");
        QVERIFY(!CuadriculaManualAplicable(otherImage));
        in.fiducialesManuales.clear();
        QVERIFY(!CuadriculaManualAplicable(in));
    }

    void scaninCommand() {
        EntradaCreacion in = Completa();
        const QString image = dir_.filePath("work/chart.tif");
        const QString diag = dir_.filePath("work/chart_scanin_diag.tif");
        CommandLine c = ComandoScanin(in, in.referenciaGenerica, {}, image, diag);
        QCOMPARE(c.program, in.scanin);
        QCOMPARE(c.arguments,
                 QStringList({"-v", "-dihvgon", image, in.carta, in.referenciaGenerica, diag}));
        QCOMPARE(c.display, "\"" + in.scanin + "\" -v -dihvgon \"" + image + "\" \"" + in.carta +
                                "\" \"" + in.referenciaGenerica + "\" \"" + diag + "\"");

        in.gamma = "1,8";
        c = ComandoScanin(in, in.referenciaGenerica, {"-p", "-F", "1,2,3,4,5,6,7,8"}, image, diag);
        QCOMPARE(c.arguments.mid(0, 7),
                 QStringList({"-v", "-G", "1.8", "-p", "-F", "1,2,3,4,5,6,7,8", "-dion"}));
    }

    void colprofCommand() {
        EntradaCreacion in = Completa();
        in.fabricante = "Acme";
        in.modelo = "X-1";
        in.descripcion = "Camera \"D\" $(rm -rf x); `id`";
        in.copyright = "";
        const QString base = dir_.filePath("work/chart");
        ComandoColprof c = ConstruirComandoColprof(in, 2, base);
        QVERIFY(c.avisos.isEmpty());
        QCOMPARE(c.command.program, in.colprof);
        // Texts attached to their flag, unchanged; an empty one as a separate empty argument.
        QCOMPARE(c.command.arguments, QStringList({"-v", "-AAcme", "-MX-1", "-D" + in.descripcion,
                                                   "-C", "", "-qh", "-ag", "-Z", "p", base}));
        QCOMPARE(c.command.display, "\"" + in.colprof + "\" -v -A\"Acme\" -M\"X-1\" -D\"" +
                                        in.descripcion + "\" -C\"\" -qh -ag -Z p \"" + base + "\"");

        in.calidad = 3;
        in.algoritmo = 4;
        in.intento = 1;
        in.puntoBlanco = "1.3";
        in.sombras = "2,5";
        c = ConstruirComandoColprof(in, 2, base);
        QCOMPARE(c.command.arguments.mid(6),
                 QStringList({"-qu", "-aX", "-Z", "r", "-U", "1.30", "-V", "2.50", base}));
        QVERIFY(c.command.display.endsWith(" -qu -aX -Z r -U 1.30 -V 2.50 \"" + base + "\""));
        c = ConstruirComandoColprof(in, 3, base);
        QVERIFY(c.command.display.endsWith(" -Z r -u 1.30 -V 2.50 \"" + base + "\""));
        QVERIFY(c.command.arguments.contains("-u"));

        // Out-of-range adjustments: one warning each, the default (no option) is used.
        in.puntoBlanco = "7";
        in.sombras = "";
        c = ConstruirComandoColprof(in, 3, base);
        QCOMPARE(c.avisos, QStringList({"Punto blanco debe estar entre 0.5 y 1.5. Se usará 1.",
                                        "Sombras debe estar entre 1 y 3. Se usará 1."}));
        QVERIFY(!c.command.arguments.contains("-u"));
        QVERIFY(!c.command.arguments.contains("-V"));
    }

    void summaryMessage() {
        ResultadoCreacion r;
        r.perfil = "/p/cam.icc";
        QString m = TextoResumenResultados(r, false, false);
        QCOMPARE(m, QString("Perfil creado correctamente:\n/p/cam.icc\n\n"
                            "Resultado para el operador:\n"
                            "- Perfil ICC/ICM: archivo que se instala o se asigna al "
                            "escáner/cámara.\n"
                            "\n¿Abrir la carpeta donde se ha guardado el perfil?"));
        m = TextoResumenResultados(r, true, true);
        QVERIFY(m.contains("- TI3: no se pudo guardar; revisa el log.\n"));
        QVERIFY(m.contains("- Diagnóstico TIFF: no se pudo guardar; revisa el log.\n"));
        r.ti3 = "/p/cam.ti3";
        r.diagnostico = "/p/cam_scanin_diag.tif";
        r.verificacion = "Resumen profcheck: 24 parches";
        r.avisoLectura = "Aviso: mal leída";
        m = TextoResumenResultados(r, true, true);
        QVERIFY(m.contains("- TI3: mediciones guardadas"));
        QVERIFY(m.contains("- Diagnóstico TIFF: imagen para revisar"));
        QVERIFY(m.contains("\n\nResumen profcheck: 24 parches\n" + Texto("verify.intent_note") +
                           "\n\nAviso: mal leída\n\n¿Abrir"));
        QCOMPARE(LineaLogResumen("a\r\nb\nc"), QString("Resumen operador: a | b | c"));
    }
};

QTEST_APPLESS_MAIN(TestCreateSteps)
#include "tst_createsteps.moc"
