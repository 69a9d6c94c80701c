#include "shell/appfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kAppDirName = QStringLiteral("nerva-chromaflux");

AppFolders& CarpetasGlobales() {
    static AppFolders folders;
    return folders;
}

QString CarpetaSiExiste(const QString& folder, const QString& otherwise) {
    return QFileInfo(folder).isDir() ? folder : otherwise;
}

// Only a build that says so keeps its data beside the program: a writable program folder alone
// proves nothing (an installed build run as root could write into /usr/bin). Takes the folders
// of the portable layout.
bool EsPortable(const AppFolders& folders) {
    return QFileInfo::exists(folders.programFolder + QStringLiteral("/portable")) ||
           QFileInfo::exists(folders.settingsFile()) ||
           QFileInfo::exists(folders.legacySettingsFile());
}

} // namespace

AppFolders AppFolders::forProgram(const QString& programFolder) {
    AppFolders folders;
    folders.programFolder = QDir::cleanPath(programFolder);
    const QString program = folders.programFolder;

    folders.dataFolder = program;
    folders.tmpFolder = program + QStringLiteral("/tmp");
    if (!EsPortable(folders)) {
        folders.dataFolder =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QLatin1Char('/') + kAppDirName;
        folders.tmpFolder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                            QLatin1Char('/') + kAppDirName + QStringLiteral("/tmp");
        QDir().mkpath(folders.dataFolder); // the settings writer does not create folders
    }

    folders.argyllBin = CarpetaSiExiste(program + QStringLiteral("/Argyll/bin"), QString());
    folders.argyllRef = CarpetaSiExiste(program + QStringLiteral("/Argyll/ref"),
                                        QStringLiteral("/usr/share/color/argyll/ref"));
    folders.argyllDoc = CarpetaSiExiste(program + QStringLiteral("/Argyll/doc"),
                                        QStringLiteral("/usr/share/doc/argyll-doc"));
    folders.helpFolder = CarpetaSiExiste(program + QStringLiteral("/ayuda"),
                                         QDir::cleanPath(program + QStringLiteral("/../share/") +
                                                         kAppDirName + QStringLiteral("/ayuda")));
    return folders;
}

QString AppFolders::settingsFile() const {
    return dataFolder + QStringLiteral("/nerva_chromaflux.ini");
}

QString AppFolders::legacySettingsFile() const {
    return dataFolder + QStringLiteral("/norvel_kelda.ini");
}

QString AppFolders::toolPath(const QString& tool) const {
    if (!argyllBin.isEmpty()) {
        const QString local = argyllBin + QLatin1Char('/') + tool;
        if (QFileInfo(local).isFile())
            return local;
    }
    return QStandardPaths::findExecutable(tool);
}

const AppFolders& Carpetas() {
    return CarpetasGlobales();
}

void EstablecerCarpetas(const AppFolders& folders) {
    CarpetasGlobales() = folders;
}
