#include "charts/chartcatalog.h"
#include "cli/createinput.h"
#include "cli/createrequest.h"
#include "profile/createvalidation.h"
#include "shell/appfolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The create command's arguments read into the run's inputs. The files are only named, never
// read, so empty stand-ins serve; the charts are the installed ArgyllCMS ones.
class TestCliRequest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultsAndEveryOption();
    void chartNamesAndReferences();
    void wrongValues_data();
    void wrongValues();
    void batchFromFilesAndFolders();
    void inputsForTheRun();

private:
    LecturaCreacion Leer(const QStringList& extra, const QString& chart = "ColorChecker.cht") {
        QStringList args{"--image", dir_.filePath("a.tif"), "--chart", chart};
        if (!extra.contains("--output") && !extra.contains("--output-dir"))
            args << "--output" << dir_.filePath("out/a.icc");
        return LeerPeticionCreacion(args + extra, *catalogo_);
    }
    QStringList Imagenes(const QStringList& imagenes) {
        QStringList args;
        for (const QString& imagen : imagenes)
            args << "--image" << dir_.filePath(imagen);
        return args << "--chart"
                    << "ColorChecker.cht"
                    << "--output-dir" << dir_.filePath("p");
    }

    QTemporaryDir dir_;
    std::unique_ptr<ChartCatalog> catalogo_;
};

void TestCliRequest::initTestCase() {
    for (const char* f : {"a.tif", "x.tif", "ref.cie", "out/", "batch/b.PNG", "batch/a.jpeg",
                          "batch/c.tiff", "batch/notes.txt", "batch/sub/d.tif", "batch2/b.tif"}) {
        const QString path = dir_.filePath(QString::fromLatin1(f));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(path.endsWith('/') || file.open(QIODevice::WriteOnly));
    }
    const AppFolders carpetas = AppFolders::forProgram(QCoreApplication::applicationDirPath());
    catalogo_ = std::make_unique<ChartCatalog>(carpetas.argyllRef, carpetas.argyllDoc);
    if (catalogo_->IndiceCarta("ColorChecker.cht") < 0)
        QSKIP("the ArgyllCMS chart definitions are not installed");
}

