#include "lang/texto.h"

#include "lang/texttables.h"
#include "shell/inifile.h"

#include <QList>

#include <atomic>

namespace {

// Read by tool runs on worker threads while the user may switch the language.
std::atomic<int> currentLanguage = IdiomaEs;

int validLanguage(int idioma) {
    return (idioma >= IdiomaEs && idioma <= IdiomaIt) ? idioma : IdiomaEs;
}

} // namespace

QString TextoEnIdioma(int idioma, const QString& key) {
    // fr/it fall back to English, English to Spanish, Spanish to the key itself.
    QList<int> chain{IdiomaEs};
    const int lang = validLanguage(idioma);
    if (lang != IdiomaEs)
        chain.prepend(IdiomaEn);
    if (lang == IdiomaFr || lang == IdiomaIt)
        chain.prepend(lang);
    for (int l : chain) {
        const auto& table = TablaTextos(l);
        const auto found = table.constFind(key);
        if (found != table.constEnd())
            return *found;
    }
    return key;
}

QString Texto(const QString& key) {
    return TextoEnIdioma(currentLanguage, key);
}

QStringList TextosEnTodosIdiomas(const QString& key) {
    return {TextoEnIdioma(IdiomaEs, key), TextoEnIdioma(IdiomaEn, key),
            TextoEnIdioma(IdiomaFr, key), TextoEnIdioma(IdiomaIt, key)};
}

int IdiomaActual() {
    return currentLanguage;
}

void EstablecerIdiomaActual(int idioma) {
    currentLanguage = validLanguage(idioma);
}

int NumeroIdioma(const QString& code) {
    const QString c = code.trimmed().toLower();
    if (c == QLatin1String("en"))
        return IdiomaEn;
    if (c == QLatin1String("fr"))
        return IdiomaFr;
    if (c == QLatin1String("it"))
        return IdiomaIt;
    return IdiomaEs;
}

int IdiomaDelEntorno(const QProcessEnvironment& entorno) {
    for (const char* nombre : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString valor = entorno.value(QString::fromLatin1(nombre));
        if (valor.isEmpty())
            continue;
        const QString codigo = valor.left(2).toLower();
        const bool propio = codigo == QLatin1String("es") || codigo == QLatin1String("fr") ||
                            codigo == QLatin1String("it");
        return propio ? NumeroIdioma(codigo) : IdiomaEn;
    }
    return IdiomaEn;
}

QString CodigoIdioma() {
    switch (currentLanguage) {
    case IdiomaEn:
        return QStringLiteral("en");
    case IdiomaFr:
        return QStringLiteral("fr");
    case IdiomaIt:
        return QStringLiteral("it");
    default:
        return QStringLiteral("es");
    }
}

void CargarIdioma(const QString& settingsFile) {
    EstablecerIdiomaActual(NumeroIdioma(LeerIni(settingsFile, QStringLiteral("ui"),
                                                QStringLiteral("language"), QStringLiteral("es"))));
}

void GuardarIdioma(const QString& settingsFile) {
    EscribirIni(settingsFile, QStringLiteral("ui"), QStringLiteral("language"), CodigoIdioma());
}

QString NombreFicheroAyuda() {
    return QStringLiteral("ayuda_") + CodigoIdioma() + QStringLiteral(".html");
}
