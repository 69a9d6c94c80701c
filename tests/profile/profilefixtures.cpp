#include "profilefixtures.h"

#include "chartrenderer.h"

#include <QFile>
#include <QRegularExpression>

#include <lcms2.h>

QString CarpetaRefArgyll() {
    return QStringLiteral("/usr/share/color/argyll/ref/");
}

QString RenderizarCarta(const QString& chart, const QString& outPath, bool portrait,
                        double perspective, int width, chartrender::RenderInfo* info) {
    chartrender::RenderOptions options;
    options.chtFile = CarpetaRefArgyll() + chart + QStringLiteral(".cht");
    options.referenceFile = CarpetaRefArgyll() + chart + QStringLiteral(".cie");
    options.width = width;
    options.portrait = portrait;
    options.perspective = perspective;
    QString error;
    return chartrender::renderChart(options, outPath, &error, info) ? QString() : error;
}

int ParchesTi3(const QString& ti3) {
    QFile file(ti3);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression sets(QStringLiteral("^NUMBER_OF_SETS\\s+(\\d+)"),
                                         QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = sets.match(QString::fromUtf8(file.readAll()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

namespace {

QString Etiqueta(cmsHPROFILE profile, cmsTagSignature tag) {
    const auto* mlu = static_cast<const cmsMLU*>(cmsReadTag(profile, tag));
    if (mlu == nullptr)
        return QString();
    const cmsUInt32Number size = cmsMLUgetASCII(mlu, "en", "US", nullptr, 0);
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    cmsMLUgetASCII(mlu, "en", "US", bytes.data(), size);
    return QString::fromUtf8(bytes.constData());
}

} // namespace

EtiquetasIcc LeerEtiquetasIcc(const QString& path) {
    EtiquetasIcc tags;
    cmsHPROFILE profile = cmsOpenProfileFromFile(QFile::encodeName(path).constData(), "r");
    if (profile == nullptr)
        return tags;
    tags.ok = true;
    tags.descripcion = Etiqueta(profile, cmsSigProfileDescriptionTag);
    tags.fabricante = Etiqueta(profile, cmsSigDeviceMfgDescTag);
    tags.modelo = Etiqueta(profile, cmsSigDeviceModelDescTag);
    tags.copyright = Etiqueta(profile, cmsSigCopyrightTag);
    cmsCloseProfile(profile);
    return tags;
}
