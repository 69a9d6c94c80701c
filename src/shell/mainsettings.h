#pragma once

#include <QString>
#include <QStringList>

// The main window's part of the settings file: what it restores at start and saves at exit.
struct AjustesPrincipales {
    // section "profile"
    QString camera;
    QString model;
    QString description;
    QString copyright;
    QString gamma;
    QString whitePoint;
    QString darkAreas;
    // Written: the chart list index. Read: the old-style chart number of files without
    // chartFile, -1 when none is stored (the chart selection then stays as it is).
    int type = -1;
    QString chartFile;
    QString genericRefFile;
    int algorithm = -1;
    int intent = -1;
    int quality = -1;
    bool perspective = false;
    bool saveScaninDiag = false;
    bool saveTi3WithProfile = false;
    // section "results"
    QString lastProfile;
    QString lastTi3;
    QString lastDiag;
    QString lastCheck;
    // section "ui": the log split of the main window (QSplitter state, base64)
    QString logSplit;
};

// Reads every key; a missing key keeps the value of current (the controls' present state),
// except gamma "2.2", white point and dark areas "1.0", the files "", the switches off and
// type -1.
AjustesPrincipales LeerAjustesPrincipales(const QString& file, const AjustesPrincipales& current);
// Writes every key, profile section first, in the fixed order.
void EscribirAjustesPrincipales(const QString& file, const AjustesPrincipales& values);

// Index of the item equal to stored (trimmed, "," read as "."; fallback when stored is
// empty), else of the item equal to fallback, else 0; -1 for an empty list.
int IndiceValorLista(const QStringList& items, const QString& stored, const QString& fallback);
// value clamped to 0..count-1 (so an empty list gives -1).
int LimitarIndice(int value, int count);

// The settings file to use: settingsFile, first copied from legacyFile when only that one
// exists (the legacy file stays).
QString UbicarFicheroAjustes(const QString& settingsFile, const QString& legacyFile);
