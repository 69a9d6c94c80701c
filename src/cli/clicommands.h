#pragma once

#include <QString>
#include <QStringList>

class ArgumentosCli;
class CancelToken;
class Consola;

// Exit status of the command line.
enum SalidaCli : int {
    SalidaCorrecta = 0,
    SalidaFallida = 1,    // a run failed (a batch: at least one image)
    SalidaUso = 2,        // wrong arguments, missing files, missing tools
    SalidaSospechosa = 3, // every profile written, a chart reading suspected wrong
    SalidaDetenida = 130  // stopped by a signal
};

// Runs the command line (the arguments after the program name) and gives its exit status.
// `cancel` stops the running tools (the program fires it on SIGINT and SIGTERM).
int EjecutarLineaComandos(const QStringList& args, Consola& consola, const CancelToken& cancel);

// The commands, with the arguments after their name.
int ComandoCreate(const QStringList& args, Consola& consola, const CancelToken& cancel);
int ComandoCharts(const QStringList& args, Consola& consola);
int ComandoVerify(const QStringList& args, Consola& consola, const CancelToken& cancel);
int ComandoCompare(const QStringList& args, Consola& consola, const CancelToken& cancel);

// Gets the tool of a verify or compare command ready: its time limit from --timeout. The usage
// error (a bad limit, the tool missing), or empty.
QString PrepararHerramienta(const ArgumentosCli& args, const QString& tool);

// One error message for a command, followed by where its help is; SalidaUso.
int ErrorUso(Consola& consola, const QString& comando, const QString& message);
