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
        file.write("#!/bin/sh\n");
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

    void pathHelpers() {
        QCOMPARE(Entrecomillar("/a b/c"), QString("\"/a b/c\""));
        QCOMPARE(Entrecomillar(""), QString("\"\""));
        QCOMPARE(NombreFichero("/x/y/chart.tif"), QString("chart.tif"));
        QCOMPARE(NombreFichero("chart.tif"), QString("chart.tif"));
        QCOMPARE(NombreFichero("/x/y/"), QString());
        QCOMPARE(QuitarExtension("/x/y/chart.v2.tif"), QString("/x/y/chart.v2"));
        QCOMPARE(QuitarExtension("/x/y/chart"), QString("/x/y/chart"));
        QCOMPARE(QuitarExtension("/x.d/chart"), QString("/x")); // the last "." of the path
    }

    void portableLayoutWithoutBundledArgyll() {
        const QString program = dir_.filePath("bare");
        QVERIFY(QDir().mkpath(program));
        QFile marker(program + "/portable");
        QVERIFY(marker.open(QIODevice::WriteOnly));
        const AppFolders folders = AppFolders::forProgram(program + "/");
        QCOMPARE(folders.programFolder, program);
        QCOMPARE(folders.dataFolder, program);
        QCOMPARE(folders.tmpFolder, program + "/tmp");
        QCOMPARE(folders.settingsFile(), program + "/nerva_chromaflux.ini");
        QCOMPARE(folders.legacySettingsFile(), program + "/norvel_kelda.ini");
        QCOMPARE(folders.argyllBin, QString());
        QCOMPARE(folders.argyllRef, QString("/usr/share/color/argyll/ref"));
        QCOMPARE(folders.argyllDoc, QString("/usr/share/doc/argyll-doc"));
        QCOMPARE(folders.helpFolder, dir_.filePath("share/nerva-chromaflux/ayuda"));
        QCOMPARE(folders.toolPath("scanin"), dir_.filePath("on path/scanin"));
        QCOMPARE(folders.toolPath("no-such-tool-here"), QString());
    }

    void bundledArgyllAndHelpWin() {
        const QString program = dir_.filePath("bundled");
        for (const char* sub : {"Argyll/bin", "Argyll/ref", "Argyll/doc", "ayuda"})
            QVERIFY(QDir().mkpath(program + "/" + sub));
        crearEjecutable(program + "/Argyll/bin/scanin");
        const AppFolders folders = AppFolders::forProgram(program);
        QCOMPARE(folders.argyllBin, program + "/Argyll/bin");
        QCOMPARE(folders.argyllRef, program + "/Argyll/ref");
        QCOMPARE(folders.argyllDoc, program + "/Argyll/doc");
        QCOMPARE(folders.helpFolder, program + "/ayuda");
        QCOMPARE(folders.toolPath("scanin"), program + "/Argyll/bin/scanin");
        // a tool missing from the bundle still comes from PATH
        QCOMPARE(folders.toolPath("colprof"), dir_.filePath("on path/colprof"));
    }

    void portableOnlyWhenTheBuildSaysSo() {
        const QString config = dir_.filePath("xdg config");
        const QString cache = dir_.filePath("xdg cache");
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        qputenv("XDG_CACHE_HOME", cache.toUtf8());
        const struct {
            const char* folder;
            const char* file; // beside the program; "" an empty folder, none no folder at all
            bool portable;
        } cases[] = {{"kept settings", "nerva_chromaflux.ini", true},
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

    void processWideFolders() {
        AppFolders folders;
        folders.programFolder = "/opt/nc";
        folders.tmpFolder = "/opt/nc/tmp";
        EstablecerCarpetas(folders);
        QCOMPARE(Carpetas().programFolder, QString("/opt/nc"));
        QCOMPARE(Carpetas().tmpFolder, QString("/opt/nc/tmp"));
    }
};

QTEST_GUILESS_MAIN(TestAppFolders)
#include "tst_appfolders.moc"
