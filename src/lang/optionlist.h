#pragma once

#include <QStringList>

class QComboBox;

// Rebuilds an option list in place with the keys' texts (Texto) in the given order and
// selects the position it had, or defaultPosition when none was selected (first fill) or the
// old position no longer exists. The list's signals are blocked meanwhile: the selection ends
// where it was, so no change handler runs; a window that must react to the first fill calls
// its handler itself.
void RebuildOptionList(QComboBox* list, const QStringList& keys, int defaultPosition);
