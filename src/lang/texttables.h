#pragma once

#include <QHash>
#include <QString>

// The text table of one language exactly as shipped (no fallback): key -> text.
// Loaded from the compiled-in resources on first use; an unknown number gives an empty table.
const QHash<QString, QString>& TablaTextos(int idioma);
