#pragma once

#include "cli/createrequest.h"
#include "profile/createpipeline.h"

#include <QList>
#include <QString>

struct AppFolders;
class CancelToken;
class Consola;

// One image of a create command: its run and what the summary needs of it.
struct TrabajoCreacion {
    DestinoPerfil destino;
    bool ejecutado = false; // false when the command was stopped before this run started
    EjecucionCreacion ejecucion;
    QString avisoIncrustado; // the embedded-profile warning given before the run, or empty
};

// True when the run wrote its profile and every file kept beside it.
bool PerfilEscrito(const TrabajoCreacion& t);
// True when it wrote one from a chart reading that never fitted its reference.
bool LecturaSospechosa(const TrabajoCreacion& t);
// Why a run failed: the log line that ended it, with the failing tool's error line; empty
// after success.
QString MotivoFallo(const TrabajoCreacion& t);

// Runs the profile pipeline for every image of the request, p.trabajos at once, each on a
// worker thread with its own log (prefixed by the image's file name in a batch), front end and
// tmp folder inside carpetaTemporal. A failing run does not stop the others; `cancel` stops the
// running tools and skips the runs not yet started.
QList<TrabajoCreacion> EjecutarCreaciones(const PeticionCreacion& p, const ChartCatalog& catalogo,
                                          const AppFolders& carpetas,
                                          const QString& carpetaTemporal, Consola& consola,
                                          const CancelToken& cancel);
