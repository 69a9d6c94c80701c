#include "lang/abouttexts.h"

#include "lang/aboutinfo.h"
#include "lang/texto.h"

TextosAcercaDe TextosAcercaDeIdioma(int idioma) {
    const QString argyll = AboutInfo::kDireccionArgyllCMS;
    const QString freeImage = AboutInfo::kDireccionFreeImage;
    switch (idioma) {
    case IdiomaEn:
        return {"Nerva Chromaflux is free to use, but you can make a donation to support its "
                "development.",
                "DONATE (PayPal)",
                "This software uses:",
                "for:",
                "ArgyllCMS, ICC compatible color management system. See " + argyll,
                "FreeImage open source image library. See " + freeImage + " for details"};
    case IdiomaFr:
        return {"Nerva Chromaflux est gratuit, mais tu peux faire un don pour soutenir son "
                "developpement.",
                "DONNER (PayPal)",
                "Ce logiciel utilise :",
                "pour :",
                "ArgyllCMS, systeme de gestion de la couleur compatible ICC. Voir " + argyll,
                "Bibliotheque d'images open source FreeImage. Voir " + freeImage +
                    " pour plus d'informations"};
    case IdiomaIt:
        return {"Nerva Chromaflux e gratuito, ma puoi fare una donazione per sostenere il suo "
                "sviluppo.",
                "DONA (PayPal)",
                "Questo software utilizza:",
                "per:",
                "ArgyllCMS, sistema di gestione del colore compatibile ICC. Vedi " + argyll,
                "Libreria di immagini open source FreeImage. Vedi " + freeImage +
                    " per i dettagli"};
    default:
        return {"Nerva Chromaflux es de uso gratuito, pero puedes realizar una donación para "
                "colaborar con su desarrollo.",
                "DONAR (PayPal)",
                "Este programa utiliza:",
                "para:",
                "ArgyllCMS, sistema de gestión de color compatible con ICC. Ver " + argyll,
                "Biblioteca de imagen open source FreeImage. Ver " + freeImage +
                    " para más información"};
    }
}

QString TituloAcercaDe() {
    return Texto(QStringLiteral("app.title")) + QStringLiteral(" | ") +
           Texto(QStringLiteral("menu.about")).remove(QLatin1Char('&')) + QStringLiteral("...");
}
