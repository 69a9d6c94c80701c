#include "shell/paths.h"
#include "shell/workfolders.h"

#include "recordinglog.h"

#include <QtTest>

#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;
constexpr QFile::Permissions kTodo = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// Root ignores permissions, so the cases about them run with the rights of an ordinary user.
struct ComoUsuario {
    const bool root = ::geteuid() == 0;
    ComoUsuario() {
        if (root && (::setegid(kNobody) != 0 || ::seteuid(kNobody) != 0))
            qFatal("cannot drop to an ordinary user");
    }
    void Volver() {
        if (root && ::geteuid() != 0 && (::seteuid(0) != 0 || ::setegid(0) != 0))
            qFatal("cannot become root again");
    }
    ~ComoUsuario() { Volver(); }
};

void crearFichero(const QString& path, bool readOnly = false) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("data") == 4);
    QVERIFY(!readOnly || file.setPermissions(QFile::ReadOwner | QFile::ReadGroup));
}

QStringList contenido(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestWorkFolders : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int count_ = 0;

    // A fresh folder per case that an ordinary user may write into; its tmp is not made yet.
    QString nuevoTmp() {
        const QString folder = dir_.filePath(QString("case%1").arg(++count_));
        if (!QDir().mkpath(folder) ||
            (::geteuid() == 0 && ::chown(QFile::encodeName(folder), kNobody, kNobody) != 0))
            qFatal("cannot prepare %s", qPrintable(folder));
        return folder + "/tmp";
    }

private slots:
    void initTestCase() {
        QVERIFY(QFile::setPermissions(dir_.path(), QFile::permissions(dir_.path()) |
                                                       QFile::ExeOther | QFile::ExeGroup));
    }

    // The same name under every locale, from the clock read in single precision; twenty
    // attempts, each reading the clock, then none. A name kept beside a profile is cut to fit
    // the file system's 255 bytes, never inside a character.
    void namesAndAttempts() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(NombreCarpetaTrabajo(45296.42f, 3), QString("chromaflux_tmp_45296_42_3"));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(NombreCarpetaTrabajo(12.3456789f, 20), QString("chromaflux_tmp_12_34568_20"));
        const QString tmp = nuevoTmp();
        int clockReads = 0;
        const auto clock = [&] { return ++clockReads, 7200.0f; };
        for (int n = 2; n <= 20; ++n)
            QVERIFY(QDir(tmp).mkpath(NombreCarpetaTrabajo(7200, n)));
        QCOMPARE(CrearCarpetaTrabajo(tmp, clock), tmp + "/chromaflux_tmp_7200_1");
        QCOMPARE(CrearCarpetaTrabajo(tmp, clock), QString());
        QCOMPARE(clockReads, 1 + 20);
        QVERIFY(QFileInfo(CrearCarpetaTrabajo(tmp)).isDir()); // the real clock
        QCOMPARE(BaseQueCabe("/d/" + QString(260, 'x'), ".ti3"), "/d/" + QString(251, 'x'));
        QCOMPARE(BaseQueCabe("/d/" + QString(130, u'é'), "_scanin_diag.tif"),
                 "/d/" + QString(119, u'é'));
        QCOMPARE(BaseQueCabe("/d/a" + QString::fromUcs4(U"\U0001F600"), QString(253, 's')), "/d/a");
    }

    void cleanUpRemovesOnlyLeftovers() {
        const QString tmp = nuevoTmp();
        LimpiarCarpetaTmp(tmp); // makes a missing tmp
        for (const char* name :
             {"Ultimo_Reconocimiento_Cuadricula_diag.tif", "CHROMAFLUX_PROCESS_OUTPUT.LOG",
              "chromaflux_grid_adjust_output.log", "chromaflux_scanin_tmp.tif",
              "chromaflux_scanin_qpc202_rot_tmp.tif", "chromaflux_tmp_100_5_1/sub/deep.ti3",
              "CHROMAFLUX_TMP_2_1/x", "kept/chromaflux_process_output.log",
              "ultimo_scanin_diag.tif", "chromaflux_scanin_diag_tmp.tif", "chromaflux_tmp_file"}) {
            QVERIFY(QDir().mkpath(QFileInfo(tmp + "/" + name).path()));
            crearFichero(tmp + "/" + name, true);
        }
        // A link is left alone, never followed.
        QVERIFY(QFile::link(QFileInfo(tmp).path(), tmp + "/chromaflux_tmp_link_1"));
        LimpiarCarpetaTmp(tmp);
        QCOMPARE(contenido(tmp), QString("chromaflux_scanin_diag_tmp.tif chromaflux_tmp_file "
                                         "chromaflux_tmp_link_1 kept ultimo_scanin_diag.tif")
                                     .split(' '));
        QCOMPARE(contenido(tmp + "/kept").size(), 1);
    }

    void deleteWorkFolderWithReadOnlyContent() {
        const QString tmp = nuevoTmp();
        ComoUsuario usuario;
        const QString work = CrearCarpetaTrabajo(tmp);
        crearFichero(work + "/profile.icc", true);
        QVERIFY(QDir(work).mkdir("locked"));
        crearFichero(work + "/locked/chart.ti3", true);
        QVERIFY(QFile::setPermissions(work + "/locked", QFile::ReadOwner | QFile::ExeOwner));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work)); // must not stop the deletion
        RecordingLog log;
        BorrarCarpetaTrabajo(work, log);
        usuario.Volver();
        QDir::setCurrent(before);
        QVERIFY(!QFileInfo::exists(work));
        QCOMPARE(log.lines, QStringList{"Carpeta temporal borrada: " + work});
    }

    // A folder whose parent refuses changes cannot go: five attempts 250 ms apart, each
    // processing events, then the reason in the log.
    void deleteFailureRetriesThenLogs() {
        for (const bool unblockDuringWait : {false, true}) {
            const QString parent = QFileInfo(nuevoTmp()).path();
            RecordingLog log;
            ComoUsuario usuario;
            const QString work = CrearCarpetaTrabajo(parent);
            crearFichero(work + "/held.ti3");
            QVERIFY(QFile::setPermissions(parent, QFile::ReadOwner | QFile::ExeOwner));
            const auto liberar = [&] { usuario.Volver(), QFile::setPermissions(parent, kTodo); };
            if (unblockDuringWait)
                QTimer::singleShot(0, liberar);
            QElapsedTimer clock;
            clock.start();
            BorrarCarpetaTrabajo(work, log);
            liberar();
            const QString fallo = "No se pudo borrar la carpeta temporal: " + work + " -> ";
            QCOMPARE(log.lines.size(), 1);
            QCOMPARE(log.lines[0].startsWith(fallo), !unblockDuringWait);
            QVERIFY(unblockDuringWait || (clock.elapsed() >= 4 * 250 && QFileInfo(work).isDir() &&
                                          log.lines[0].size() > fallo.size()));
        }
    }
};

QTEST_GUILESS_MAIN(TestWorkFolders)
#include "tst_workfolders.moc"
