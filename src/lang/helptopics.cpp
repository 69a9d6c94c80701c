#include "lang/helptopics.h"

#include "lang/texto.h"
#include "shell/appfolders.h"
#include "shell/legacytext.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Blanks only: line breaks at the end of a topic stay.
QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    const auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (first < last && isBlank(text.at(first)))
        ++first;
    while (last > first && isBlank(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

} // namespace

QString RutaPaginaAyuda(const QString& helpFolder, const QString& pageName) {
    const QString page = helpFolder + QLatin1Char('/') + pageName;
    if (QFileInfo(page).isFile())
        return page;
    return helpFolder + QStringLiteral("/ayuda_es.html");
}

QString RutaFicheroTemas(const QString& helpFolder, const QString& code) {
    const QString file = helpFolder + QLatin1Char('/') + code + QStringLiteral("_principal.id");
    if (QFileInfo(file).isFile())
        return file;
    return helpFolder + QStringLiteral("/es_principal.id");
}

QString LeerFicheroTexto(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodificarTextoLegado(file.readAll());
}

QString ExtraerTemaDeTexto(const QString& text, const QString& name) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QString open = QLatin1Char('[') + name + QLatin1Char(']');
    const qsizetype tag = t.indexOf(open, 0, Qt::CaseInsensitive);
    if (tag < 0)
        return {};
    qsizetype start = tag + open.size();
    if (start < t.size() && t.at(start) == QLatin1Char('\n'))
        ++start;
    const qsizetype end =
        t.indexOf(QStringLiteral("[/") + name + QLatin1Char(']'), start, Qt::CaseInsensitive);
    if (end < 0)
        return {};
    return trimBlanks(t.mid(start, end - start));
}

QString ExtraerTema(const QString& name) {
    return ExtraerTemaDeTexto(
        LeerFicheroTexto(RutaFicheroTemas(Carpetas().helpFolder, CodigoIdioma())), name);
}
