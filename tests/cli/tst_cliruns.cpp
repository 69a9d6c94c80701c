#include "chartcapture.h"
#include "cliprocess.h"
#include "profile/destinationcheck.h"
#include "profile/readplausibility.h"

#include <QImage>
#include <QtTest>

#include <csignal>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QByteArray Contenido(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Escribir(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A run's check object: numbers where profcheck gave them.
bool Verificado(const QJsonObject& check) {
    return check.value("patches").toInt() == 24 && check.value("worst").isString() &&
           check.value("avg").toDouble() > 0 && check.value("rms").toDouble() > 0 &&
           check.value("avg").toDouble() <= check.value("max").toDouble() &&
           check.value("summary").toString().startsWith("profcheck summary: 24 patches");
}

// The live tools started by a process (a batch starts them from worker threads).
QList<int> Herramientas(qint64 pid) {
    QList<int> vivas;
    for (const QString& tarea : QDir(QString("/proc/%1/task").arg(pid)).entryList(QDir::Dirs))
        for (const QByteArray& hijo :
             Contenido(QString("/proc/%1/task/%2/children").arg(pid).arg(tarea)).split(' '))
            if (hijo.toInt() > 0 &&
                !Contenido(QString("/proc/%1/stat").arg(hijo.toInt())).contains(") Z "))
                vivas << hijo.toInt();
    return vivas;
}

} // namespace

