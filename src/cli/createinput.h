#pragma once

#include "cli/createrequest.h"
#include "profile/creationinputs.h"

#include <QString>

struct AppFolders;

// The profile run's input for one image of the request, as the main window would hand it
// over with the same choices made; carpetaTmp is the run's own tmp folder (temporary TIFFs
// and work folders), so runs going on at once never share a file.
EntradaCreacion EntradaDeDestino(const PeticionCreacion& p, const DestinoPerfil& destino,
                                 const ChartCatalog& catalogo, const AppFolders& carpetas,
                                 const QString& carpetaTmp);

// The log line naming the reference in use, as the main window logs the choice.
QString LineaLogReferencia(const PeticionCreacion& p);
