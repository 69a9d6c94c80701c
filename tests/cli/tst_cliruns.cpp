#include "chartcapture.h"
#include "cliprocess.h"
#include "profile/destinationcheck.h"
#include "profile/readplausibility.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QByteArray Contenido(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What is left in the program's TMPDIR (its own temporary folders).
QStringList Restos(const QString& tmp) {
    return QDir(tmp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

// A run's check object: numbers where profcheck gave them.
void ComprobarVerificacion(const QJsonObject& check, int parches) {
    QCOMPARE(check.value("patches").toInt(), parches);
    for (const char* key : {"max", "avg", "rms"})
        QVERIFY2(check.value(key).isDouble(), key);
    QVERIFY(check.value("avg").toDouble() <= check.value("max").toDouble());
    QVERIFY(check.value("avg").toDouble() > 0);
    QVERIFY(check.value("worst").isString());
    QVERIFY(check.value("summary").toString().startsWith("profcheck summary: "));
}

} // namespace

// The command line with the real ArgyllCMS tools on rendered captures of the ColorChecker.
class TestCliRuns : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void singleProfileWithJson();
    void verifyAndCompareTheResult();
    void batchWithFailingImages();
    void batchSummaryInText();
    void failedRunKeepsTheOldProfile();
    void misreadIsReported();
    void stopOnSignal_data();
    void stopOnSignal();
    void closedLogPipeAndTimeLimit();
    void fullDiskKeepsEveryFile_data();
    void fullDiskKeepsEveryFile();

private:
    QString Ruta(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    QString tmp_; // the program's TMPDIR
    QString fiduciales_;
    QString desplazadas_; // the fiducials one patch along
    QString perfil_;      // written by singleProfileWithJson
    QString ti3_;
};

void TestCliRuns::initTestCase() {
    QVERIFY(dir_.isValid());
    tmp_ = Ruta("tmp");
    QVERIFY(QDir().mkpath(tmp_));
    QVERIFY(QDir().mkpath(Ruta("out")));
    QString error;
    chartrender::RenderInfo info;
    QVERIFY2(chartrender::renderChart(chartCaptureOptions("ColorChecker"), Ruta("cc.tif"), &error,
                                      &info),
             qPrintable(error));
    fiduciales_ = info.fiducialArgument();
    const QPointF patch = (info.fiducials[1] - info.fiducials[0]) / 6;
    for (QPointF& p : info.fiducials)
        p += patch;
    desplazadas_ = info.fiducialArgument();
    chartrender::RenderOptions png = chartCaptureOptions("ColorChecker", 1200);
    png.seed = 7;
    QVERIFY2(chartrender::renderChart(png, Ruta("cc2.png"), &error), qPrintable(error));
    // Two images that cannot give a profile: a file that is no image, and a plain grey card.
    QFile broken(Ruta("broken.png"));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not an image\n") > 0);
    broken.close();
    QImage grey(900, 600, QImage::Format_RGB32);
    grey.fill(QColor(128, 128, 128));
    QVERIFY(grey.save(Ruta("blank.png")));
}

void TestCliRuns::singleProfileWithJson() {
    const QString programa = QFileInfo(QStringLiteral(NC_CLI_PROGRAM)).absolutePath();
    const bool iniAntes = QFileInfo::exists(programa + "/nerva_chromaflux.ini");
    perfil_ = Ruta("out/cam.icc");
    const SalidaPrograma s = EjecutarCli(
        {"create",           "--image",     Ruta("cc.tif"), "--chart",    "ColorChecker.cht",
         "--output",         perfil_,       "--json",       "--save-ti3", "--save-diag",
         "--fiducials",      fiduciales_,   "--device",     "Acme",       "--description",
         "Cámara de prueba", "--algorithm", "matrix",       "--quality",  "low"},
        tmp_);
    QVERIFY2(s.rc == 0, qPrintable(s.err));
    QCOMPARE(s.out.count('\n'), 1);
    const QJsonObject o = s.json().object();
    QCOMPARE(o.keys(), QStringList({"check", "colprof_rc", "diagnostic", "error", "profcheck_rc",
                                    "profile", "read", "scanin_rc", "ti3", "warnings"}));
    QVERIFY(o.value("error").isNull());
    QCOMPARE(o.value("read").toObject().value("method").toString(), "manual");
    QVERIFY(o.value("read").toObject().value("plausible").toBool());
    QCOMPARE(o.value("profile").toString(), perfil_);
    ti3_ = o.value("ti3").toString();
    QCOMPARE(ti3_, Ruta("out/cam.ti3"));
    QCOMPARE(o.value("diagnostic").toString(), Ruta("out/cam_scanin_diag.tif"));
    for (const char* file : {"profile", "ti3", "diagnostic"})
        QVERIFY2(QFileInfo(o.value(file).toString()).size() > 0, file);
    for (const char* rc : {"scanin_rc", "colprof_rc", "profcheck_rc"}) {
        QVERIFY2(o.value(rc).isDouble(), rc);
        QCOMPARE(o.value(rc).toInt(), 0);
    }
    const QJsonObject check = o.value("check").toObject();
    ComprobarVerificacion(check, 24);
    QVERIFY(check.value("avg2000").toDouble() > 0);
    QVERIFY(check.value("avg2000").toDouble() <= check.value("max2000").toDouble());

    // The log is the activity log's: the corners given, the texts and options typed.
    QVERIFY(s.err.contains("Generic reference that goes with the chart: "));
    QVERIFY(
        s.err.contains("Applying the manual grid adjustment to the profile: -F " + fiduciales_));
    QVERIFY(s.err.contains(" -F " + fiduciales_ + " -dion "));
    QVERIFY(s.err.contains("-A\"Acme\" -M\"Model\" -D\"Cámara de prueba\" -C\"\" -ql -am "));
    QVERIFY(s.err.contains("Profile saved: " + perfil_ + "\n"));
    QVERIFY(s.err.contains("profcheck rc=0\n"));
    QVERIFY(s.err.contains("Carpeta temporal borrada: "));
    // Nothing left behind, and no settings file.
    QCOMPARE(Restos(tmp_), QStringList());
    QCOMPARE(QFileInfo::exists(programa + "/nerva_chromaflux.ini"), iniAntes);
}

void TestCliRuns::verifyAndCompareTheResult() {
    if (perfil_.isEmpty() || !QFileInfo::exists(ti3_))
        QSKIP("needs the profile of singleProfileWithJson");
    const SalidaPrograma v =
        EjecutarCli({"verify", "--ti3", ti3_, "--profile", perfil_, "--json", "--quiet"}, tmp_);
    QVERIFY2(v.rc == 0, qPrintable(v.err));
    QVERIFY(v.err.isEmpty());
    const QJsonObject o = v.json().object();
    QCOMPARE(o.value("profcheck_rc").toInt(), 0);
    ComprobarVerificacion(o.value("check").toObject(), 24);
    const QJsonArray errores = o.value("errors").toArray();
    QCOMPARE(errores.size(), 24);
    double peor = 0;
    for (const QJsonValue& e : errores) {
        for (const char* key : {"de", "dl", "dc", "dh"})
            QVERIFY2(e.toObject().value(key).toDouble(-1) >= 0, key);
        peor = qMax(peor, e.toObject().value("de").toDouble());
    }
    QCOMPARE(peor, o.value("check").toObject().value("max").toDouble());

    // A file name that is not UTF-8 is taken as the system passes it.
    const QByteArray crudo = QFile::encodeName(dir_.path()) + "/m\xe9s.ti3";
    QVERIFY(::link(QFile::encodeName(ti3_).constData(), crudo.constData()) == 0);
    QProcess sh;
    sh.setWorkingDirectory(dir_.path());
    sh.start("/bin/sh",
             {"-c", "exec \"$0\" verify --ti3 \"$(printf 'm\\351s.ti3')\" --profile \"$1\"",
              NC_CLI_PROGRAM, perfil_});
    QVERIFY(sh.waitForFinished(60000));
    // Qt cannot name the file to remove it with the folder.
    ::unlink(crudo.constData());
    QVERIFY2(sh.exitCode() == 0, sh.readAllStandardError().constData());

    const SalidaPrograma c = EjecutarCli(
        {"compare", "--reference", ti3_, "--measured", ti3_, "--each", "--normalize", "y"});
    QVERIFY2(c.rc == 0, qPrintable(c.err));
    QVERIFY(!c.out.trimmed().isEmpty());
    QVERIFY(c.err.contains(" -v 2 -n \"" + ti3_ + "\""));
    QVERIFY(c.err.contains("colverify rc=0\n"));
}

void TestCliRuns::batchWithFailingImages() {
    const QString salida = Ruta("batch");
    const SalidaPrograma s =
        EjecutarCli({"create", "--image", Ruta("cc.tif"), "--image", Ruta("broken.png"), "--image",
                     Ruta("cc2.png"), "--image", Ruta("blank.png"), "--chart", "ColorChecker.cht",
                     "--output-dir", salida, "--jobs", "2", "--json"},
                    tmp_);
    QCOMPARE(s.rc, 1);
    const QJsonObject lote = s.json().object();
    QCOMPARE(lote.value("written").toInt(), 2);
    QCOMPARE(lote.value("failed").toInt(), 2);
    const QJsonArray perfiles = lote.value("profiles").toArray();
    QCOMPARE(perfiles.size(), 4);
    QStringList imagenes;
    for (const QJsonValue& v : perfiles)
        imagenes << QFileInfo(v.toObject().value("image").toString()).fileName();
    QCOMPARE(imagenes, QStringList({"cc.tif", "broken.png", "cc2.png", "blank.png"}));

    for (int i : {0, 2}) {
        const QJsonObject bien = perfiles.at(i).toObject();
        QVERIFY2(bien.value("error").isNull(), qPrintable(bien.value("error").toString()));
        QCOMPARE(bien.value("profile").toString(),
                 salida + "/" + QFileInfo(imagenes.at(i)).completeBaseName() + ".icc");
        QVERIFY(QFileInfo(bien.value("profile").toString()).size() > 0);
        ComprobarVerificacion(bien.value("check").toObject(), 24);
    }
    const QJsonObject roto = perfiles.at(1).toObject();
    QVERIFY(roto.value("profile").isNull());
    QVERIFY(roto.value("scanin_rc").isNull());
    QVERIFY2(roto.value("error").toString().startsWith("Could not convert to TIFF: "),
             qPrintable(roto.value("error").toString()));
    const QJsonObject gris = perfiles.at(3).toObject();
    QVERIFY(gris.value("profile").isNull());
    QVERIFY(gris.value("scanin_rc").toInt() != 0);
    QVERIFY(gris.value("colprof_rc").isNull());
    QVERIFY(gris.value("check").isNull());
    // The reason names the exit code and scanin's own last words.
    QVERIFY2(QRegularExpression("^scanin rc=\\d+ \\(.+\\)$")
                 .match(gris.value("error").toString())
                 .hasMatch(),
             qPrintable(gris.value("error").toString()));
    QVERIFY(!QFileInfo::exists(salida + "/broken.icc"));
    QVERIFY(!QFileInfo::exists(salida + "/blank.icc"));

    // Every log line after the reference line belongs to one image.
    const QStringList lines = s.err.split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.first().startsWith("Generic reference that goes with the chart: "));
    for (const QString& line : lines.mid(1)) {
        QVERIFY2(QRegularExpression("^\\[(cc\\.tif|broken\\.png|cc2\\.png|blank\\.png)\\] ")
                     .match(line)
                     .hasMatch(),
                 qPrintable(line));
    }
    QVERIFY(s.err.contains("[cc2.png] Profile saved: " + salida + "/cc2.icc\n"));
    QVERIFY(s.err.contains("[blank.png] scanin rc="));
    QCOMPARE(Restos(tmp_), QStringList());
}

