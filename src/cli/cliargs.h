#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One option a command accepts: a flag "--name", or "--name VALUE" / "--name=VALUE".
struct OpcionCli {
    QString nombre; // without the leading "--"
    bool conValor = false;
    bool repetible = false; // may be given more than once; the values are kept in order
};

// A command's arguments read against its option table. Anything else is an error: an unknown
// option, a bare word, a missing value, a value given to a flag, an option given twice.
class ArgumentosCli {
public:
    static ArgumentosCli Leer(const QStringList& args, const QList<OpcionCli>& opciones);

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    bool tiene(const QString& nombre) const { return valores_.contains(nombre); }
    // The value of an option given once; empty when absent.
    QString valor(const QString& nombre) const;
    QStringList valores(const QString& nombre) const { return valores_.value(nombre); }

private:
    QHash<QString, QStringList> valores_;
    QString error_;
};

// A path as given, made absolute and clean.
QString RutaAbsoluta(const QString& path);
// The absolute path of an option naming a file that must exist; empty, with the message in
// `error`, when the option is absent or the file is not there.
QString FicheroRequerido(const ArgumentosCli& args, const QString& nombre, QString& error);
// --timeout SECONDS in milliseconds (0 when absent); false, with the message in `error`, for
// anything but a number of seconds above 0 and at most a day.
bool LeerLimiteHerramientas(const ArgumentosCli& args, int& milisegundos, QString& error);
