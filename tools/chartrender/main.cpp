// nc-chartrender: writes a synthetic camera capture of an ArgyllCMS chart.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include "chartrenderer.h"

using chartrender::RenderInfo;
using chartrender::RenderOptions;

namespace {

bool readNumber(const QCommandLineParser& parser, const QString& name, double* value) {
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    *value = parser.value(name).toDouble(&ok);
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nc-chartrender"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Renders a synthetic camera capture of a colour chart from its ArgyllCMS "
                       "chart definition (.cht) and reference values (.cie, .ti2, CGATS).\n"
                       "Prints the chart's fiducials in output pixels (TL,TR,BR,BL of the "
                       "chart, for scanin -F)."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("chart.cht"), QStringLiteral("Chart definition."));
    parser.addPositionalArgument(
        QStringLiteral("reference"),
        QStringLiteral("Reference values; \"-\" uses the chart's EXPECTED values."));
    parser.addPositionalArgument(QStringLiteral("output"),
                                 QStringLiteral("Image to write (.tif, .png, .jpg)."));
    const RenderOptions defaults;
    const auto number = [](double v) { return QString::number(v); };
    parser.addOptions({
        {{QStringLiteral("w"), QStringLiteral("width")},
         QStringLiteral("Image width in pixels (default %1).").arg(defaults.width),
         QStringLiteral("px"),
         number(defaults.width)},
        {{QStringLiteral("r"), QStringLiteral("rotate")},
         QStringLiteral("Rotation clockwise in degrees."),
         QStringLiteral("deg"),
         QStringLiteral("0")},
        {{QStringLiteral("k"), QStringLiteral("perspective")},
         QStringLiteral("Keystone amount, 0 to 0.6."),
         QStringLiteral("amount"),
         QStringLiteral("0")},
        {{QStringLiteral("p"), QStringLiteral("portrait")},
         QStringLiteral("Turn the capture a quarter clockwise.")},
        {{QStringLiteral("n"), QStringLiteral("noise")},
         QStringLiteral("Noise standard deviation, share of full scale (default %1).")
             .arg(defaults.noise),
         QStringLiteral("sd"),
         number(defaults.noise)},
        {QStringLiteral("blur"),
         QStringLiteral("Blur sigma in pixels (default %1).").arg(defaults.blur),
         QStringLiteral("px"), number(defaults.blur)},
        {QStringLiteral("falloff"),
         QStringLiteral("Share of light lost at the corners (default %1).").arg(defaults.falloff),
         QStringLiteral("share"), number(defaults.falloff)},
        {{QStringLiteral("g"), QStringLiteral("gamma")},
         QStringLiteral("Tone curve gamma (default %1).").arg(defaults.gamma),
         QStringLiteral("gamma"),
         number(defaults.gamma)},
        {{QStringLiteral("b"), QStringLiteral("bits")},
         QStringLiteral("Bits per channel, 8 or 16."),
         QStringLiteral("bits"),
         number(defaults.bitsPerChannel)},
        {{QStringLiteral("f"), QStringLiteral("format")},
         QStringLiteral("tif, png or jpg (default: from the output suffix)."),
         QStringLiteral("format")},
        {{QStringLiteral("i"), QStringLiteral("icc")},
         QStringLiteral("ICC profile to embed."),
         QStringLiteral("file")},
        {{QStringLiteral("s"), QStringLiteral("seed")},
         QStringLiteral("Seed of the noise and the surround (default %1).").arg(defaults.seed),
         QStringLiteral("n"),
         number(defaults.seed)},
        {QStringLiteral("no-marks"), QStringLiteral("Draw no fiducial marks.")},
    });
    parser.process(app);

    QTextStream err(stderr);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 3) {
        err << "nc-chartrender: expected chart.cht, reference and output\n";
        return 2;
    }
    RenderOptions options;
    options.chtFile = args[0];
    options.referenceFile = args[1] == u"-" ? QString() : args[1];
    double width = options.width;
    double bits = options.bitsPerChannel;
    double seed = options.seed;
    if (!readNumber(parser, QStringLiteral("width"), &width) ||
        !readNumber(parser, QStringLiteral("rotate"), &options.rotationDeg) ||
        !readNumber(parser, QStringLiteral("perspective"), &options.perspective) ||
        !readNumber(parser, QStringLiteral("noise"), &options.noise) ||
        !readNumber(parser, QStringLiteral("blur"), &options.blur) ||
        !readNumber(parser, QStringLiteral("falloff"), &options.falloff) ||
        !readNumber(parser, QStringLiteral("gamma"), &options.gamma) ||
        !readNumber(parser, QStringLiteral("bits"), &bits) ||
        !readNumber(parser, QStringLiteral("seed"), &seed)) {
        err << "nc-chartrender: a numeric option has a value that is not a number\n";
        return 2;
    }
    options.width = int(width);
    options.bitsPerChannel = int(bits);
    options.seed = quint32(seed);
    options.portrait = parser.isSet(QStringLiteral("portrait"));
    options.format = parser.value(QStringLiteral("format"));
    options.iccProfile = parser.value(QStringLiteral("icc"));
    options.fiducialMarks = !parser.isSet(QStringLiteral("no-marks"));

    QString error;
    RenderInfo info;
    if (!chartrender::renderChart(options, args[2], &error, &info)) {
        err << "nc-chartrender: " << error << '\n';
        return 1;
    }
    QTextStream(stdout) << info.fiducialArgument() << '\n';
    return 0;
}
