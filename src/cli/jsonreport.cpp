#include "cli/jsonreport.h"

#include "charts/chartcatalog.h"
#include "charts/charttables.h"
#include "cli/createrun.h"
#include "profile/readplausibility.h"
#include "verify/profcheckreport.h"

#include <QJsonDocument>

#include <algorithm>

namespace {

QJsonValue Real(const QString& text) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok ? QJsonValue(v) : QJsonValue();
}

QJsonValue Entero(const QString& text) {
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? QJsonValue(v) : QJsonValue();
}

QJsonValue TextoONulo(const QString& text) {
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

} // namespace

QJsonValue JsonRuta(const QString& path) {
    return TextoONulo(path);
}

QJsonValue JsonCodigo(const std::optional<int>& rc) {
    return rc ? QJsonValue(*rc) : QJsonValue();
}

QJsonValue JsonVerificacion(const QString& salidaProfcheck) {
    if (salidaProfcheck.trimmed().isEmpty())
        return QJsonValue();
    const CifrasProfcheck c = LeerCifrasProfcheck(salidaProfcheck);
    return QJsonObject{
        {"summary", TextoONulo(ResumirProfcheck(salidaProfcheck))},
        {"patches", Entero(c.parches)},
        {"max", Real(c.maximo)},
        {"worst", TextoONulo(c.peor)},
        {"avg", Real(c.media)},
        {"rms", Real(c.rms)},
    };
}

QJsonArray JsonErrores(const QList<ErrorParche>& errores) {
    QJsonArray array;
    for (const ErrorParche& e : errores) {
        array.append(
            QJsonObject{{"id", e.id}, {"de", e.de}, {"dl", e.dl}, {"dc", e.dc}, {"dh", e.dh}});
    }
    return array;
}

QJsonArray JsonAvisos(const TrabajoCreacion& t) {
    const ResultadoCreacion& r = t.ejecucion.resultado;
    QJsonArray avisos;
    const auto agregar = [&avisos](const QString& code, const QString& text) {
        avisos.append(QJsonObject{{"code", code}, {"text", text}});
    };
    if (!t.avisoIncrustado.isEmpty())
        agregar(QStringLiteral("embedded-profile"), t.avisoIncrustado);
    if (!r.avisoLectura.isEmpty())
        agregar(QStringLiteral("misread-suspected"), r.avisoLectura);
    for (const CaptureWarning& w : r.avisosCaptura)
        agregar(w.code, w.text);
    return avisos;
}

QJsonObject JsonCreacion(const TrabajoCreacion& t, bool diagnosticoGuardado) {
    const EjecucionCreacion& e = t.ejecucion;
    const ResultadoCreacion& r = e.resultado;
    const QString diagnostico = r.diagnostico.isEmpty() ? e.diagnosticoFallo : r.diagnostico;
    QJsonValue check = JsonVerificacion(r.salidaVerificacion);
    if (check.isObject()) {
        QJsonObject o = check.toObject();
        o.insert("avg2000", r.media2000 ? QJsonValue(*r.media2000) : QJsonValue());
        o.insert("max2000", r.maximo2000 ? QJsonValue(*r.maximo2000) : QJsonValue());
        check = o;
    }
    QJsonValue lectura;
    if (e.lectura.intentos > 0) {
        lectura = QJsonObject{
            {"method", e.lectura.leida ? QJsonValue(CodigoMetodo(e.lectura.metodo)) : QJsonValue()},
            {"fit", e.lectura.leida && e.lectura.ajuste.patches >= kMinPatchesToJudge
                        ? QJsonValue(e.lectura.ajuste.error)
                        : QJsonValue()},
            {"plausible", e.lectura.leida ? QJsonValue(e.lectura.plausible) : QJsonValue()},
            {"attempts", e.lectura.intentos},
        };
    }
    return QJsonObject{
        {"profile", JsonRuta(r.perfil)},
        {"ti3", JsonRuta(r.ti3)},
        {"diagnostic", JsonRuta(diagnosticoGuardado ? diagnostico : QString())},
        {"scanin_rc", JsonCodigo(e.rcScanin)},
        {"colprof_rc", JsonCodigo(e.rcColprof)},
        {"profcheck_rc", JsonCodigo(e.rcProfcheck)},
        {"read", lectura},
        {"check", check},
        {"warnings", JsonAvisos(t)},
        {"error", TextoONulo(MotivoFallo(t))},
    };
}

