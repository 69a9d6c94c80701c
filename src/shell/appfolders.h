#pragma once

#include <QString>

// Where the program, its data and the ArgyllCMS tools live. Built once by the executable from
// the program folder; tests build one over temporary folders.
struct AppFolders {
    QString programFolder; // folder of the running executable
    QString dataFolder;    // holds the settings file: program folder when portable, else XDG config
    QString tmpFolder;     // "<data>/tmp" (portable) or "$XDG_CACHE_HOME/nerva-chromaflux/tmp"
    QString argyllBin;     // "<program>/Argyll/bin" when it exists, else empty (PATH lookup)
    QString argyllRef;  // "<program>/Argyll/ref" when it exists, else /usr/share/color/argyll/ref
    QString argyllDoc;  // "<program>/Argyll/doc" when it exists, else /usr/share/doc/argyll-doc
    QString helpFolder; // "ayuda" beside the program, else the installed data folder

    // The folders of a program in programFolder: its data beside it in a portable build (a
    // "portable" marker file or a settings file beside the program), else the XDG folders;
    // ArgyllCMS beside it when bundled.
    static AppFolders forProgram(const QString& programFolder);

    QString settingsFile() const;       // dataFolder + "/nerva_chromaflux.ini"
    QString legacySettingsFile() const; // dataFolder + "/norvel_kelda.ini"
    // Full path of an ArgyllCMS tool ("scanin", "colprof", "profcheck", "colverify"):
    // argyllBin/<tool> when that file exists, else the tool found on PATH, else empty.
    QString toolPath(const QString& tool) const;
};

// Process-wide folders, set once at start-up by the executable (tests set their own).
const AppFolders& Carpetas();
void EstablecerCarpetas(const AppFolders& folders);
