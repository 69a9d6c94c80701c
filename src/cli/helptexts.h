#pragma once

#include <QString>

// The --help texts of the command line and its commands.
inline const QString kProgramaCli = QStringLiteral("nerva-chromaflux-cli");

QString AyudaGeneral();
QString AyudaCreate();
QString AyudaCharts();
QString AyudaVerify();
QString AyudaCompare();
// The line that follows an error message: where to read the command's help.
QString PistaAyuda(const QString& comando);
