#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Languages by number: 0 "es" (default), 1 "en", 2 "fr", 3 "it".
enum Idioma : int { IdiomaEs = 0, IdiomaEn = 1, IdiomaFr = 2, IdiomaIt = 3 };

// The key's text in the current language after the fallback chain fr/it -> en -> es;
// the key itself when no table holds it. Case-sensitive keys.
QString Texto(const QString& key);
// The key's text in one given language (same fallback chain); for placeholder comparisons.
QString TextoEnIdioma(int idioma, const QString& key);
// The key's text in es, en, fr, it (in that order): every default a placeholder may still show.
QStringList TextosEnTodosIdiomas(const QString& key);

int IdiomaActual();
void EstablecerIdiomaActual(int idioma);
// " EN " -> 1; "es", "", "de" and anything unknown -> 0.
int NumeroIdioma(const QString& code);
QString CodigoIdioma(); // code of the current language
// The language of a program without settings, from the locale variables in the order they
// rule (LANGUAGE, LC_ALL, LC_MESSAGES, LANG; the first that is set): Spanish, French or
// Italian when it names one ("fr_CA.UTF-8", "it:en"), else English ("C", "de_DE", none).
int IdiomaDelEntorno(const QProcessEnvironment& entorno);
// Reads ui/language (default "es") from the settings file; applies nothing.
void CargarIdioma(const QString& settingsFile);
// Writes ui/language = CodigoIdioma().
void GuardarIdioma(const QString& settingsFile);
// "ayuda_" + CodigoIdioma() + ".html"
QString NombreFicheroAyuda();
