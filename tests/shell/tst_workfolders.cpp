#include "shell/workfolders.h"

#include "recordinglog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class TestWorkFolders : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    int count_ = 0;

    // A fresh tmp folder per case.
    QString nuevoTmp() { return dir_.filePath(QStringLiteral("case%1/tmp").arg(++count_)); }

    static void crearFichero(const QString& path, bool readOnly = false) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("data");
        file.close();
        if (readOnly)
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup));
    }

    static QStringList contenido(const QString& folder) {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }

private slots:
    void tmpFolderCreatedOnUse() {
        const QString tmp = nuevoTmp();
        QCOMPARE(CarpetaTmp(tmp), tmp);
        QVERIFY(QFileInfo(tmp).isDir());
        const QString other = nuevoTmp();
        QCOMPARE(RutaTmp(other, "chromaflux_scanin_tmp.tif"), other + "/chromaflux_scanin_tmp.tif");
        QVERIFY(QFileInfo(other).isDir());
    }

    void deleteFileIfThere() {
        const QString tmp = CarpetaTmp(nuevoTmp());
        crearFichero(tmp + "/a.log", true);
        BorrarFicheroSiHay(tmp + "/a.log");
        QVERIFY(!QFile::exists(tmp + "/a.log"));
        BorrarFicheroSiHay(tmp + "/never.log"); // no error, nothing to see
        BorrarFicheroSiHay(QString());
        QVERIFY(QFileInfo(tmp).isDir());
    }

    void folderNameSameUnderCommaLocale() {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        // the locale really writes "," here, so the name below did not come from it
        QVERIFY(QLocale().toString(45296.42, 'f', 2).contains(','));
        const QString comma = NombreCarpetaTrabajo(45296.42f, 3);
        const QString fraction = NombreCarpetaTrabajo(0.5f, 1);
        QLocale::setDefault(previous);

        QCOMPARE(comma, NombreCarpetaTrabajo(45296.42f, 3));
        QCOMPARE(comma, QString("chromaflux_tmp_45296_42_3"));
        QCOMPARE(fraction, QString("chromaflux_tmp_0_5_1"));
        QCOMPARE(NombreCarpetaTrabajo(7200.0f, 20), QString("chromaflux_tmp_7200_20"));
    }

    void folderNameUsesSinglePrecision() {
        // 86399.99 as a single is 86399.9921875: seven significant digits give "86399.99"
        QCOMPARE(NombreCarpetaTrabajo(86399.99f, 1), QString("chromaflux_tmp_86399_99_1"));
        QCOMPARE(NombreCarpetaTrabajo(12.3456789f, 2), QString("chromaflux_tmp_12_34568_2"));
    }

    void sameTickGivesNextAttempt() {
        const QString tmp = nuevoTmp();
        auto fixedClock = [] { return 3600.25f; };
        const QString first = CrearCarpetaTrabajo(tmp, fixedClock);
        const QString second = CrearCarpetaTrabajo(tmp, fixedClock);
        QCOMPARE(first, tmp + "/chromaflux_tmp_3600_25_1");
        QCOMPARE(second, tmp + "/chromaflux_tmp_3600_25_2");
        QVERIFY(QFileInfo(first).isDir());
        QVERIFY(QFileInfo(second).isDir());
    }

    void twentyTakenNamesGiveEmpty() {
        const QString tmp = CarpetaTmp(nuevoTmp());
        for (int n = 1; n <= 20; ++n)
            QVERIFY(QDir(tmp).mkdir(NombreCarpetaTrabajo(10.5f, n)));
        int clockReads = 0;
        QCOMPARE(CrearCarpetaTrabajo(tmp,
                                     [&] {
                                         ++clockReads;
                                         return 10.5f;
                                     }),
                 QString());
        QCOMPARE(clockReads, 20);
        QCOMPARE(contenido(tmp).size(), 20);
    }

    void realClockNamePattern() {
        const QString tmp = nuevoTmp();
        const QString path = CrearCarpetaTrabajo(tmp);
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(QFileInfo(path).path(), tmp);
        static const QRegularExpression pattern("^chromaflux_tmp_\\d+(_\\d+)?_1$");
        QVERIFY2(pattern.match(QFileInfo(path).fileName()).hasMatch(), qPrintable(path));
    }

    void cleanUpRemovesOnlyLeftovers() {
        const QString tmp = CarpetaTmp(nuevoTmp());
        for (const char* name :
             {"ultimo_reconocimiento_cuadricula.ti3", "Ultimo_Reconocimiento_Cuadricula_diag.tif",
              "chromaflux_grid_adjust_output.log", "CHROMAFLUX_PROCESS_OUTPUT.LOG",
              "chromaflux_scanin_tmp.tif", "chromaflux_scanin_qpc202_rot_tmp.tif"})
            crearFichero(tmp + "/" + name, true);
        for (const char* name :
             {"ultimo_scanin_diag.tif", "chromaflux_scanin_diag_tmp.tif",
              "chromaflux_profcheck_output.log", "chromaflux_colverify_output.log",
              "chromaflux_scanin_diag_output.log", "chromaflux_tmp_file_not_folder"})
            crearFichero(tmp + "/" + name);
        QVERIFY(QDir(tmp).mkpath("chromaflux_tmp_100_5_1/sub"));
        crearFichero(tmp + "/chromaflux_tmp_100_5_1/sub/deep.ti3", true);
        QVERIFY(QDir(tmp).mkdir("CHROMAFLUX_TMP_200_1"));
        QVERIFY(QDir(tmp).mkdir("kept_folder"));
        crearFichero(tmp + "/kept_folder/chromaflux_process_output.log");

        LimpiarCarpetaTmp(tmp);

        QCOMPARE(contenido(tmp),
                 QStringList({"chromaflux_colverify_output.log", "chromaflux_profcheck_output.log",
                              "chromaflux_scanin_diag_output.log", "chromaflux_scanin_diag_tmp.tif",
                              "chromaflux_tmp_file_not_folder", "kept_folder",
                              "ultimo_scanin_diag.tif"}));
        QCOMPARE(contenido(tmp + "/kept_folder"), QStringList{"chromaflux_process_output.log"});
    }

    void cleanUpDoesNotFollowLinks() {
        const QString tmp = CarpetaTmp(nuevoTmp());
        const QString outside = dir_.filePath("outside");
        QVERIFY(QDir().mkpath(outside));
        crearFichero(outside + "/precious.txt");
        QVERIFY(QFile::link(outside, tmp + "/chromaflux_tmp_link_1"));
        LimpiarCarpetaTmp(tmp);
        QVERIFY(QFile::exists(outside + "/precious.txt"));
    }

    void cleanUpCreatesMissingTmp() {
        const QString tmp = nuevoTmp();
        LimpiarCarpetaTmp(tmp);
        QVERIFY(QFileInfo(tmp).isDir());
    }

    void deleteWorkFolderWithReadOnlyContent() {
        const QString tmp = nuevoTmp();
        const QString work = CrearCarpetaTrabajo(tmp);
        crearFichero(work + "/profile.icc", true);
        QVERIFY(QDir(work).mkdir("locked"));
        crearFichero(work + "/locked/chart.ti3", true);
        QVERIFY(QFile::setPermissions(work + "/locked", QFile::ReadOwner | QFile::ExeOwner));
        QDir::setCurrent(work); // must not stop the deletion

        RecordingLog log;
        BorrarCarpetaTrabajo(work, log);
        QVERIFY(!QFileInfo::exists(work));
        QCOMPARE(log.lines, QStringList{"Carpeta temporal borrada: " + work});
        // Elsewhere, the current folder stays where it is.
        QVERIFY(QDir::setCurrent(dir_.path()));
        const QString other = CrearCarpetaTrabajo(tmp);
        BorrarCarpetaTrabajo(other, log);
        QVERIFY(!QFileInfo::exists(other));
        QCOMPARE(QDir::currentPath(), dir_.path());
    }

    void deleteNothingWhenNoFolder() {
        RecordingLog log;
        BorrarCarpetaTrabajo(QString(), log);
        BorrarCarpetaTrabajo(dir_.filePath("never-made"), log);
        QVERIFY(log.lines.isEmpty());
    }

    void deleteFailureRetriesThenLogs() {
        const QString parent = dir_.filePath("stuck");
        const QString work = CrearCarpetaTrabajo(parent);
        crearFichero(work + "/held.ti3");
        // A folder whose parent refuses changes cannot go; root ignores permissions, so
        // it needs the immutable attribute there.
        const bool root = ::geteuid() == 0;
        if (root) {
            if (QProcess::execute("chattr", {"+i", parent}) != 0)
                QSKIP("cannot make a folder undeletable here");
        } else {
            QVERIFY(QFile::setPermissions(parent, QFile::ReadOwner | QFile::ExeOwner));
        }

        RecordingLog log;
        QElapsedTimer clock;
        clock.start();
        BorrarCarpetaTrabajo(work, log);
        const qint64 elapsed = clock.elapsed();
        if (root)
            QProcess::execute("chattr", {"-i", parent});
        QFile::setPermissions(parent, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QVERIFY(QFileInfo(work).isDir());
        QCOMPARE(log.lines.size(), 1);
        QVERIFY2(log.lines[0].startsWith("No se pudo borrar la carpeta temporal: " + work + " -> "),
                 qPrintable(log.lines[0]));
        QVERIFY(log.lines[0].size() >
                ("No se pudo borrar la carpeta temporal: " + work + " -> ").size());
        QVERIFY2(elapsed >= 4 * 250 && elapsed < 3000, qPrintable(QString::number(elapsed)));
    }
};

QTEST_GUILESS_MAIN(TestWorkFolders)
#include "tst_workfolders.moc"
