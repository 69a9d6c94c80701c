#include "charts/chartcatalog.h"
#include "cli/cliargs.h"
#include "cli/clicommands.h"
#include "cli/consola.h"
#include "cli/helptexts.h"
#include "cli/jsonreport.h"

int ComandoCharts(const QStringList& args, Consola& consola) {
    const QString comando = QStringLiteral("charts");
    const ArgumentosCli leidos = ArgumentosCli::Leer(args, {{"help"}, {"json"}});
    if (!leidos.ok())
        return ErrorUso(consola, comando, leidos.error());
    if (leidos.tiene(QStringLiteral("help"))) {
        consola.Resultado(AyudaCharts());
        return SalidaCorrecta;
    }
    const QJsonArray catalogo = JsonCatalogo(Catalogo());
    if (leidos.tiene(QStringLiteral("json"))) {
        consola.Resultado(TextoJson(catalogo));
        return SalidaCorrecta;
    }
    // Tab-separated, one chart a line, "-" for a reference there is none of.
    QString text = QStringLiteral("index\tname\tchart\tgeneric reference\town reference\n");
    for (const QJsonValue& value : catalogo) {
        const QJsonObject carta = value.toObject();
        auto campo = [&](const char* key) {
            const QJsonValue v = carta.value(QLatin1String(key));
            return v.isNull() ? QStringLiteral("-") : v.toVariant().toString();
        };
        text += QStringList{campo("index"), campo("name"), campo("chart"),
                            campo("generic_reference"), campo("own_reference")}
                    .join(QLatin1Char('\t')) +
                QLatin1Char('\n');
    }
    consola.Resultado(text);
    return SalidaCorrecta;
}
