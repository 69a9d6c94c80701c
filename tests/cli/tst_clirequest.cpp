#include "charts/chartcatalog.h"
#include "cli/createinput.h"
#include "cli/createrequest.h"
#include "profile/createvalidation.h"
#include "shell/appfolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool Crear(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

} // namespace

// The create command's arguments read into the run's inputs. The files are only named, never
// read, so empty stand-ins serve; the charts are the installed ArgyllCMS ones.
class TestCliRequest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultsAreTheWindowsStart();
    void everyInputHasAnOption();
    void chartNamesAndReferences();
    void wrongValues_data();
    void wrongValues();
    void batchFromFilesAndFolders();
    void batchNamesMustNotClash();
    void inputsForTheRun();

private:
    LecturaCreacion Leer(const QStringList& extra, const QString& chart = "ColorChecker.cht") {
        QStringList args{"--image", dir_.filePath("a.tif"), "--chart", chart};
        if (!extra.contains("--output") && !extra.contains("--output-dir"))
            args << "--output" << dir_.filePath("out/a.icc");
        return LeerPeticionCreacion(args + extra, *catalogo_);
    }

    QTemporaryDir dir_;
    std::unique_ptr<ChartCatalog> catalogo_;
};

void TestCliRequest::initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY(QDir(dir_.path()).mkpath("out"));
    QVERIFY(QDir(dir_.path()).mkpath("batch/sub"));
    for (const char* f : {"a.tif", "x.tif", "ref.cie", "batch/b.PNG", "batch/a.jpeg",
                          "batch/c.tiff", "batch/notes.txt", "batch/sub/d.tif", "batch2/b.tif"}) {
        QDir(dir_.path()).mkpath(QFileInfo(dir_.filePath(f)).path());
        QVERIFY(Crear(dir_.filePath(QString::fromLatin1(f))));
    }
    const AppFolders carpetas = AppFolders::forProgram(QCoreApplication::applicationDirPath());
    catalogo_ = std::make_unique<ChartCatalog>(carpetas.argyllRef, carpetas.argyllDoc);
    if (catalogo_->IndiceCarta("ColorChecker.cht") < 0)
        QSKIP("the ArgyllCMS chart definitions are not installed");
}

void TestCliRequest::defaultsAreTheWindowsStart() {
    const LecturaCreacion l = Leer({});
    QVERIFY2(l.error.isEmpty(), qPrintable(l.error));
    const PeticionCreacion& p = l.peticion;
    QCOMPARE(p.destinos.size(), 1);
    QCOMPARE(p.destinos.first().imagen, dir_.filePath("a.tif"));
    QCOMPARE(p.destinos.first().perfil, dir_.filePath("out/a.icc"));
    QVERIFY(!p.Lote());
    QCOMPARE(p.gamma, QStringLiteral("2.2"));
    QCOMPARE(p.puntoBlanco, QStringLiteral("1.0"));
    QCOMPARE(p.sombras, QStringLiteral("1.0"));
    QCOMPARE(p.algoritmo, 2);
    QCOMPARE(p.calidad, 2);
    QCOMPARE(p.intento, 0);
    QCOMPARE(p.trabajos, 1);
    QVERIFY(!p.perspectiva && !p.guardarTi3 && !p.guardarDiag && !p.conservarTrabajo);
    QVERIFY(!p.json && !p.silencio && !p.conDescripcion && p.fiduciales.isEmpty());
    QCOMPARE(p.fabricante, QStringLiteral("Dispositivo"));
    QCOMPARE(p.modelo, QStringLiteral("Modelo"));
    QVERIFY(p.copyright.isEmpty());
}

