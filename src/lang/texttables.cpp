#include "lang/texttables.h"

#include "lang/texto.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>

namespace {

QHash<QString, QString> loadTable(const QString& resource) {
    QHash<QString, QString> table;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    for (auto it = object.begin(); it != object.end(); ++it)
        table.insert(it.key(), it.value().toString());
    return table;
}

} // namespace

const QHash<QString, QString>& TablaTextos(int idioma) {
    static const std::array<QHash<QString, QString>, 4> tables = {
        loadTable(QStringLiteral(":/lang/es.json")), loadTable(QStringLiteral(":/lang/en.json")),
        loadTable(QStringLiteral(":/lang/fr.json")), loadTable(QStringLiteral(":/lang/it.json"))};
    static const QHash<QString, QString> none;
    if (idioma < IdiomaEs || idioma > IdiomaIt)
        return none;
    return tables[static_cast<size_t>(idioma)];
}
