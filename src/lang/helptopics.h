#pragma once

#include <QString>

// Help files in the help folder: one page per language and one hover-help topics file per
// language ("<code>_principal.id"), Spanish standing in for a missing one.

// helpFolder/pageName, or helpFolder/"ayuda_es.html" when that page does not exist.
QString RutaPaginaAyuda(const QString& helpFolder, const QString& pageName);
// helpFolder/<code>_principal.id, or the Spanish file (returned even if missing too).
QString RutaFicheroTemas(const QString& helpFolder, const QString& code);
// The whole file as text (UTF-8, or Windows-1252 when not valid UTF-8); "" when absent.
QString LeerFicheroTexto(const QString& path);
// The text between "[name]" and "[/name]" (tags found ignoring case, anywhere), with the line
// break after the opening tag dropped and blanks trimmed; "" when a tag is missing.
QString ExtraerTemaDeTexto(const QString& text, const QString& name);
// The topic from the current language's topics file in Carpetas().helpFolder.
QString ExtraerTema(const QString& name);