// The program as scripts call it: arguments it must refuse (one clear message on standard
// error, nothing on standard output, status 2, and nothing written), then the real ArgyllCMS
// tools on rendered captures of the ColorChecker.
class TestCliRuns : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString tmp_;                      // the program's TMPDIR
    QString fiduciales_, desplazadas_; // the true corners, and one patch along

    QString Ruta(const QString& name) const { return dir_.filePath(name); }
    // What is left in the program's TMPDIR (its own temporary folders).
    QStringList Restos() const {
        return QDir(tmp_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
    // create on an image of the work folder with the ColorChecker chart; the other arguments
    // are separated by "|".
    SalidaPrograma Crear(const QString& image, const QString& extra,
                         const std::function<void()>& hijo = {}) {
        return EjecutarCli(
            QStringList{"create", "--image", Ruta(image), "--chart", "ColorChecker.cht"} +
                extra.split('|'),
            hijo);
    }

private slots:
    void initTestCase() {
        tmp_ = Ruta("tmp");
        qputenv("TMPDIR", QFile::encodeName(tmp_));
        qputenv("LANGUAGE", "en"); // the messages in English whatever the machine's locale
        QVERIFY(QDir().mkpath(tmp_) && QDir().mkpath(Ruta("out")));
        QString error;
        chartrender::RenderInfo info;
        QVERIFY2(chartrender::renderChart(chartCaptureOptions("ColorChecker"), Ruta("cc.tif"),
                                          &error, &info),
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
        QVERIFY(Escribir(Ruta("broken.png"), "not an image\n"));
        QImage grey(900, 600, QImage::Format_RGB32);
        grey.fill(QColor(128, 128, 128));
        QVERIFY(grey.save(Ruta("blank.png")));
    }

    void refusedArguments_data() {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("message"); // after the program's name
        const QString create = "create --image {image} --chart ColorChecker.cht ";
        QTest::newRow("unknown option") << create + "--chrat x"
                                        << " create: unknown option '--chrat'";
        QTest::newRow("kept TI3 over the reference")
            << create + "--output {dir}/chart.icc --reference {dir}/chart.ti3 --save-ti3"
            << " create: the output {dir}/chart.ti3 is one of the inputs";
        QTest::newRow("verify missing profile")
            << "verify --ti3 {image} --profile {dir}/none.icc"
            << " verify: --profile file not found: {dir}/none.icc";
        QTest::newRow("compare normalisation")
            << "compare --reference {image} --measured {image} --normalize 5"
            << " compare: --normalize must be one of none (0), y (1), xyz (2), xyzsum (3), "
               "meanxyz (4), not '5'";
        QTest::newRow("unknown command") << "profile"
                                         << ": unknown command 'profile'";
        // --language overrides the locale's language (English here), wherever it stands.
        QTest::newRow("Italian") << "profile --language=it"
                                 << ": comando sconosciuto 'profile'";
        QTest::newRow("unknown language") << "--language de charts"
                                          << ": --language takes es, en, fr or it, not 'de'";
    }

    void refusedArguments() {
        QFETCH(QString, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString image = dir.filePath("chart.tif");
        QVERIFY(Escribir(image, "") && Escribir(dir.filePath("chart.ti3"), ""));
        args.replace("{image}", image).replace("{dir}", dir.path());
        const SalidaPrograma s = EjecutarCli(args.split(' '));
        QVERIFY(s.rc == 2 && s.out.isEmpty());
        QVERIFY2(
            s.err.startsWith("nerva-chromaflux-cli" + message.replace("{dir}", dir.path()) + "\n"),
            qPrintable(s.err));
        QCOMPARE(s.err.count('\n'), 2); // the message and where the help is
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList({"chart.ti3", "chart.tif"}));
    }

    // Help; the catalogue in both forms; output that cannot be written fails.
    void helpAndCharts() {
        const SalidaPrograma ayuda = EjecutarCli({"verify", "--help"});
        QVERIFY(ayuda.rc == 0 && ayuda.out.startsWith("Usage: nerva-chromaflux-cli verify "));
        const QJsonArray cartas = EjecutarCli({"charts", "--json"}).json().array();
        QStringList colorChecker;
        for (const QJsonValue& v : cartas)
            if (v["chart"] == "ColorChecker.cht")
                colorChecker << v["generic_reference"].toString();
        QCOMPARE(colorChecker, QStringList{"ColorChecker.cie"});
        QProcess lleno;
        lleno.setStandardOutputFile("/dev/full");
        lleno.start(NC_CLI_PROGRAM, {"charts"});
        QVERIFY(lleno.waitForFinished() && lleno.exitCode() == 1);
        QVERIFY(lleno.readAllStandardError().contains("cannot write the output: "));
    }

    // One profile with everything kept, then verified and compared by the other commands.
    void profileVerifiedAndCompared() {
        const QString ini = QFileInfo(NC_CLI_PROGRAM).absolutePath() + "/nerva_chromaflux.ini";
        const bool iniAntes = QFileInfo::exists(ini);
        const QString perfil = Ruta("out/cam.icc"), ti3 = Ruta("out/cam.ti3");
        const SalidaPrograma s = Crear(
            "cc.tif",
            "--output|" + perfil + "|--json|--save-ti3|--save-diag|--fiducials|" + fiduciales_ +
                "|--device|Acme|--description|Cámara de prueba|--algorithm|matrix|--quality|low");
        QVERIFY2(s.rc == 0 && s.out.count('\n') == 1, qPrintable(s.err));
        const QJsonObject o = s.json().object();
        QCOMPARE(
            QStringList({o["profile"].toString(), o["ti3"].toString(), o["diagnostic"].toString()}),
            QStringList({perfil, ti3, Ruta("out/cam_scanin_diag.tif")}));
        for (const char* file : {"profile", "ti3", "diagnostic"})
            QVERIFY2(QFileInfo(o[file].toString()).size() > 0, file);
        QCOMPARE(
            QList<QJsonValue>({o["scanin_rc"], o["colprof_rc"], o["profcheck_rc"], o["error"]}),
            QList<QJsonValue>({0, 0, 0, QJsonValue()}));
        QVERIFY(o["read"]["method"] == "manual" && o["read"]["plausible"].toBool());
        QVERIFY(Verificado(o["check"].toObject()) && o["check"]["avg2000"].toDouble() > 0);
        QVERIFY(o["check"]["avg2000"].toDouble() <= o["check"]["max2000"].toDouble());
        // The log is the activity log's: the corners given, the texts and options typed.
        QVERIFY(s.err.contains(" -F " + fiduciales_ + " -dion "));
        QVERIFY(s.err.contains("-A\"Acme\" -M\"Model\" -D\"Cámara de prueba\" -C\"\" -ql -am "));
        QVERIFY(s.err.contains("Profile saved: " + perfil + "\n"));
        // Nothing left behind, and no settings file.
        QVERIFY(Restos().isEmpty() && QFileInfo::exists(ini) == iniAntes);

        const SalidaPrograma v =
            EjecutarCli({"verify", "--ti3", ti3, "--profile", perfil, "--json", "--quiet"});
        QVERIFY2(v.rc == 0 && v.err.isEmpty() && Verificado(v.json()["check"].toObject()),
                 qPrintable(v.out));
        double peor = 0;
        for (const QJsonValue& e : v.json()["errors"].toArray())
            peor = qMax(peor, e["de"].toDouble());
        QCOMPARE(v.json()["errors"].toArray().size(), 24);
        QCOMPARE(peor, v.json()["check"]["max"].toDouble());
        // A file name that is not UTF-8 is taken as the system passes it.
        const QByteArray crudo = QFile::encodeName(dir_.path()) + "/m\xe9s.ti3";
        QVERIFY(::link(QFile::encodeName(ti3).constData(), crudo.constData()) == 0);
        const int rc = QProcess::execute("/bin/sh", {"-c",
                                                     "exec \"$0\" verify --ti3 \"$1/$(printf "
                                                     "'m\\351s.ti3')\" --profile \"$2\" >/dev/null",
                                                     NC_CLI_PROGRAM, dir_.path(), perfil});
        ::unlink(crudo.constData()); // Qt cannot name the file to remove it with the folder
        QCOMPARE(rc, 0);
        const SalidaPrograma c = EjecutarCli(
            {"compare", "--reference", ti3, "--measured", ti3, "--each", "--normalize", "y"});
        QVERIFY2(c.rc == 0 && !c.out.trimmed().isEmpty(), qPrintable(c.err));
        QVERIFY(c.err.contains(" -v 2 -n \"" + ti3 + "\""));
    }

    void batchWithFailingImages() {
        const QString salida = Ruta("batch");
        const SalidaPrograma s =
            Crear("cc.tif", "--image|" + Ruta("broken.png") + "|--image|" + Ruta("cc2.png") +
                                "|--image|" + Ruta("blank.png") + "|--output-dir|" + salida +
                                "|--jobs|2|--json");
        QCOMPARE(s.rc, 1);
        QCOMPARE(QList<int>({s.json()["written"].toInt(), s.json()["failed"].toInt()}),
                 QList<int>({2, 2}));
        const QJsonArray perfiles = s.json()["profiles"].toArray();
        QStringList imagenes;
        for (const QJsonValue& v : perfiles)
            imagenes << QFileInfo(v["image"].toString()).fileName();
        QCOMPARE(imagenes, QStringList({"cc.tif", "broken.png", "cc2.png", "blank.png"}));
        for (int i : {0, 2}) {
            QVERIFY2(perfiles[i]["error"].isNull(), qPrintable(perfiles[i]["error"].toString()));
            QVERIFY(Verificado(perfiles[i]["check"].toObject()));
        }
        QCOMPARE(QDir(salida).entryList(QDir::Files), QStringList({"cc.icc", "cc2.icc"}));
        QVERIFY(perfiles[1]["profile"].isNull() && perfiles[1]["scanin_rc"].isNull());
        QVERIFY(perfiles[1]["error"].toString().startsWith("Could not convert to TIFF: "));
        const QJsonValue gris = perfiles[3];
        QVERIFY(gris["profile"].isNull() && gris["check"].isNull() && gris["colprof_rc"].isNull());
        // The reason names the exit code and scanin's own last words.
        const QString rc = QString("scanin rc=%1 (").arg(gris["scanin_rc"].toInt());
        QVERIFY2(gris["error"].toString().startsWith(rc), qPrintable(gris["error"].toString()));
        // Every log line after the reference line belongs to one image.
        const QStringList lines = s.err.split('\n', Qt::SkipEmptyParts);
        QVERIFY(lines.first().startsWith("Generic reference that goes with the chart: "));
        const QRegularExpression prefijo("^\\[(cc\\.tif|broken\\.png|cc2\\.png|blank\\.png)\\] ");
        QCOMPARE(lines.mid(1).filter(prefijo).size(), lines.size() - 1);
        QCOMPARE(Restos(), QStringList());
    }

    // A failed run keeps the old profile, and its work folder where the log says, when asked.
    void failedRunKeepsTheOldProfile() {
        const QString perfil = Ruta("out/old.icc");
        QVERIFY(Escribir(perfil, "old profile"));
        const SalidaPrograma s = Crear("blank.png", "--output|" + perfil + "|--keep-work|--json");
        QCOMPARE(s.rc, 1);
        QVERIFY(s.json()["error"].toString().startsWith("scanin rc=1 ("));
        QCOMPARE(Contenido(perfil), QByteArray("old profile"));
        const QString kept =
            QRegularExpression("Temporary folder kept: (.+)\n").match(s.err).captured(1);
        QVERIFY2(kept.startsWith(tmp_ + "/nerva-chromaflux-cli-"), qPrintable(s.err));
        QVERIFY(QFileInfo::exists(kept + "/chromaflux_scanin_tmp.tif"));
        for (const QString& resto : Restos())
            QVERIFY(QDir(tmp_ + "/" + resto).removeRecursively());
    }

    // Corners one patch along: no turn of them gives a reading that fits the reference. The
    // profile is written, and flagged everywhere a script looks.
    void misreadIsReported() {
        const SalidaPrograma s = Crear("cc.tif", "--output|" + Ruta("out/off.icc") +
                                                     "|--fiducials|" + desplazadas_ + "|--json");
        QCOMPARE(s.rc, 3);
        QVERIFY(QFileInfo(s.json()["profile"].toString()).size() > 0);
        QCOMPARE(s.json()["read"]["attempts"].toInt(), 4);
        QCOMPARE(s.json()["read"]["plausible"].toBool(true), false);
        QVERIFY(s.json()["read"]["fit"].toDouble() > kMaxPlausibleFitError);
        QVERIFY2(s.out.contains("\"code\":\"misread-suspected\""), qPrintable(s.out));
    }

    // Stopped while colprof runs (Lab cLUT at medium quality takes many seconds): the tool
    // dies with it, no profile is written, and nothing is left; killed outright, the next
    // start sweeps its temporary folder.
    void stopOnSignal() {
        for (const auto& [senal, rc] :
             QList<QPair<int, int>>{{SIGTERM, 130}, {SIGHUP, 130}, {SIGKILL, -1}}) {
            QProcess process;
            process.setReadChannel(QProcess::StandardError);
            process.start(NC_CLI_PROGRAM, {"create", "--image", Ruta("cc.tif"), "--chart",
                                           "ColorChecker.cht", "--output", Ruta("out/stopped.icc"),
                                           "--algorithm", "lab-clut", "--quality", "medium"});
            QByteArray err;
            while (!err.contains("colprof: ") && process.waitForReadyRead(60000))
                err += process.readAllStandardError();
            QVERIFY2(err.contains("colprof: "), err.constData());
            QTRY_COMPARE_WITH_TIMEOUT(Herramientas(process.processId()).size(), 1, 10000);
            const int herramienta = Herramientas(process.processId()).first();
            ::kill(process.processId(), senal);
            QVERIFY(process.waitForFinished(15000));
            QCOMPARE(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, rc);
            QTRY_VERIFY_WITH_TIMEOUT(
                !QFileInfo::exists(QString("/proc/%1").arg(herramienta)) ||
                    Contenido(QString("/proc/%1/stat").arg(herramienta)).contains(") Z "),
                5000);
            QVERIFY(!QFileInfo::exists(Ruta("out/stopped.icc")));
            err += process.readAllStandardError();
            QCOMPARE(err.contains("Profile creation cancelled: no profile was written."),
                     senal != SIGKILL);
            QCOMPARE(Restos().size(), senal == SIGKILL ? 1 : 0);
            QCOMPARE(EjecutarCli({"charts"}).rc, 0);
            QCOMPARE(Restos(), QStringList());
        }
    }

    // Its log pipe closed from the start, the command goes on; the time limit stops the tool.
    void closedLogPipeAndTimeLimit() {
        const SalidaPrograma s =
            Crear("cc.tif",
                  "--output|" + Ruta("out/late.icc") +
                      "|--algorithm|lab-clut|--quality|medium|--timeout|3|--json",
                  [] {
                      int roto[2];
                      if (::pipe(roto) == 0 && ::close(roto[0]) == 0)
                          ::dup2(roto[1], STDERR_FILENO);
                  });
        QCOMPARE(s.rc, 1);
        QCOMPARE(s.json()["error"].toString(), "colprof rc=-1 (/usr/bin/colprof: Error - detenido "
                                               "al superar el tiempo límite de 3 s)");
        QVERIFY(!QFileInfo::exists(Ruta("out/late.icc")) && Restos().isEmpty());
    }

    // Writes that fail on a full disk leave every file the user had either old and untouched
    // or new and whole, and the command fails with the reason: no room for the profile is
    // refused before any tool runs; room for the profile only fails on the diagnostic image.
    void fullDiskKeepsEveryFile_data() {
        QTest::addColumn<qint64>("libre"); // bytes left
        QTest::addColumn<QString>("motivo");
        QTest::newRow("no room") << qint64(0) << "There is not enough room";
        QTest::newRow("room for the profile")
            << kEspacioPerfil + QFileInfo(Ruta("cc2.png")).size() + 64 * 1024
            << "No space left on device";
    }

    void fullDiskKeepsEveryFile() {
        QFETCH(qint64, libre);
        QFETCH(QString, motivo);
        const QString disco = Ruta("disk");
        QVERIFY(QDir().mkpath(disco));
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=8m", "tmpfs", disco}) != 0)
            QSKIP("needs root to mount a small file system");
        const auto desmontar = qScopeGuard([&] { QProcess::execute("umount", {disco}); });
        const QStringList viejos{"cam.icc", "cam.ti3", "cam_scanin_diag.tif"};
        for (const QString& viejo : viejos)
            QVERIFY(Escribir(disco + "/" + viejo, "old " + viejo.toUtf8()));
        struct statvfs fs {};
        QVERIFY(::statvfs(QFile::encodeName(disco).constData(), &fs) == 0);
        QVERIFY(
            Escribir(disco + "/filler", QByteArray(qint64(fs.f_bavail * fs.f_bsize) - libre, 'f')));
        const SalidaPrograma s =
            Crear("cc2.png", "--output|" + disco +
                                 "/cam.icc|--save-ti3|--save-diag|--algorithm|matrix|--json");
        QCOMPARE(s.rc, 1);
        QVERIFY2(s.json()["error"].toString().contains(motivo), qPrintable(s.err));
        for (const QString& viejo : viejos) {
            const QByteArray ahora = Contenido(disco + "/" + viejo);
            const bool nuevo = ahora != "old " + viejo.toUtf8();
            // A new file is whole: a TI3 to its end, a profile as long as its header says.
            QVERIFY2(!nuevo || ahora.endsWith("END_DATA\n") ||
                         qFromBigEndian<quint32>(ahora.constData()) == quint32(ahora.size()),
                     qPrintable(viejo));
            QVERIFY2(!nuevo || viejo != "cam_scanin_diag.tif", qPrintable(viejo));
            if (viejo == "cam.icc") // a new profile only where there was room for it
                QCOMPARE(nuevo, libre > 0);
        }
        QCOMPARE(QDir(disco).entryList(QDir::Files | QDir::Hidden).size(), 4);
        QCOMPARE(Restos(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCliRuns)
#include "tst_cliruns.moc"