void TestCliRuns::batchSummaryInText() {
    // A folder with a capture named as long as a file name may be, and the diagnostic image an
    // earlier batch kept there, which is no capture.
    const QString largo = QString(241, 'x');
    QVERIFY(QDir().mkpath(Ruta("own")));
    QVERIFY(QFile::copy(Ruta("broken.png"), Ruta("own/broken.png")));
    QVERIFY(QFile::copy(Ruta("cc.tif"), Ruta("own/" + largo + ".tif")));
    QVERIFY(QFile::copy(Ruta("cc.tif"), Ruta("own/cc_scanin_diag.tif")));
    const SalidaPrograma s =
        EjecutarCli({"create", "--image", Ruta("own"), "--chart", "colorchecker", "--output-dir",
                     Ruta("batch-text"), "--quiet", "--save-ti3", "--save-diag"},
                    tmp_);
    QCOMPARE(s.rc, 1);
    QVERIFY(s.err.isEmpty());
    const QStringList lines = s.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(0).startsWith("FAILED:  " + Ruta("own/broken.png") + ": Could not convert"));
    QCOMPARE(lines.at(1), "written: " + Ruta("own/" + largo + ".tif") + " -> " +
                              Ruta("batch-text/" + largo + ".icc"));
    QCOMPARE(lines.at(2), QStringLiteral("1 of 2 profiles written; failed: broken.png."));
    QVERIFY(QFileInfo::exists(Ruta("batch-text/" + largo + ".ti3")));
    QVERIFY(QFileInfo::exists(Ruta("batch-text/" + largo.chopped(2) + "_scanin_diag.tif")));
}

