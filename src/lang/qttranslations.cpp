#include "lang/qttranslations.h"

#include "lang/texto.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

bool CargarTraduccionesQt() {
    static QPointer<QTranslator> traductor;
    if (!traductor)
        traductor = new QTranslator(QCoreApplication::instance());
    QCoreApplication::removeTranslator(traductor);
    if (!traductor->load(QStringLiteral("qtbase_") + CodigoIdioma(),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(traductor);
}
