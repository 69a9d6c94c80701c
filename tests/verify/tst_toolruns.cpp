#include "portablefolders.h"
#include "profcheckoracle.h"
#include "profiledata.h"
#include "recordinglog.h"
#include "shell/appfolders.h"
#include "shell/paths.h"
#include "verify/colverifyrun.h"
#include "verify/profcheckreport.h"
#include "verify/profcheckrun.h"
#include "verify/toolcommand.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(OpcionesProfcheck)

// Option texts and real profcheck / colverify runs in a folder whose name holds blanks.
class TestToolRuns : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void profcheckOptions();
    void colverifyOptions();
    void folderOfFile();
    void profcheckMissingInputs();
    void profcheckRealRun_data();
    void profcheckRealRun();
    void toolThatCannotStart();
    void colverifyMissingInputs();
    void colverifyRealRun();

private:
    QString Data(const QString& name) const { return work_ + "/" + name; }

    QTemporaryDir dir_;
    QString work_;
    QString program_;
};

void TestToolRuns::initTestCase() {
    QVERIFY(dir_.isValid());
    program_ = dir_.filePath("program");
    QVERIFY(QDir().mkpath(program_));
    EstablecerCarpetas(PortableFolders(program_));
    work_ = dir_.filePath("run folder with blanks");
    QVERIFY(QDir().mkpath(work_));
    QVERIFY(PrepararPerfil(work_, "colorchecker"));
}

void TestToolRuns::profcheckOptions() {
    OpcionesProfcheck op;
    QCOMPARE(ArgumentosProfcheck(op), (QStringList{"-v2", "-Ia"}));
    op.ordenar = true;
    op.poda = "2,5";
    QCOMPARE(ArgumentosProfcheck(op), (QStringList{"-v2", "-s", "-Ia", "-P", "2.5"}));
    op = OpcionesProfcheck{false, false, 1, " 1,5 "};
    QCOMPARE(ArgumentosProfcheck(op), (QStringList{"-v", "-Ir", "-P", "1.5"}));
    op.poda = "   ";
    QCOMPARE(ArgumentosProfcheck(op), (QStringList{"-v", "-Ir"}));
    op.intento = 7;
    QCOMPARE(ArgumentosProfcheck(op).last(), QString("-Ia"));

    const CommandLine line = ComandoProfcheck(
        "/opt/a b/profcheck", OpcionesProfcheck{true, true, 0, "2,5"}, "/d/x y.ti3", "/d/x y.icc");
    QCOMPARE(line.display,
             QString("\"/opt/a b/profcheck\" -v2 -s -Ia -P 2.5 \"/d/x y.ti3\" \"/d/x y.icc\""));
    QCOMPARE(line.program, QString("/opt/a b/profcheck"));
    QCOMPARE(line.arguments.mid(line.arguments.size() - 2),
             (QStringList{"/d/x y.ti3", "/d/x y.icc"}));
}

void TestToolRuns::colverifyOptions() {
    OpcionesColVerify op;
    QCOMPARE(ArgumentosColVerify(op), QStringList{"-v"});
    op.detalle = op.porPosicion = op.de2000 = true;
    op.normalizar = 2;
    op.x3dom = 1;
    QCOMPARE(ArgumentosColVerify(op), (QStringList{"-v", "2", "-l", "-k", "-N", "-w"}));
    OpcionesColVerify all{true, true, true, true, true, true, 4, 3, true};
    QCOMPARE(ArgumentosColVerify(all),
             (QStringList{"-v", "2", "-l", "-k", "-h", "-s", "-D", "-M", "-d", "-x"}));
    OpcionesColVerify axes;
    axes.ejes = true;
    QCOMPARE(ArgumentosColVerify(axes), (QStringList{"-v", "-x"}));
    for (int i = 1; i <= 4; ++i) {
        OpcionesColVerify n;
        n.normalizar = i;
        QCOMPARE(ArgumentosColVerify(n).last(), (QStringList{"-n", "-N", "-m", "-M"}[i - 1]));
    }
    OpcionesColVerify outside;
    outside.normalizar = 5;
    outside.x3dom = -1;
    QCOMPARE(ArgumentosColVerify(outside), QStringList{"-v"});

    const CommandLine line =
        ComandoColVerify("/usr/bin/colverify", OpcionesColVerify{}, "/r/ref a.ti3", "/m/med b.ti3");
    QCOMPARE(line.display, QString("\"/usr/bin/colverify\" -v \"/r/ref a.ti3\" \"/m/med b.ti3\""));
}