void TestCliRequest::everyInputHasAnOption() {
    const LecturaCreacion l = Leer({"--gamma",
                                    "1,8",
                                    "--perspective",
                                    "--fiducials",
                                    "10,20.5,1000,20,1000.125,700,10,700",
                                    "--white-point",
                                    "1.3",
                                    "--shadows",
                                    "2",
                                    "--algorithm",
                                    "lab-clut",
                                    "--quality",
                                    "3",
                                    "--intent",
                                    "Relative",
                                    "--device",
                                    "Acme \"X\"",
                                    "--model",
                                    "-M9",
                                    "--description",
                                    "",
                                    "--copyright",
                                    "(c) me",
                                    "--save-ti3",
                                    "--save-diag",
                                    "--keep-work",
                                    "--json",
                                    "--quiet",
                                    "--reference",
                                    dir_.filePath("ref.cie")});
    QVERIFY2(l.error.isEmpty(), qPrintable(l.error));
    const PeticionCreacion& p = l.peticion;
    QCOMPARE(p.gamma, QStringLiteral("1.8"));
    QVERIFY(p.perspectiva);
    QCOMPARE(p.fiduciales, QStringLiteral("10.00,20.50,1000.00,20.00,1000.13,700.00,10.00,700.00"));
    QCOMPARE(p.puntoBlanco, QStringLiteral("1.3"));
    QCOMPARE(p.sombras, QStringLiteral("2"));
    QCOMPARE(p.algoritmo, 0);
    QCOMPARE(p.calidad, 3);
    QCOMPARE(p.intento, 1);
    QCOMPARE(p.fabricante, QStringLiteral("Acme \"X\""));
    QCOMPARE(p.modelo, QStringLiteral("-M9"));
    QVERIFY(p.conDescripcion);
    QVERIFY(p.descripcion.isEmpty());
    QCOMPARE(p.copyright, QStringLiteral("(c) me"));
    QVERIFY(p.guardarTi3 && p.guardarDiag && p.conservarTrabajo && p.json && p.silencio);
    QCOMPARE(p.referenciaDada, dir_.filePath("ref.cie"));
    QVERIFY(LeerPeticionCreacion({"--help", "--bogus-after-help"}, *catalogo_).error.size() > 0);
    QVERIFY(LeerPeticionCreacion({"--help"}, *catalogo_).peticion.ayuda);
}

void TestCliRequest::chartNamesAndReferences() {
    const int cc = catalogo_->IndiceCarta("ColorChecker.cht");
    for (const char* nombre : {"ColorChecker.cht", "colorchecker", " COLORCHECKER.CHT "}) {
        const LecturaCreacion l = Leer({}, QString::fromLatin1(nombre));
        QVERIFY2(l.error.isEmpty(), qPrintable(l.error));
        QCOMPARE(l.peticion.carta, cc);
        QCOMPARE(l.peticion.referenciaCarta.tipo, ReferenciaCarta::Generica);
        QCOMPARE(LineaLogReferencia(l.peticion), "Referencia genérica asociada a la carta: " +
                                                     catalogo_->CarpetaRef() + "ColorChecker.cie");
    }
    if (catalogo_->IndiceCarta("ColorCheckerSG.cht") >= 0 &&
        !catalogo_->BuscarReferenciaPropia("ColorCheckerSG.cht").isEmpty()) {
        const LecturaCreacion sg = Leer({}, "ColorCheckerSG.cht");
        QVERIFY2(sg.error.isEmpty(), qPrintable(sg.error));
        QCOMPARE(sg.peticion.referenciaCarta.tipo, ReferenciaCarta::Propia);
    }
    if (catalogo_->IndiceCarta("it8.cht") >= 0 &&
        catalogo_->BuscarReferenciaPropia("it8.cht").isEmpty()) {
        const LecturaCreacion it8 = Leer({}, "it8.cht");
        QCOMPARE(it8.error, QStringLiteral("chart 'it8.cht' has no generic or own reference; give "
                                           "--reference FILE"));
        const LecturaCreacion dada = Leer({"--reference", dir_.filePath("ref.cie")}, "it8.cht");
        QVERIFY2(dada.error.isEmpty(), qPrintable(dada.error));
        QCOMPARE(LineaLogReferencia(dada.peticion), "Referencia: " + dir_.filePath("ref.cie"));
    }
}