void TestCliRuns::failedRunKeepsTheOldProfile() {
    const QString perfil = Ruta("out/old.icc");
    QFile old(perfil);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old profile") > 0);
    old.close();
    const SalidaPrograma s =
        EjecutarCli({"create", "--image", Ruta("blank.png"), "--chart", "ColorChecker.cht",
                     "--output", perfil, "--keep-work", "--json"},
                    tmp_);
    QCOMPARE(s.rc, 1);
    QVERIFY(s.json().object().value("error").toString().startsWith("scanin rc=1 ("));
    QCOMPARE(Contenido(perfil), QByteArray("old profile"));
    // The failed run's work folder is kept, where the log says.
    const QRegularExpressionMatch kept =
        QRegularExpression("Temporary folder kept: (.+)\n").match(s.err);
    QVERIFY2(kept.hasMatch(), qPrintable(s.err));
    QVERIFY(kept.captured(1).startsWith(tmp_ + "/nerva-chromaflux-cli-"));
    QVERIFY(QFileInfo(kept.captured(1)).isDir());
    QVERIFY(QFileInfo::exists(kept.captured(1) + "/chromaflux_scanin_tmp.tif"));
    for (const QString& resto : Restos(tmp_))
        QVERIFY(QDir(tmp_ + "/" + resto).removeRecursively());
}

