#pragma once

#include "shell/toolrunner.h"

// Builds a CommandLine piece by piece, so the argument list the tool gets and the text the log
// shows always agree. The display starts with the quoted program; pieces are joined by a blank.
class CommandLineBuilder {
public:
    explicit CommandLineBuilder(const QString& program);

    // One argument, shown as it is ("-v", "-G", "2.2").
    CommandLineBuilder& add(const QString& argument);
    // One argument, shown quoted ("/a b/chart.tif" -> "\"/a b/chart.tif\"").
    CommandLineBuilder& addPath(const QString& path);
    // One argument flag + text, shown flag"text" (-A"My camera").
    CommandLineBuilder& addAttached(const QString& flag, const QString& text);
    // Two arguments, flag then text (also when the text is empty), shown flag"text" like
    // addAttached. For options whose empty value must still be passed: colprof rejects an
    // empty attached text ("-C" alone) but takes "-C" followed by an empty argument.
    CommandLineBuilder& addSeparate(const QString& flag, const QString& text);
    // A free text for a flag (colprof -A/-M/-D/-C), shown flag"text": attached when not empty
    // (a separate text starting with "-" would be taken for the next flag), separate when empty.
    CommandLineBuilder& addText(const QString& flag, const QString& text);

    CommandLine build() const { return line_; }

private:
    void mostrar(const QString& piece);

    CommandLine line_;
};
