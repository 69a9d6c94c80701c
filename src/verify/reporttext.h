#pragma once

#include <QString>
#include <QStringList>

// Tolerant text helpers for reading tool reports: nothing here fails, a text that does not fit
// reads as empty or 0.

// The text without leading and trailing spaces (tabs stay).
QString RecortarBlancos(const QString& text);
// The output split at CR LF, CR or LF, each line trimmed of spaces (tabs stay).
QStringList LineasInforme(const QString& output);
// The trimmed text after the first occurrence of the separator; empty when it is absent.
QString ValorTrasSeparador(const QString& line, const QString& separator);
// The run of "0123456789.+-" after the keyword (found ignoring case) and any "=" or blanks
// that follow it; empty when the keyword is absent or no number follows.
QString NumeroTrasClave(const QString& line, const QString& keyword);
// Every run of blanks reduced to one blank.
QString ColapsarEspacios(const QString& text);
// The numeric values of the first three blank-separated tokens; false with fewer than three.
bool LeerTresNumeros(const QString& text, double& a, double& b, double& c);