// Corners one patch along: no turn of them gives a reading that fits the reference. The
// profile is written, and flagged everywhere a script looks.
void TestCliRuns::misreadIsReported() {
    const SalidaPrograma s =
        EjecutarCli({"create", "--image", Ruta("cc.tif"), "--chart", "ColorChecker.cht", "--output",
                     Ruta("out/off.icc"), "--fiducials", desplazadas_, "--json"},
                    tmp_);
    QCOMPARE(s.rc, 3);
    const QJsonObject o = s.json().object();
    QVERIFY(QFileInfo(o.value("profile").toString()).size() > 0);
    const QJsonObject lectura = o.value("read").toObject();
    QCOMPARE(lectura.value("plausible").toBool(true), false);
    QCOMPARE(lectura.value("attempts").toInt(), 4);
    QVERIFY(lectura.value("fit").toDouble() > kMaxPlausibleFitError);
    QStringList codigos;
    for (const QJsonValue& w : o.value("warnings").toArray())
        codigos << w.toObject().value("code").toString();
    QVERIFY2(codigos.contains("misread-suspected"), qPrintable(s.out));
}

namespace {

// The tools of a process (a batch starts them from worker threads).
QList<int> Hijos(qint64 pid) {
    QList<int> hijos;
    for (const QString& tarea : QDir(QString("/proc/%1/task").arg(pid)).entryList(QDir::Dirs)) {
        const QString texto = Contenido(QString("/proc/%1/task/%2/children").arg(pid).arg(tarea));
        for (const QString& hijo : texto.split(' ', Qt::SkipEmptyParts))
            hijos << hijo.toInt();
    }
    return hijos;
}

bool Vivo(int pid) {
    const QByteArray stat = Contenido(QString("/proc/%1/stat").arg(pid));
    return !stat.isEmpty() && !stat.contains(") Z ");
}

} // namespace