void TestCliRequest::wrongValues_data() {
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QString>("error");
    const QString cc = "ColorChecker.cht";
    QTest::newRow("gamma 0") << QStringList{"--gamma", "0"} << cc
                             << "--gamma must be a number above 0 and at most 10, not '0'";
    QTest::newRow("gamma text") << QStringList{"--gamma", "2.2x"} << cc
                                << "--gamma must be a number above 0 and at most 10, not '2.2x'";
    QTest::newRow("gamma 11") << QStringList{"--gamma", "11"} << cc
                              << "--gamma must be a number above 0 and at most 10, not '11'";
    QTest::newRow("white point") << QStringList{"--white-point", "1.6"} << cc
                                 << "--white-point must be a number from 0.5 to 1.5, not '1.6'";
    QTest::newRow("shadows") << QStringList{"--shadows", "0.9"} << cc
                             << "--shadows must be a number from 1 to 3, not '0.9'";
    QTest::newRow("jobs 0") << QStringList{"--jobs", "0"} << cc
                            << "--jobs must be a whole number from 1 to 32, not '0'";
    QTest::newRow("jobs 33") << QStringList{"--jobs", "33"} << cc
                             << "--jobs must be a whole number from 1 to 32, not '33'";
    QTest::newRow("algorithm") << QStringList{"--algorithm", "8"} << cc
                               << "--algorithm must be one of lab-clut (0), xyz-clut (1), "
                                  "gamma-matrix (2), curves-matrix (3), xyz-clut-matrix (4), "
                                  "matrix (5), single-gamma-matrix (6), single-curve-matrix (7), "
                                  "not '8'";
    QTest::newRow("quality") << QStringList{"--quality", "best"} << cc
                             << "--quality must be one of low (0), medium (1), high (2), "
                                "ultra (3), not 'best'";
    QTest::newRow("fiducials seven")
        << QStringList{"--fiducials", "1,2,3,4,5,6,7"} << cc
        << "--fiducials needs eight pixel positions X1,Y1,X2,Y2,X3,Y3,X4,Y4 (top left, top "
           "right, bottom right, bottom left), none negative, not '1,2,3,4,5,6,7'";
    QTest::newRow("fiducials negative")
        << QStringList{"--fiducials", "1,2,3,4,5,6,7,-8"} << cc
        << "--fiducials needs eight pixel positions X1,Y1,X2,Y2,X3,Y3,X4,Y4 (top left, top "
           "right, bottom right, bottom left), none negative, not '1,2,3,4,5,6,7,-8'";
    QTest::newRow("unknown chart") << QStringList{} << "Nope.cht"
                                   << "chart 'Nope.cht' is not in the catalogue (see 'charts')";
    QTest::newRow("missing reference") << QStringList{"--reference", "/nonexistent/r.cie"} << cc
                                       << "--reference file not found: /nonexistent/r.cie";
    QTest::newRow("output suffix") << QStringList{"--output", "/tmp/p.txt"} << cc
                                   << "--output must name an .icc or .icm file: /tmp/p.txt";
    QTest::newRow("output folder") << QStringList{"--output", "/nonexistent/dir/p.icc"} << cc
                                   << "folder of --output not found: /nonexistent/dir";
    QTest::newRow("both outputs") << QStringList{"--output", "/tmp/p.icc", "--output-dir", "/tmp"}
                                  << cc << "give --output or --output-dir, not both";
    QTest::newRow("unknown option")
        << QStringList{"--colour", "red"} << cc << "unknown option '--colour'";
}

void TestCliRequest::wrongValues() {
    QFETCH(QStringList, extra);
    QFETCH(QString, chart);
    QFETCH(QString, error);
    QCOMPARE(Leer(extra, chart).error, error);
}

void TestCliRequest::batchFromFilesAndFolders() {
    const QString salida = dir_.filePath("profiles");
    const LecturaCreacion l =
        LeerPeticionCreacion({"--image", dir_.filePath("x.tif"), "--image", dir_.filePath("batch"),
                              "--chart", "ColorChecker.cht", "--output-dir", salida, "--jobs", "3"},
                             *catalogo_);
    QVERIFY2(l.error.isEmpty(), qPrintable(l.error));
    QVERIFY(l.peticion.Lote());
    QCOMPARE(l.peticion.trabajos, 3);
    QCOMPARE(l.peticion.carpetaSalida, salida);
    // Files as given, then the folder's images by name (any letter case, no sub-folders).
    QStringList imagenes;
    QStringList perfiles;
    for (const DestinoPerfil& d : l.peticion.destinos) {
        imagenes << QFileInfo(d.imagen).fileName();
        perfiles << d.perfil;
    }
    QCOMPARE(imagenes, QStringList({"x.tif", "a.jpeg", "b.PNG", "c.tiff"}));
    QCOMPARE(perfiles.at(0), salida + "/x.icc");
    QCOMPARE(perfiles.at(2), salida + "/b.icc");
    QVERIFY(!QFileInfo::exists(salida)); // reading writes nothing

    QCOMPARE(LeerPeticionCreacion({"--image", dir_.filePath("batch/sub"), "--image",
                                   dir_.filePath("a.tif"), "--chart", "ColorChecker.cht",
                                   "--output", dir_.filePath("x.icc")},
                                  *catalogo_)
                 .error,
             QStringLiteral("--output names one profile; use --output-dir for 2 images"));
    QCOMPARE(LeerPeticionCreacion({"--image", dir_.filePath("out"), "--chart", "ColorChecker.cht",
                                   "--output-dir", salida},
                                  *catalogo_)
                 .error,
             "no chart images (.tif, .tiff, .png, .jpg, .jpeg) in folder: " + dir_.filePath("out"));
    QCOMPARE(LeerPeticionCreacion({"--image", dir_.filePath("a.tif"), "--chart", "ColorChecker.cht",
                                   "--output-dir", dir_.filePath("a.tif")},
                                  *catalogo_)
                 .error,
             "--output-dir is not a folder: " + dir_.filePath("a.tif"));
}

