#include "shell/appfolders.h"
#include "shell/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAppFolders : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    static void crearEjecutable(const QString& path) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
    }

private slots:
    void initTestCase() {
        // tools found on PATH come from a folder of our own
        QVERIFY(QDir().mkpath(dir_.filePath("on path")));
        crearEjecutable(dir_.filePath("on path/scanin"));
        crearEjecutable(dir_.filePath("on path/colprof"));
        qputenv("PATH", dir_.filePath("on path").toUtf8());
    }

    void extensionIsTheLastDotOfThePath() {
        QCOMPARE(QuitarExtension("/x/y/chart.v2.tif"), QString("/x/y/chart.v2"));
        QCOMPARE(QuitarExtension("/x.d/chart"), QString("/x"));
    }

    // A bundled tool wins over PATH; one missing from the bundle still comes from PATH.
    void bundledToolsThenPath() {
        const QString program = dir_.filePath("bundled");
        QVERIFY(QDir().mkpath(program + "/Argyll/bin"));
        crearEjecutable(program + "/Argyll/bin/scanin");
        const AppFolders folders = AppFolders::forProgram(program + "/");
        QCOMPARE(folders.programFolder, program);
        QCOMPARE(folders.toolPath("scanin"), program + "/Argyll/bin/scanin");
        QCOMPARE(folders.toolPath("colprof"), dir_.filePath("on path/colprof"));
        QCOMPARE(folders.toolPath("no-such-tool-here"), QString());
        QCOMPARE(AppFolders::forProgram(dir_.filePath("on path")).toolPath("scanin"),
                 dir_.filePath("on path/scanin"));
    }

    // Portable only with the marker or settings beside the program, never for a merely
    // writable folder.
    void portableMarkerRule() {
        const QString config = dir_.filePath("xdg config");
        const QString cache = dir_.filePath("xdg cache");
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        qputenv("XDG_CACHE_HOME", cache.toUtf8());
        const struct {
            const char* folder;
            const char* file; // beside the program; "" an empty folder, none no folder at all
            bool portable;
        } cases[] = {{"marked", "portable", true},
                     {"kept settings", "nerva_chromaflux.ini", true},
                     {"older settings", "norvel_kelda.ini", true},
                     {"writable only", "", false},
                     {"gone/bin", nullptr, false}};
        for (const auto& c : cases) {
            const QString program = dir_.filePath(c.folder);
            QFile file(program + "/" + c.file);
            QVERIFY(!c.file ||
                    (QDir().mkpath(program) && (!*c.file || file.open(QIODevice::WriteOnly))));
            const AppFolders folders = AppFolders::forProgram(program);
            QCOMPARE(folders.dataFolder, c.portable ? program : config + "/nerva-chromaflux");
            QCOMPARE(folders.tmpFolder,
                     c.portable ? program + "/tmp" : cache + "/nerva-chromaflux/tmp");
        }
        QVERIFY(QFileInfo(config + "/nerva-chromaflux").isDir()); // ready for the first write
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CACHE_HOME");
    }
};

QTEST_GUILESS_MAIN(TestAppFolders)
#include "tst_appfolders.moc"
