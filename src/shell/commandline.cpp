#include "shell/commandline.h"

#include "shell/paths.h"

CommandLineBuilder::CommandLineBuilder(const QString& program) {
    line_.program = program;
    line_.display = Entrecomillar(program);
}

CommandLineBuilder& CommandLineBuilder::add(const QString& argument) {
    line_.arguments.append(argument);
    mostrar(argument);
    return *this;
}

CommandLineBuilder& CommandLineBuilder::addPath(const QString& path) {
    line_.arguments.append(path);
    mostrar(Entrecomillar(path));
    return *this;
}

CommandLineBuilder& CommandLineBuilder::addAttached(const QString& flag, const QString& text) {
    line_.arguments.append(flag + text);
    mostrar(flag + Entrecomillar(text));
    return *this;
}

CommandLineBuilder& CommandLineBuilder::addSeparate(const QString& flag, const QString& text) {
    line_.arguments.append(flag);
    line_.arguments.append(text);
    mostrar(flag + Entrecomillar(text));
    return *this;
}

CommandLineBuilder& CommandLineBuilder::addText(const QString& flag, const QString& text) {
    return text.isEmpty() ? addSeparate(flag, text) : addAttached(flag, text);
}

void CommandLineBuilder::mostrar(const QString& piece) {
    line_.display += QLatin1Char(' ') + piece;
}