void TestCliRequest::defaultsAndEveryOption() {
    const LecturaCreacion l = Leer({});
    QVERIFY2(l.error.isEmpty(), qPrintable(l.error));
    const PeticionCreacion& p = l.peticion;
    QCOMPARE(p.destinos.size(), 1);
    QCOMPARE(p.destinos.first().perfil, dir_.filePath("out/a.icc"));
    QVERIFY(!p.Lote());
    // The main window's start: its list selections and its profile texts.
    QCOMPARE(QStringList({p.gamma, p.puntoBlanco, p.sombras}), QStringList({"2.2", "1.0", "1.0"}));
    QCOMPARE(QList<int>({p.algoritmo, p.calidad, p.intento, p.trabajos}), QList<int>({2, 2, 0, 1}));
    QCOMPARE(QStringList({p.fabricante, p.modelo, p.copyright}),
             QStringList({"Dispositivo", "Modelo", ""}));
    QVERIFY(!p.perspectiva && !p.guardarTi3 && !p.guardarDiag && !p.conservarTrabajo);
    QVERIFY(!p.json && !p.silencio && !p.conDescripcion && p.fiduciales.isEmpty());

    const LecturaCreacion t = Leer({"--gamma",
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
    QVERIFY2(t.error.isEmpty(), qPrintable(t.error));
    const PeticionCreacion& q = t.peticion;
    QCOMPARE(QStringList({q.gamma, q.puntoBlanco, q.sombras}), QStringList({"1.8", "1.3", "2"}));
    QCOMPARE(q.fiduciales, QStringLiteral("10.00,20.50,1000.00,20.00,1000.13,700.00,10.00,700.00"));
    QCOMPARE(QList<int>({q.algoritmo, q.calidad, q.intento}), QList<int>({0, 3, 1}));
    QCOMPARE(QStringList({q.fabricante, q.modelo, q.descripcion, q.copyright}),
             QStringList({"Acme \"X\"", "-M9", "", "(c) me"}));
    QVERIFY(q.perspectiva && q.conDescripcion && q.guardarTi3 && q.guardarDiag);
    QVERIFY(q.conservarTrabajo && q.json && q.silencio);
    QCOMPARE(q.referenciaDada, dir_.filePath("ref.cie"));
    QVERIFY(LeerPeticionCreacion({"--help"}, *catalogo_).peticion.ayuda);
}

void TestCliRequest::chartNamesAndReferences() {
    for (const char* nombre : {"ColorChecker.cht", "colorchecker", " COLORCHECKER.CHT "}) {
        const LecturaCreacion l = Leer({}, QString::fromLatin1(nombre));
        QVERIFY2(l.error.isEmpty(), qPrintable(l.error));
        QCOMPARE(l.peticion.carta, catalogo_->IndiceCarta("ColorChecker.cht"));
        QCOMPARE(LineaLogReferencia(l.peticion), "Referencia genérica asociada a la carta: " +
                                                     catalogo_->CarpetaRef() + "ColorChecker.cie");
    }
    if (catalogo_->IndiceCarta("it8.cht") >= 0 &&
        catalogo_->BuscarReferenciaPropia("it8.cht").isEmpty()) {
        QCOMPARE(Leer({}, "it8.cht").error, QStringLiteral("chart 'it8.cht' has no generic or "
                                                           "own reference; give --reference FILE"));
        const LecturaCreacion dada = Leer({"--reference", dir_.filePath("ref.cie")}, "it8.cht");
        QCOMPARE(LineaLogReferencia(dada.peticion), "Referencia: " + dir_.filePath("ref.cie"));
    }
}

void TestCliRequest::wrongValues_data() {
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("error");
    const QString fiducials = "--fiducials needs eight pixel positions X1,Y1,X2,Y2,X3,Y3,X4,Y4 "
                              "(top left, top right, bottom right, bottom left), none negative";
    QTest::newRow("gamma 0") << QStringList{"--gamma", "0"}
                             << "--gamma must be a number above 0 and at most 10, not '0'";
    QTest::newRow("gamma text") << QStringList{"--gamma", "2.2x"}
                                << "--gamma must be a number above 0 and at most 10, not '2.2x'";
    QTest::newRow("white point") << QStringList{"--white-point", "1.6"}
                                 << "--white-point must be a number from 0.5 to 1.5, not '1.6'";
    QTest::newRow("shadows") << QStringList{"--shadows", "0.9"}
                             << "--shadows must be a number from 1 to 3, not '0.9'";
    QTest::newRow("jobs") << QStringList{"--jobs", "33"}
                          << "--jobs must be a whole number from 1 to 32, not '33'";
    QTest::newRow("quality") << QStringList{"--quality", "best"}
                             << "--quality must be one of low (0), medium (1), high (2), "
                                "ultra (3), not 'best'";
    QTest::newRow("algorithm") << QStringList{"--algorithm", "8"}
                               << "--algorithm must be one of lab-clut (0), xyz-clut (1), "
                                  "gamma-matrix (2), curves-matrix (3), xyz-clut-matrix (4), "
                                  "matrix (5), single-gamma-matrix (6), single-curve-matrix (7), "
                                  "not '8'";
    QTest::newRow("seven corners")
        << QStringList{"--fiducials", "1,2,3,4,5,6,7"} << fiducials + ", not '1,2,3,4,5,6,7'";
    QTest::newRow("negative corner")
        << QStringList{"--fiducials", "1,2,3,4,5,6,7,-8"} << fiducials + ", not '1,2,3,4,5,6,7,-8'";
    QTest::newRow("reference") << QStringList{"--reference", "/nonexistent/r.cie"}
                               << "--reference file not found: /nonexistent/r.cie";
    QTest::newRow("output suffix") << QStringList{"--output", "/tmp/p.txt"}
                                   << "--output must name an .icc or .icm file: /tmp/p.txt";
    QTest::newRow("output folder") << QStringList{"--output", "/nonexistent/dir/p.icc"}
                                   << "folder of --output not found: /nonexistent/dir";
    QTest::newRow("both outputs") << QStringList{"--output", "/tmp/p.icc", "--output-dir", "/tmp"}
                                  << "give --output or --output-dir, not both";
    QTest::newRow("unknown option")
        << QStringList{"--colour", "red"} << "unknown option '--colour'";
}

void TestCliRequest::wrongValues() {
    QFETCH(QStringList, extra);
    QFETCH(QString, error);
    QCOMPARE(Leer(extra).error, error);
    QCOMPARE(Leer({}, "Nope.cht").error, "chart 'Nope.cht' is not in the catalogue (see 'charts')");
}

void TestCliRequest::batchFromFilesAndFolders() {
    const LecturaCreacion l = LeerPeticionCreacion(Imagenes({"x.tif", "batch"}), *catalogo_);
    QVERIFY2(l.error.isEmpty(), qPrintable(l.error));
    QVERIFY(l.peticion.Lote());
    // Files as given, then the folder's images by name (any letter case, no sub-folders).
    QStringList perfiles;
    for (const DestinoPerfil& d : l.peticion.destinos)
        perfiles << QFileInfo(d.imagen).fileName() + " " + d.perfil.mid(dir_.path().size());
    QCOMPARE(perfiles, QStringList({"x.tif /p/x.icc", "a.jpeg /p/a.icc", "b.PNG /p/b.icc",
                                    "c.tiff /p/c.icc"}));
    QVERIFY(!QFileInfo::exists(dir_.filePath("p"))); // reading writes nothing

    // Two images that would write the same profile.
    for (const QStringList& imagenes :
         {QStringList{"a.tif", "a.tif"}, {"batch", "a.tif"}, {"batch", "batch2"}}) {
        const QString error = LeerPeticionCreacion(Imagenes(imagenes), *catalogo_).error;
        QVERIFY2(error.startsWith("two images would write the same profile " + dir_.filePath("p/")),
                 qPrintable(error));
    }
    QCOMPARE(LeerPeticionCreacion(Imagenes({"out"}), *catalogo_).error,
             "no chart images (.tif, .tiff, .png, .jpg, .jpeg) in folder: " + dir_.filePath("out"));
    QCOMPARE(Leer({"--image", dir_.filePath("x.tif")}).error,
             QStringLiteral("--output names one profile; use --output-dir for 2 images"));
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
    QCOMPARE(in.gamma, QStringLiteral("1"));
    QCOMPARE(in.descripcion, QStringLiteral("a")); // the profile's name
    QCOMPARE(in.carpetaTmp, dir_.filePath("run-1"));
    // The given corners are a stored grid for this chart and image, so the run uses them.
    QCOMPARE(ArgumentoCuadriculaManual(in),
             QStringList({"-p", "-F", "1.00,2.00,3.00,4.00,5.00,6.00,7.00,8.00"}));
    const ValidacionPerfil check = ValidarDatosPerfil(in);
    if (!in.scanin.isEmpty() && !in.colprof.isEmpty())
        QCOMPARE(check.referencia, in.referenciaGenerica);

    const LecturaCreacion dada = Leer({"--reference", dir_.filePath("ref.cie")});
    const EntradaCreacion conDada = EntradaDeDestino(dada.peticion, dada.peticion.destinos.first(),
                                                     *catalogo_, carpetas, QString());
    QCOMPARE(conDada.tipoReferencia, EntradaCreacion::Personalizada);
    QCOMPARE(conDada.referenciaPersonalizada, dir_.filePath("ref.cie"));
    QVERIFY(!CuadriculaManualAplicable(conDada));
}

QTEST_GUILESS_MAIN(TestCliRequest)
#include "tst_clirequest.moc"