void TestCliRuns::stopOnSignal_data() {
    QTest::addColumn<int>("senal");
    QTest::addColumn<int>("rc");
    QTest::newRow("SIGTERM") << int(SIGTERM) << 130;
    QTest::newRow("SIGHUP") << int(SIGHUP) << 130;
    // Killed outright: its tool dies with it, and the next start sweeps its temporary folder.
    QTest::newRow("SIGKILL") << int(SIGKILL) << -1;
}

void TestCliRuns::stopOnSignal() {
    QFETCH(int, senal);
    QFETCH(int, rc);
    // Lab cLUT at medium quality keeps colprof busy for many seconds.
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp_);
    process.setProcessEnvironment(env);
    const QString perfil = Ruta("out/stopped.icc");
    process.start(QStringLiteral(NC_CLI_PROGRAM),
                  {"create", "--image", Ruta("cc.tif"), "--chart", "ColorChecker.cht", "--output",
                   perfil, "--algorithm", "lab-clut", "--quality", "medium"});
    QVERIFY(process.waitForStarted());
    QByteArray err;
    QElapsedTimer clock;
    clock.start();
    while (!err.contains("colprof: ") && clock.elapsed() < 60000) {
        process.waitForReadyRead(200);
        err += process.readAllStandardError();
    }
    QVERIFY2(err.contains("colprof: "), err.constData());
    const QList<int> herramientas = Hijos(process.processId());
    QCOMPARE(herramientas.size(), 1);
    clock.restart();
    ::kill(process.processId(), senal);
    QVERIFY(process.waitForFinished(15000));
    QCOMPARE(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, rc);
    QVERIFY(clock.elapsed() < 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!Vivo(herramientas.first()), 5000);
    QVERIFY(!QFileInfo::exists(perfil));
    if (senal != SIGKILL) {
        err += process.readAllStandardError();
        QVERIFY(err.contains("Profile creation cancelled: no profile was written."));
    } else {
        QCOMPARE(Restos(tmp_).size(), 1);
        QCOMPARE(EjecutarCli({"charts"}, tmp_).rc, 0);
    }
    QCOMPARE(Restos(tmp_), QStringList());
}

// Its log pipe closed from the start, the command goes on; the time limit stops the tool.
void TestCliRuns::closedLogPipeAndTimeLimit() {
    const SalidaPrograma s =
        EjecutarCli({"create", "--image", Ruta("cc.tif"), "--chart", "ColorChecker.cht", "--output",
                     Ruta("out/late.icc"), "--algorithm", "lab-clut", "--quality", "medium",
                     "--timeout", "3", "--json"},
                    tmp_, 600000, [] {
                        int roto[2];
                        if (::pipe(roto) == 0 && ::close(roto[0]) == 0)
                            ::dup2(roto[1], STDERR_FILENO);
                    });
    QCOMPARE(s.rc, 1);
    QCOMPARE(s.json().object().value("error").toString(),
             "colprof rc=-1 (/usr/bin/colprof: Error - detenido al superar el tiempo límite de "
             "3 s)");
    QVERIFY(!QFileInfo::exists(Ruta("out/late.icc")));
    QCOMPARE(Restos(tmp_), QStringList());
}

