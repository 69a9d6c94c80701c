#include "shell/dialogfolder.h"

#include "shell/inifile.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString kSeccion = QStringLiteral("folders");

bool EsImagen(const QString& kind) {
    static const QStringList imagenes = {QStringLiteral("tif"), QStringLiteral("tiff"),
                                         QStringLiteral("png"), QStringLiteral("jpg"),
                                         QStringLiteral("jpeg")};
    return imagenes.contains(kind);
}

} // namespace

QString DialogFolder::kind(const QString& filter) {
    static const QRegularExpression primera(QStringLiteral("\\|\\*\\.([^;|]+)"));
    return primera.match(filter).captured(1).toLower();
}

QString DialogFolder::initialFolder(const QString& given, const QString& filter,
                                    const QString& programFolder) const {
    if (!given.isEmpty() && given != programFolder)
        return given;
    const QString tipo = kind(filter);
    const QString recordada =
        tipo.isEmpty() ? QString() : LeerIni(settingsFile_, kSeccion, tipo, {});
    if (!recordada.isEmpty() && QDir(recordada).exists())
        return recordada;
    const QString imagenes = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (EsImagen(tipo) && !imagenes.isEmpty() && QDir(imagenes).exists())
        return imagenes;
    return QDir::homePath();
}

void DialogFolder::remember(const QString& chosenPath, const QString& filter) const {
    const qsizetype slash = chosenPath.lastIndexOf(QLatin1Char('/'));
    const QString tipo = kind(filter);
    if (slash < 0 || tipo.isEmpty() || settingsFile_.isEmpty())
        return;
    EscribirIni(settingsFile_, kSeccion, tipo,
                slash == 0 ? QStringLiteral("/") : chosenPath.left(slash));
}
