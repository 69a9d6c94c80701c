#pragma once

#include <QString>
#include <functional>

// Wraps a help topic for the floating help window, whose text area is width - 16 wide.
// Paragraphs (split at empty lines) are separated by one empty line; a line starting with "*"
// is kept as written; every other source line is wrapped by itself at blanks, greedily, so no
// output line is wider than the area unless it is a single word. widthOf measures a text in
// layout pixels in the window's font. Lines are joined with "\n".
QString AjustarTextoAyuda(const QString& text, int width,
                          const std::function<int(const QString&)>& widthOf);
