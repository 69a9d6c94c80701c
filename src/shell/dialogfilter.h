#pragma once

#include <QString>
#include <QStringList>

// Converts the pipe filter notation ("Perfiles ICC (*.icc;*.icm)|*.icc;*.icm|Todos|*.*") into
// Qt name filters, one per pair, in order: the display text with its patterns in parentheses,
// blank-separated ("Perfiles ICC (*.icc *.icm)", "Todos (*)"). The patterns of the pair are the
// ones used, whatever the display text shows; "*.*" becomes "*" (every file, with or without
// an extension). A display text without patterns is dropped.
QStringList FiltrosQt(const QString& pipeFilter);
