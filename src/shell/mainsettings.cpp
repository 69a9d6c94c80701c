#include "shell/mainsettings.h"

#include "shell/filereplace.h"
#include "shell/inifile.h"
#include "shell/leadingnumber.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString kProfile = QStringLiteral("profile");
const QString kResults = QStringLiteral("results");

QString Decimal(int value) {
    return QString::number(value);
}

// A stored list index: the leading number rounded half to even, kept within int.
int IndiceGuardado(const QString& text) {
    const double value = NumeroInicial(text).value_or(0.0);
    constexpr double kMax = std::numeric_limits<int>::max();
    constexpr double kMin = std::numeric_limits<int>::min();
    return static_cast<int>(std::nearbyint(std::clamp(value, kMin, kMax)));
}

QString ComoNumeroDecimal(const QString& text) {
    QString v = text;
    v.replace(QLatin1Char(','), QLatin1Char('.'));
    return v;
}

} // namespace

AjustesPrincipales LeerAjustesPrincipales(const QString& file, const AjustesPrincipales& current) {
    const FicheroIni ini(file);
    auto leer = [&ini](const QString& section, const char* key, const QString& def) {
        return ini.Leer(section, QString::fromLatin1(key), def);
    };
    AjustesPrincipales a = current;
    a.camera = leer(kProfile, "camera", current.camera);
    a.model = leer(kProfile, "model", current.model);
    a.description = leer(kProfile, "description", current.description);
    a.copyright = leer(kProfile, "copyright", current.copyright);
    a.gamma = leer(kProfile, "gamma", QStringLiteral("2.2"));
    a.whitePoint = leer(kProfile, "white_point", QStringLiteral("1.0"));
    a.darkAreas = leer(kProfile, "dark_areas", QStringLiteral("1.0"));
    a.chartFile = leer(kProfile, "chart_file", QString());
    // Only files older than chart_file name the chart by number. Without either key the
    // selection stays: mapping the current list index as an old number would pick another chart.
    const QString type = a.chartFile.isEmpty() ? leer(kProfile, "type", QString()) : QString();
    a.type = type.trimmed().isEmpty() ? -1 : IndiceGuardado(type);
    a.genericRefFile = leer(kProfile, "generic_ref_file", QString());
    a.algorithm = IndiceGuardado(leer(kProfile, "algorithm", Decimal(current.algorithm)));
    a.intent = IndiceGuardado(leer(kProfile, "intent", Decimal(current.intent)));
    a.quality = IndiceGuardado(leer(kProfile, "quality", Decimal(current.quality)));
    a.perspective =
        NumeroInicial(leer(kProfile, "perspective", QStringLiteral("0"))).value_or(0.0) != 0.0;
    a.lastProfile = leer(kResults, "last_profile", QString());
    a.lastTi3 = leer(kResults, "last_ti3", QString());
    a.lastDiag = leer(kResults, "last_diag", QString());
    a.lastCheck = leer(kResults, "last_check", QString());
    a.logSplit = leer(QStringLiteral("ui"), "log_split", QString());
    a.saveScaninDiag =
        leer(kProfile, "save_scanin_diag", QStringLiteral("0")) == QLatin1String("1");
    a.saveTi3WithProfile =
        leer(kProfile, "save_ti3_with_profile", QStringLiteral("0")) == QLatin1String("1");
    return a;
}

void EscribirAjustesPrincipales(const QString& file, const AjustesPrincipales& v) {
    FicheroIni ini(file);
    auto escribir = [&ini](const QString& section, const char* key, const QString& value) {
        ini.Escribir(section, QString::fromLatin1(key), value);
    };
    auto bandera = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    escribir(kProfile, "camera", v.camera);
    escribir(kProfile, "model", v.model);
    escribir(kProfile, "description", v.description);
    escribir(kProfile, "copyright", v.copyright);
    escribir(kProfile, "gamma", v.gamma);
    escribir(kProfile, "white_point", v.whitePoint);
    escribir(kProfile, "dark_areas", v.darkAreas);
    escribir(kProfile, "type", Decimal(v.type));
    escribir(kProfile, "chart_file", v.chartFile);
    escribir(kProfile, "generic_ref_file", v.genericRefFile);
    escribir(kProfile, "algorithm", Decimal(v.algorithm));
    escribir(kProfile, "intent", Decimal(v.intent));
    escribir(kProfile, "quality", Decimal(v.quality));
    escribir(kProfile, "perspective", bandera(v.perspective));
    escribir(kProfile, "save_scanin_diag", bandera(v.saveScaninDiag));
    escribir(kProfile, "save_ti3_with_profile", bandera(v.saveTi3WithProfile));
    escribir(kResults, "last_profile", v.lastProfile);
    escribir(kResults, "last_ti3", v.lastTi3);
    escribir(kResults, "last_diag", v.lastDiag);
    escribir(kResults, "last_check", v.lastCheck);
    escribir(QStringLiteral("ui"), "log_split", v.logSplit);
    ini.Guardar();
}

int IndiceValorLista(const QStringList& items, const QString& stored, const QString& fallback) {
    if (items.isEmpty())
        return -1;
    QString v = ComoNumeroDecimal(stored.trimmed());
    if (v.isEmpty())
        v = fallback;
    for (int i = 0; i < items.size(); ++i) {
        if (ComoNumeroDecimal(items[i]) == v)
            return i;
    }
    for (int i = 0; i < items.size(); ++i) {
        if (ComoNumeroDecimal(items[i]) == fallback)
            return i;
    }
    return 0;
}

int LimitarIndice(int value, int count) {
    if (value < 0)
        value = 0;
    if (value > count - 1)
        value = count - 1;
    return value;
}

QString UbicarFicheroAjustes(const QString& settingsFile, const QString& legacyFile) {
    QString error;
    if (!QFileInfo::exists(settingsFile) && QFileInfo(legacyFile).isFile())
        SustituirPorCopia(legacyFile, settingsFile, false, error);
    return settingsFile;
}