void TestToolRuns::folderOfFile() {
    QCOMPARE(CarpetaDeFichero("/a/b c/d.icc", "/prog"), QString("/a/b c"));
    QCOMPARE(CarpetaDeFichero("d.icc", "/prog"), QString("/prog"));
    QCOMPARE(CarpetaDeFichero("/d.icc", "/prog"), QString("/"));
    QVERIFY(ExisteFichero(Data("colorchecker.ti3")));
    QVERIFY(!ExisteFichero(work_));
    QVERIFY(!ExisteFichero(""));
}

void TestToolRuns::profcheckMissingInputs() {
    const QString ti3 = Data("colorchecker.ti3");
    const QString icc = Data("colorchecker.icc");
    const QList<QPair<QStringList, QString>> cases{
        {{"", ""}, "Falta fichero TI3."},
        {{ti3, ""}, "Falta perfil ICC/ICM."},
        {{Data("none.ti3"), icc}, "No existe TI3: " + Data("none.ti3")},
        {{ti3, Data("none.icc")}, "No existe perfil: " + Data("none.icc")},
        {{ti3, work_}, "No existe perfil: " + work_},
    };
    for (const auto& [paths, line] : cases) {
        RecordingLog log;
        const ResultadoProfcheck r = VerificarPerfil(paths[0], paths[1], {}, log);
        QVERIFY(!r.ejecutado);
        QCOMPARE(log.lines, QStringList{line});
    }
}

void TestToolRuns::profcheckRealRun_data() {
    QTest::addColumn<OpcionesProfcheck>("options");
    QTest::addColumn<QString>("shown");
    QTest::newRow("-v2 -s -Ir") << OpcionesProfcheck{true, true, 1, ""} << "-v2 -s -Ir";
    QTest::newRow("-v2 -Ia") << OpcionesProfcheck{true, false, 0, ""} << "-v2 -Ia";
    QTest::newRow("-v -Ir") << OpcionesProfcheck{false, false, 1, ""} << "-v -Ir";
    QTest::newRow("-v -s -Ia") << OpcionesProfcheck{false, true, 0, ""} << "-v -s -Ia";
}

void TestToolRuns::profcheckRealRun() {
    // The live output read by both readers, checked against the independent reading.
    QFETCH(OpcionesProfcheck, options);
    QFETCH(QString, shown);
    RecordingLog log;
    const QString ti3 = Data("colorchecker.ti3");
    const QString icc = Data("colorchecker.icc");
    const ResultadoProfcheck r = VerificarPerfil(ti3, icc, options, log);
    QVERIFY(r.ejecutado);
    QCOMPARE(r.rc, 0);
    const OracleReport oracle = LeerConOraculo(r.salida);
    QCOMPARE(oracle.count, QString("24"));
    QCOMPARE(r.resumen, ResumenEsperado(oracle));
    QList<ErrorParche> patches;
    QCOMPARE(LeerDetalleProfcheck(r.salida, patches), options.detalle);
    QCOMPARE(patches.size(), options.detalle ? 24 : 0);
    QCOMPARE(patches.size(), oracle.patches.size());
    for (qsizetype i = 0; i < patches.size(); ++i) {
        QCOMPARE(patches[i].id, oracle.patches[i].id);
        QCOMPARE(patches[i].de, oracle.patches[i].de);
        QVERIFY(qAbs(patches[i].dh - oracle.patches[i].dh) < 1e-9);
        if (options.ordenar && i > 0)
            QVERIFY(patches[i - 1].de >= patches[i].de);
    }
    const QStringList expected{"profcheck: " + Entrecomillar(Carpetas().toolPath("profcheck")) +
                                   " " + shown + " " + Entrecomillar(ti3) + " " +
                                   Entrecomillar(icc),
                               r.resumen, r.salida, "profcheck rc=0"};
    QCOMPARE(log.lines, expected);
}