void TestCliRequest::batchNamesMustNotClash() {
    // a.tif given twice, or a.tif beside batch/a.jpeg: both would write a.icc.
    for (const QStringList& imagenes :
         {QStringList{dir_.filePath("a.tif"), dir_.filePath("a.tif")},
          QStringList{dir_.filePath("batch"), dir_.filePath("a.tif")},
          QStringList{dir_.filePath("batch"), dir_.filePath("batch2")}}) {
        QStringList args;
        for (const QString& imagen : imagenes)
            args << "--image" << imagen;
        args << "--chart"
             << "ColorChecker.cht"
             << "--output-dir" << dir_.filePath("p");
        const QString error = LeerPeticionCreacion(args, *catalogo_).error;
        QVERIFY2(error.startsWith("two images would write the same profile " + dir_.filePath("p/")),
                 qPrintable(error));
    }
}

void TestCliRequest::inputsForTheRun() {
    const LecturaCreacion l =
        Leer({"--fiducials", "1,2,3,4,5,6,7,8", "--copyright", "c", "--gamma", "1.0"});
    QVERIFY2(l.error.isEmpty(), qPrintable(l.error));
    const AppFolders carpetas = AppFolders::forProgram(QCoreApplication::applicationDirPath());
    const EntradaCreacion in = EntradaDeDestino(l.peticion, l.peticion.destinos.first(), *catalogo_,
                                                carpetas, dir_.filePath("run-1"));
    QCOMPARE(in.imagen, dir_.filePath("a.tif"));
    QCOMPARE(in.destino, dir_.filePath("out/a.icc"));
    QCOMPARE(in.tipoReferencia, EntradaCreacion::Generica);
    QCOMPARE(in.referenciaGenerica, catalogo_->CarpetaRef() + "ColorChecker.cie");
    QCOMPARE(in.carta, catalogo_->CarpetaRef() + "ColorChecker.cht");
    QCOMPARE(in.ficheroCarta, QStringLiteral("ColorChecker.cht"));
    QCOMPARE(in.gamma, QStringLiteral("1"));
    // The given corners are the stored grid for this chart and image, so they are used.
    QVERIFY(CuadriculaManualAplicable(in));
    QCOMPARE(ArgumentoCuadriculaManual(in),
             QStringList({"-p", "-F", "1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00"}));
    QCOMPARE(in.descripcion, QStringLiteral("a")); // the profile's name
    QCOMPARE(in.copyright, QStringLiteral("c"));
    QCOMPARE(in.carpetaTmp, dir_.filePath("run-1"));
    QCOMPARE(in.colprof, carpetas.toolPath("colprof"));

    // The window's input check passes on these inputs when the tools are there.
    const ValidacionPerfil check = ValidarDatosPerfil(in);
    if (!in.scanin.isEmpty() && !in.colprof.isEmpty()) {
        QVERIFY2(check.ok, qPrintable(check.faltas));
        QCOMPARE(check.referencia, in.referenciaGenerica);
    }

    const LecturaCreacion propia = Leer({"--reference", dir_.filePath("ref.cie")});
    const EntradaCreacion conPropia = EntradaDeDestino(
        propia.peticion, propia.peticion.destinos.first(), *catalogo_, carpetas, QString());
    QCOMPARE(conPropia.tipoReferencia, EntradaCreacion::Personalizada);
    QCOMPARE(conPropia.referenciaPersonalizada, dir_.filePath("ref.cie"));
    QVERIFY(!CuadriculaManualAplicable(conPropia));
}

QTEST_GUILESS_MAIN(TestCliRequest)
#include "tst_clirequest.moc"
