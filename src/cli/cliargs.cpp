#include "cli/cliargs.h"

#include "cli/clichoices.h"

#include <QDir>
#include <QFileInfo>

namespace {

const OpcionCli* Buscar(const QList<OpcionCli>& opciones, const QString& nombre) {
    for (const OpcionCli& opcion : opciones) {
        if (opcion.nombre == nombre)
            return &opcion;
    }
    return nullptr;
}

} // namespace

ArgumentosCli ArgumentosCli::Leer(const QStringList& args, const QList<OpcionCli>& opciones) {
    ArgumentosCli leidos;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--")) || arg.size() == 2) {
            leidos.error_ = QStringLiteral("unexpected argument '%1'").arg(arg);
            return leidos;
        }
        const qsizetype igual = arg.indexOf(QLatin1Char('='));
        const QString nombre = arg.mid(2, igual < 0 ? -1 : igual - 2);
        const OpcionCli* opcion = Buscar(opciones, nombre);
        if (opcion == nullptr) {
            leidos.error_ = QStringLiteral("unknown option '--%1'").arg(nombre);
            return leidos;
        }
        if (leidos.valores_.contains(nombre) && !opcion->repetible) {
            leidos.error_ = QStringLiteral("option '--%1' given more than once").arg(nombre);
            return leidos;
        }
        QStringList& valores = leidos.valores_[nombre];
        if (!opcion->conValor) {
            if (igual >= 0) {
                leidos.error_ = QStringLiteral("option '--%1' takes no value").arg(nombre);
                return leidos;
            }
            continue;
        }
        if (igual >= 0) {
            valores << arg.mid(igual + 1);
            continue;
        }
        // A following option is not taken for the value; "--name=--text" passes such a text.
        if (i + 1 >= args.size() || args.at(i + 1).startsWith(QLatin1String("--"))) {
            leidos.error_ = QStringLiteral("option '--%1' needs a value").arg(nombre);
            return leidos;
        }
        valores << args.at(++i);
    }
    return leidos;
}

QString ArgumentosCli::valor(const QString& nombre) const {
    const QStringList v = valores_.value(nombre);
    return v.isEmpty() ? QString() : v.last();
}

QString RutaAbsoluta(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString FicheroRequerido(const ArgumentosCli& args, const QString& nombre, QString& error) {
    if (!args.tiene(nombre)) {
        error = QStringLiteral("--%1 FILE is required").arg(nombre);
        return QString();
    }
    const QString ruta = RutaAbsoluta(args.valor(nombre));
    if (!QFileInfo(ruta).isFile()) {
        error = QStringLiteral("--%1 file not found: %2").arg(nombre, ruta);
        return QString();
    }
    return ruta;
}

bool LeerLimiteHerramientas(const ArgumentosCli& args, int& milisegundos, QString& error) {
    constexpr int kLimiteMaximo = 24 * 3600; // seconds; kept within int milliseconds
    milisegundos = 0;
    if (!args.tiene(QStringLiteral("timeout")))
        return true;
    double segundos = 0;
    const QString dado = args.valor(QStringLiteral("timeout"));
    if (!LeerNumeroCli(dado, segundos) || segundos <= 0 || segundos > kLimiteMaximo) {
        error = QStringLiteral("--timeout must be a number of seconds above 0 and at most %1, "
                               "not '%2'")
                    .arg(kLimiteMaximo)
                    .arg(dado);
        return false;
    }
    milisegundos = static_cast<int>(segundos * 1000);
    return true;
}