void TestToolRuns::toolThatCannotStart() {
    // A local tool folder whose profcheck is no program: the run fails with -1 and the reason.
    const QString bin = program_ + "/Argyll/bin";
    QVERIFY(QDir().mkpath(bin));
    QFile fake(bin + "/profcheck");
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("not a program");
    fake.close();
    fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    EstablecerCarpetas(PortableFolders(program_));
    RecordingLog log;
    const ResultadoProfcheck r =
        VerificarPerfil(Data("colorchecker.ti3"), Data("colorchecker.icc"), {}, log);
    QDir(program_ + "/Argyll").removeRecursively();
    EstablecerCarpetas(PortableFolders(program_));
    QCOMPARE(r.rc, -1);
    QCOMPARE(r.salida, bin + "/profcheck: Error - no se pudo iniciar: execvp: Permission denied\n");
    QCOMPARE(log.lines.size(), 3);
    QVERIFY(log.lines[0].startsWith("profcheck: \"" + bin + "/profcheck\" -v2 -Ia "));
    QCOMPARE(log.lines[1], r.salida);
    QCOMPARE(log.lines[2], QString("profcheck rc=-1"));
}

void TestToolRuns::colverifyMissingInputs() {
    const QString ref = Data("colorchecker.ti3");
    const QList<QPair<QStringList, QString>> cases{
        {{"", ref}, "Falta TI3 de referencia."},
        {{ref, ""}, "Falta TI3 medido."},
        {{Data("no.ti3"), ref}, "No existe TI3 de referencia: " + Data("no.ti3")},
        {{ref, Data("no.ti3")}, "No existe TI3 medido: " + Data("no.ti3")},
    };
    for (const auto& [paths, line] : cases) {
        RecordingLog log;
        QVERIFY(!CompararMediciones(paths[0], paths[1], {}, log).ejecutado);
        QCOMPARE(log.lines, QStringList{line});
    }
}

void TestToolRuns::colverifyRealRun() {
    // A copy of the reference under a name with blanks: same patches, zero errors.
    const QString ref = Data("colorchecker.ti3");
    const QString measured = work_ + "/measured copy.ti3";
    QFile::remove(measured);
    QVERIFY(QFile::copy(ref, measured));
    RecordingLog log;
    OpcionesColVerify op;
    op.detalle = true;
    op.x3dom = 1;
    const ResultadoColVerify r = CompararMediciones(ref, measured, op, log);
    QCOMPARE(r.rc, 0);
    QVERIFY2(r.salida.contains("No of test patches = 24"), qPrintable(r.salida));
    QVERIFY(r.salida.contains("Total errors"));
    QCOMPARE(log.lines.size(), 4);
    QCOMPARE(log.lines[0], "colverify: " + Entrecomillar(Carpetas().toolPath("colverify")) +
                               " -v 2 -w " + Entrecomillar(ref) + " " + Entrecomillar(measured));
    QCOMPARE(log.lines[1], r.salida);
    QCOMPARE(log.lines[2], QString("colverify rc=0"));
    QCOMPARE(log.lines[3], QString("Si se creó X3DOM, estará junto al TI3 medido."));
    QVERIFY(QFile::exists(work_ + "/measured copy.x3d.html"));
}

QTEST_GUILESS_MAIN(TestToolRuns)
#include "tst_toolruns.moc"