void TestCliRuns::fullDiskKeepsEveryFile_data() {
    QTest::addColumn<qint64>("libre"); // bytes left on a full disk, or -1 for a size limit
    QTest::addColumn<bool>("perfilNuevo");
    QTest::addColumn<QString>("motivo");
    QTest::newRow("file size limit") << qint64(-1) << false << "Could not convert to TIFF";
    // Refused before any tool runs.
    QTest::newRow("no room for the profile") << qint64(0) << false << "There is not enough room";
    // What the destination check asks for, but not enough for the diagnostic image.
    QTest::newRow("room for the profile only")
        << kEspacioPerfil + QFileInfo(Ruta("cc2.png")).size() + 64 * 1024 << true
        << "No space left on device";
}

// Writes that fail leave every file the user had either old and untouched or new and whole,
// and the command fails with the reason.
void TestCliRuns::fullDiskKeepsEveryFile() {
    QFETCH(qint64, libre);
    QFETCH(bool, perfilNuevo);
    QFETCH(QString, motivo);
    const QString disco = Ruta("disk");
    QVERIFY(QDir().mkpath(disco));
    std::function<void()> limite;
    if (libre < 0) {
        limite = [] {
            const rlimit r{256 * 1024, 256 * 1024};
            ::setrlimit(RLIMIT_FSIZE, &r);
        };
    } else {
        if (::getuid() != 0 ||
            QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=8m", "tmpfs", disco}) != 0)
            QSKIP("needs root to mount a small file system");
    }
    const auto desmontar = qScopeGuard([&] {
        if (libre >= 0)
            QProcess::execute("umount", {disco});
    });
    const QMap<QString, QByteArray> viejos{{"cam.icc", "old profile"},
                                           {"cam.ti3", "old ti3"},
                                           {"cam_scanin_diag.tif", "old diagnostic"}};
    for (auto it = viejos.begin(); it != viejos.end(); ++it) {
        QFile f(disco + "/" + it.key());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(it.value()) == it.value().size());
    }
    if (libre >= 0) {
        struct statvfs fs {};
        QVERIFY(::statvfs(QFile::encodeName(disco).constData(), &fs) == 0);
        QFile relleno(disco + "/filler");
        QVERIFY(relleno.open(QIODevice::WriteOnly));
        QVERIFY(relleno.write(QByteArray(qint64(fs.f_bavail * fs.f_bsize) - libre, 'f')) > 0);
    }
    const SalidaPrograma s =
        EjecutarCli({"create", "--image", Ruta("cc2.png"), "--chart", "ColorChecker.cht",
                     "--output", disco + "/cam.icc", "--save-ti3", "--save-diag", "--algorithm",
                     "matrix", "--quality", "low", "--json"},
                    tmp_, 600000, limite);
    QCOMPARE(s.rc, 1);
    const QString error = s.json().object().value("error").toString();
    QVERIFY2(error.contains(motivo), qPrintable(s.err));
    for (auto it = viejos.begin(); it != viejos.end(); ++it) {
        const QByteArray ahora = Contenido(disco + "/" + it.key());
        const bool nuevo = ahora != it.value();
        QVERIFY2(!nuevo || it.key() != "cam_scanin_diag.tif", qPrintable(it.key()));
        QVERIFY2(!nuevo || ahora.endsWith("END_DATA\n") ||
                     qFromBigEndian<quint32>(ahora.constData()) == quint32(ahora.size()),
                 qPrintable(it.key()));
        if (it.key() == "cam.icc")
            QCOMPARE(nuevo, perfilNuevo);
    }
    QCOMPARE(QDir(disco).entryList(QDir::Files | QDir::Hidden).size(),
             viejos.size() + (libre >= 0));
    QCOMPARE(Restos(tmp_), QStringList());
}

QTEST_GUILESS_MAIN(TestCliRuns)
#include "tst_cliruns.moc"
