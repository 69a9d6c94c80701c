#pragma once

#include "verify/errorparche.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <optional>

class ChartCatalog;
struct TrabajoCreacion;

// The JSON the command line prints: numbers as JSON numbers, absent values null.

// A path, or null when empty.
QJsonValue JsonRuta(const QString& path);
// An exit code, or null when the tool did not run.
QJsonValue JsonCodigo(const std::optional<int>& rc);
// {"summary", "patches", "max", "worst", "avg", "rms"} read from a profcheck run's output;
// null when there is no output.
QJsonValue JsonVerificacion(const QString& salidaProfcheck);
// [{"id", "de", "dl", "dc", "dh"}, ...]
QJsonArray JsonErrores(const QList<ErrorParche>& errores);

// One create run: {"profile", "ti3", "diagnostic", "scanin_rc", "colprof_rc", "profcheck_rc",
// "read": {"method", "fit", "plausible", "attempts"}, "check" (with "avg2000", "max2000"),
// "warnings": [{"code", "text"}], "error"}; the diagnostic (a failed run's too) only when it
// was kept beside the profile.
QJsonObject JsonCreacion(const TrabajoCreacion& t, bool diagnosticoGuardado);
// A batch: {"profiles": [run + "image"], "written": n, "suspect": n, "failed": n}; "suspect"
// counts the written profiles whose chart reading is suspected wrong.
QJsonObject JsonLote(const QList<TrabajoCreacion>& trabajos, bool diagnosticoGuardado);
// The catalogue: [{"index", "name", "chart", "generic_reference", "own_reference"}, ...].
QJsonArray JsonCatalogo(const ChartCatalog& catalogo);

// The value on one line, as the command prints it: compact JSON with the keys in the order
// the objects above list them.
QString TextoJson(const QJsonObject& object);
QString TextoJson(const QJsonArray& array);