QJsonObject JsonLote(const QList<TrabajoCreacion>& trabajos, bool diagnosticoGuardado) {
    QJsonArray perfiles;
    int escritos = 0;
    int sospechosos = 0;
    for (const TrabajoCreacion& t : trabajos) {
        QJsonObject o = JsonCreacion(t, diagnosticoGuardado);
        o.insert("image", t.destino.imagen);
        perfiles.append(o);
        escritos += PerfilEscrito(t) ? 1 : 0;
        sospechosos += LecturaSospechosa(t) ? 1 : 0;
    }
    return QJsonObject{
        {"profiles", perfiles},
        {"written", escritos},
        {"suspect", sospechosos},
        {"failed", static_cast<int>(trabajos.size()) - escritos},
    };
}

QJsonArray JsonCatalogo(const ChartCatalog& catalogo) {
    QJsonArray array;
    for (int i = 0; i < catalogo.NumCartas(); ++i) {
        const int g = IndiceGenericaPorCarta(catalogo.FicheroCarta(i));
        array.append(QJsonObject{
            {"index", i},
            {"name", catalogo.NombreCarta(i)},
            {"chart", catalogo.FicheroCarta(i)},
            {"generic_reference", TextoONulo(FicheroReferenciaGenerica(g))},
            {"own_reference",
             TextoONulo(catalogo.BuscarReferenciaPropia(catalogo.FicheroCarta(i)))},
        });
    }
    return array;
}

namespace {

// The order the keys are written in, as the documented objects list them; keys not named here
// follow in alphabetical order.
const QStringList& OrdenClaves() {
    static const QStringList orden{"image",        "profile",   "ti3",
                                   "diagnostic",   "scanin_rc", "colprof_rc",
                                   "profcheck_rc", "read",      "method",
                                   "fit",          "plausible", "attempts",
                                   "check",        "summary",   "patches",
                                   "max",          "worst",     "avg",
                                   "rms",          "avg2000",   "max2000",
                                   "warnings",     "code",      "text",
                                   "errors",       "error",     "profiles",
                                   "written",      "suspect",   "failed",
                                   "id",           "de",        "dl",
                                   "dc",           "dh",        "index",
                                   "name",         "chart",     "generic_reference",
                                   "own_reference"};
    return orden;
}

// A scalar (or a key) as compact JSON text.
QString Escalar(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString Compacto(const QJsonValue& value) {
    if (value.isArray()) {
        QStringList items;
        for (const QJsonValue& item : value.toArray())
            items << Compacto(item);
        return QLatin1Char('[') + items.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    if (!value.isObject())
        return Escalar(value);
    const QJsonObject object = value.toObject();
    QStringList keys = object.keys();
    std::stable_sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
        const auto posicion = [](const QString& key) {
            const qsizetype i = OrdenClaves().indexOf(key);
            return i < 0 ? OrdenClaves().size() : i;
        };
        return posicion(a) < posicion(b);
    });
    QStringList fields;
    for (const QString& key : keys)
        fields << Escalar(key) + QLatin1Char(':') + Compacto(object.value(key));
    return QLatin1Char('{') + fields.join(QLatin1Char(',')) + QLatin1Char('}');
}

} // namespace

QString TextoJson(const QJsonObject& object) {
    return Compacto(object) + QLatin1Char('\n');
}

QString TextoJson(const QJsonArray& array) {
    return Compacto(array) + QLatin1Char('\n');
}
