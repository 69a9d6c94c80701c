#pragma once

#include "profile/creationinputs.h"

#include <QString>
#include <QStringList>

// The input check before a profile run: every missing item gathered into one list.
struct ValidacionPerfil {
    bool ok = false;
    QString referencia; // the reference file the run passes to scanin
    QString faltas;     // "- item" lines joined by "\n", empty when ok
};
ValidacionPerfil ValidarDatosPerfil(const EntradaCreacion& in);

// Appends "- " + item to the list, after a line break when the list is not empty.
void AgregarFalta(QString& lista, const QString& item);
// The message box text and the log line for a list of missing items.
QString MensajeFaltanDatos(const QString& faltas);
QString LineaLogFaltanDatos(const QString& faltas);

// The log line naming an ArgyllCMS tool that is not found, as the input check names it;
// empty when the tool is there.
QString FaltaHerramienta(const QString& tool);

// The first file the run would write (the profile, and the TI3 and diagnostic image kept
// beside it when switched on) that is one of its inputs (image, reference, chart), compared by
// canonical path; empty when there is none.
QString SalidaSobreEntrada(const EntradaCreacion& in, const QString& referencia);
// The message box text and the log line that refuse such a run.
QString MensajeSalidaSobreEntrada(const QString& ruta);
QString LineaLogSalidaSobreEntrada(const QString& ruta);

// The stored manual grid applies when it is set and belongs to the chart and image in use.
bool CuadriculaManualAplicable(const EntradaCreacion& in);
// {"-p", "-F", corners} when the stored manual grid applies, else empty.
QStringList ArgumentoCuadriculaManual(const EntradaCreacion& in);
