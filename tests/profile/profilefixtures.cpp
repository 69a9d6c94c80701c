#include "profilefixtures.h"

#include "chartrenderer.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

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
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    static const QRegularExpression sets(QStringLiteral("^NUMBER_OF_SETS\\s+(\\d+)"),
                                         QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = sets.match(QString::fromUtf8(file.readAll()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

bool DesplazarTi3(const QString& ti3, const QString& outPath) {
    QFile in(ti3);
    if (!in.open(QIODevice::ReadOnly)) {
        return false;
    }
    QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    const int format = lines.indexOf(QStringLiteral("BEGIN_DATA_FORMAT"));
    const int begin = lines.indexOf(QStringLiteral("BEGIN_DATA"));
    const int end = lines.indexOf(QStringLiteral("END_DATA"));
    if (format < 0 || begin < 0 || end <= begin + 1) {
        return false;
    }
    const QStringList fields = lines.at(format + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QList<int> rgb;
    for (const char* name : {"RGB_R", "RGB_G", "RGB_B"}) {
        rgb << fields.indexOf(QString::fromLatin1(name));
    }
    QList<QStringList> rows;
    for (int i = begin + 1; i < end; ++i) {
        rows << lines.at(i).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    const QList<QStringList> original = rows;
    for (int r = 0; r < rows.size(); ++r) {
        for (int c : rgb) {
            rows[r][c] = original.at((r + 1) % rows.size()).at(c);
        }
        lines[begin + 1 + r] = rows.at(r).join(QLatin1Char(' '));
    }
    QFile out(outPath);
    return out.open(QIODevice::WriteOnly) && out.write(lines.join(QLatin1Char('\n')).toUtf8()) > 0;
}

namespace {

QString Etiqueta(cmsHPROFILE profile, cmsTagSignature tag) {
    const auto* mlu = static_cast<const cmsMLU*>(cmsReadTag(profile, tag));
    if (mlu == nullptr) {
        return QString();
    }
    const cmsUInt32Number size = cmsMLUgetASCII(mlu, "en", "US", nullptr, 0);
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    cmsMLUgetASCII(mlu, "en", "US", bytes.data(), size);
    return QString::fromUtf8(bytes.constData());
}

} // namespace

EtiquetasIcc LeerEtiquetasIcc(const QString& path) {
    EtiquetasIcc tags;
    cmsHPROFILE profile = cmsOpenProfileFromFile(QFile::encodeName(path).constData(), "r");
    if (profile == nullptr) {
        return tags;
    }
    tags.ok = true;
    tags.descripcion = Etiqueta(profile, cmsSigProfileDescriptionTag);
    tags.fabricante = Etiqueta(profile, cmsSigDeviceMfgDescTag);
    tags.modelo = Etiqueta(profile, cmsSigDeviceModelDescTag);
    tags.copyright = Etiqueta(profile, cmsSigCopyrightTag);
    cmsCloseProfile(profile);
    return tags;
}
